#include "servers/query_engine.h"

#include "servers/api_key.h"
#include "servers/protocol.h"

#include <QElapsedTimer>
#include <QHostInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <QUdpSocket>
#include <QUrl>
#include <QUrlQuery>

#include <deque>
#include <functional>
#include <set>
#include <unordered_map>

namespace gravelock::servers {

namespace {

constexpr std::size_t kMostInFlight = 64;
constexpr int kRetries = 2;
constexpr int kMostChallengeRounds = 2;
// Masters allow about 50 requests a minute: one page at most every 1.5 s.
constexpr qint64 kMasterPause = 1500;
constexpr int kMostMasterPages = 200;
constexpr int kWebTimeout = 15000;
const char* const kDefaultMaster = "hl1master.steampowered.com:27011";
const char* const kDefaultWebApi = "https://api.steampowered.com";
constexpr std::uint16_t kLanPorts[] = {27015, 27016, 27017, 27018, 27019, 27020,
                                       26900, 26901, 26902, 26903, 26904, 26905};

QHostAddress toHost(const Endpoint& endpoint) {
    return QHostAddress(endpoint.ip);
}

QString addressText(const Endpoint& endpoint) {
    return QString::fromStdString(formatEndpoint(endpoint));
}

enum class Stage { Info, Players, Rules };

} // namespace

struct QueryEngine::Impl {
    struct Query {
        Endpoint to;
        Stage stage = Stage::Info;
        bool players = false, rules = false; // details wanted
        std::optional<std::uint32_t> challenge;
        int challengeRounds = 0;
        int tries = 0;
        bool unreadable = false;
        qint64 sentAt = 0;
        SplitJoiner joiner;
        ServerDetails details;
    };
    enum class Mode { Idle, Info, Details, Lan, Internet };

    explicit Impl(QueryEngine* owner) : q(owner) {
        socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
        QObject::connect(&socket, &QUdpSocket::readyRead, q, [this] { readAll(); });
        ticker.setInterval(20);
        QObject::connect(&ticker, &QTimer::timeout, q, [this] { tick(); });
        kick.setSingleShot(true);
        kick.setInterval(0);
        QObject::connect(&kick, &QTimer::timeout, q, [this] {
            const auto start = std::move(pendingStart);
            pendingStart = nullptr;
            if (start)
                start();
        });
        clock.start();
        keyFolder =
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    }

    QueryEngine* q;
    QUdpSocket socket;
    QTimer ticker;
    // Starts a request from the event loop, so that even what is known at
    // once reaches the caller the way every later answer does.
    QTimer kick;
    std::function<void()> pendingStart;
    int masterLookup = -1;
    std::uint16_t masterPort = 0;
    QElapsedTimer clock;
    std::string keyFolder;
    int timeout = 1000;
    int lanWindow = 1500;
    Mode mode = Mode::Idle;
    // Bumped by every new request, so callbacks of an older one do nothing.
    quint64 generation = 0;

    std::deque<Endpoint> waiting;
    std::unordered_map<std::uint64_t, Query> inFlight;
    bool wantPlayers = false, wantRules = false;

    // LAN
    qint64 lanEnd = 0, lanSentAt = 0;
    std::set<std::uint64_t> lanSeen;

    // Internet list
    bool listing = false;
    std::optional<Endpoint> master;
    Endpoint seed;
    std::string filter;
    int pages = 0, masterTries = 0;
    qint64 masterSentAt = -1, masterNextAt = 0;
    std::set<std::uint64_t> listedSet;
    QNetworkAccessManager* web = nullptr;
    QPointer<QNetworkReply> webReply;

    qint64 now() const { return clock.elapsed(); }

    void reset() {
        ++generation;
        waiting.clear();
        inFlight.clear();
        lanSeen.clear();
        listedSet.clear();
        listing = false;
        master.reset();
        pages = masterTries = 0;
        masterSentAt = -1;
        if (webReply)
            webReply->abort();
        if (masterLookup >= 0)
            QHostInfo::abortHostLookup(masterLookup);
        masterLookup = -1;
        kick.stop();
        pendingStart = nullptr;
        ticker.stop();
        mode = Mode::Idle;
    }

