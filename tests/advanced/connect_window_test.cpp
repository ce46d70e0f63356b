#include "advanced/advanced_windows.h"
#include "advanced/connect_window.h"
#include "core/settings.h"
#include "fakes.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// A context whose game start is the real one.
struct RealStart {
    QTemporaryDir dir;
    FakeMessageBoxes messages;
    FakeFileDialogs files;
    SystemGameStarter starter;
    FakeVolumes volumes;
    int quits = 0;
    AppContext context{dir.filePath("orvo.ini").toStdString(), messages, files, starter, volumes,
                       [this] { ++quits; }};
};

} // namespace

class ConnectWindowTest : public QObject {
    Q_OBJECT

private slots:
    void launchJoinsTheTypedServerToTheUncutProgram() {
        // Longer than 99 characters: a cut path would name the wrong program.
        const std::string program(120, 'g');
        TestApp app;
        app.writeSettings("[GAMEDIR]\r\nprogram=" + program + "\r\n");
        registerAdvancedWindows(app.context.windows());
        app.context.windows().show("connect");
        auto* w = app.context.windows().find<ConnectWindow>("connect");
        w->ipadress->setText("10.0.0.1 x");
        w->port->setText("abc");
        w->close_->click(); // not read
        w->cmdLaunch->click();
        QCOMPARE(app.starter.starts.size(), size_t(1));
        QCOMPARE(app.starter.starts[0].commandText, program + " -console +connect 10.0.0.1 x:abc");
        QCOMPARE(app.starter.starts[0].windowStyle, 3);
        TestApp::settle();
        QVERIFY(w->isVisible());
        QCOMPARE(app.quitCount, 0);
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
};

QTEST_MAIN(ConnectWindowTest)
#include "connect_window_test.moc"
