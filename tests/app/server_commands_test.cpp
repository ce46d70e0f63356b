// --query, --lan and --servers of the real program against fake servers on
// 127.0.0.1: the JSON it prints, its exit status and its German reasons.
#include "app/command_line.h"

#include "fake_game_servers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;
using Action = CommandLine::Action;

Q_DECLARE_METATYPE(gravelock::test::FakeServerBehaviour)

namespace {

FakeServerBehaviour behaving(const std::string& name) {
    FakeServerBehaviour b;
    b.info = {"", name, "crossfire", "valve", "Half-Life", 5, 12, 0, true, false};
    b.details.players = {{"Gordon", 31, 912.25f}};
    b.details.rules = {{"mp_fraglimit", "50"}, {"sv_gravity", "800"}};
    return b;
}

struct Run {
    int status = -1;
    QByteArray out, err;
};

// The program with every hook on 127.0.0.1; the fakes answer meanwhile, so
// the wait keeps the event loop running.
Run run(const QStringList& arguments, const QString& master = QStringLiteral("127.0.0.1:9")) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GRAVELOCK_MASTER"), master);
    environment.insert(QStringLiteral("GRAVELOCK_STEAM_API"), QStringLiteral("http://127.0.0.1:9"));
    environment.insert(QStringLiteral("GRAVELOCK_LAN_TARGETS"), QStringLiteral("127.0.0.1"));
    environment.remove(QStringLiteral("GRAVELOCK_STEAM_KEY"));
    // No window system at all: the answer must come without one.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // The player's key file must not be read: a folder without one.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir::tempPath() + "/gravelock-no-key");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(GRAVELOCK_EXECUTABLE), arguments);
    Run result;
    if (!program.waitForStarted())
        return result;
    QElapsedTimer clock;
    clock.start();
    while (program.state() != QProcess::NotRunning && clock.elapsed() < 10000)
        QTest::qWait(5);
    result.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    result.out = program.readAllStandardOutput();
    result.err = program.readAllStandardError();
    return result;
}

// What --query prints for behaving("Lambda \"Zwei\""), besides its address and
// ping; ' stands for ".
const char* const kQueryAnswer =
    "{'name': 'Lambda \\'Zwei\\'', 'map': 'crossfire', 'game': 'valve', 'description': "
    "'Half-Life', 'players': 5, 'maxPlayers': 12, 'bots': 0, 'password': true, 'vac': false, "
    "'rules': {'mp_fraglimit': '50', 'sv_gravity': '800'}, "
    "'playerList': [{'name': 'Gordon', 'score': 31, 'seconds': 912.25}]}";

// Ended with `status`, nothing on standard output and `reason` on standard error.
bool endedWith(const Run& r, int status, const QString& reason) {
    return r.status == status && r.out.isEmpty() && QString::fromUtf8(r.err).contains(reason);
}

QString local(quint16 port) {
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

} // namespace

class ServerCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void parse() {
        const struct {
            QStringList arguments;
            Action action;
            QString errorMentions;
        } cases[] = {
            // clang-format off
            {{"--query", "10.0.0.1"}, Action::Query, ""},
            {{"--query", "10.0.0.1:27016", "--players", "--rules", "--timeout", "500"}, Action::Query, ""},
            {{"--lan", "--timeout", "2000"}, Action::Lan, ""},
            {{"--servers", "--game", "tfc"}, Action::Servers, ""},
            {{"--query"}, Action::Error, "query"},
            {{"--query", " "}, Action::Error, "braucht eine Serveradresse"},
            {{"--lan", "--servers"}, Action::Error, "Nur eine"},
            {{"--players"}, Action::Error, "--players gehört zu"},
            {{"--lan", "--rules"}, Action::Error, "gehören zu --query"},
            {{"--query", "x", "--game", "tfc"}, Action::Error, "--game gehört zu --servers"},
            {{"--servers", "--game", "cstrike"}, Action::Error, "nur valve und tfc"},
            {{"--lan", "--timeout", "0"}, Action::Error, "1 bis 60000"},
            {{"--lan", "--timeout", "abc"}, Action::Error, "1 bis 60000"},
            {{"--timeout", "100"}, Action::Error, "--timeout gehört zu"},
            // clang-format on
        };
        for (const auto& c : cases) {
            const CommandLine parsed = parseCommandLine(QStringList{"gravelock"} + c.arguments);
            const QByteArray what = c.arguments.join(' ').toUtf8();
            QVERIFY2(parsed.action == c.action, what.constData());
            QVERIFY2(parsed.error.contains(c.errorMentions), qPrintable(parsed.error));
        }
        const CommandLine full = parseCommandLine(
            {"gravelock", "--query", "10.0.0.1:27016", "--rules", "--timeout", "500"});
        QCOMPARE(full.server, QStringLiteral("10.0.0.1:27016"));
        QVERIFY(full.rules && !full.players);
        QCOMPARE(full.timeoutMs, 500);
    }

    void queryPrintsOneObject() {
        FakeGameServers fakes;
        FakeServerBehaviour b = behaving("Lambda \"Zwei\"");
        b.infoChallenge = true;
        b.splitRules = true;
        const quint16 port = fakes.addServer(b);
        const Run r = run({"--query", local(port), "--players", "--rules"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.isEmpty(), r.err.constData());
        QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(o.take("address").toString(), local(port));
        QVERIFY(o.take("ping").toInt(-1) >= 0);
        QCOMPARE(o, QJsonDocument::fromJson(QByteArray(kQueryAnswer).replace('\'', '"')).object());
    }

    void failuresPrintAReasonOnly_data() {
        QTest::addColumn<FakeServerBehaviour>("behaviour");
        QTest::addColumn<QString>("reason");
        FakeServerBehaviour silent = behaving("still");
        silent.silent = true;
        FakeServerBehaviour garbage = behaving("kaputt");
        garbage.garbage = true;
        QTest::newRow("silent") << silent << "antwortet nicht";
        QTest::newRow("garbage") << garbage << "nicht lesbar";
    }

    void failuresPrintAReasonOnly() {
        QFETCH(FakeServerBehaviour, behaviour);
        QFETCH(QString, reason);
        FakeGameServers fakes;
        const quint16 port = fakes.addServer(behaviour);
        const Run r = run({"--query", local(port), "--timeout", "100"});
        QVERIFY2(endedWith(r, 1, reason), r.err.constData());
    }

    void lanAndServersPrintSortedArrays() {
        FakeGameServers fakes;
        quint16 lanPort = 0;
        for (const quint16 port : {26902, 26901, 26900, 27018})
            if ((lanPort = fakes.addServer(behaving("Im Netz"), port)) != 0)
                break;
        QVERIFY(lanPort != 0);
        const Run lan = run({"--lan", "--timeout", "300"});
        QCOMPARE(lan.status, 0);
        const QJsonArray found = QJsonDocument::fromJson(lan.out).array();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.at(0).toObject().value("address").toString(), local(lanPort));

        std::vector<servers::Endpoint> list;
        for (const char* name : {"B", "A", "C"})
            list.push_back({0x7F000001, fakes.addServer(behaving(name))});
        const quint16 master = fakes.addMaster(list, 10);
        const Run internet = run({"--servers", "--game", "valve"}, local(master));
        QCOMPARE(internet.status, 0);
        const QJsonArray servers = QJsonDocument::fromJson(internet.out).array();
        QCOMPARE(servers.size(), 3);
        for (int i = 1; i < servers.size(); ++i)
            QVERIFY(
                servers.at(i - 1).toObject().value("address").toString().section(':', 1).toInt() <
                servers.at(i).toObject().value("address").toString().section(':', 1).toInt());

        const Run noMaster = run({"--servers", "--timeout", "50"});
        QVERIFY2(endedWith(noMaster, 1, "Masterserver"), noMaster.err.constData());
        // A wrong command line ends with status 2.
        const Run wrong = run({"--servers", "--game", "cstrike"});
        QVERIFY2(endedWith(wrong, 2, "valve und tfc"), wrong.err.constData());
    }
};

QTEST_GUILESS_MAIN(ServerCommandsTest)
#include "server_commands_test.moc"