    void send(const Endpoint& to, const std::string& bytes) {
        // A failed send is a lost request: the retry or the timeout deals with it.
        socket.writeDatagram(bytes.data(), static_cast<qint64>(bytes.size()), toHost(to), to.port);
    }

    std::string requestFor(const Query& query) const {
        switch (query.stage) {
        case Stage::Info:
            return infoRequest(query.challenge);
        case Stage::Players:
            return playersRequest(query.challenge.value_or(kNoChallenge));
        case Stage::Rules:
            return rulesRequest(query.challenge.value_or(kNoChallenge));
        }
        return {};
    }

    void sendQuery(Query& query) {
        query.sentAt = now();
        send(query.to, requestFor(query));
    }

    void startNext() {
        while (inFlight.size() < kMostInFlight && !waiting.empty()) {
            const Endpoint to = waiting.front();
            waiting.pop_front();
            if (inFlight.count(to.key()) != 0)
                continue;
            Query query;
            query.to = to;
            if (mode == Mode::Details) {
                query.players = wantPlayers;
                query.rules = wantRules;
                query.stage = wantPlayers ? Stage::Players : Stage::Rules;
            }
            sendQuery(inFlight.emplace(to.key(), std::move(query)).first->second);
        }
        if (!ticker.isActive())
            ticker.start();
        finishWhenDone();
    }

    void finishWhenDone() {
        if (mode == Mode::Idle || !inFlight.empty() || !waiting.empty() || listing ||
            (mode == Mode::Lan && now() < lanEnd))
            return;
        mode = Mode::Idle;
        ticker.stop();
        emit q->finished();
    }

    void giveUp(std::uint64_t key) {
        const auto it = inFlight.find(key);
        const QString address = addressText(it->second.to);
        const bool unreadable = it->second.unreadable;
        inFlight.erase(it);
        const quint64 current = generation;
        if (unreadable)
            emit q->unreadableAnswer(address);
        if (current == generation)
            emit q->noAnswer(address);
    }

    void tick() {
        const quint64 current = generation;
        const qint64 t = now();
        std::vector<std::uint64_t> expired;
        for (auto& [key, query] : inFlight)
            if (t - query.sentAt >= timeout)
                expired.push_back(key);
        for (const std::uint64_t key : expired) {
            const auto it = inFlight.find(key);
            if (it == inFlight.end())
                continue;
            if (++it->second.tries > kRetries)
                giveUp(key);
            else
                sendQuery(it->second);
            if (current != generation)
                return;
        }
        if (listing && master)
            masterTick(t);
        if (current != generation)
            return;
        startNext();
    }

    void readAll() {
        const quint64 current = generation;
        while (socket.hasPendingDatagrams()) {
            const qint64 size = socket.pendingDatagramSize();
            std::string bytes(static_cast<std::size_t>(std::max<qint64>(size, 0)), '\0');
            QHostAddress from;
            quint16 port = 0;
            const qint64 got = socket.readDatagram(bytes.data(), size, &from, &port);
            if (got < 0 || mode == Mode::Idle)
                continue;
            bytes.resize(static_cast<std::size_t>(got));
            bool isIpv4 = false;
            const quint32 ip = from.toIPv4Address(&isIpv4);
            if (!isIpv4)
                continue;
            received(Endpoint{ip, port}, bytes);
            if (current != generation)
                return;
        }
        startNext();
    }

    void received(const Endpoint& from, const std::string& bytes) {
        if (listing && master && from == *master) {
            masterPage(bytes);
            return;
        }
        const auto it = inFlight.find(from.key());
        if (it == inFlight.end()) {
            if (mode == Mode::Lan)
                lanAnswer(from, bytes);
            return; // from no one asked: dropped
        }
        Query& query = it->second;
        std::optional<std::string> joined;
        std::string_view packet = bytes;
        if (isSplitPacket(packet)) {
            const auto part = parseSplitPart(packet);
            if (!part)
                return;
            joined = query.joiner.add(*part);
            if (!joined)
                return;
            packet = *joined;
        }
        answer(query, parseAnswer(packet));
    }

