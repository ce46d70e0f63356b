// The frame every window stands on: the registry, the context's shared
// messages, the splash and the map file list.
#include "fakes.h"
#include "frame/file_list_box.h"
#include "frame/splash.h"
#include "frame/twips.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// A window that counts its loads.
class Probe : public QWidget {
public:
    Probe(int& loads, bool hideWhileLoading, AppContext& context) {
        ++loads;
        if (hideWhileLoading)
            context.windows().keepHiddenAfterLoad(this);
    }
};

// A test app whose windows are probes that count their loads.
struct ProbeApp {
    WindowRegistry& windows() { return app.context.windows(); }
    void add(std::initializer_list<WindowId> ids, bool hideWhileLoading = false) {
        for (const WindowId id : ids)
            windows().add(id, designName(id), [this, hideWhileLoading](AppContext& c) {
                return new Probe(loads, hideWhileLoading, c);
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
        p.add({WindowId::DM});
        QVERIFY(!p.windows().isLoaded(WindowId::DM));
        QPointer<QWidget> first = p.windows().show(WindowId::DM);
        QCOMPARE(first->objectName(), QStringLiteral("DM"));
        QVERIFY(first && first->isVisible());
        QCOMPARE(p.windows().show(WindowId::DM), first.data());
        QCOMPARE(p.loads, 1);

        p.windows().unload(WindowId::DM);
        QVERIFY(!p.windows().isLoaded(WindowId::DM));
        TestApp::settle();
        QVERIFY(first.isNull());
        QPointer<QWidget> second = p.windows().show(WindowId::DM);
        QVERIFY(second && second != first && p.loads == 2);
        QVERIFY(p.windows().show(WindowId::connect) == nullptr);

        // A second factory for a known window is refused; the first one stays.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("\"DM\" is registered twice"));
        QVERIFY(!p.windows().add(WindowId::DM, designName(WindowId::DM),
                                 [](AppContext&) -> QWidget* { return nullptr; }));
        p.windows().unload(WindowId::DM);
        QVERIFY(p.windows().show(WindowId::DM) != nullptr);
        QCOMPARE(p.loads, 3);
    }

    void newWindowsCentreOnTheirOpenerAndStayOnTheScreen() {
        TestApp app;
        WindowRegistry& windows = app.context.windows();
        addPlainWindow(windows, WindowId::sp, {400, 300});
        addPlainWindow(windows, WindowId::config, {200, 100});
        addPlainWindow(windows, WindowId::DM, {300, 200});
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const auto inside = [&](QWidget* w) { return screen.contains(w->frameGeometry()); };

        QWidget* main = windows.show(WindowId::sp);
        QCOMPARE(main->frameGeometry().center(), screen.center());

        // Opened from a window that was moved: on the opener, not the screen.
        main->move(screen.topLeft() + QPoint(10, 20));
        QWidget* tool = windows.show(WindowId::config);
        QCOMPARE(tool->frameGeometry().center(), main->frameGeometry().center());
        QVERIFY(inside(tool));
        windows.unload(WindowId::config);
        TestApp::settle();

        // An opener half off the screen: as near its centre as the screen allows.
        main->move(screen.right() - 100, screen.bottom() - 50);
        tool = windows.show(WindowId::config);
        QVERIFY(inside(tool));
        QCOMPARE(tool->frameGeometry().bottomRight(), screen.bottomRight());
        // Shown again while loaded, a window stays where the player left it.
        tool->move(screen.topLeft() + QPoint(5, 5));
        QCOMPARE(windows.show(WindowId::config)->pos(), screen.topLeft() + QPoint(5, 5));

        // Nothing visible to open it from: the screen's centre.
        main->hide();
        tool->hide();
        QCOMPARE(windows.show(WindowId::DM)->frameGeometry().center(), screen.center());
    }

    void twipsRoundToTheNearestPixelOnBothSidesOfZero() {
        // zero, just under and over half a pixel, whole; the same below zero
        for (const auto& [twips, pixels] : std::initializer_list<std::pair<int, int>>{
                 {0, 0}, {7, 0}, {8, 1}, {1440, 96}, {-7, 0}, {-8, -1}, {-30, -2}}) {
            QCOMPARE(pixelsFromTwips(twips), pixels);
            QCOMPARE(pixelsFromTwips(twipsFromPixels(pixels)), pixels);
        }
    }

    void closeBoxUnloadsAndTheLastVisibleWindowEndsTheProgram() {
        ProbeApp p;
        p.add({WindowId::DM, WindowId::connect});
        QWidget* a = p.windows().show(WindowId::DM);
        p.windows().show(WindowId::connect);
        a->close();
        TestApp::settle();
        QVERIFY(!p.windows().isLoaded(WindowId::DM));
        QCOMPARE(p.app.quitCount, 0);

        // A window that unloads itself and shows the next one does not end it.
        p.windows().unload(WindowId::connect);
        p.windows().show(WindowId::DM);
        TestApp::settle();
        QCOMPARE(p.app.quitCount, 0);

        p.windows().find(WindowId::DM)->close();
        TestApp::settle();
        QCOMPARE(p.app.quitCount, 1);
    }

    void aMessageDuringALoadDoesNotEndTheProgram() {
        // A window unloads itself and shows the next, whose load asks something:
        // the box's own event loop must not find "nothing visible".
        ProbeApp p;
        p.app.messages.onShow = [](const Message&) { TestApp::settle(); };
        p.add({WindowId::config});
        p.windows().add(WindowId::sp, designName(WindowId::sp), [&](AppContext& c) {
            c.message(nullptr, "Du hast den ORVO nicht komplett Konfiguriert");
            return new Probe(p.loads, false, c);
        });
        p.windows().show(WindowId::config);
        p.windows().unload(WindowId::config);
        p.windows().show(WindowId::sp);
        TestApp::settle();
        QCOMPARE(p.app.quitCount, 0);
        QVERIFY(p.windows().find(WindowId::sp)->isVisible());
    }

    void windowHiddenByItsLoadStaysHiddenUntilShownAgain() {
        ProbeApp p;
        p.add({WindowId::sp}, true);
        p.add({WindowId::config});
        p.windows().show(WindowId::config);
        QWidget* sp = p.windows().show(WindowId::sp);
        if (!sp)
            QFAIL("sp was not loaded");
        QVERIFY(!sp->isVisible());
        QCOMPARE(p.windows().show(WindowId::sp), sp);
        QVERIFY(sp->isVisible());
        QCOMPARE(p.loads, 2);
    }

    void settingsAreSavedAsOneBatchOrNotAtAll() {
        TestApp app;
        app.writeSettings("[MISC]\r\nuser=Ace\r\n");
        // A refused name stops the whole batch; the player learns which file and why.
        QVERIFY(!app.context.saveSettings(
            nullptr, {{"MISC", "user", "Jörg"}, {"GAMEDIR", "ma[ps", "C:\\HL"}}));
        QCOMPARE(app.setting("MISC", "user"), std::string("Ace"));
        QCOMPARE(app.messages.shown.size(), size_t(1));
        const Message& m = app.messages.shown.front();
        QVERIFY(m.title == "Gravelock" && m.icon == MsgIcon::Critical);
        QVERIFY2(m.text.startsWith("Die Einstellungen konnten nicht gespeichert werden.") &&
                     m.text.contains(QString::fromStdString(app.settingsFile())) &&
                     m.text.contains("Ungültiger Abschnitts- oder Schlüsselname"),
                 qPrintable(m.text));

        QVERIFY(app.context.saveSettings(
            nullptr, {{"MISC", "user", "Jörg"}, {"GAMEDIR", "maps", "C:\\HL"}}));
        QCOMPARE(app.setting("MISC", "user"), std::string("Jörg"));
        QCOMPARE(app.setting("GAMEDIR", "maps"), std::string("C:\\HL"));
        QCOMPARE(app.messages.shown.size(), size_t(1));
    }

    void startRequestIsBuiltHereAndAFailureShownTheSameWayForEveryCaller() {
        TestApp app;
        app.touch({"Half Life/hl.sh"});
        const QString program = app.path("Half Life/hl.sh");
        app.starter.result = {false, program.toStdString(), "Die Datei ist nicht ausführbar"};
        QVERIFY(!app.context.startGame(nullptr, program + " -console",
                                       WindowStyle::MinimisedWithFocus));
        QCOMPARE(app.starter.starts.size(), size_t(1));
        const StartRequest& request = app.starter.starts[0];
        QCOMPARE(request.commandText, (program + " -console").toStdString());
        QCOMPARE(request.windowStyle, WindowStyle::MinimisedWithFocus);
        QCOMPARE(request.program, program.toStdString());
        QCOMPARE(request.arguments, std::string(" -console"));
        QCOMPARE(request.workingFolder, app.path("Half Life").toStdString());
        const Message& m = app.messages.shown.at(0);
        QVERIFY(m.title == "Gravelock" && m.icon == MsgIcon::Critical);
        QVERIFY(m.text.contains(QDir::toNativeSeparators(program)) &&
                m.text.contains("Die Datei ist nicht ausführbar"));

        app.starter.result = {false, "", "Es ist kein Programm angegeben"};
        app.context.startGame(nullptr, " +deathmatch 1", WindowStyle::MaximisedWithFocus);
        QCOMPARE(app.starter.starts.at(1).workingFolder, std::string());
        QVERIFY(app.messages.shown.at(1).text.contains(QStringLiteral("(keins)")));
    }

    void splashOpensTheWizardOnlyForExactlyYes_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("opened");
        const int sp = int(WindowId::sp);
        QTest::newRow("yes") << "[MISC]\r\nfirstuse=yes\r\n" << int(WindowId::firstuse1);
        QTest::newRow("Yes") << "[MISC]\r\nfirstuse=Yes\r\n" << sp;
        QTest::newRow("no") << "[MISC]\r\nfirstuse=no\r\n" << sp;
        QTest::newRow("empty") << "[MISC]\r\nfirstuse=\r\n" << sp;
        QTest::newRow("key missing") << "[MISC]\r\ntfc=true\r\n" << sp;
        QTest::newRow("no file") << QString() << sp;
    }
    void splashOpensTheWizardOnlyForExactlyYes() {
        QFETCH(QString, settings);
        QFETCH(int, opened);
        ProbeApp p;
        TestApp& app = p.app;
        if (!settings.isNull())
            app.writeSettings(settings.toStdString());
        p.add({WindowId::firstuse1, WindowId::sp});
        p.windows().add(WindowId::splash, "splash", [](AppContext&) { return new SplashWindow; });
        app.flow.start();
        auto* splash = p.windows().find<SplashWindow>(WindowId::splash);
        QVERIFY(splash);
        const QRect screen = splash->screen()->availableGeometry();
        QVERIFY((splash->frameGeometry().center() - screen.center()).manhattanLength() <= 2);
        QCOMPARE(splash->Timer1->interval(), 3000);
        QCOMPARE(splash->Timer1->timerType(), Qt::PreciseTimer);
        QVERIFY(splash->Timer1->isActive());
        // The logo is read in place, and shows the pixels Qt's own reader sees.
        const QResource stored(QStringLiteral(":/pictures/splash_logo.ppm"));
        QCOMPARE(stored.compressionAlgorithm(), QResource::NoCompression);
        QVERIFY(!imageFromPpm(stored.uncompressedData()).isNull());
        const QImage logo(stored.fileName());
        QCOMPARE(logo.size(), QSize(611, 360));
        QCOMPARE(splash->Logo->pixmap().toImage().convertToFormat(logo.format()), logo);

        splash->tick();
        TestApp::settle();
        QCOMPARE(p.loads, 1);
        QVERIFY(p.windows().isLoaded(WindowId(opened)));
        QVERIFY(!p.windows().isLoaded(WindowId::splash));
        QVERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(app.quitCount, 0);
    }

    void ppmHeaderIsReadOnlyWhenWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        const QByteArray pixels("\x01\x02\x03\x04\x05\x06", 6);
        QTest::newRow("2x1") << "P6\n2 1\n255\n" + pixels << QSize(2, 1);
        QTest::newRow("blanks and extra bytes") << "P6  2\t1\r\n255 " + pixels + "x" << QSize(2, 1);
        QTest::newRow("comment") << "P6\n# drawn\n2 1\n255\n" + pixels << QSize();
        QTest::newRow("16-bit") << "P6\n2 1\n65535\n" + pixels + pixels << QSize();
        QTest::newRow("grey") << "P5\n2 1\n255\n" + pixels << QSize();
        QTest::newRow("pixels missing") << "P6\n2 1\n255\n" + pixels.left(5) << QSize();
        QTest::newRow("no blank after 255") << QByteArray("P6\n2 1\n255") << QSize();
        QTest::newRow("huge") << "P6\n99999999999 1\n255\n" + pixels << QSize();
        QTest::newRow("zero wide") << "P6\n0 1\n255\n" + pixels << QSize();
        QTest::newRow("no blank after P6") << "P62 1\n255\n" + pixels << QSize();
    }
    void ppmHeaderIsReadOnlyWhenWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const QImage image = imageFromPpm(bytes);
        QCOMPARE(image.isNull() ? QSize() : image.size(), size);
        if (!image.isNull())
            QCOMPARE(image.pixel(1, 0), qRgb(4, 5, 6));
    }

    void fileListMatchesThePatternWithoutRegardToCase() {
        TestApp app;
        app.touch({"maps/zeta.bsp", "maps/Alpha.BSP", "maps/beta.Bsp", "maps/readme.txt",
                   "maps/bsp", "maps/sub.bsp/inner.bsp", "maps/.hidden.bsp"});
        QDir().mkpath(app.path("empty"));
        FileListBox list;
        list.setPattern("*.bsp");
        list.setFolder(app.path("maps"));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(list.fileNames(), QStringList({"Alpha.BSP", "beta.Bsp", "zeta.bsp"}));
        QCOMPARE(list.selectedFileName(), QString());
        QVERIFY(!list.selectFileName("readme.txt"));
        QVERIFY(list.selectFileName("beta.Bsp"));
        QCOMPARE(list.selectedFileName(), QStringLiteral("beta.Bsp"));
        // A click selects the row under it, as the players use it.
        const QRect row = list.visualRect(list.model()->index(2, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(list.selectedFileName(), QStringLiteral("zeta.bsp"));

        for (const QString& folder : {app.path("empty"), QStringLiteral("error")}) {
            list.setFolder(folder);
            QVERIFY2(list.fileNames().isEmpty() && list.selectedFileName().isEmpty(),
                     qPrintable(folder));
        }
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
