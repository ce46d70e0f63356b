// Game servers and a master on 127.0.0.1 that answer the way real ones do,
// with every quirk the query engine must survive. Only ever bound to the
// loopback address.
#pragma once

#include "servers/protocol.h"

#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

class QUdpSocket;

namespace gravelock::test {

struct FakeServerBehaviour {
    enum class InfoForm { Current, Old, Both };
    InfoForm form = InfoForm::Current;
    bool infoChallenge = false;   // info answered with a challenge first
    bool challengeLoop = false;   // every request answered with a new challenge
    bool detailsChallenge = true; // players and rules go through the challenge
    bool splitRules = false;      // rules in three parts, out of order
    bool silent = false;          // never answers
    bool garbage = false;         // answers bytes no one can read
    bool fromOtherPort = false;   // answers from another socket
    int minDelayMs = 0, maxDelayMs = 0;
    double loss = 0; // share of requests dropped
    servers::ServerInfo info;
    servers::ServerDetails details;
};

class FakeGameServers : public QObject {
public:
    explicit FakeGameServers(QObject* parent = nullptr);
    ~FakeGameServers() override;

    // Starts a server on `port` (0: any free port); returns its port, 0 when
    // that port is taken.
    quint16 addServer(const FakeServerBehaviour& behaviour, quint16 port = 0);
    // A master listing `servers`, `pageSize` entries a page.
    quint16 addMaster(std::vector<servers::Endpoint> servers, std::size_t pageSize);

    // Requests received on `port`, challenge rounds and retries included.
    int requests(quint16 port) const;
    int masterRequests() const { return masterRequests_; }

private:
    struct Server;
    void answer(Server& server, const QByteArray& request, quint16 toPort);
    void reply(Server& server, const std::string& bytes, quint16 toPort);
    void answerMaster(const QByteArray& request, quint16 toPort);

    void sendDue();

    std::vector<std::unique_ptr<Server>> servers_;
    // Delayed answers by the time they are due.
    struct Delayed {
        QUdpSocket* from;
        QByteArray datagram;
        quint16 toPort;
    };
    std::multimap<qint64, Delayed> delayed_;
    QTimer delayTimer_;
    QElapsedTimer clock_;
    QUdpSocket* master_ = nullptr;
    std::vector<servers::Endpoint> listed_;
    std::size_t pageSize_ = 0;
    int masterRequests_ = 0;
    QRandomGenerator random_{20261207};
};

} // namespace gravelock::test
