#include "fake_game_servers.h"

#include "server_packets.h"

#include <QTimer>
#include <QUdpSocket>

#include <algorithm>

namespace gravelock::test {

using servers::Endpoint;

struct FakeGameServers::Server {
    FakeServerBehaviour behaviour;
    QUdpSocket socket;
    QUdpSocket otherSocket;
    std::uint32_t challenge = 0;
    int requests = 0;
};

FakeGameServers::FakeGameServers(QObject* parent) : QObject(parent) {
    clock_.start();
    delayTimer_.setInterval(1);
    delayTimer_.setTimerType(Qt::PreciseTimer);
    connect(&delayTimer_, &QTimer::timeout, this, [this] { sendDue(); });
}

void FakeGameServers::sendDue() {
    const qint64 now = clock_.elapsed();
    while (!delayed_.empty() && delayed_.begin()->first <= now) {
        const Delayed& d = delayed_.begin()->second;
        d.from->writeDatagram(d.datagram, QHostAddress::LocalHost, d.toPort);
        delayed_.erase(delayed_.begin());
    }
    if (delayed_.empty())
        delayTimer_.stop();
}

FakeGameServers::~FakeGameServers() = default;

quint16 FakeGameServers::addServer(const FakeServerBehaviour& behaviour, quint16 port) {
    auto server = std::make_unique<Server>();
    server->behaviour = behaviour;
    server->challenge = random_.generate() | 1u;
    if (!server->socket.bind(QHostAddress::LocalHost, port))
        return 0;
    if (behaviour.fromOtherPort)
        server->otherSocket.bind(QHostAddress::LocalHost, 0);
    Server* raw = server.get();
    connect(&raw->socket, &QUdpSocket::readyRead, this, [this, raw] {
        while (raw->socket.hasPendingDatagrams()) {
            QByteArray request(static_cast<qsizetype>(raw->socket.pendingDatagramSize()), '\0');
            quint16 fromPort = 0;
            raw->socket.readDatagram(request.data(), request.size(), nullptr, &fromPort);
            ++raw->requests;
            answer(*raw, request, fromPort);
        }
    });
    servers_.push_back(std::move(server));
    return raw->socket.localPort();
}

int FakeGameServers::requests(quint16 port) const {
    for (const auto& server : servers_)
        if (server->socket.localPort() == port)
            return server->requests;
    return 0;
}

void FakeGameServers::answer(Server& server, const QByteArray& request, quint16 toPort) {
    const FakeServerBehaviour& b = server.behaviour;
    if (b.silent || (b.loss > 0 && random_.generateDouble() < b.loss))
        return;
    if (b.garbage) {
        reply(server,
              std::string("\xFF\xFF\xFF\xFFI\x30"
                          "cut",
                          9),
              toPort);
        return;
    }
    const std::string bytes = request.toStdString();
    if (bytes.size() < 5 || bytes.compare(0, 4, "\xFF\xFF\xFF\xFF") != 0)
        return;
    const char kind = bytes[4];
    // The challenge the request carries: after the query text for info, right
    // after the kind for players and rules.
    std::optional<std::uint32_t> carried;
    const std::size_t at = kind == 'T' ? servers::infoRequest().size() : 5;
    if (bytes.size() >= at + 4) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value =
                (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
        carried = value;
    }
    const bool challenged =
        b.challengeLoop ||
        ((kind == 'T' ? b.infoChallenge : b.detailsChallenge) && carried != server.challenge);
    if (challenged) {
        if (b.challengeLoop)
            server.challenge = random_.generate();
        reply(server, challengeAnswer(server.challenge), toPort);
        return;
    }
    switch (kind) {
    case 'T':
        if (b.form != FakeServerBehaviour::InfoForm::Current)
            reply(server, oldInfoAnswer(b.info), toPort);
        if (b.form != FakeServerBehaviour::InfoForm::Old)
            reply(server, infoAnswer(b.info), toPort);
        return;
    case 'U':
        reply(server, playersAnswer(b.details.players), toPort);
        return;
    case 'V':
        if (b.splitRules) {
            auto parts = splitAnswer(rulesAnswer(b.details.rules), random_.generate(), 3);
            std::swap(parts[0], parts[2]);
            for (const std::string& part : parts)
                reply(server, part, toPort);
        } else {
            reply(server, rulesAnswer(b.details.rules), toPort);
        }
        return;
    default:
        return;
    }
}

void FakeGameServers::reply(Server& server, const std::string& bytes, quint16 toPort) {
    QUdpSocket& from = server.behaviour.fromOtherPort ? server.otherSocket : server.socket;
    const int delay = server.behaviour.maxDelayMs <= 0
                          ? 0
                          : static_cast<int>(random_.bounded(server.behaviour.minDelayMs,
                                                             server.behaviour.maxDelayMs + 1));
    const QByteArray datagram = QByteArray::fromStdString(bytes);
    if (delay == 0) {
        from.writeDatagram(datagram, QHostAddress::LocalHost, toPort);
        return;
    }
    delayed_.emplace(clock_.elapsed() + delay, Delayed{&from, datagram, toPort});
    if (!delayTimer_.isActive())
        delayTimer_.start();
}

quint16 FakeGameServers::addMaster(std::vector<Endpoint> servers, std::size_t pageSize) {
    listed_ = std::move(servers);
    pageSize_ = std::max<std::size_t>(pageSize, 1);
    master_ = new QUdpSocket(this);
    if (!master_->bind(QHostAddress::LocalHost, 0))
        return 0;
    connect(master_, &QUdpSocket::readyRead, this, [this] {
        while (master_->hasPendingDatagrams()) {
            QByteArray request(static_cast<qsizetype>(master_->pendingDatagramSize()), '\0');
            quint16 fromPort = 0;
            master_->readDatagram(request.data(), request.size(), nullptr, &fromPort);
            ++masterRequests_;
            answerMaster(request, fromPort);
        }
    });
    return master_->localPort();
}

void FakeGameServers::answerMaster(const QByteArray& request, quint16 toPort) {
    if (request.size() < 3 || request[0] != '1')
        return;
    const auto seed = servers::parseEndpoint(request.mid(2).constData(), 0);
    std::size_t first = 0;
    if (seed && !(seed->ip == 0 && seed->port == 0)) {
        const auto it = std::find(listed_.begin(), listed_.end(), *seed);
        if (it == listed_.end())
            return;
        first = static_cast<std::size_t>(it - listed_.begin()) + 1;
    }
    const std::size_t end = std::min(listed_.size(), first + pageSize_);
    const std::vector<Endpoint> page(listed_.begin() + static_cast<std::ptrdiff_t>(first),
                                     listed_.begin() + static_cast<std::ptrdiff_t>(end));
    master_->writeDatagram(QByteArray::fromStdString(masterPage(page, end == listed_.size())),
                           QHostAddress::LocalHost, toPort);
}

} // namespace gravelock::test