    void answer(Query& query, const Answer& answer) {
        const std::uint64_t key = query.to.key();
        switch (answer.kind) {
        case AnswerKind::Invalid:
            // Something else may still come: the timeout decides.
            query.unreadable = true;
            return;
        case AnswerKind::Challenge:
            if (++query.challengeRounds > kMostChallengeRounds) {
                giveUp(key);
                return;
            }
            query.challenge = answer.challenge;
            query.tries = 0;
            sendQuery(query);
            return;
        case AnswerKind::Info: {
            if (query.stage != Stage::Info)
                return;
            ServerInfo info = answer.info;
            info.address = formatEndpoint(query.to);
            info.pingMs = static_cast<int>(now() - query.sentAt);
            inFlight.erase(key);
            emit q->answered(info);
            return;
        }
        case AnswerKind::Players:
            if (query.stage != Stage::Players)
                return;
            query.details.players = answer.players;
            if (query.rules) {
                nextStage(query, Stage::Rules);
                return;
            }
            break;
        case AnswerKind::Rules:
            if (query.stage != Stage::Rules)
                return;
            query.details.rules = answer.rules;
            break;
        }
        const QString address = addressText(query.to);
        const ServerDetails details = std::move(query.details);
        inFlight.erase(key);
        emit q->detailsAnswered(address, details);
    }

    void nextStage(Query& query, Stage stage) {
        query.stage = stage;
        query.challenge.reset();
        query.challengeRounds = 0;
        query.tries = 0;
        query.unreadable = false;
        query.joiner = SplitJoiner();
        sendQuery(query);
    }

    // ---- LAN

    void lanAnswer(const Endpoint& from, const std::string& bytes) {
        if (std::find(std::begin(kLanPorts), std::end(kLanPorts), from.port) == std::end(kLanPorts))
            return;
        if (lanSeen.count(from.key()) != 0)
            return;
        const Answer answer = parseAnswer(bytes);
        if (answer.kind == AnswerKind::Challenge) {
            // The server wants its challenge back: from here it is asked like any other.
            lanSeen.insert(from.key());
            Query query;
            query.to = from;
            query.challenge = answer.challenge;
            query.challengeRounds = 1;
            sendQuery(inFlight.emplace(from.key(), std::move(query)).first->second);
            return;
        }
        if (answer.kind != AnswerKind::Info)
            return;
        lanSeen.insert(from.key());
        ServerInfo info = answer.info;
        info.address = formatEndpoint(from);
        info.pingMs = static_cast<int>(now() - lanSentAt);
        emit q->answered(info);
    }

