// The query engine against fake servers on 127.0.0.1: every answer form, the
// challenge, split rules, silence, garbage, strangers, the LAN, the master's
// pages and the Web API. Nothing here sends beyond the loopback address.
#include "servers/api_key.h"
#include "servers/query_engine.h"

#include "fake_game_servers.h"
#include "temp_folder.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <optional>

using namespace gravelock;
using namespace gravelock::servers;
using namespace gravelock::test;

Q_DECLARE_METATYPE(gravelock::test::FakeServerBehaviour)

namespace {

FakeServerBehaviour behaving(const std::function<void(FakeServerBehaviour&)>& change = {}) {
    FakeServerBehaviour b;
    b.info = {"", "Die Festung", "2fort", "tfc", "Team Fortress Classic", 3, 16, 1, false, true};
    b.details.players = {{"Spieler Eins", 12, 60.5f}, {"Zwei", -1, 3.0f}};
    for (int i = 0; i < 120; ++i)
        b.details.rules.emplace_back("rule_" + std::to_string(i), "Wert " + std::to_string(i));
    if (change)
        change(b);
    return b;
}

std::string local(quint16 port) {
    return "127.0.0.1:" + std::to_string(port);
}

// Records every signal of one engine.
struct Recorder {
    explicit Recorder(QueryEngine& engine) {
        QObject::connect(&engine, &QueryEngine::answered, &engine,
                         [this](const ServerInfo& info) { answered.push_back(info); });
        QObject::connect(&engine, &QueryEngine::noAnswer, &engine,
                         [this](const QString& address) { silent.push_back(address); });
        QObject::connect(&engine, &QueryEngine::unreadableAnswer, &engine,
                         [this](const QString& address) { unreadable.push_back(address); });
        QObject::connect(&engine, &QueryEngine::detailsAnswered, &engine,
                         [this](const QString&, const ServerDetails& d) { details.push_back(d); });
        QObject::connect(&engine, &QueryEngine::listed, &engine,
                         [this](int total) { listed.push_back(total); });
        QObject::connect(&engine, &QueryEngine::failed, &engine,
                         [this](const QString& reason) { failures.push_back(reason); });
        QObject::connect(&engine, &QueryEngine::finished, &engine, [this] { ++finished; });
    }
    bool waitFinished(int ms = 5000) {
        QElapsedTimer clock;
        clock.start();
        while (finished == 0 && clock.elapsed() < ms)
            QTest::qWait(5);
        return finished > 0;
    }
    std::vector<ServerInfo> answered;
    QStringList silent, unreadable, failures;
    std::vector<ServerDetails> details;
    std::vector<int> listed;
    int finished = 0;
};

// A Web API on 127.0.0.1 that answers every GET with `status` and `body`, and
// keeps the request line.
class FakeWebApi : public QTcpServer {
public:
    FakeWebApi(int status, QByteArray body) : status_(status), body_(std::move(body)) {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* client = nextPendingConnection();
            connect(client, &QTcpSocket::readyRead, client, [this, client] {
                received += client->readAll();
                if (!received.contains("\r\n\r\n"))
                    return;
                client->write("HTTP/1.1 " + QByteArray::number(status_) +
                              " X\r\nContent-Type: application/json\r\nConnection: close\r\n"
                              "Content-Length: " +
                              QByteArray::number(body_.size()) + "\r\n\r\n" + body_);
                client->disconnectFromHost();
            });
        });
    }
    QByteArray received;

private:
    int status_;
    QByteArray body_;
};

} // namespace

class QueryEngineTest : public QObject {
    Q_OBJECT

    // Fresh for each case; the fakes go last, after the engine asking them.
    std::optional<FakeGameServers> fakes;
    std::optional<QueryEngine> engine;
    std::optional<Recorder> r;

private slots:
    void init() {
        // Whatever a case sets or forgets, nothing leaves this machine.
        qputenv("GRAVELOCK_MASTER", "127.0.0.1:9");
        qputenv("GRAVELOCK_STEAM_API", "http://127.0.0.1:9");
        qputenv("GRAVELOCK_LAN_TARGETS", "127.0.0.1");
        qunsetenv("GRAVELOCK_STEAM_KEY");
        fakes.emplace();
        engine.emplace();
        r.emplace(*engine);
    }

    void cleanup() {
        r.reset();
        engine.reset();
        fakes.reset();
    }

