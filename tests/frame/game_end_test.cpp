// A game that ends right after its start reaches the player through the
// context, from the watcher's own thread, as one message.
#include "fakes.h"
#include "temp_folder.h"

#include <QtTest>

#include <memory>
#include <thread>

using namespace gravelock;
using namespace gravelock::test;

class GameEndTest : public QObject {
    Q_OBJECT

private slots:
    void earlyFailureIsShownWithWhatTheGamePrinted() {
        QTemporaryDir dir;
        const QString log = dir.filePath("state/last-start.log");
        FakeMessageBoxes messages;
        FakeFileDialogs files;
        FakeVolumes volumes;
        SystemGameStarter starter(log.toStdString());
        AppContext context(Settings(dir.filePath("orvo.ini").toStdString()), messages, files,
                           starter, volumes, [] {});
        const QString game = dir.filePath("game.sh");
        writeBytes(game.toStdString(), "#!/bin/sh\necho 'wine32 is missing' >&2\nexit 1\n");
        QFile::setPermissions(game, QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(context.startGame(nullptr, game, WindowStyle::MaximisedWithFocus));
        QTRY_COMPARE(messages.shown.size(), size_t(1));
        const Message& m = messages.shown[0];
        QVERIFY(m.title == "Spiel beendet" && m.icon == MsgIcon::Critical);
        QVERIFY2(m.text.contains("Exit-Status 1") && m.text.contains("wine32 is missing") &&
                     m.text.contains(log),
                 qPrintable(m.text));
    }

    void aReportAfterTheContextIsGoneIsDropped() {
        auto app = std::make_unique<TestApp>();
        app->context.startGame(nullptr, "game", WindowStyle::MaximisedWithFocus);
        const GameFailedEarly report = app->starter.watchers.at(0);
        app.reset();
        GameEnd end;
        end.number = 1;
        std::thread([&] { report(end); }).join();
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(GameEndTest)
#include "game_end_test.moc"