    std::vector<QHostAddress> lanTargets() const {
        std::vector<QHostAddress> targets;
        const QString hook = qEnvironmentVariable("GRAVELOCK_LAN_TARGETS");
        if (!hook.isEmpty()) {
            for (const QString& text : hook.split(QLatin1Char(','), Qt::SkipEmptyParts))
                if (const auto endpoint = parseEndpoint(text.trimmed().toStdString()))
                    targets.emplace_back(endpoint->ip);
            return targets;
        }
        for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
            if (!(interface.flags() & QNetworkInterface::IsUp) ||
                !(interface.flags() & QNetworkInterface::CanBroadcast))
                continue;
            for (const QNetworkAddressEntry& entry : interface.addressEntries())
                if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol &&
                    !entry.broadcast().isNull())
                    targets.push_back(entry.broadcast());
        }
        targets.emplace_back(QHostAddress::Broadcast);
        return targets;
    }

    // ---- internet list

    void addListed(const Endpoint& server) {
        if (isLinkLocal(server) || !listedSet.insert(server.key()).second)
            return;
        waiting.push_back(server);
    }

    void listed() {
        listing = false;
        const quint64 current = generation;
        emit q->listed(static_cast<int>(listedSet.size()));
        if (current == generation)
            startNext();
    }

    void fail(const QString& reason) {
        listing = false;
        waiting.clear();
        const quint64 current = generation;
        emit q->failed(reason);
        if (current == generation)
            finishWhenDone();
    }

    void askMaster(const QString& hostAndPort) {
        const qsizetype colon = hostAndPort.lastIndexOf(QLatin1Char(':'));
        bool portOk = false;
        const uint port = colon > 0 ? hostAndPort.mid(colon + 1).toUInt(&portOk) : 0;
        if (!portOk || port == 0 || port > 65535) {
            fail(QStringLiteral("Der Masterserver „%1“ ist keine Adresse mit Port.")
                     .arg(hostAndPort));
            return;
        }
        const QString host = hostAndPort.left(colon);
        if (const auto endpoint =
                parseEndpoint(host.toStdString(), static_cast<std::uint16_t>(port))) {
            startMaster(*endpoint);
            return;
        }
        masterPort = static_cast<std::uint16_t>(port);
        masterLookup = QHostInfo::lookupHost(host, q, SLOT(masterFound(QHostInfo)));
    }

    void startMaster(const Endpoint& endpoint) {
        master = endpoint;
        seed = Endpoint{};
        masterTries = 0;
        sendMaster();
        if (!ticker.isActive())
            ticker.start();
    }

    void sendMaster() {
        masterSentAt = now();
        send(*master, masterRequest(seed, filter));
    }

    void masterTick(qint64 t) {
        if (masterSentAt >= 0) {
            // A master far away answers slower than a server near by.
            if (t - masterSentAt < 3 * qint64{timeout})
                return;
            if (++masterTries > kRetries) {
                if (listedSet.empty())
                    fail(QStringLiteral("Der Masterserver %1 antwortet nicht.")
                             .arg(addressText(*master)));
                else
                    listed(); // what came so far is still worth asking
                return;
            }
            sendMaster();
        } else if (t >= masterNextAt) {
            sendMaster();
        }
    }

    void masterPage(const std::string& bytes) {
        if (masterSentAt < 0)
            return; // a repeated page
        const MasterPage page = parseMasterPage(bytes);
        if (!page.valid)
            return;
        masterSentAt = -1;
        masterTries = 0;
        for (const Endpoint& server : page.servers)
            addListed(server);
        if (page.last || page.servers.empty() || page.lastEntry == seed ||
            ++pages >= kMostMasterPages) {
            listed();
            return;
        }
        seed = page.lastEntry;
        masterNextAt = now() + kMasterPause;
    }

    void askWebApi(const std::string& key, const std::string& gameFolder) {
        if (!web)
            web = new QNetworkAccessManager(q);
        QString base = qEnvironmentVariable("GRAVELOCK_STEAM_API");
        if (base.isEmpty())
            base = QString::fromLatin1(kDefaultWebApi);
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        QUrl url(base + QStringLiteral("/IGameServersService/GetServerList/v1/"));
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("key"), QString::fromStdString(key));
        QString webFilter = QStringLiteral("\\appid\\70");
        if (!gameFolder.empty())
            webFilter += QStringLiteral("\\gamedir\\") + QString::fromStdString(gameFolder);
        query.addQueryItem(QStringLiteral("filter"), webFilter);
        query.addQueryItem(QStringLiteral("limit"), QStringLiteral("20000"));
        url.setQuery(query);
        QNetworkRequest request(url);
        request.setTransferTimeout(kWebTimeout);
        webReply = web->get(request);
        const quint64 current = generation;
        QObject::connect(webReply, &QNetworkReply::finished, q,
                         [this, current, reply = webReply.data()] {
                             reply->deleteLater();
                             if (current == generation)
                                 webAnswer(*reply);
                         });
    }

    void webAnswer(QNetworkReply& reply) {
        const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // The reply's own error text holds the address, and with it the key:
        // never shown.
        if (status == 401 || status == 403) {
            fail(QStringLiteral("Die Steam-Web-API lehnt den Schlüssel ab (HTTP %1).").arg(status));
            return;
        }
        if (reply.error() != QNetworkReply::NoError || status != 200) {
            fail(status != 0
                     ? QStringLiteral("Die Steam-Web-API antwortet mit HTTP %1.").arg(status)
                     : QStringLiteral("Die Steam-Web-API ist nicht zu erreichen."));
            return;
        }
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(reply.readAll(), &error);
        const QJsonValue servers = document.object()
                                       .value(QStringLiteral("response"))
                                       .toObject()
                                       .value(QStringLiteral("servers"));
        if (error.error != QJsonParseError::NoError ||
            !(servers.isArray() || servers.isUndefined())) {
            fail(QStringLiteral("Die Antwort der Steam-Web-API ist nicht lesbar."));
            return;
        }
        const QJsonArray list = servers.toArray();
        for (const QJsonValue server : list)
            if (const auto endpoint = parseEndpoint(
                    server.toObject().value(QStringLiteral("addr")).toString().toStdString()))
                addListed(*endpoint);
        listed();
    }
};

