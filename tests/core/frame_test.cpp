// The frame every window stands on: the registry, the context's shared
// messages, the splash and the map file list.
#include "core/ui/splash.h"
#include "core/ui/widgets.h"
#include "fakes.h"

#include <QLabel>
#include <QPointer>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// A window that counts its loads.
class Probe : public QWidget {
public:
    Probe(const QString& name, int& loads, bool hideWhileLoading, AppContext& context) {
        setObjectName(name);
        ++loads;
        if (hideWhileLoading)
            context.windows().keepHiddenAfterLoad(this);
    }
};

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void registryLoadsOnceAndUnloadDestroys() {
        TestApp app;
        int loads = 0;
        app.context.windows().add("a",
                                  [&](AppContext& c) { return new Probe("a", loads, false, c); });
        QVERIFY(!app.context.windows().isLoaded("a"));
        QPointer<QWidget> first = app.context.windows().show("a");
        QVERIFY(first && first->isVisible());
        QCOMPARE(app.context.windows().show("a"), first.data());
        QCOMPARE(loads, 1);

        app.context.windows().unload("a");
        QVERIFY(!app.context.windows().isLoaded("a"));
        TestApp::settle();
        QVERIFY(first.isNull());
        QPointer<QWidget> second = app.context.windows().show("a");
        QCOMPARE(loads, 2);
        QVERIFY(second && second != first);
        QVERIFY(app.context.windows().show("unknown") == nullptr);
    }

    void closeBoxUnloadsAndTheLastVisibleWindowEndsTheProgram() {
        TestApp app;
        int loads = 0;
        for (const char* name : {"a", "b"})
            app.context.windows().add(
                name, [&, name](AppContext& c) { return new Probe(name, loads, false, c); });
        QWidget* a = app.context.windows().show("a");
        app.context.windows().show("b");
        a->close();
        TestApp::settle();
        QVERIFY(!app.context.windows().isLoaded("a"));
        QCOMPARE(app.quitCount, 0);

        // A window that unloads itself and shows the next one does not end it.
        app.context.windows().unload("b");
        app.context.windows().show("a");
        TestApp::settle();
        QCOMPARE(app.quitCount, 0);

        app.context.windows().find("a")->close();
        TestApp::settle();
        QCOMPARE(app.quitCount, 1);
    }

    void aMessageDuringALoadDoesNotEndTheProgram() {
        // A window unloads itself and shows the next, whose load asks something:
        // the box's own event loop must not find "nothing visible".
        TestApp app;
        int loads = 0;
        app.messages.onShow = [](const Message&) { TestApp::settle(); };
        app.context.windows().add(
            "first", [&](AppContext& c) { return new Probe("first", loads, false, c); });
        app.context.windows().add("next", [&](AppContext& c) {
            c.message(nullptr, "Du hast den ORVO nicht komplett Konfiguriert");
            return new Probe("next", loads, false, c);
        });
        app.context.windows().show("first");
        app.context.windows().unload("first");
        app.context.windows().show("next");
        TestApp::settle();
        QCOMPARE(app.quitCount, 0);
        QVERIFY(app.context.windows().find("next")->isVisible());
    }

    void windowHiddenByItsLoadStaysHiddenUntilShownAgain() {
        TestApp app;
        int loads = 0;
        bool hide = true;
        app.context.windows().add("sp",
                                  [&](AppContext& c) { return new Probe("sp", loads, hide, c); });
        app.context.windows().add(
            "config", [&](AppContext& c) { return new Probe("config", loads, false, c); });
        app.context.windows().show("config");
        QWidget* sp = app.context.windows().show("sp");
        QVERIFY(sp && !sp->isVisible());
        QCOMPARE(app.context.windows().show("sp"), sp);
        QVERIFY(sp->isVisible());
        QCOMPARE(loads, 2);
    }

    void failedSettingsWriteIsShownWithFileAndReason() {
        TestApp app;
        QDir().mkpath(QString::fromStdString(app.settingsFile())); // the path is a folder
        QVERIFY(!app.context.writeSetting(nullptr, "MISC", "user", "Ace"));
        QCOMPARE(app.messages.shown.size(), size_t(1));
        const Message& m = app.messages.shown.front();
        QCOMPARE(m.title, QStringLiteral("Gravelock"));
        QCOMPARE(m.icon, MsgIcon::Critical);
        QVERIFY(m.text.contains(QString::fromStdString(app.settingsFile())));
        QVERIFY(m.text.contains(QStringLiteral("Der Name gehört zu einem Ordner")));

        TestApp good;
        QVERIFY(good.context.writeSetting(nullptr, "MISC", "user", "Jörg"));
        QCOMPARE(good.setting("MISC", "user"), std::string("Jörg"));
        QVERIFY(good.messages.shown.empty());
    }

    void failedStartIsShownTheSameWayForEveryCaller() {
        TestApp app;
        app.starter.result = {false, "/games/hl.exe", "Das Programm wurde nicht gefunden"};
        QVERIFY(!app.context.startGame(nullptr, "/games/hl.exe -console", kMaximisedWithFocus));
        QCOMPARE(app.starter.starts.size(), size_t(1));
        QCOMPARE(app.starter.starts[0].commandText, std::string("/games/hl.exe -console"));
        QCOMPARE(app.starter.starts[0].windowStyle, 3);
        const Message& m = app.messages.shown.at(0);
        QCOMPARE(m.title, QStringLiteral("Gravelock"));
        QCOMPARE(m.icon, MsgIcon::Critical);
        QVERIFY(m.text.contains(QStringLiteral("/games/hl.exe")));
        QVERIFY(m.text.contains(QStringLiteral("Das Programm wurde nicht gefunden")));

        app.starter.result = {false, "", "Es ist kein Programm angegeben"};
        app.context.startGame(nullptr, " +deathmatch 1", kMaximisedWithFocus);
        QVERIFY(app.messages.shown.at(1).text.contains(QStringLiteral("(keins)")));
    }

    void splashOpensTheWizardOnlyForExactlyYes_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("opened");
        QTest::newRow("yes") << "[MISC]\r\nfirstuse=yes\r\n"
                             << "firstuse1";
        QTest::newRow("Yes") << "[MISC]\r\nfirstuse=Yes\r\n"
                             << "sp";
        QTest::newRow("no") << "[MISC]\r\nfirstuse=no\r\n"
                            << "sp";
        QTest::newRow("empty") << "[MISC]\r\nfirstuse=\r\n"
                               << "sp";
        QTest::newRow("key missing") << "[MISC]\r\ntfc=true\r\n"
                                     << "sp";
        QTest::newRow("no file") << QString() << "sp";
    }
    void splashOpensTheWizardOnlyForExactlyYes() {
        QFETCH(QString, settings);
        QFETCH(QString, opened);
        TestApp app;
        if (!settings.isNull())
            app.writeSettings(settings.toStdString());
        int loads = 0;
        for (const char* name : {"firstuse1", "sp"})
            app.context.windows().add(
                name, [&, name](AppContext& c) { return new Probe(name, loads, false, c); });
        app.context.windows().add("splash", [](AppContext& c) { return new SplashWindow(c); });
        auto* splash = qobject_cast<SplashWindow*>(app.context.windows().show("splash"));
        QVERIFY(splash);
        QCOMPARE(splash->Timer1->interval(), 3000);
        QVERIFY(splash->Timer1->isActive());
        QCOMPARE(splash->Logo->pixmap().size(), QSize(611, 360));

        splash->tick();
        TestApp::settle();
        QCOMPARE(loads, 1);
        QVERIFY(app.context.windows().isLoaded(opened));
        QVERIFY(!app.context.windows().isLoaded("splash"));
        QCOMPARE(app.quitCount, 0);
    }

    void fileListMatchesThePatternWithoutRegardToCase() {
        TestApp app;
        app.touch({"maps/zeta.bsp", "maps/Alpha.BSP", "maps/beta.Bsp", "maps/readme.txt",
                   "maps/bsp", "maps/sub.bsp/inner.bsp"});
        FileListBox list;
        list.setPattern("*.bsp");
        list.setFolder(app.path("maps"));
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.item(i)->text();
        QCOMPARE(names, QStringList({"Alpha.BSP", "beta.Bsp", "zeta.bsp"}));
        QCOMPARE(list.selectedFileName(), QString());
        list.setCurrentRow(1);
        QCOMPARE(list.selectedFileName(), QStringLiteral("beta.Bsp"));

        list.setFolder("error");
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.selectedFileName(), QString());
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
