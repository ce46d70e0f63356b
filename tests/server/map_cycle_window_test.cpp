#include "fakes.h"
#include "frame/file_list_box.h"
#include "server/map_cycle_window.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;
using namespace gravelock::test;

class MapCycleWindowTest : public QObject {
    Q_OBJECT

private slots:
    void optionsSwitchTheMapFolderAndSaveWritesNothing() {
        TestApp app;
        app.touch({"valve/maps/crossfire.bsp", "tfc/maps/2fort.bsp", "tfc/maps/well.bsp"});
        app.writeSettings("[GAMEDIR]\r\nmaps=" + app.path("valve/maps").toStdString() +
                          "\r\ntfcmaps=" + app.path("tfc/maps").toStdString() + "\r\n");
        MapCycleWindow w(app.context);
        QCOMPARE(w.avaible->fileNames().size(), 1);
        w.optTFC->click();
        QCOMPARE(w.avaible->fileNames().size(), 2);

        app.writeSettings("[GAMEDIR]\r\n"); // no folder configured: an empty list, no complaint
        w.optClass->click();
        QCOMPARE(w.avaible->fileNames().size(), 0);

        w.save->click();                                // the map cycle is never written
        QCOMPARE(app.messages.shown.size(), size_t(1)); // and none before
        QCOMPARE(app.messages.shown[0].text, QStringLiteral("Nichts geaddet"));
        QCOMPARE(QDir(app.folder()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 1);
    }
};

QTEST_MAIN(MapCycleWindowTest)
#include "map_cycle_window_test.moc"