QueryEngine::QueryEngine(QObject* parent) : QObject(parent), impl_(std::make_unique<Impl>(this)) {}

QueryEngine::~QueryEngine() = default;

void QueryEngine::setKeyFolder(const std::string& userFolder) {
    impl_->keyFolder = userFolder;
}

void QueryEngine::setTimeout(int milliseconds) {
    impl_->timeout = std::max(1, milliseconds);
}

void QueryEngine::setLanWindow(int milliseconds) {
    impl_->lanWindow = std::max(1, milliseconds);
}

void QueryEngine::queryInfo(const std::vector<std::string>& addresses) {
    Impl& d = *impl_;
    d.reset();
    d.mode = Impl::Mode::Info;
    std::vector<QString> unusable;
    for (const std::string& address : addresses) {
        if (const auto endpoint = parseEndpoint(address))
            d.waiting.push_back(*endpoint);
        else
            unusable.push_back(QString::fromStdString(address));
    }
    d.pendingStart = [this, unusable, current = d.generation] {
        for (const QString& address : unusable) {
            if (current != impl_->generation)
                return;
            emit noAnswer(address);
        }
        if (current == impl_->generation)
            impl_->startNext();
    };
    d.kick.start();
}

void QueryEngine::queryDetails(const std::string& address, bool players, bool rules) {
    Impl& d = *impl_;
    d.reset();
    d.mode = Impl::Mode::Details;
    d.wantPlayers = players;
    d.wantRules = rules;
    const auto endpoint = parseEndpoint(address);
    if (endpoint && (players || rules))
        d.waiting.push_back(*endpoint);
    d.pendingStart = [this, address = QString::fromStdString(address),
                      fine = endpoint && (players || rules), current = d.generation] {
        if (!fine)
            emit noAnswer(address);
        if (current == impl_->generation)
            impl_->startNext();
    };
    d.kick.start();
}

void QueryEngine::listInternet(const std::string& gameFolder) {
    Impl& d = *impl_;
    d.reset();
    d.mode = Impl::Mode::Internet;
    d.listing = true;
    d.filter = masterFilter(gameFolder);
    const std::string key = readApiKey(d.keyFolder);
    d.pendingStart = [this, key, gameFolder] {
        if (!key.empty()) {
            impl_->askWebApi(key, gameFolder);
            return;
        }
        QString master = qEnvironmentVariable("GRAVELOCK_MASTER");
        if (master.isEmpty())
            master = QString::fromLatin1(kDefaultMaster);
        impl_->askMaster(master);
    };
    d.kick.start();
}

void QueryEngine::scanLan() {
    Impl& d = *impl_;
    d.reset();
    d.mode = Impl::Mode::Lan;
    d.lanSentAt = d.now();
    d.lanEnd = d.lanSentAt + d.lanWindow;
    const std::string request = infoRequest();
    for (const QHostAddress& target : d.lanTargets())
        for (const std::uint16_t port : kLanPorts)
            d.socket.writeDatagram(request.data(), static_cast<qint64>(request.size()), target,
                                   port);
    d.ticker.start();
}

void QueryEngine::cancel() {
    impl_->reset();
}

void QueryEngine::masterFound(const QHostInfo& found) {
    Impl& d = *impl_;
    if (found.lookupId() != d.masterLookup)
        return; // a lookup of a request dropped since
    d.masterLookup = -1;
    for (const QHostAddress& address : found.addresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            d.startMaster(Endpoint{address.toIPv4Address(), d.masterPort});
            return;
        }
    d.fail(QStringLiteral("Der Masterserver %1 ist nicht zu finden.").arg(found.hostName()));
}

} // namespace gravelock::servers
