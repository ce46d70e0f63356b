// Starts through Steam from the three windows that start the game, for real:
// stand-in steam, flatpak and wine programs record what they were handed and
// the WINEPREFIX they saw.
#include "advanced/connect_window.h"
#include "app/gravelock_app.h"
#include "environment.h"
#include "fakes.h"
#include "frame/file_list_box.h"
#include "launcher/sp_window.h"
#include "server/dm_window.h"
#include "temp_folder.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;
using namespace gravelock::test;

namespace {

void write(const QString& path, const std::string& bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeBytes(path.toStdString(), bytes);
    if (executable)
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A stand-in that hands its own name and WINEPREFIX to the stand-in game.
std::string standIn(const std::string& name) {
    return "#!/bin/sh\nexec \"$GRAVELOCK_TEST_GAME\" " + name +
           " \"WINEPREFIX=$WINEPREFIX\" \"$@\"\n";
}

} // namespace

class SteamStartTest : public QObject {
    Q_OBJECT

private slots:
    void eachWindowStartsTheCopyThroughItsSteam() {
#ifdef _WIN32
        QSKIP("the stand-ins are shell scripts");
#endif
        const QString steamLibrary = "home/.local/share/Steam/steamapps/common/Half-Life/";
        const QString flatpakLibrary = "home/.var/app/com.valvesoftware.Steam/.local/share/Steam/"
                                       "steamapps/common/Half-Life/";
        const QString prefixSteam = "pfx/drive_c/Program Files/Steam/";
        struct Case {
            const char* what;
            WindowId window;
            QString program;
            std::string steamSetting;
            QString record; // '$' for the test's folder
        };
        const std::vector<Case> cases = {
            {"main window, native Steam", WindowId::sp, steamLibrary + "hl.sh", "",
             "steam\nWINEPREFIX=$/elsewhere\n-applaunch\n70\n+deathmatch\n1\n+map\ncrossfire\n"},
            {"main window, Steam turned off", WindowId::sp, steamLibrary + "hl.sh", "steam=no\r\n",
             "hl.sh\n+deathmatch\n1\n+map\ncrossfire\n"},
            {"server maker, Flatpak Steam", WindowId::DM, flatpakLibrary + "hl.sh", "steam=yes\r\n",
             "flatpak\nWINEPREFIX=$/elsewhere\nrun\ncom.valvesoftware.Steam\n-applaunch\n70\n"
             "+deathmatch\n1\n+maxplayers\n32\n-console\n+map\ncrossfire\n"},
            {"connect tool, Windows Steam in its prefix", WindowId::connect,
             prefixSteam + "steamapps/common/Half-Life/hl.exe", "",
             "wine\nWINEPREFIX=$/pfx\n$/" + prefixSteam +
                 "steam.exe\n-applaunch\n70\n-console\n+connect\n10.0.0.1:27015\n"},
        };
        for (const Case& c : cases) {
            TestApp app;
            const QString home = app.path("home");
            const ScopedEnvironmentVariable homeVariable("HOME", home.toStdString());
            const ScopedEnvironmentVariable path("PATH", app.path("bin").toStdString());
            const ScopedEnvironmentVariable prefix("WINEPREFIX",
                                                   app.path("elsewhere").toStdString());
            const ScopedEnvironmentVariable wine("GRAVELOCK_WINE", std::nullopt);
            const QString record = app.path("record.txt");
            const ScopedEnvironmentVariable recordVariable("GRAVELOCK_TEST_RECORD",
                                                           record.toStdString());
            for (const char* name : {"steam", "flatpak", "wine"})
                write(app.path("bin/") + name, standIn(name), true);
            write(app.path(steamLibrary + "hl.sh"),
                  "#!/bin/sh\nexec \"$GRAVELOCK_TEST_GAME\" hl.sh \"$@\"\n", true);
            write(app.path(flatpakLibrary + "hl.sh"), "", true);
            write(app.path(prefixSteam + "steam.exe"), "MZ");
            write(app.path(prefixSteam + "steamapps/common/Half-Life/hl.exe"), "MZ");
            write(app.path("pfx/system.reg"), "");
            app.touch({"valve/maps/crossfire.bsp"});
            app.writeSettings("[MISC]\r\nfirstuse=no\r\ntfc=false\r\n[GAMEDIR]\r\nprogram=" +
                              app.path(c.program).toStdString() +
                              "\r\nmaps=" + app.path("valve/maps").toStdString() + "\r\nvalve=" +
                              app.path("valve/").toStdString() + "\r\n" + c.steamSetting);
            registerWindows(app.context.windows());
            QWidget* window = app.context.windows().show(c.window);
            QVERIFY2(window, c.what);
            if (auto* sp = qobject_cast<SpWindow*>(window)) {
                sp->txtSelMap->setText("crossfire.bsp");
                sp->launch->click();
            } else if (auto* dm = qobject_cast<DMWindow*>(window)) {
                QVERIFY(dm->maps->selectFileName("crossfire.bsp"));
                dm->cmdMapSel->click();
                dm->Command1->click();
            } else if (auto* connect = qobject_cast<ConnectWindow*>(window)) {
                connect->ipadress->setText("10.0.0.1");
                connect->cmdLaunch->click();
            }
            QVERIFY2(app.starter.starts.size() == 1, c.what);
            const StartResult result = StartGame(app.starter.starts[0]);
            QVERIFY2(result.ok, result.reason.c_str());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
            QString expected = c.record;
            expected.replace("$", app.folder());
            QCOMPARE(QString::fromStdString(readBytes(record.toStdString())), expected);
        }
    }
};

QTEST_MAIN(SteamStartTest)
#include "steam_start_test.moc"
