// Walks through the whole program as a player would: the first start through
// the wizard, a game start, every tool from the menu and back, and the end.
#include "app/gravelock_app.h"
#include "environment.h"
#include "fakes.h"
#include "frame/appearance.h"
#include "frame/caption_fit.h"
#include "frame/file_list_box.h"
#include "frame/splash.h"
#include "temp_folder.h"

#include <QtTest>
#include <QtWidgets>

#include <array>
#include <optional>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// The program on a folder of its own, with recorded messages and the real game start.
class Program {
public:
    Program()
        : settings_(dir_.filePath("orvo.ini").toStdString()),
          program_(Settings(settings_), messages, files, starter_, [this] { ++quits; }) {
        useDesignFont();
    }

    QString path(const QString& name) const { return dir_.filePath(name); }
    const std::string& settingsFile() const { return settings_; }
    WindowRegistry& windows() { return program_.context().windows(); }
    // Starts (on the given settings, if any) and lets the splash's tick pass.
    void startPastSplash(const std::string& settings = {}) {
        if (!settings.empty())
            writeBytes(settings_, settings);
        QVERIFY(start());
        QCOMPARE(shown(), QStringList({"splash"}));
        qobject_cast<SplashWindow*>(window("splash"))->tick();
        TestApp::settle();
    }

    bool start() { return program_.start(); }
    // The registered window of that design name.
    std::optional<WindowId> id(const QString& name) {
        for (const WindowId id : windows().ids())
            if (designName(id) == name)
                return id;
        return std::nullopt;
    }
    QWidget* window(const QString& name) {
        const auto found = id(name);
        return found ? windows().find(*found) : nullptr;
    }
    template <class T> T* control(const QString& window, const QString& name) {
        QWidget* w = this->window(window);
        return w ? w->findChild<T*>(name) : nullptr;
    }
    bool visible(const QString& name) {
        QWidget* w = window(name);
        return w && w->isVisible();
    }
    // The windows that can be seen, by name.
    QStringList shown() {
        QStringList names;
        for (const WindowId id : windows().ids())
            if (visible(designName(id)))
                names << designName(id);
        names.sort();
        return names;
    }

    FakeMessageBoxes messages;
    FakeFileDialogs files;
    int quits = 0;

private:
    QTemporaryDir dir_;
    std::string settings_;
    SystemGameStarter starter_;
    Gravelock program_;
};

// Clicks the button or triggers the menu item of that name; answers the windows then shown.
QStringList click(Program& p, const QString& window, const QString& name) {
    if (auto* item = p.control<QAction>(window, name))
        item->trigger();
    else if (auto* button = p.control<QAbstractButton>(window, name))
        button->click();
    else
        QTest::qFail(qPrintable(window + "." + name + " is missing"), __FILE__, __LINE__);
    TestApp::settle();
    return p.shown();
}

void type(Program& p, const QString& window, const QString& box, const QString& text) {
    auto* edit = p.control<QLineEdit>(window, box);
    QVERIFY2(edit, qPrintable(window + "." + box));
    edit->setText(text);
}

void copyFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    QVERIFY(QFile::copy(from, to));
    QFile(to).setPermissions(QFile(from).permissions());
}

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartThroughTheWizardToAGameAndEveryTool() {
        Program p;
        copyFile(SHIPPED_SETTINGS, QString::fromStdString(p.settingsFile()));
        const QString game = p.path("Half Life/hl.exe");
        copyFile(qEnvironmentVariable("GRAVELOCK_TEST_GAME"), game);
        for (const char* map :
             {"valve/maps/crossfire.bsp", "valve/maps/Bounce.BSP", "tfc/maps/2fort.bsp"})
            touch(p.path(QStringLiteral("Half Life/") + map));
        const QString record = p.path("record.txt");
        qputenv("GRAVELOCK_TEST_RECORD", record.toLocal8Bit());

        // The splash, and after its tick the wizard.
        p.startPastSplash();
        QCOMPARE(p.shown(), QStringList({"firstuse1"}));

        QCOMPARE(click(p, "firstuse1", "cmdNext"), QStringList({"firstuse2"}));
        type(p, "firstuse2", "txtNick", "Ace");
        type(p, "firstuse2", "txtClan", "Die Schrotflinten");
        QCOMPARE(click(p, "firstuse2", "cmdNext"), QStringList({"firstuseconfig"}));

        type(p, "firstuseconfig", "program", game);
        type(p, "firstuseconfig", "txtMaps", p.path("Half Life/valve/maps"));
        auto* tfc = p.control<QCheckBox>("firstuseconfig", "chkTFC");
        QVERIFY(tfc);
        if (!tfc->isChecked())
            tfc->click();
        type(p, "firstuseconfig", "TFCmaps", p.path("Half Life/tfc/maps"));
        QCOMPARE(click(p, "firstuseconfig", "cmdFinish"), QStringList({"firstusedone"}));

        QCOMPARE(click(p, "firstusedone", "cmdFinish"), QStringList({"sp"}));
        QVERIFY(p.messages.shown.back().text.startsWith("Erstkonfiguration erfolgreich !"));
        const auto setting = [&](const char* section, const char* key) {
            return QString::fromStdString(
                GetPPS(section, key, "<missing>", kUncut, p.settingsFile()));
        };
        QCOMPARE(setting("MISC", "firstuse"), QStringLiteral("no"));
        QCOMPARE(setting("MISC", "user"), QStringLiteral("Ace"));
        QCOMPARE(setting("GAMEDIR", "valve"), p.path("Half Life/valve/"));
        QCOMPARE(setting("GAMEDIR", "dds"), p.path("Half Life/"));

        // The main window lists the maps; pick one and start the game for real.
        auto* maps = p.control<FileListBox>("sp", "dirFichiers");
        QVERIFY(maps);
        QCOMPARE(maps->fileNames().size(), 2);
        QVERIFY(maps->selectFileName(maps->fileNames().at(1)));
        click(p, "sp", "confirmMap");
        click(p, "sp", "launch");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
        QVERIFY(recordedArguments(readBytes(record.toStdString())) ==
                (std::vector<std::string>{"+deathmatch", "1", "+map", "crossfire"}));

        // Every tool from the menu, and back to a freshly loaded main window.
        const std::array<const char*, 3> tools[] = {
            {"mnuFileitmConnect", "connect", "mnuFileitmORVO"},
            {"mnuConfigitmDMM", "DM", "mnuFileitmORVO"},
            {"mnuFileMapcleItm", "MapCycle", "orvo"},
            {"mnuFileitmKesmo", "frmAdvanced", "mnuFileitmORVO"},
            {"mnuEdititmConfig", "config", "Command3"},
        };
        for (const auto& [item, window, back] : tools) {
            QPointer<QWidget> before = p.window("sp");
            QCOMPARE(click(p, "sp", item), QStringList({window}));
            QVERIFY(before.isNull());
            QCOMPARE(click(p, window, back), QStringList({"sp"}));
        }
        QCOMPARE(p.quits, 0);

        // The main window sees what a tool changed in orvo.ini.
        click(p, "sp", "mnuEdititmConfig");
        auto* tfcBox = p.control<QCheckBox>("config", "chkTFC");
        QVERIFY(tfcBox && tfcBox->isChecked());
        tfcBox->click();
        click(p, "config", "cmdOK");
        QCOMPARE(setting("MISC", "tfc"), QStringLiteral("false"));
        QVERIFY(!p.control<QWidget>("sp", "optTFC")->isEnabled());

        // The about box beside a disabled main window, and back.
        QCOMPARE(click(p, "sp", "mnuHelpitmAbout"), QStringList({"frmAbout", "sp"}));
        QVERIFY(!p.window("sp")->isEnabled());
        QCOMPARE(p.control<QLabel>("frmAbout", "lblUser")->text(), QStringLiteral("Ace"));
        QCOMPARE(click(p, "frmAbout", "cmdOK"), QStringList({"sp"}));
        QVERIFY(p.window("sp")->isEnabled());

        // The credits window outlives the about box; "&Beenden" ends the program
        // with it still open.
        click(p, "sp", "mnuHelpitmAbout");
        auto* picture = p.control<QWidget>("frmAbout", "Picture1");
        QVERIFY(picture);
        QTest::mouseClick(picture, Qt::LeftButton);
        TestApp::settle();
        QVERIFY(p.visible("secret"));
        QCOMPARE(click(p, "frmAbout", "cmdOK"), QStringList({"secret", "sp"}));
        click(p, "sp", "mnuFichieritmQuitter");
        QCOMPARE(p.quits, 1);
    }

    void theProgramEndsWhenItsLastWindowCloses() {
        Program p;
        p.startPastSplash("[MISC]\r\nfirstuse=no\r\ntfc=false\r\n");
        QCOMPARE(p.shown(), QStringList({"sp"}));
        click(p, "sp", "mnuConfigitmDMM");
        QCOMPARE(p.quits, 0);
        p.window("DM")->close();
        TestApp::settle();
        QCOMPARE(p.quits, 1);
    }

    void anIncompleteConfigurationKeepsTheDialogUntilItIsSaved() {
        Program p;
        p.startPastSplash("[MISC]\r\nfirstuse=no\r\n");
        QCOMPARE(p.shown(), QStringList({"config"}));
        QCOMPARE(p.messages.shown.back().title, QStringLiteral("Configuration error"));

        // Cancel shows the main window it left loaded.
        QCOMPARE(click(p, "config", "Command3"), QStringList({"sp"}));

        // Opened from the menu, the main window is unloaded: cancel loads it
        // afresh, it finds the configuration still incomplete and opens a fresh
        // dialog instead of leaving nothing on the screen.
        click(p, "sp", "mnuEdititmConfig");
        QCOMPARE(click(p, "config", "Command3"), QStringList({"config"}));
        QCOMPARE(p.quits, 0);

        // A program path that names no file is not saved.
        QCOMPARE(click(p, "config", "cmdOK"), QStringList({"config"}));
        QVERIFY(
            p.messages.shown.back().text.startsWith("Das Spielprogramm „error“ gibt es nicht."));
        const QString game = p.path("hl.exe");
        touch(game);
        type(p, "config", "program", game);
        QCOMPARE(click(p, "config", "cmdOK"), QStringList({"sp"}));
        QCOMPARE(p.quits, 0);
    }

    // A settings file that exists but cannot be read is named with its reason,
    // not taken for an unconfigured program; nothing opens and nothing changes.
    void unreadableSettingsAreReportedAtStart_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("a folder") << true;
        QTest::newRow("too large") << false;
    }
    void unreadableSettingsAreReportedAtStart() {
        QFETCH(bool, folder);
        Program p;
        const QString file = QString::fromStdString(p.settingsFile());
        if (folder) {
            QVERIFY(QDir().mkpath(file));
        } else {
            QFile big(file);
            QVERIFY(big.open(QIODevice::WriteOnly) &&
                    big.resize(static_cast<qint64>(kLargestReadFile) + 1));
        }
        QVERIFY(!p.start());
        QCOMPARE(p.shown(), QStringList());
        QCOMPARE(p.messages.shown.size(), size_t(1));
        const Message& m = p.messages.shown.back();
        QCOMPARE(m.icon, MsgIcon::Critical);
        QVERIFY2(m.text.contains(QDir::toNativeSeparators(file)) && m.text.contains("Grund: "),
                 qPrintable(m.text));
        QCOMPARE(QFileInfo(file).isDir(), folder);
    }

    void everyWindowHasItsDesignNameUnclippedCaptionsAndOpensCentred() {
        Program p;
        writeBytes(p.settingsFile(), "[MISC]\r\nfirstuse=no\r\ntfc=true\r\nuser=J\xF6rg\r\n");
        const QStringList expected = {"config",         "configtfc",    "connect",   "DirMaps",
                                      "DirMapsTFC",     "DM",           "firstuse1", "firstuse2",
                                      "firstuseconfig", "firstusedone", "frmAbout",  "frmAdvanced",
                                      "MapCycle",       "secret",       "sp",        "splash"};
        for (const QString& name : expected) {
            const auto id = p.id(name);
            QVERIFY2(id, qPrintable(name));
            QWidget* window = p.windows().show(*id);
            QCOMPARE(window->objectName(), name);
            QVERIFY2(clippedCaptions(window).isEmpty(),
                     qPrintable(name + ": " + clippedCaptions(window).join(", ")));
            // Opened with nothing else on the screen: in its middle, whole.
            const QRect screen = window->screen()->availableGeometry();
            QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(name));
            QVERIFY2((window->frameGeometry().center() - screen.center()).manhattanLength() <= 2,
                     qPrintable(name));
            p.windows().unload(*id);
            TestApp::settle();
        }
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
