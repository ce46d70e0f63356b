// The query engine over a fake master's list of fake servers on 127.0.0.1,
// against a floor: one plain loop that sends the same requests and reads the
// answers on one socket with the same limit of requests in flight.
//   server_query_bench engine|floor MASTER_PORT
// prints: milliseconds to the last answer or give-up, answered, given up,
// longest event-loop stall in ms, heap bytes per listed server.
#include "servers/protocol.h"
#include "servers/query_engine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <unordered_map>

using namespace gravelock::servers;

namespace {

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

std::size_t heapBytes() {
    return mallinfo2().uordblks;
}

int engine(quint16 masterPort) {
    qputenv("GRAVELOCK_MASTER", QByteArray("127.0.0.1:") + QByteArray::number(masterPort));
    qunsetenv("GRAVELOCK_STEAM_KEY");
    const std::size_t heapBefore = heapBytes();
    std::size_t heapPeak = heapBefore;
    QueryEngine query;
    query.setKeyFolder({}); // no key file: the master is asked
    int answered = 0, silent = 0, listed = 0;
    double stall = 0, lastTick = nowMs();
    bool running = true;
    // A timer that should fire every millisecond: its longest gap is the
    // longest time the event loop was kept from running.
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const double t = nowMs();
        stall = std::max(stall, t - lastTick);
        lastTick = t;
        heapPeak = std::max(heapPeak, heapBytes());
    });
    QObject::connect(&query, &QueryEngine::answered, [&] { ++answered; });
    QObject::connect(&query, &QueryEngine::noAnswer, [&] { ++silent; });
    QObject::connect(&query, &QueryEngine::listed, [&](int total) { listed = total; });
    QObject::connect(&query, &QueryEngine::failed,
                     [](const QString& why) { std::fprintf(stderr, "%s\n", qPrintable(why)); });
    QObject::connect(&query, &QueryEngine::finished, [&] {
        running = false;
        QCoreApplication::quit();
    });
    const double start = nowMs();
    watch.start();
    query.listInternet("");
    QCoreApplication::exec();
    const double took = nowMs() - start;
    std::printf("%.1f %d %d %.1f %.0f\n", took, answered, silent, stall,
                listed ? double(heapPeak - heapBefore) / listed : 0.0);
    return running ? 1 : 0;
}

// The floor: the master's list, then every server asked with the same limit,
// timeout, retries and challenge rounds, in a plain poll() loop.
int floorLoop(quint16 masterPort) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
        std::perror("socket");
        return 1;
    }
    const auto sendTo = [fd](const Endpoint& to, const std::string& bytes) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(to.ip);
        address.sin_port = htons(to.port);
        sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address),
               sizeof address);
    };
    char buffer[65536];
    const auto receive = [&](int waitMs, Endpoint& from) -> std::string_view {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, waitMs) <= 0)
            return {};
        sockaddr_in address{};
        socklen_t length = sizeof address;
        const ssize_t got =
            recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&address), &length);
        from = {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
        return got > 0 ? std::string_view(buffer, static_cast<std::size_t>(got))
                       : std::string_view();
    };

    const double start = nowMs();
    const Endpoint master{0x7F000001, masterPort};
    std::vector<Endpoint> list;
    Endpoint seed;
    for (;;) {
        sendTo(master, masterRequest(seed, ""));
        Endpoint from;
        const MasterPage page = parseMasterPage(receive(3000, from));
        list.insert(list.end(), page.servers.begin(), page.servers.end());
        if (!page.valid || page.last || page.servers.empty())
            break;
        seed = page.lastEntry;
    }

    struct Pending {
        double sentAt;
        int tries = 0, rounds = 0;
        std::optional<std::uint32_t> challenge;
    };
    std::unordered_map<std::uint64_t, std::pair<Endpoint, Pending>> inFlight;
    std::size_t next = 0;
    int answered = 0, silent = 0;
    while (next < list.size() || !inFlight.empty()) {
        while (inFlight.size() < 64 && next < list.size()) {
            const Endpoint to = list[next++];
            inFlight[to.key()] = {to, Pending{nowMs(), 0, 0, std::nullopt}};
            sendTo(to, infoRequest());
        }
        Endpoint from;
        const std::string_view packet = receive(10, from);
        const auto it = inFlight.find(from.key());
        if (!packet.empty() && it != inFlight.end()) {
            const Answer answer = parseAnswer(packet);
            if (answer.kind == AnswerKind::Info) {
                ++answered;
                inFlight.erase(it);
            } else if (answer.kind == AnswerKind::Challenge && ++it->second.second.rounds <= 2) {
                it->second.second.challenge = answer.challenge;
                it->second.second.sentAt = nowMs();
                sendTo(from, infoRequest(answer.challenge));
            }
        }
        const double t = nowMs();
        for (auto i = inFlight.begin(); i != inFlight.end();) {
            Pending& p = i->second.second;
            if (t - p.sentAt < 1000) {
                ++i;
            } else if (++p.tries > 2) {
                ++silent;
                i = inFlight.erase(i);
            } else {
                p.sentAt = t;
                sendTo(i->second.first, infoRequest(p.challenge));
                ++i;
            }
        }
    }
    std::printf("%.1f %d %d 0 0\n", nowMs() - start, answered, silent);
    close(fd);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const auto port = static_cast<quint16>(std::atoi(argv[2]));
    return std::string_view(argv[1]) == "engine" ? engine(port) : floorLoop(port);
}
