#include "app/server_commands.h"

#include "core/console.h"
#include "servers/protocol.h"
#include "servers/query_engine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>

namespace gravelock {

namespace {

using servers::QueryEngine;
using servers::ServerDetails;
using servers::ServerInfo;

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QJsonObject toJson(const ServerInfo& info) {
    return QJsonObject{{QStringLiteral("address"), text(info.address)},
                       {QStringLiteral("name"), text(info.name)},
                       {QStringLiteral("map"), text(info.map)},
                       {QStringLiteral("game"), text(info.game)},
                       {QStringLiteral("description"), text(info.description)},
                       {QStringLiteral("players"), info.players},
                       {QStringLiteral("maxPlayers"), info.maxPlayers},
                       {QStringLiteral("bots"), info.bots},
                       {QStringLiteral("password"), info.password},
                       {QStringLiteral("vac"), info.vac},
                       {QStringLiteral("ping"), info.pingMs}};
}

void addDetails(QJsonObject& object, const ServerDetails& details, bool players, bool rules) {
    if (players) {
        QJsonArray list;
        for (const servers::PlayerInfo& player : details.players)
            list.append(QJsonObject{{QStringLiteral("name"), text(player.name)},
                                    {QStringLiteral("score"), player.score},
                                    {QStringLiteral("seconds"), double(player.seconds)}});
        object.insert(QStringLiteral("playerList"), list);
    }
    if (rules) {
        QJsonObject map;
        for (const auto& [name, value] : details.rules)
            map.insert(text(name), text(value));
        object.insert(QStringLiteral("rules"), map);
    }
}

int printJson(const QJsonDocument& document) {
    printToTerminal(document.toJson(QJsonDocument::Indented).toStdString(), false);
    return 0;
}

int fail(const QString& reason) {
    printToTerminal(QStringLiteral("gravelock: %1\n").arg(reason).toStdString(), true);
    return 1;
}

// The server as "a.b.c.d:port": a name is looked up here, so that the engine
// only ever sends to an address.
std::optional<std::string> resolve(const QString& server, QString& reason) {
    const qsizetype colon = server.lastIndexOf(QLatin1Char(':'));
    QString host = server;
    QString port = QString::number(servers::kDefaultPort);
    if (colon >= 0) {
        host = server.left(colon);
        port = server.mid(colon + 1);
    }
    bool portOk = false;
    const uint number = port.toUInt(&portOk);
    if (!portOk || number == 0 || number > 65535) {
        reason = QStringLiteral("„%1“ ist kein Port.").arg(port);
        return std::nullopt;
    }
    if (const auto endpoint = servers::parseEndpoint(host.toStdString()))
        return servers::formatEndpoint({endpoint->ip, static_cast<std::uint16_t>(number)});
    for (const QHostAddress& address : QHostInfo::fromName(host).addresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return servers::formatEndpoint(
                {address.toIPv4Address(), static_cast<std::uint16_t>(number)});
    reason = QStringLiteral("Der Server „%1“ ist nicht zu finden.").arg(host);
    return std::nullopt;
}

int query(const CommandLine& commandLine, QueryEngine& engine, QEventLoop& loop) {
    QString reason;
    const auto address = resolve(commandLine.server, reason);
    if (!address)
        return fail(reason);
    std::optional<ServerInfo> info;
    std::optional<ServerDetails> details;
    bool unreadable = false;
    QObject::connect(&engine, &QueryEngine::answered, &loop,
                     [&](const ServerInfo& answer) { info = answer; });
    QObject::connect(&engine, &QueryEngine::detailsAnswered, &loop,
                     [&](const QString&, const ServerDetails& answer) { details = answer; });
    QObject::connect(&engine, &QueryEngine::unreadableAnswer, &loop, [&] { unreadable = true; });
    QObject::connect(&engine, &QueryEngine::finished, &loop, [&] { loop.quit(); });
    engine.queryInfo({*address});
    loop.exec();
    const bool wantDetails = commandLine.players || commandLine.rules;
    if (info && wantDetails) {
        engine.queryDetails(*address, commandLine.players, commandLine.rules);
        loop.exec();
    }
    if (!info || (wantDetails && !details))
        return fail(
            unreadable
                ? QStringLiteral("Die Antwort des Servers %1 ist nicht lesbar.").arg(text(*address))
                : QStringLiteral("Der Server %1 antwortet nicht.").arg(text(*address)));
    QJsonObject object = toJson(*info);
    if (details)
        addDetails(object, *details, commandLine.players, commandLine.rules);
    return printJson(QJsonDocument(object));
}

int list(const CommandLine& commandLine, QueryEngine& engine, QEventLoop& loop) {
    // Sorted by address as numbers: 10.0.0.9 before 10.0.0.10.
    std::map<std::uint64_t, ServerInfo> found;
    QString failure;
    QObject::connect(&engine, &QueryEngine::answered, &loop, [&](const ServerInfo& info) {
        if (const auto endpoint = servers::parseEndpoint(info.address))
            found.emplace(endpoint->key(), info);
    });
    QObject::connect(&engine, &QueryEngine::failed, &loop,
                     [&](const QString& reason) { failure = reason; });
    QObject::connect(&engine, &QueryEngine::finished, &loop, [&] { loop.quit(); });
    if (commandLine.action == CommandLine::Action::Lan)
        engine.scanLan();
    else
        engine.listInternet(commandLine.game.toStdString());
    loop.exec();
    if (!failure.isEmpty())
        return fail(failure);
    QJsonArray array;
    for (const auto& [key, info] : found)
        array.append(toJson(info));
    return printJson(QJsonDocument(array));
}

} // namespace

int runServerCommand(const CommandLine& commandLine) {
    QueryEngine engine;
    if (commandLine.timeoutMs > 0) {
        if (commandLine.action == CommandLine::Action::Lan)
            engine.setLanWindow(commandLine.timeoutMs);
        else
            engine.setTimeout(commandLine.timeoutMs);
    }
    QEventLoop loop;
    return commandLine.action == CommandLine::Action::Query ? query(commandLine, engine, loop)
                                                            : list(commandLine, engine, loop);
}

} // namespace gravelock
