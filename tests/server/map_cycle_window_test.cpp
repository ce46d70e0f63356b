#include "fakes.h"
#include "frame/file_list_box.h"
#include "server/map_cycle_window.h"
#include "temp_folder.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// Half-Life and Team Fortress installs, each game folder with its own map cycle.
struct Fixture {
    Fixture() {
        app.touch({"hl/valve/maps/crossfire.bsp", "hl/valve/maps/bounce.bsp",
                   "hl/tfc/maps/2fort.bsp", "hl/tfc/maps/well.bsp"});
        writeBytes(cycle("valve"), "stalkyard\r\ncrossfire\r\n");
        app.writeSettings("[GAMEDIR]\r\nmaps=" + app.path("hl/valve/maps").toStdString() +
                          "\r\nvalve=" + app.path("hl/valve/").toStdString() +
                          "\r\ntfcmaps=" + app.path("hl/tfc/maps").toStdString() + "\r\n");
    }
    std::string cycle(const char* game) const {
        return app.path(QStringLiteral("hl/%1/mapcycle.txt").arg(game)).toStdString();
    }
    const Message& lastMessage() const { return app.messages.shown.back(); }

    TestApp app;
};

} // namespace

class MapCycleWindowTest : public QObject {
    Q_OBJECT

private slots:
    void optionsShowEachGamesMapsAndCycle() {
        Fixture f;
        MapCycleWindow w(f.app.context);
        QCOMPARE(w.avaible->fileNames(), QStringList({"bounce.bsp", "crossfire.bsp"}));
        QCOMPARE(w.sel->fileNames(), QStringList({"stalkyard.bsp", "crossfire.bsp"}));
        w.optTFC->click();
        QCOMPARE(w.avaible->fileNames(), QStringList({"2fort.bsp", "well.bsp"}));
        QCOMPARE(w.sel->fileNames(), QStringList()); // no cycle there yet
        w.optClass->click();
        QCOMPARE(w.sel->fileNames().size(), 2);
        QVERIFY(f.app.messages.shown.empty());
    }

    void addRemoveSaveAndReadBack() {
        Fixture f;
        {
            MapCycleWindow w(f.app.context);
            w.add->click(); // nothing selected: nothing added
            QVERIFY(w.avaible->selectFileName("bounce.bsp"));
            w.add->click();
            w.add->click(); // no duplicates
            QVERIFY(w.avaible->selectFileName("crossfire.bsp"));
            w.add->click(); // already in the cycle
            QVERIFY(w.sel->selectFileName("stalkyard.bsp"));
            w.del->click();
            QCOMPARE(w.sel->fileNames(), QStringList({"crossfire.bsp", "bounce.bsp"}));
            w.save->click();
            QCOMPARE(f.lastMessage().text, QStringLiteral("Kartenrotation gespeichert"));
            QCOMPARE(readBytes(f.cycle("valve")), "crossfire\r\nbounce\r\n");

            // Team Fortress's cycle lies above its maps folder; the menu item saves too.
            w.optTFC->click();
            QVERIFY(w.avaible->selectFileName("well.bsp"));
            w.add->click();
            w.itmsave->trigger();
            QCOMPARE(readBytes(f.cycle("tfc")), "well\r\n");
        }
        MapCycleWindow reopened(f.app.context);
        QCOMPARE(reopened.sel->fileNames(), QStringList({"crossfire.bsp", "bounce.bsp"}));
    }

    void emptyCycleAndFailedWritesLoseNothing() {
        Fixture f;
        MapCycleWindow w(f.app.context);
        for (const QString& map : w.sel->fileNames()) {
            QVERIFY(w.sel->selectFileName(map));
            w.del->click();
        }
        w.save->click();
        QCOMPARE(f.lastMessage().text, QStringLiteral("Nichts geaddet"));
        QCOMPARE(f.lastMessage().title, QStringLiteral("Ooops !"));
        QCOMPARE(readBytes(f.cycle("valve")), "stalkyard\r\ncrossfire\r\n");

        // The write fails (a folder stands where the file goes): the message names
        // the file, and the list stays to be saved again.
        QVERIFY(w.avaible->selectFileName("bounce.bsp"));
        w.add->click();
        w.optTFC->click();
        QVERIFY(QDir().mkpath(QString::fromStdString(f.cycle("tfc"))));
        QVERIFY(w.avaible->selectFileName("2fort.bsp"));
        w.add->click();
        w.save->click();
        QCOMPARE(f.lastMessage().icon, MsgIcon::Critical);
        QVERIFY2(f.lastMessage().text.contains(
                     QDir::toNativeSeparators(QString::fromStdString(f.cycle("tfc")))),
                 qPrintable(f.lastMessage().text));
        QCOMPARE(w.sel->fileNames(), QStringList({"2fort.bsp"}));

        // No game folder in the settings: told, nothing written anywhere.
        f.app.writeSettings("[GAMEDIR]\r\n");
        w.optClass->click();
        QVERIFY(w.avaible->fileNames().isEmpty());
        w.sel->showFileNames({}, {"crossfire.bsp"});
        w.save->click();
        QVERIFY(f.lastMessage().text.contains(QStringLiteral("GAMEDIR, valve")));
        QCOMPARE(readBytes(f.cycle("valve")), "stalkyard\r\ncrossfire\r\n");
    }
};

QTEST_MAIN(MapCycleWindowTest)
#include "map_cycle_window_test.moc"
