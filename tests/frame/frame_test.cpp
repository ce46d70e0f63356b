// The frame every window stands on: the registry, the context's shared
// messages, the splash and the map file list.
#include "fakes.h"
#include "frame/file_list_box.h"
#include "frame/splash.h"
#include "frame/twips.h"

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

// A test app whose windows are probes that count their loads.
struct ProbeApp {
    WindowRegistry& windows() { return app.context.windows(); }
    void add(std::initializer_list<const char*> names, bool hideWhileLoading = false) {
        for (const char* name : names)
            windows().add(name, [this, name, hideWhileLoading](AppContext& c) {
                return new Probe(name, loads, hideWhileLoading, c);
            });
    }

    TestApp app;
    int loads = 0;
};

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void registryLoadsOnceAndUnloadDestroys() {
        ProbeApp p;
        p.add({"a"});
        QVERIFY(!p.windows().isLoaded("a"));
        QPointer<QWidget> first = p.windows().show("a");
        QVERIFY(first && first->isVisible());
        QCOMPARE(p.windows().show("a"), first.data());
        QCOMPARE(p.loads, 1);

        p.windows().unload("a");
        QVERIFY(!p.windows().isLoaded("a"));
        TestApp::settle();
        QVERIFY(first.isNull());
        QPointer<QWidget> second = p.windows().show("a");
        QCOMPARE(p.loads, 2);
        QVERIFY(second && second != first);
        QVERIFY(p.windows().show("unknown") == nullptr);

        // A second factory for a known name is refused; the first one stays.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("\"a\" is registered twice"));
        QVERIFY(!p.windows().add("a", [](AppContext&) -> QWidget* { return nullptr; }));
        p.windows().unload("a");
        QVERIFY(p.windows().show("a") != nullptr);
        QCOMPARE(p.loads, 3);
    }

    void twipsRoundToTheNearestPixelOnBothSidesOfZero_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("just under half") << 7 << 0;
        QTest::newRow("just over half") << 8 << 1;
        QTest::newRow("whole") << 1440 << 96;
        QTest::newRow("negative under half") << -7 << 0;
        QTest::newRow("negative over half") << -8 << -1;
        QTest::newRow("negative whole") << -30 << -2;
    }
    void twipsRoundToTheNearestPixelOnBothSidesOfZero() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(pixelsFromTwips(twips), pixels);
        QCOMPARE(pixelsFromTwips(twipsFromPixels(pixels)), pixels);
    }

    void closeBoxUnloadsAndTheLastVisibleWindowEndsTheProgram() {
        ProbeApp p;
        p.add({"a", "b"});
        QWidget* a = p.windows().show("a");
        p.windows().show("b");
        a->close();
        TestApp::settle();
        QVERIFY(!p.windows().isLoaded("a"));
        QCOMPARE(p.app.quitCount, 0);

        // A window that unloads itself and shows the next one does not end it.
        p.windows().unload("b");
        p.windows().show("a");
        TestApp::settle();
        QCOMPARE(p.app.quitCount, 0);

        p.windows().find("a")->close();
        TestApp::settle();
        QCOMPARE(p.app.quitCount, 1);
    }

    void aMessageDuringALoadDoesNotEndTheProgram() {
        // A window unloads itself and shows the next, whose load asks something:
        // the box's own event loop must not find "nothing visible".
        ProbeApp p;
        p.app.messages.onShow = [](const Message&) { TestApp::settle(); };
        p.add({"first"});
        p.windows().add("next", [&](AppContext& c) {
            c.message(nullptr, "Du hast den ORVO nicht komplett Konfiguriert");
            return new Probe("next", p.loads, false, c);
        });
        p.windows().show("first");
        p.windows().unload("first");
        p.windows().show("next");
        TestApp::settle();
        QCOMPARE(p.app.quitCount, 0);
        QVERIFY(p.windows().find("next")->isVisible());
    }

    void windowHiddenByItsLoadStaysHiddenUntilShownAgain() {
        ProbeApp p;
        p.add({"sp"}, true);
        p.add({"config"});
        p.windows().show("config");
        QWidget* sp = p.windows().show("sp");
        QVERIFY(sp && !sp->isVisible());
        QCOMPARE(p.windows().show("sp"), sp);
        QVERIFY(sp->isVisible());
        QCOMPARE(p.loads, 2);
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
        ProbeApp p;
        TestApp& app = p.app;
        if (!settings.isNull())
            app.writeSettings(settings.toStdString());
        p.add({"firstuse1", "sp"});
        p.windows().add("splash", [](AppContext& c) { return new SplashWindow(c); });
        auto* splash = qobject_cast<SplashWindow*>(p.windows().show("splash"));
        QVERIFY(splash);
        QCOMPARE(splash->Timer1->interval(), 3000);
        QVERIFY(splash->Timer1->isActive());
        QCOMPARE(splash->Logo->pixmap().size(), QSize(611, 360));

        splash->tick();
        TestApp::settle();
        QCOMPARE(p.loads, 1);
        QVERIFY(p.windows().isLoaded(opened));
        QVERIFY(!p.windows().isLoaded("splash"));
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