    void infoAnswers_data() {
        using Form = FakeServerBehaviour::InfoForm;
        QTest::addColumn<FakeServerBehaviour>("behaviour");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<int>("requests"); // what the server received
        const auto row = [](const char* name, bool answers, int requests,
                            const std::function<void(FakeServerBehaviour&)>& change = {}) {
            QTest::newRow(name) << behaving(change) << answers << requests;
        };
        row("current", true, 1);
        row("old", true, 1, [](auto& b) { b.form = Form::Old; });
        row("both, the first taken", true, 1, [](auto& b) { b.form = Form::Both; });
        row("challenge", true, 2, [](auto& b) { b.infoChallenge = true; });
        row("endless challenge, two rounds", false, 3, [](auto& b) { b.challengeLoop = true; });
        row("silent, two retries", false, 3, [](auto& b) { b.silent = true; });
        row("garbage", false, 3, [](auto& b) { b.garbage = true; });
        row("answer from another port", false, 3, [](auto& b) { b.fromOtherPort = true; });
    }

    void infoAnswers() {
        QFETCH(FakeServerBehaviour, behaviour);
        QFETCH(bool, answers);
        QFETCH(int, requests);
        const quint16 port = fakes->addServer(behaviour);
        engine->setTimeout(100);
        engine->queryInfo({local(port)});
        QVERIFY(r->waitFinished());
        QTest::qWait(50); // a second answer would come now
        QCOMPARE(r->finished, 1);
        QCOMPARE(fakes->requests(port), requests);
        if (answers) {
            QCOMPARE(r->answered.size(), std::size_t(1));
            const ServerInfo& got = r->answered[0];
            QCOMPARE(got.address, local(port));
            const auto fields = [](const ServerInfo& i) {
                return std::tie(i.name, i.map, i.game, i.description, i.players, i.maxPlayers,
                                i.bots, i.password, i.vac);
            };
            QVERIFY(fields(got) == fields(behaviour.info));
            QVERIFY(got.pingMs >= 0 && got.pingMs < 100);
            QVERIFY(r->silent.isEmpty());
        } else {
            QVERIFY(r->answered.empty());
            QCOMPARE(r->silent, QStringList{QString::fromStdString(local(port))});
            QCOMPARE(r->unreadable.size(), behaviour.garbage ? 1 : 0);
        }
    }

    void detailsWithAndWithoutChallengeAndSplit_data() {
        QTest::addColumn<FakeServerBehaviour>("behaviour");
        QTest::newRow("challenged") << behaving();
        QTest::newRow("no challenge") << behaving([](auto& b) { b.detailsChallenge = false; });
        QTest::newRow("split rules") << behaving([](auto& b) { b.splitRules = true; });
    }

    void detailsWithAndWithoutChallengeAndSplit() {
        QFETCH(FakeServerBehaviour, behaviour);
        const quint16 port = fakes->addServer(behaviour);
        engine->setTimeout(200);
        engine->queryDetails(local(port), true, true);
        QVERIFY(r->waitFinished());
        QCOMPARE(r->details.size(), std::size_t(1));
        QCOMPARE(r->details[0].players.size(), std::size_t(2));
        QCOMPARE(r->details[0].players[0].name, "Spieler Eins");
        QCOMPARE(r->details[0].players[0].score, 12);
        QCOMPARE(r->details[0].rules, behaviour.details.rules);
        QCOMPARE(fakes->requests(port), behaviour.detailsChallenge ? 4 : 2);
    }

    // More servers than may be in flight, each asked once and answered once.
    void manyServersEachOnce() {
        std::vector<std::string> addresses;
        std::vector<quint16> ports;
        addresses.reserve(151);
        ports.reserve(150);
        for (int i = 0; i < 150; ++i) {
            ports.push_back(fakes->addServer(behaving([i](auto& b) {
                b.info.name = "Server " + std::to_string(i);
                b.maxDelayMs = 20;
            })));
            addresses.push_back(local(ports.back()));
        }
        addresses.push_back("not an address");
        engine->queryInfo(addresses);
        QVERIFY(r->waitFinished());
        QCOMPARE(r->answered.size(), std::size_t(150));
        QCOMPARE(r->silent, QStringList{QStringLiteral("not an address")});
        for (const quint16 port : ports)
            QCOMPARE(fakes->requests(port), 1);
    }

