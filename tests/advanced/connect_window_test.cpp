#include "advanced/advanced_windows.h"
#include "advanced/connect_window.h"
#include "core/settings.h"
#include "core/ui/widgets.h"
#include "fakes.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

QWidget* standIn(const QString& name) {
    auto* w = new QWidget;
    w->setObjectName(name);
    return w;
}

struct Fixture {
    Fixture() {
        app.writeSettings("[GAMEDIR]\r\nprogram=G\r\n");
        registerAdvancedWindows(app.context.windows());
        app.context.windows().add("sp", [](AppContext&) { return standIn("sp"); });
        app.context.windows().show("connect");
    }
    ConnectWindow* w() { return app.context.windows().find<ConnectWindow>("connect"); }

    TestApp app;
};

// A context whose game start is the real one, with the recording stand-in game
// as the program.
struct RealStart {
    QTemporaryDir dir;
    FakeMessageBoxes messages;
    FakeFileDialogs files;
    SystemGameStarter starter;
    int quits = 0;
    AppContext context{dir.filePath("orvo.ini").toStdString(), messages, files, starter,
                       [this] { ++quits; }};
};

} // namespace

class ConnectWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designState() {
        Fixture f;
        ConnectWindow* w = f.w();
        QCOMPARE(w->windowTitle(), QStringLiteral("Half-Life Connection Tool"));
        QCOMPARE(w->Frame1->title(), QStringLiteral("Server Informations : "));
        QCOMPARE(w->Label1->text(), QStringLiteral("IP adress : "));
        QCOMPARE(w->sv_port->text(), QStringLiteral("Port : "));
        QCOMPARE(w->ipadress->text(), QString());
        QCOMPARE(w->port->text(), QStringLiteral("27015"));
        QCOMPARE(w->cmdLaunch->text(), QStringLiteral("&Starten"));
        QCOMPARE(w->close_->objectName(), QStringLiteral("close"));
        QCOMPARE(w->close_->text(), QStringLiteral("Schließen"));
        QVERIFY(!w->close_->isChecked());
        QCOMPARE(w->mnuFile->title(), QStringLiteral("&Datei"));
        QCOMPARE(w->mnuFileitmORVO->text(), QStringLiteral("&Gravelock ..."));
        QVERIFY2(clippedCaptions(w).isEmpty(), qPrintable(clippedCaptions(w).join(", ")));
    }

    void launchJoinsTheTypedServer_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("command");
        QTest::newRow("untouched") << QString() << "27015"
                                   << "G -console +connect :27015";
        QTest::newRow("address with a blank") << "10.0.0.1 x"
                                              << "27015"
                                              << "G -console +connect 10.0.0.1 x:27015";
        QTest::newRow("port of letters") << "10.0.0.1"
                                         << "abc"
                                         << "G -console +connect 10.0.0.1:abc";
    }
    void launchJoinsTheTypedServer() {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, command);
        Fixture f;
        ConnectWindow* w = f.w();
        w->ipadress->setText(address);
        w->port->setText(port);
        w->close_->click(); // not read
        w->cmdLaunch->click();
        w->cmdLaunch->click();
        QCOMPARE(f.app.starter.starts.size(), size_t(2));
        for (const auto& start : f.app.starter.starts) {
            QCOMPARE(QString::fromStdString(start.commandText), command);
            QCOMPARE(start.windowStyle, 3);
        }
        TestApp::settle();
        QVERIFY(w->isVisible());
        QCOMPARE(f.app.quitCount, 0);
    }

    void menuReturnsToTheMainWindow() {
        Fixture f;
        f.w()->mnuFileitmORVO->trigger();
        TestApp::settle();
        QVERIFY(f.app.context.windows().find("sp")->isVisible());
        QVERIFY(!f.app.context.windows().isLoaded("connect"));
        QCOMPARE(f.app.quitCount, 0);
    }

    // Whatever is typed reaches the game as literal words: no shell sees it.
    void hostileTextReachesOnlyTheGame() {
        const QByteArray game = qgetenv("GRAVELOCK_TEST_GAME");
        if (game.isEmpty())
            QSKIP("GRAVELOCK_TEST_GAME is not set");
        RealStart r;
        QVERIFY(WritePPS("GAMEDIR", "program", game.toStdString(), r.context.settingsFile()));
        const QString record = r.dir.filePath("record.txt");
        const QString marker = r.dir.filePath("pwned");
        qputenv("GRAVELOCK_TEST_RECORD", QFile::encodeName(record));
        registerAdvancedWindows(r.context.windows());
        r.context.windows().show("connect");
        auto* w = r.context.windows().find<ConnectWindow>("connect");
        QVERIFY(w);

        w->ipadress->setText("$(touch " + marker + ");*");
        w->port->setText("`touch " + marker + "`|&");
        w->cmdLaunch->click();
        QVERIFY(r.messages.shown.empty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList args = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(args, QStringList({"-console", "+connect", "$(touch", marker + ");*:`touch",
                                    marker + "`|&"}));
        QVERIFY(!QFile::exists(marker));
        r.context.windows().destroyAll();
    }

    void failedStartIsShownOnce() {
        RealStart r; // no program key: the text begins with "error"
        registerAdvancedWindows(r.context.windows());
        r.context.windows().show("connect");
        r.context.windows().find<ConnectWindow>("connect")->cmdLaunch->click();
        QCOMPARE(r.messages.shown.size(), size_t(1));
        QCOMPARE(r.messages.shown[0].icon, MsgIcon::Critical);
        QVERIFY(r.messages.shown[0].text.contains("error"));
        r.context.windows().destroyAll();
    }
};

QTEST_MAIN(ConnectWindowTest)
#include "connect_window_test.moc"
