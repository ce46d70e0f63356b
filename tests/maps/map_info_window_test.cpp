#include "fakes.h"
#include "frame/file_list_box.h"
#include "launcher/sp_window.h"
#include "maps/map_info_window.h"
#include "maps/sample_map.h"
#include "server/dm_window.h"
#include "server/map_cycle_window.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

using namespace gravelock;
using namespace gravelock::test;

namespace {

QByteArray mapBytes(const std::string& entities) {
    sample::SampleMap map;
    map.entities = entities;
    map.addBox(0, 0, 0, 256, 128, 64);
    map.addBox(256, 32, 0, 512, 96, 64);
    const std::string bytes = map.bytes();
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

QByteArray mapBytes(const std::vector<sample::KeyValues>& entities) {
    return mapBytes(sample::entityText(entities));
}

const sample::KeyValues kDeathmatchStart = {{"classname", "info_player_deathmatch"}};

// An install with maps of both games, the texture files some of them need, a
// description and an overview for the Team Fortress map.
struct Install {
    Install() {
        write("Half-Life/valve/maps/crossfire.bsp",
              mapBytes({{{"classname", "worldspawn"},
                         {"message", "Crossfire"},
                         {"wad", "\\sierra\\valve\\halflife.wad;/home/m/xeno.wad"}},
                        kDeathmatchStart,
                        kDeathmatchStart}));
        write("Half-Life/valve/maps/junk.bsp", "not a map at all");
        write("Half-Life/valve/maps/broken.bsp", mapBytes("{ \"message\" \"Half\"\n"));
        write("Half-Life/valve/HALFLIFE.wad", "wad");
        write("Half-Life/tfc/maps/2fort.bsp", mapBytes({{{"classname", "worldspawn"},
                                                         {"message", "Zwei Festungen"},
                                                         {"wad", "tfc.wad;halflife.wad"}},
                                                        {{"classname", "info_player_teamspawn"}},
                                                        {{"classname", "info_player_teamspawn"}}}));
        write("Half-Life/tfc/TFC.WAD", "wad");
        write("Half-Life/tfc/maps/2fort.txt", "Festung \xE4\r\n");
        QImage overview(64, 48, QImage::Format_RGB32);
        overview.fill(Qt::darkGreen);
        QDir().mkpath(app.path("Half-Life/tfc/overviews"));
        overview.save(app.path("Half-Life/tfc/overviews/2fort.bmp"), "BMP");
        app.writeSettings("[MISC]\r\nfirstuse=no\r\ntfc=true\r\n[GAMEDIR]\r\nmaps=" +
                          app.path("Half-Life/valve/maps").toStdString() +
                          "\r\ntfcmaps=" + app.path("Half-Life/tfc/maps").toStdString() + "\r\n");
        registerWindows(app.context.windows(), {}, {WindowId::mapinfo});
    }
    void write(const QString& relative, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(app.path(relative)).absolutePath());
        QFile file(app.path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    MapInfoWindow* infoWindow() {
        return app.context.windows().find<MapInfoWindow>(WindowId::mapinfo);
    }

    TestApp app;
};

QString tipOf(FileListBox* list, const QString& name) {
    const int row = static_cast<int>(list->fileNames().indexOf(name));
    return list->model()->data(list->model()->index(row, 0), Qt::ToolTipRole).toString();
}

void openInfo(FileListBox* list, const QString& name) {
    QVERIFY(list->selectFileName(name));
    auto* item = list->findChild<QAction*>(QStringLiteral("itmMapInfo"));
    QVERIFY(item);
    item->trigger();
}

// One of the four map lists, in the window that holds it, switched to its game.
struct ListCase {
    const char* what;
    std::function<FileListBox*(Install&, std::unique_ptr<QWidget>&)> open;
};

const ListCase kLists[] = {
    {"sp, Deathmatch",
     [](Install& i, std::unique_ptr<QWidget>& w) {
         auto* sp = new SpWindow(i.app.context);
         w.reset(sp);
         return sp->dirFichiers;
     }},
    {"DM",
     [](Install& i, std::unique_ptr<QWidget>& w) {
         auto* dm = new DMWindow(i.app.context);
         w.reset(dm);
         return dm->maps;
     }},
    {"MapCycle, available",
     [](Install& i, std::unique_ptr<QWidget>& w) {
         auto* cycle = new MapCycleWindow(i.app.context);
         w.reset(cycle);
         return cycle->avaible;
     }},
    {"MapCycle, selected",
     [](Install& i, std::unique_ptr<QWidget>& w) {
         auto* cycle = new MapCycleWindow(i.app.context);
         w.reset(cycle);
         for (const char* map : {"crossfire.bsp", "junk.bsp", "broken.bsp"}) {
             cycle->avaible->selectFileName(QString::fromLatin1(map));
             cycle->add->click();
         }
         return cycle->sel;
     }},
};

} // namespace

class MapInfoWindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyMapListTellsWhatIsInsideItsMaps() {
        const QString home = QDir::currentPath();
        for (const ListCase& list : kLists) {
            Install install;
            std::unique_ptr<QWidget> window;
            FileListBox* maps = list.open(install, window);
            QDir::setCurrent(home);
            QCOMPARE(tipOf(maps, "crossfire.bsp"),
                     QStringLiteral("Crossfire\nTexturen: halflife.wad, xeno.wad\nFehlt: xeno.wad\n"
                                    "Startpunkte: 2"));
            QCOMPARE(tipOf(maps, "junk.bsp"), QStringLiteral("junk.bsp\nKeine Half-Life-Karte"));
            QCOMPARE(tipOf(maps, "broken.bsp"), QStringLiteral("Half\nStartpunkte: 0\nBeschädigt"));

            openInfo(maps, "crossfire.bsp");
            MapInfoWindow* info = install.infoWindow();
            QVERIFY2(info && info->isVisible(), list.what);
            QCOMPARE(info->lblTitle->text(), QStringLiteral("Crossfire"));
            QCOMPARE(info->windowTitle(), QStringLiteral("Karteninfo"));
        }
    }

    void theGameOfAListIsTheFolderItListsFrom() {
        Install install;
        SpWindow sp(install.app.context);
        sp.optTFC->click();
        QCOMPARE(tipOf(sp.dirFichiers, "2fort.bsp"),
                 QStringLiteral("Zwei Festungen\nTexturen: tfc.wad, halflife.wad\nStartpunkte: 2"));
        MapCycleWindow cycle(install.app.context);
        cycle.optTFC->click();
        QCOMPARE(tipOf(cycle.avaible, "2fort.bsp"), tipOf(sp.dirFichiers, "2fort.bsp"));
    }

    void aTooltipIsKeptUntilItsFileChanges() {
        Install install;
        DMWindow dm(install.app.context);
        const QString path = install.app.path("Half-Life/valve/maps/crossfire.bsp");
        const QDateTime written = QFileInfo(path).lastModified();
        QVERIFY(tipOf(dm.maps, "crossfire.bsp").startsWith("Crossfire\n"));

        // Same size and time: the tooltip is not read again.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray old = file.readAll();
        old.replace("Crossfire", "Crossfyre");
        file.seek(0);
        file.write(old);
        file.flush();
        file.setFileTime(written, QFileDevice::FileModificationTime);
        file.close();
        QVERIFY(tipOf(dm.maps, "crossfire.bsp").startsWith("Crossfire\n"));

        QVERIFY(file.open(QIODevice::ReadWrite));
        file.setFileTime(written.addSecs(60), QFileDevice::FileModificationTime);
        file.close();
        QVERIFY(tipOf(dm.maps, "crossfire.bsp").startsWith("Crossfyre\n"));
    }

    void oneWindowShowsTheLatestMapWithItsPicture() {
        Install install;
        SpWindow sp(install.app.context);
        openInfo(sp.dirFichiers, "crossfire.bsp");
        MapInfoWindow* info = install.infoWindow();
        QVERIFY(info);
        // No overview: the floor plan is drawn, dark lines on the light box.
        QCOMPARE(info->lblPicture->text(), QStringLiteral("Grundriss aus der Kartengeometrie"));
        const QImage plan = info->picMap->pixmap().toImage();
        QVERIFY(!plan.isNull());
        QVERIFY(plan.pixelColor(plan.width() / 2, plan.height() / 2) !=
                plan.pixelColor(plan.width() - 2, plan.height() - 2));
        QCOMPARE(info->lstWads->count(), 2);
        QCOMPARE(info->lstWads->item(1)->text(), QStringLiteral("xeno.wad (fehlt)"));
        QVERIFY(info->txtDescription->toPlainText().isEmpty());

        sp.optTFC->click();
        openInfo(sp.dirFichiers, "2fort.bsp");
        QCOMPARE(install.infoWindow(), info); // one instance
        QCOMPARE(info->lblTitle->text(), QStringLiteral("Zwei Festungen"));
        QCOMPARE(info->lblPicture->text(), QStringLiteral("Übersichtsbild des Spiels"));
        QCOMPARE(info->picMap->pixmap().toImage().pixelColor(10, 10), QColor(Qt::darkGreen));
        QCOMPARE(info->txtDescription->toPlainText(), QStringLiteral("Festung ä\n"));
        QVERIFY(info->lblState->text().isEmpty());

        sp.dirFichiers->setFolder(install.app.path("Half-Life/valve/maps"));
        openInfo(sp.dirFichiers, "broken.bsp");
        QVERIFY(info->lblState->text().startsWith(QStringLiteral("Beschädigt: ")));

        QTest::keyClick(info, Qt::Key_Escape);
        TestApp::settle();
        QVERIFY(!install.infoWindow());
    }
};

QTEST_MAIN(MapInfoWindowTest)
#include "map_info_window_test.moc"