    void lanFindsServersOnTheProbedPortsOnly() {
        quint16 lanPort = 0;
        for (const quint16 port : {26905, 26904, 26903, 27020, 27019})
            if ((lanPort = fakes->addServer(behaving(), port)) != 0)
                break;
        if (lanPort == 0)
            QSKIP("every probed port is taken on this machine");
        fakes->addServer(behaving()); // elsewhere: never probed
        engine->setLanWindow(300);
        engine->scanLan();
        QVERIFY(r->waitFinished());
        QCOMPARE(r->answered.size(), std::size_t(1));
        QCOMPARE(r->answered[0].address, local(lanPort));
    }

    void masterPagesAreFollowedAndEveryServerAsked() {
        std::vector<Endpoint> list;
        list.reserve(7);
        for (int i = 0; i < 4; ++i)
            list.push_back(*parseEndpoint(local(fakes->addServer(behaving()))));
        const quint16 silentPort = fakes->addServer(behaving([](auto& b) { b.silent = true; }));
        list.push_back(*parseEndpoint(local(silentPort)));
        list.push_back(*parseEndpoint("169.254.1.1:27015")); // never asked
        list.push_back(list[0]);                             // listed twice, asked once
        const quint16 master = fakes->addMaster(list, 4);
        qputenv("GRAVELOCK_MASTER", QByteArray::fromStdString(local(master)));
        engine->setTimeout(100);
        engine->listInternet("tfc");
        QVERIFY(r->waitFinished(8000));
        QCOMPARE(fakes->masterRequests(), 2);
        QCOMPARE(r->listed, std::vector<int>{5});
        QCOMPARE(r->answered.size(), std::size_t(4));
        QCOMPARE(r->silent, QStringList{QString::fromStdString(local(silentPort))});
        QCOMPARE(fakes->requests(list[0].port), 1);
    }

    void silentMasterFails() {
        const quint16 master = fakes->addServer(behaving([](auto& b) { b.silent = true; }));
        // A name is looked up first (here in the hosts file).
        qputenv("GRAVELOCK_MASTER", "localhost:" + QByteArray::number(master));
        engine->setTimeout(100);
        engine->listInternet("");
        QVERIFY(r->waitFinished());
        QCOMPARE(r->failures.size(), 1);
        QVERIFY(
            r->failures[0].contains(QString::fromStdString(local(master)) + " antwortet nicht"));
        QCOMPARE(fakes->requests(master), 3);
    }

    void webApiListWithThePlayersKey() {
        const quint16 port = fakes->addServer(behaving());
        FakeWebApi api(200, R"({"response":{"servers":[{"addr":")" +
                                QByteArray::fromStdString(local(port)) +
                                R"(","gamedir":"tfc"},{"addr":"169.254.0.9:27015"},{"addr":7}]}})");
        TempFolder keyFolder;
        engine->setKeyFolder(keyFolder.path().string());
        QVERIFY(writeApiKey(keyFolder.path().string(), "00112233445566778899aabbccddeeff"));
        qputenv("GRAVELOCK_STEAM_API", "http://127.0.0.1:" + QByteArray::number(api.serverPort()));
        engine->listInternet("tfc");
        QVERIFY(r->waitFinished());
        QCOMPARE(r->listed, std::vector<int>{1});
        QCOMPARE(r->answered.size(), std::size_t(1));
        QVERIFY(api.received.startsWith(
            "GET /IGameServersService/GetServerList/v1/?key=00112233445566778899aabbccddeeff"));
        QVERIFY(api.received.contains("gamedir%5Ctfc") || api.received.contains("gamedir\\tfc"));

        // A refused key is reported without the key.
        FakeWebApi refusing(403, "{}");
        qputenv("GRAVELOCK_STEAM_API",
                "http://127.0.0.1:" + QByteArray::number(refusing.serverPort()));
        Recorder refused(*engine);
        engine->listInternet("");
        QVERIFY(refused.waitFinished());
        QCOMPARE(refused.failures.size(), 1);
        QVERIFY(refused.failures[0].contains(QStringLiteral("403")));
        QVERIFY(!refused.failures[0].contains(QStringLiteral("0011")));
    }

    void cancelSilencesEverything() {
        const quint16 port =
            fakes->addServer(behaving([](auto& b) { b.minDelayMs = b.maxDelayMs = 50; }));
        engine->queryInfo({local(port)});
        QTest::qWait(10);
        engine->cancel();
        QTest::qWait(150);
        QVERIFY(r->answered.empty() && r->silent.isEmpty());
        QCOMPARE(r->finished, 0);
    }
};

QTEST_GUILESS_MAIN(QueryEngineTest)
#include "query_engine_test.moc"
