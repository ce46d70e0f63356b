// Asks many game servers at once over one UDP socket and reports each answer
// as it arrives; never blocks the event loop. One request at a time: a new
// one drops what is in flight (a second engine asks beside a running list).
// Sends only to the addresses it is given, the master's list and, for the
// LAN, the broadcast addresses (or GRAVELOCK_LAN_TARGETS).
#pragma once

#include "servers/server_info.h"

#include <QHostInfo>
#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace gravelock::servers {

class QueryEngine : public QObject {
    Q_OBJECT
public:
    explicit QueryEngine(QObject* parent = nullptr);
    ~QueryEngine() override;

    // Where the player's Web API key is looked for (see api_key.h); by
    // default the per-user configuration folder.
    void setKeyFolder(const std::string& userFolder);
    // How long one request waits for its answer before it is sent again (two
    // more times at most); 1000 ms by default.
    void setTimeout(int milliseconds);
    // How long the LAN scan collects answers; 1500 ms by default.
    void setLanWindow(int milliseconds);

    // Each "a.b.c.d:port" (or "a.b.c.d", port 27015) gets its info request:
    // answered() or noAnswer() for each, then finished().
    void queryInfo(const std::vector<std::string>& addresses);
    // Players and/or rules of one server: detailsAnswered() or noAnswer(),
    // then finished().
    void queryDetails(const std::string& address, bool players, bool rules);
    // The internet list for a game folder ("" = every game, "valve", "tfc"):
    // from the Web API when a key is known, else from the master
    // (GRAVELOCK_STEAM_API and GRAVELOCK_MASTER name other places). Listed
    // servers are queried as their page arrives; listed() once the list is
    // complete, failed() when no list came.
    void listInternet(const std::string& gameFolder);
    // Servers on the local networks.
    void scanLan();
    // Drops everything in flight; no further signals until the next request.
    void cancel();

signals:
    void listed(int total);
    void answered(const gravelock::servers::ServerInfo& info);
    void noAnswer(const QString& address);
    // Sent before noAnswer() when what came could not be read.
    void unreadableAnswer(const QString& address);
    void detailsAnswered(const QString& address, const gravelock::servers::ServerDetails& details);
    void failed(const QString& germanReason);
    void finished();

private slots:
    void masterFound(const QHostInfo& found);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace gravelock::servers
