#include "fakes.h"
#include "setup/config_window.h"
#include "setup/folder_picker.h"
#include "setup/game_search_window.h"
#include "setup/wizard_pages.h"
#include "temp_folder.h"

#include <QtTest>
#include <QtWidgets>

#include <atomic>
#include <future>
#include <optional>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// The setup windows, a stand-in main window, and folder pickers on faked volumes.
struct SetupFixture {
    explicit SetupFixture(const std::string& settings) {
        app.writeSettings(settings);
        for (const char* folder : {"sys/Half-Life/valve/maps", "usb/maps"})
            QDir().mkpath(app.path(QString::fromLatin1(folder)));
        app.volumes.list = {{app.path("sys"), "SYSTEM"}, {app.path("usb"), "STICK"}, {"A:/", ""}};
        app.volumes.notReady = {"A:/"};
        app.volumes.start = app.path("sys/Half-Life");
        finder = {Platform::Posix, app.path("home").toStdString(), {}, {}};
        const auto search = [this] {
            if (hold)
                hold->wait();
            FinderEnvironment copy = finder;
            ++finderCalls;
            return copy;
        };
        registerWindows(windows(), {search},
                        {WindowId::firstuse1, WindowId::firstuse2, WindowId::firstuseconfig,
                         WindowId::firstusedone, WindowId::config, WindowId::DirMaps,
                         WindowId::DirMapsTFC, WindowId::configtfc, WindowId::gamesearch});
        addPlainWindow(windows(), WindowId::sp);
    }

    WindowRegistry& windows() { return app.context.windows(); }
    template <class W> W* show(WindowId id) { return qobject_cast<W*>(windows().show(id)); }
    bool visible(WindowId id) {
        QWidget* w = windows().find(id);
        return w && w->isVisible();
    }
    std::string settingsBytes() const { return readBytes(app.settingsFile()); }
    QString native(const QString& name) { return QDir::toNativeSeparators(app.path(name)); }
    // A game folder under the fake home: the program, valve/maps and maybe tfc/maps.
    void install(const QString& folder, const QString& program, bool tfc) {
        app.touch({folder + "/" + program});
        QDir().mkpath(app.path(folder + "/valve/maps"));
        if (tfc)
            QDir().mkpath(app.path(folder + "/tfc/maps"));
    }

    // Clicks "&Suchen" and waits until the search has answered.
    static void search(GameFoldersWindow* window) {
        window->cmdSearch->click();
        QTRY_VERIFY(window->cmdSearch->isEnabled());
    }

    TestApp app;
    FinderEnvironment finder;                     // "Suchen" looks below the test's own home
    std::optional<std::shared_future<void>> hold; // holds the search until set
    std::atomic<int> finderCalls{0};
};

const std::string kShipped = "[MISC]\r\nfirstuse=yes\r\n";

// A path far beyond the 99 characters of a short read.
const QString kLongMaps = QStringLiteral("D:\\Spiele\\Valve Software\\Half-Life Game Of The Year "
                                         "Edition\\Deutsche Version\\valve\\maps");

// The key in capitals: keys are found regardless of case.
const std::string kConfigured = "[MISC]\r\nfirstuse=no\r\nTFC=true\r\n[GAMEDIR]\r\n"
                                "program=C:\\HL\\hl.exe\r\ntfcmaps=C:\\HL\\tfc\\maps\r\nmaps=" +
                                kLongMaps.toStdString() + "\r\n";

// Double-clicks the entry of the folder list that stands for `folder`.
bool openFolder(FolderListBox* list, const QString& folder) {
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (QDir::toNativeSeparators(item->data(Qt::UserRole).toString()) == folder) {
            list->scrollToItem(item);
            const QPoint at = list->visualItemRect(item).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            return true;
        }
    }
    return false;
}

} // namespace

class SetupWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void wizardChecksInOrderAndKeepsWholePaths() {
        SetupFixture f(kShipped);
        auto* page2 = f.show<Firstuse2Window>(WindowId::firstuse2);
        page2->cmdNext->click();
        page2->txtNick->setText("Jörg");
        page2->cmdNext->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(2));     // one per empty field
        QCOMPARE(f.app.setting("MISC", "user"), "<missing>"); // nothing before both are filled
        page2->txtClan->setText("Die Schrotflinten");
        page2->cmdNext->click();
        TestApp::settle();

        auto* page3 = f.windows().find<FirstuseconfigWindow>(WindowId::firstuseconfig);
        QVERIFY(page3 && page3->isVisible());
        // A program that names no file is refused before anything is written.
        page3->program->setText("C:\\HL\\hl.exe");
        page3->cmdFinish->click();
        QCOMPARE(f.app.messages.shown.back().text,
                 QStringLiteral("Das Spielprogramm „C:\\HL\\hl.exe“ gibt es nicht.\n\n"
                                "Bitte wähle das Spielprogramm (hl.exe) mit „Durchsuchen“."));
        QCOMPARE(f.app.setting("MISC", "tfc"), "<missing>");
        f.app.touch({"HL/hl.exe"});
        page3->program->setText(f.app.path("HL/hl.exe"));
        page3->txtMaps->setText(kLongMaps);
        page3->chkTFC->setChecked(true);
        page3->TFCmaps->setText("");
        page3->cmdFinish->click(); // written, then refused
        TestApp::settle();
        QCOMPARE(f.app.setting("GAMEDIR", "tfcmaps"), "");
        QCOMPARE(f.app.messages.shown.back().title, QStringLiteral("Gravelock"));
        QVERIFY(page3->isVisible());
        page3->chkTFC->setChecked(false);
        page3->cmdFinish->click();
        TestApp::settle();
        QCOMPARE(f.app.messages.shown.size(), size_t(4));

        // The last page refuses a program that went missing meanwhile: back to its page.
        auto* page4 = f.windows().find<FirstusedoneWindow>(WindowId::firstusedone);
        QFile::rename(f.app.path("HL/hl.exe"), f.app.path("HL/gone.exe"));
        page4->cmdFinish->click();
        TestApp::settle();
        QVERIFY(f.app.messages.shown.back().text.startsWith("Das Spielprogramm „"));
        QVERIFY(f.visible(WindowId::firstuseconfig) &&
                !f.windows().isLoaded(WindowId::firstusedone));
        QCOMPARE(f.app.setting("MISC", "firstuse"), "yes");
        QFile::rename(f.app.path("HL/gone.exe"), f.app.path("HL/hl.exe"));
        f.windows().find<FirstuseconfigWindow>(WindowId::firstuseconfig)->cmdFinish->click();
        TestApp::settle();

        // The closing message comes before the main window.
        bool spShownDuringMessage = true;
        f.app.messages.onShow = [&](const Message&) {
            spShownDuringMessage = f.visible(WindowId::sp);
        };
        f.windows().find<FirstusedoneWindow>(WindowId::firstusedone)->cmdFinish->click();
        TestApp::settle();
        QCOMPARE(f.app.messages.shown.size(), size_t(6));
        QVERIFY(!spShownDuringMessage && f.visible(WindowId::sp));
        QCOMPARE(f.app.setting("GAMEDIR", "valve"), kLongMaps.chopped(4).toStdString());
    }

    void dialogOkWritesEverythingAndBringsBackTheMainWindow() {
        SetupFixture f(kConfigured);
        auto* dialog = f.show<ConfigWindow>(WindowId::config);
        QVERIFY(dialog->chkTFC->isChecked() && dialog->TFCmaps->isEnabled());
        dialog->Command2->click(); // a cancelled pick keeps the path
        QCOMPARE(dialog->program->text(), QStringLiteral("C:\\HL\\hl.exe"));
        f.app.touch({"spiele/hl/Hl.exe"});
        f.app.files.replies = {f.app.path("spiele/hl/Hl.exe")};
        dialog->Command2->click();
        QTest::keyClick(dialog->program, Qt::Key_Escape); // not bound
        QTest::keyClick(dialog->program, Qt::Key_Return); // the default button
        TestApp::settle();
        QVERIFY(f.app.messages.shown.empty());
        QCOMPARE(f.app.setting("GAMEDIR", "dds"), f.native("spiele/hl/").toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "valve"), kLongMaps.chopped(4).toStdString());
        QVERIFY(f.visible(WindowId::sp));
    }

    // The route through Steam is on unless the file says "no"; OK writes the box.
    void dialogSteamBoxFollowsTheSettingAndIsWritten() {
        const std::vector<std::tuple<std::string, bool, std::string>> cases = {
            {"", true, "yes"}, {"steam=no\r\n", false, "no"}, {"steam=NO\r\n", true, "yes"}};
        for (const auto& [stored, ticked, written] : cases) {
            SetupFixture f(kConfigured + stored);
            auto* dialog = f.show<ConfigWindow>(WindowId::config);
            QCOMPARE(dialog->chkSteam->isChecked(), ticked);
            QCOMPARE(dialog->chkSteam->text(), QStringLiteral("Über &Steam starten"));
            f.app.touch({"HL/hl.exe"});
            dialog->program->setText(f.app.path("HL/hl.exe"));
            dialog->cmdOK->click();
            QCOMPARE(f.app.setting("GAMEDIR", "steam"), written);
        }
        SetupFixture f(kConfigured);
        f.app.touch({"HL/hl.exe"});
        auto* dialog = f.show<ConfigWindow>(WindowId::config);
        dialog->program->setText(f.app.path("HL/hl.exe"));
        dialog->chkSteam->click();
        dialog->cmdOK->click();
        QCOMPARE(f.app.setting("GAMEDIR", "steam"), "no");
    }

    void dialogCancelLeavesTheFileUntouched() {
        SetupFixture f(kConfigured);
        const std::string before = f.settingsBytes();
        auto* dialog = f.show<ConfigWindow>(WindowId::config);
        dialog->program->setText("changed");
        dialog->chkTFC->click();
        dialog->cmdMaps->click();
        dialog->Command3->click();
        TestApp::settle();
        QCOMPARE(f.settingsBytes(), before);
        QVERIFY(f.visible(WindowId::sp));
        // A picker outliving its opener fills nothing.
        f.windows().find<FolderPickerWindow>(WindowId::DirMaps)->Command1->click();
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded(WindowId::DirMaps));
    }

    void dialogCloseBoxBringsNothingBack() {
        SetupFixture f(kConfigured);
        f.show<ConfigWindow>(WindowId::config)->close();
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded(WindowId::sp));
        QCOMPARE(f.app.quitCount, 1);
    }

    void failedWritesStayOnThePage() {
        SetupFixture f(kShipped);
        auto* page2 = f.show<Firstuse2Window>(WindowId::firstuse2);
        auto* page3 = f.show<FirstuseconfigWindow>(WindowId::firstuseconfig);
        auto* page4 = f.show<FirstusedoneWindow>(WindowId::firstusedone);
        auto* dialog = f.show<ConfigWindow>(WindowId::config);
        page2->txtNick->setText("Nick");
        page2->txtClan->setText("Clan");
        f.app.touch({"HL/hl.exe"});
        const QString game = f.app.path("HL/hl.exe");
        f.app.writeSettings(kShipped + "[GAMEDIR]\r\nprogram=" + game.toStdString() + "\r\n");
        page3->program->setText(game);
        dialog->program->setText(game);
        // Writes fail from now on, a folder standing where the lock file goes; page 3
        // writes before it checks.
        const QString lock = QString::fromStdString(f.app.settingsFile() + ".lock");
        QFile::remove(lock);
        QVERIFY(QDir().mkpath(lock));
        for (QPushButton* button :
             {page2->cmdNext, page3->cmdFinish, page4->cmdFinish, dialog->cmdOK}) {
            const auto before = f.app.messages.shown.size();
            button->click();
            TestApp::settle();
            QCOMPARE(f.app.messages.shown.size(), before + 1); // the write failure only
            QCOMPARE(f.app.messages.shown.back().icon, MsgIcon::Critical);
            QVERIFY(button->window()->isVisible());
        }
        QVERIFY(!f.windows().isLoaded(WindowId::sp));
        page3->cmdPrev->click(); // writes nothing, so no failure either
        TestApp::settle();
        QVERIFY(f.visible(WindowId::firstuse2));
        QCOMPARE(f.app.messages.shown.size(), size_t(4));
    }

    void pickerTakesTheFolderLastOpened() {
        SetupFixture f(kShipped);
        QLineEdit box;
        auto* picker = f.show<FolderPickerWindow>(WindowId::DirMapsTFC);
        QObject::connect(picker, &FolderPickerWindow::folderChosen, &box, &QLineEdit::setText);
        QCOMPARE(picker->rep->path(), f.native("sys/Half-Life")); // the start folder
        QCOMPARE(picker->drve->currentIndex(), 0);
        // Choosing a volume goes to its root, not to the folder last used there.
        picker->drve->setCurrentIndex(1);
        picker->drve->setCurrentIndex(0);
        QCOMPARE(picker->rep->path(), f.native("sys"));
        QVERIFY(openFolder(picker->rep, f.native("sys/Half-Life")));
        QVERIFY(openFolder(picker->rep, f.native("sys/Half-Life/valve")));
        // A single click only selects.
        const QListWidgetItem* maps = picker->rep->item(picker->rep->count() - 1);
        QTest::mouseClick(picker->rep->viewport(), Qt::LeftButton, {},
                          picker->rep->visualItemRect(maps).center());
        // A volume that is not ready keeps the listed folder and names its volume again.
        picker->drve->setCurrentIndex(2);
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        const Message& m = f.app.messages.shown[0];
        QVERIFY(m.title == "... A:" && m.icon == MsgIcon::Critical && m.systemModal);
        QCOMPARE(picker->drve->currentIndex(), 0);
        QTest::keyClick(picker->rep, Qt::Key_Return); // Enter takes, like "&OK"
        QCOMPARE(box.text(), f.native("sys/Half-Life/valve"));
        // Escape takes nothing.
        picker = f.show<FolderPickerWindow>(WindowId::DirMaps);
        QObject::connect(picker, &FolderPickerWindow::folderChosen, &box, &QLineEdit::setText);
        QTest::keyClick(picker->rep, Qt::Key_Escape);
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded(WindowId::DirMaps));
        QCOMPARE(box.text(), f.native("sys/Half-Life/valve"));
    }

    void searchFillsTheBoxesAndWritesNothing() {
        const QString steamGame = "home/.local/share/Steam/steamapps/common/Half-Life";
        const QString wineGame = "home/.wine/drive_c/Program Files/Half-Life";
        const struct {
            WindowId opener;
            const char* what;
            bool steam, wine;
            int pick;        // the row taken from the list; -1: no list
            QString program; // expected in `program`; empty: unchanged
            bool tfc;        // chkTFC ticked by the search
        } cases[] = {
            {WindowId::firstuseconfig, "none", false, false, -1, {}, false},
            {WindowId::config, "one", true, false, -1, steamGame + "/hl.sh", true},
            {WindowId::firstuseconfig, "several", true, true, 1, wineGame + "/hl.exe", false},
            {WindowId::config, "several", true, true, 0, steamGame + "/hl.sh", true},
        };
        for (const auto& c : cases) {
            const QString what = designName(c.opener) + ", " + c.what;
            SetupFixture f(kShipped);
            if (c.steam)
                f.install(steamGame, "hl.sh", true);
            if (c.wine)
                f.install(wineGame, "hl.exe", false);
            auto* window = qobject_cast<GameFoldersWindow*>(f.windows().show(c.opener));
            // Every access key is its own in the window, and Enter stays with the default button.
            QStringList keys;
            for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
                if (const QString key = QKeySequence::mnemonic(button->text()).toString();
                    !key.isEmpty())
                    keys << key;
            QCOMPARE(keys.size(), QSet<QString>(keys.begin(), keys.end()).size());
            QCOMPARE(QKeySequence::mnemonic(window->cmdSearch->text()).toString(), "Alt+U");
            QVERIFY(!window->cmdSearch->autoDefault());
            const std::string before = f.settingsBytes();
            SetupFixture::search(window);

            auto* list = f.windows().find<GameSearchWindow>(WindowId::gamesearch);
            QVERIFY2((list != nullptr) == (c.pick >= 0), qPrintable(what));
            if (list) {
                QVERIFY(list->isVisible());
                QCOMPARE(list->lstGames->count(), 2);
                QCOMPARE(list->lstGames->currentRow(), 0);
                QVERIFY(list->lstGames->item(0)->text().endsWith("(mit Team Fortress Classic)"));
                QCOMPARE(list->lstGames->item(0)->toolTip(), list->lstGames->item(0)->text());
                list->lstGames->setCurrentRow(c.pick);
                QTest::keyClick(list->lstGames, Qt::Key_Return);
                TestApp::settle();
                QVERIFY(!f.windows().isLoaded(WindowId::gamesearch));
            }
            if (c.program.isEmpty()) {
                QCOMPARE(f.app.messages.shown.size(), size_t(1));
                const Message& m = f.app.messages.shown[0];
                QCOMPARE(m.title, QStringLiteral("Half-Life nicht gefunden"));
                QVERIFY(m.text.contains(QDir::toNativeSeparators(f.app.path("home/.wine"))));
                QCOMPARE(window->program->text(), QStringLiteral("error"));
            } else {
                QVERIFY2(f.app.messages.shown.empty(), qPrintable(what));
                QCOMPARE(window->program->text(), f.native(c.program));
                const QString folder = QFileInfo(f.app.path(c.program)).path();
                QCOMPARE(window->txtMaps->text(), QDir::toNativeSeparators(folder + "/valve/maps"));
                QCOMPARE(window->chkTFC->isChecked(), c.tfc);
                QCOMPARE(window->TFCmaps->isEnabled(), c.tfc);
                if (c.tfc)
                    QCOMPARE(window->TFCmaps->text(),
                             QDir::toNativeSeparators(folder + "/tfc/maps"));
            }
            QCOMPARE(f.settingsBytes(), before);
        }
    }

    void listOutlivingItsOpenerFillsNothingAndOkStillWrites() {
        SetupFixture f(kConfigured);
        f.install("home/.steam/steam/steamapps/common/Half-Life", "hl.sh", false);
        f.install("home/.wine/drive_c/Program Files/Half-Life", "hl.exe", false);
        auto* dialog = f.show<ConfigWindow>(WindowId::config);
        SetupFixture::search(dialog);
        dialog->Command3->click();
        TestApp::settle();
        auto* list = f.windows().find<GameSearchWindow>(WindowId::gamesearch);
        list->cmdOK->click();
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded(WindowId::gamesearch));
        QCOMPARE(f.app.setting("GAMEDIR", "program"), std::string("C:\\HL\\hl.exe"));

        dialog = f.show<ConfigWindow>(WindowId::config);
        SetupFixture::search(dialog);
        f.windows().find<GameSearchWindow>(WindowId::gamesearch)->cmdOK->click();
        dialog->cmdOK->click();
        TestApp::settle();
        const QString program = f.native("home/.steam/steam/steamapps/common/Half-Life/hl.sh");
        QCOMPARE(f.app.setting("GAMEDIR", "program"), program.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "dds"),
                 QDir::toNativeSeparators(QFileInfo(program).path() + "/").toStdString());
    }

    void searchNeverHoldsTheWindow() {
        for (const bool closeFirst : {false, true}) {
            SetupFixture f(kShipped);
            f.install("home/.steam/steam/steamapps/common/Half-Life", "hl.sh", false);
            std::promise<void> release;
            f.hold = release.get_future().share();
            auto* dialog = f.show<ConfigWindow>(WindowId::config);
            dialog->cmdSearch->click();
            // It shows that it runs, and the window goes on handling events.
            QVERIFY(!dialog->cmdSearch->isEnabled());
            QCOMPARE(dialog->cursor().shape(), Qt::BusyCursor);
            bool ticked = false;
            QTimer tick;
            QObject::connect(&tick, &QTimer::timeout, [&] { ticked = true; });
            tick.start(0);
            QTRY_VERIFY(ticked);
            if (closeFirst) // the answer for a window gone by then is dropped
                dialog->Command3->click();
            release.set_value();
            if (closeFirst) {
                QTRY_COMPARE(f.finderCalls.load(), 1); // done with the fixture
                QTest::qWait(20);
                QVERIFY(!f.windows().isLoaded(WindowId::config));
            } else {
                QTRY_COMPARE(dialog->program->text(),
                             f.native("home/.steam/steam/steamapps/common/Half-Life/hl.sh"));
            }
        }
    }

    void pickersOpenWhereTheOpenersBoxPoints() {
        const struct {
            const char* what;
            QString box; // relative to the test folder when it does not start with '#'
            QString opened;
            int volume;
        } cases[] = {
            {"the box's folder", "usb/maps", "usb/maps", 1},
            {"a relative text", "#error", "sys/Half-Life", 0},
            {"a folder that is gone", "usb/gone", "sys/Half-Life", 0},
        };
        for (const auto& c : cases) {
            SetupFixture f(kShipped);
            auto* dialog = f.show<ConfigWindow>(WindowId::config);
            dialog->txtMaps->setText(c.box.startsWith('#') ? c.box.mid(1) : f.app.path(c.box));
            dialog->cmdMaps->click();
            auto* picker = f.windows().find<FolderPickerWindow>(WindowId::DirMaps);
            QVERIFY2(picker->rep->path() == f.native(c.opened), c.what);
            QVERIFY2(picker->drve->currentIndex() == c.volume, c.what);
        }
        // Folders named with a dot come after the others; files are not listed.
        SetupFixture f(kShipped);
        for (const char* folder : {".wine", "Zeta", ".steam", "alpha"})
            QDir().mkpath(f.app.path(QStringLiteral("sys/Half-Life/") + folder));
        f.app.touch({"sys/Half-Life/.hidden-file", "sys/Half-Life/readme.txt"});
        auto* picker = f.show<FolderPickerWindow>(WindowId::DirMaps);
        QStringList listed;
        for (int i = 0; i < picker->rep->count(); ++i)
            listed << picker->rep->item(i)->text().trimmed();
        QCOMPARE(listed.mid(listed.indexOf("Half-Life") + 1),
                 QStringList({"alpha", "valve", "Zeta", ".steam", ".wine"}));
    }

    void programPickerOpensAtTheProgramAndPrefersTheScript() {
        const struct {
            const char* what;
            QString program, reply; // relative to the test folder
            bool script;            // hl.sh beside the reply
            QString opened;         // empty: the home folder
            QString taken;
        } cases[] = {
            {"hl_linux beside its script", "game/hl_linux", "game/hl_linux", true, "game",
             "game/hl.sh"},
            {"no script beside it", "gone/hl.exe", "bare/hl_linux", false, {}, "bare/hl_linux"},
        };
        for (const auto& c : cases) {
            SetupFixture f(kShipped);
            f.app.touch({c.reply});
            if (c.script)
                f.app.touch({QFileInfo(c.reply).path() + "/hl.sh"});
            auto* dialog = f.show<ConfigWindow>(WindowId::config);
            dialog->program->setText(f.app.path(c.program));
            f.app.files.replies = {f.app.path(c.reply)};
            dialog->Command2->click();
            const QString opened = c.opened.isEmpty() ? QDir::homePath() : f.app.path(c.opened);
            QVERIFY2(f.app.files.folders.at(0) == opened, c.what);
            QVERIFY2(dialog->program->text() == f.native(c.taken), c.what);
            // The switch is said in one line; a plain pick says nothing.
            QCOMPARE(f.app.messages.shown.size(), size_t(c.script ? 1 : 0));
            if (c.script)
                QVERIFY(!f.app.messages.shown[0].text.contains('\n'));
        }
    }

    void programPickerAcceptsThisPlatformsGame() {
        // What each opener's file dialog lets through, matched as the dialog does.
        const bool posix = hostPlatform() == Platform::Posix;
        const std::vector<std::pair<const char*, bool>> names = {
            {"hl.exe", true},  {"HL.EXE", true},      {"Hl.exe", true},
            {"hl.sh", posix},  {"HL.sh", posix},      {"hl_linux", posix},
            {"hl.bat", false}, {"hl.exe.bak", false}, {"xhl.sh", false}};
        for (const WindowId opener : {WindowId::firstuseconfig, WindowId::config}) {
            SetupFixture f(kShipped);
            f.windows().show(opener)->findChild<QPushButton*>("Command2")->click();
            const QString filter = f.app.files.filters.at(0);
            const QString inner = filter.section('(', -1).chopped(1);
            for (const auto& [name, accepted] : names) {
                bool matched = false;
                for (const QString& pattern : inner.split(' ', Qt::SkipEmptyParts))
                    matched = matched ||
                              QRegularExpression::fromWildcard(pattern, posix ? Qt::CaseSensitive
                                                                              : Qt::CaseInsensitive)
                                  .match(QString::fromLatin1(name))
                                  .hasMatch();
                QVERIFY2(matched == accepted, qPrintable(filter + " / " + name));
            }
            if (posix)
                QVERIFY2(filter.contains("hl.sh") && filter.contains("hl_linux"),
                         qPrintable(filter));
        }
    }

    void eachOpenerGetsItsOwnBoxFilled() {
        // The opener, its button, the picker that opens and the box it fills.
        const struct {
            WindowId opener;
            const char* button;
            WindowId picker;
            const char* box;
        } cases[] = {{WindowId::firstuseconfig, "cmdMaps", WindowId::DirMaps, "txtMaps"},
                     {WindowId::firstuseconfig, "cmdTFCMaps", WindowId::configtfc, "TFCmaps"},
                     {WindowId::config, "cmdMaps", WindowId::DirMaps, "txtMaps"},
                     {WindowId::config, "cmdTFCMaps", WindowId::DirMapsTFC, "TFCmaps"}};
        for (const auto& [opener, button, picker, box] : cases) {
            SetupFixture f(kShipped); // no tfc: TFCmaps is disabled, its button is not
            QWidget* window = f.windows().show(opener);
            window->findChild<QPushButton*>(button)->click();
            auto* pickerWindow = f.windows().find<FolderPickerWindow>(picker);
            QVERIFY2(pickerWindow && pickerWindow->isVisible(), button);
            QVERIFY(window->isEnabled()); // modeless
            pickerWindow->drve->setCurrentIndex(1);
            pickerWindow->Command1->click();
            QCOMPARE(window->findChild<QLineEdit*>(box)->text(), f.native("usb"));
        }
    }
};

QTEST_MAIN(SetupWindowsTest)
#include "setup_windows_test.moc"
