#include "advanced/connect_window.h"
#include "core/start_game.h"
#include "environment.h"
#include "fakes.h"
#include "temp_folder.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;
using namespace gravelock::test;

class ConnectWindowTest : public QObject {
    Q_OBJECT

private slots:
    void launchJoinsTheTypedServerToTheUncutProgram() {
        // Longer than 99 characters: a cut path would name the wrong program.
        const std::string program(120, 'g');
        TestApp app;
        app.writeSettings("[GAMEDIR]\r\nprogram=" + program + "\r\n");
        registerWindows(app.context.windows(), {}, {WindowId::frmAdvanced, WindowId::connect});
        app.context.windows().show(WindowId::connect);
        auto* w = app.context.windows().find<ConnectWindow>(WindowId::connect);
        w->ipadress->setText("10.0.0.1 x");
        w->port->setText("abc");
        w->close_->click(); // not read
        w->cmdLaunch->click();
        QCOMPARE(app.starter.starts.size(), size_t(1));
        QCOMPARE(app.starter.starts[0].commandText, program + " -console +connect 10.0.0.1 x:abc");
        QCOMPARE(app.starter.starts[0].windowStyle, WindowStyle::MaximisedWithFocus);
        TestApp::settle();
        QVERIFY(w->isVisible());
        QCOMPARE(app.quitCount, 0);
    }

    // Whatever is typed reaches the game as literal words: no shell sees it.
    void hostileTextReachesOnlyTheGame() {
        const QByteArray game = qgetenv("GRAVELOCK_TEST_GAME");
        if (game.isEmpty())
            QSKIP("GRAVELOCK_TEST_GAME is not set");
        TestApp app;
        app.writeSettings("[GAMEDIR]\r\nprogram=" + game.toStdString() + "\r\n");
        const QString record = app.path("record.txt");
        const QString marker = app.path("pwned");
        qputenv("GRAVELOCK_TEST_RECORD", QFile::encodeName(record));
        registerWindows(app.context.windows(), {}, {WindowId::frmAdvanced, WindowId::connect});
        auto* w = qobject_cast<ConnectWindow*>(app.context.windows().show(WindowId::connect));
        w->ipadress->setText("$(touch " + marker + ");*");
        w->port->setText("`touch " + marker + "`|&");
        w->cmdLaunch->click();
        // The request the window made, started for real.
        QVERIFY(StartGame(app.starter.starts.at(0)).ok);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QStringList args;
        for (const std::string& argument : recordedArguments(readBytes(record.toStdString())))
            args << QString::fromStdString(argument);
        QCOMPARE(args, QStringList({"-console", "+connect", "$(touch", marker + ");*:`touch",
                                    marker + "`|&"}));
        QVERIFY(!QFile::exists(marker));
    }
};

QTEST_MAIN(ConnectWindowTest)
#include "connect_window_test.moc"
