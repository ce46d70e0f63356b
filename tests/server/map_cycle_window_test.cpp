#include "core/ui/widgets.h"
#include "fakes.h"
#include "server/map_cycle_window.h"
#include "server/server_windows.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

struct Fixture {
    explicit Fixture(bool withTeamFortress = true) {
        app.touch({"valve/maps/crossfire.bsp", "valve/maps/Stalkyard.BSP", "valve/maps/a.txt",
                   "tfc/maps/2fort.bsp", "tfc/maps/well.bsp"});
        std::string settings = "[GAMEDIR]\r\nmaps=" + app.path("valve/maps").toStdString() + "\r\n";
        if (withTeamFortress)
            settings += "tfcmaps=" + app.path("tfc/maps").toStdString() + "\r\n";
        app.writeSettings(settings);
        registerServerWindows(app.context.windows());
        app.context.windows().add("sp", [](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName("sp");
            return w;
        });
    }
    MapCycleWindow* open() {
        app.context.windows().show("MapCycle");
        return app.context.windows().find<MapCycleWindow>("MapCycle");
    }

    TestApp app;
};

QStringList listed(FileListBox* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

const QStringList kHalfLife = {"crossfire.bsp", "Stalkyard.BSP"};

} // namespace

class MapCycleWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designState() {
        Fixture f;
        f.app.touch({"work/here.bsp"});
        const QString previous = QDir::currentPath();
        QDir::setCurrent(f.app.path("work"));
        MapCycleWindow* w = f.open();
        QDir::setCurrent(previous);

        QCOMPARE(w->windowTitle(), QStringLiteral("Half-Life Karten Rollier : Einstellungen"));
        QCOMPARE(w->centralWidget()->size(), QSize(472, 277));
        QCOMPARE(w->save->geometry(), QRect(152, 216, 57, 25));
        QCOMPARE(w->avaible->geometry(), QRect(16, 24, 105, 214));
        QVERIFY2(clippedCaptions(w).isEmpty(), qPrintable(clippedCaptions(w).join(", ")));
        QCOMPARE(w->optClass->text(), QStringLiteral("Half-Life "));
        QVERIFY(w->optClass->isChecked());
        QCOMPARE(w->Frame1->title(), QStringLiteral("Ausgewählte Karte(n)"));
        QCOMPARE(w->mnuFile->title(), QStringLiteral("&Datei"));
        QCOMPARE(w->itmsave->text(), QStringLiteral("&Enregistrer"));
        QCOMPARE(w->orvo->text(), QStringLiteral("&Gravelock"));
        QCOMPARE(listed(w->avaible), kHalfLife);
        // The right list was never pointed anywhere: the working folder's maps.
        QCOMPARE(listed(w->sel), QStringList({"here.bsp"}));
    }

    void optionsSwitchTheMapFolder() {
        Fixture f;
        MapCycleWindow* w = f.open();
        w->optTFC->click();
        QCOMPARE(listed(w->avaible), QStringList({"2fort.bsp", "well.bsp"}));
        w->optClass->click();
        QCOMPARE(listed(w->avaible), kHalfLife);
    }

    void teamFortressNotConfiguredListsNothing() {
        Fixture f(false);
        MapCycleWindow* w = f.open();
        w->optTFC->click();
        QCOMPARE(listed(w->avaible), QStringList());
        QVERIFY(f.app.messages.shown.empty());
    }

    void buttonsChangeNothing() {
        Fixture f;
        MapCycleWindow* w = f.open();
        w->avaible->setCurrentRow(0);
        w->add->click();
        w->del->click();
        w->itmsave->trigger();
        QCOMPARE(listed(w->avaible), kHalfLife);
        QCOMPARE(w->sel->count(), 0);
        QVERIFY(f.app.messages.shown.empty());

        w->save->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].text, QStringLiteral("Nichts geaddet"));
        QCOMPARE(f.app.messages.shown[0].title, QStringLiteral("Ooops !"));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Information);
        QCOMPARE(QDir(f.app.path("valve/maps")).entryList(QDir::Files).size(), 3);
    }

    void menuReturnsToTheMainWindow() {
        Fixture f;
        MapCycleWindow* w = f.open();
        w->optTFC->click();
        w->orvo->trigger();
        TestApp::settle();
        QVERIFY(f.app.context.windows().find("sp")->isVisible());
        QVERIFY(!f.app.context.windows().isLoaded("MapCycle"));
        QCOMPARE(f.app.quitCount, 0);
        // Opened again: the Half-Life maps, as at the start.
        w = f.open();
        QVERIFY(w->optClass->isChecked());
        QCOMPARE(listed(w->avaible), kHalfLife);
    }
};

QTEST_MAIN(MapCycleWindowTest)
#include "map_cycle_window_test.moc"
