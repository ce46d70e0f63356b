#include "fakes.h"
#include "frame/file_list_box.h"
#include "launcher/sp_window.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// A program path of 62 characters, as a typical install has.
const std::string kLongProgram =
    "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Half-Life\\hl.exe";

// The main window on a settings file; maps live in folders longer than any
// fixed read buffer.
struct Fixture {
    explicit Fixture(const std::string& tfc = "true") {
        const QString longFolder(110, QLatin1Char('m'));
        app.touch(
            {longFolder + "/crossfire.bsp", longFolder + "/Bounce.BSP", "tfc/maps/2fort.bsp"});
        app.writeSettings("[MISC]\r\nfirstuse=no\r\ntfc=" + tfc + "\r\n[GAMEDIR]\r\nprogram=" +
                          kLongProgram + "\r\nmaps=" + app.path(longFolder).toStdString() +
                          "\r\ntfcmaps=" + app.path("tfc/maps").toStdString() + "\r\n");
        registerWindows(app.context.windows(), {}, {WindowId::sp});
        sp = qobject_cast<SpWindow*>(app.context.windows().show(WindowId::sp));
    }
    const Message& lastMessage() const { return app.messages.shown.back(); }

    TestApp app;
    SpWindow* sp = nullptr;
};

} // namespace

class SpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void loadChecksTheTeamFortressFlag() {
        for (const auto& [tfc, enabled] : {std::pair{"true", true}, std::pair{"false", false},
                                           std::pair{"FALSE", true}, std::pair{"error", true}}) {
            Fixture f(tfc);
            QVERIFY2(f.sp->optTFC->isEnabled() == enabled, tfc);
        }
    }

    void modesSwitchCaptionDifficultyAndMapFolder() {
        Fixture f;
        SpWindow* sp = f.sp;
        QCOMPARE(sp->dirFichiers->fileNames(), QStringList({"Bounce.BSP", "crossfire.bsp"}));
        sp->txtSelMap->setText("kept.bsp");

        sp->optSP->click();
        QCOMPARE(sp->windowTitle(), QStringLiteral("Gravelock - Einspieler Modus"));
        QVERIFY(sp->cmbDifficult->isEnabled());

        sp->optTFC->click();
        QCOMPARE(sp->windowTitle(), QStringLiteral("Gravelock - Team Fortess Classic Spiel"));
        QVERIFY(!sp->cmbDifficult->isEnabled());
        QCOMPARE(sp->dirFichiers->fileNames(), QStringList({"2fort.bsp"}));
        QCOMPARE(sp->txtSelMap->toolTip(),
                 QStringLiteral("Keine Karte selektiert !(Du bist im TFC Modus)"));

        sp->optDM->click();
        QCOMPARE(sp->windowTitle(), QStringLiteral("Gravelock - Deathmatch game"));
        QVERIFY(!sp->cmbDifficult->isEnabled());
        QCOMPARE(sp->dirFichiers->fileNames(), QStringList({"Bounce.BSP", "crossfire.bsp"}));
        QCOMPARE(sp->txtSelMap->text(), QStringLiteral("kept.bsp"));
    }

    void previewMapChoiceAndExtraParameters() {
        Fixture f;
        SpWindow* sp = f.sp;
        sp->cheats->click();
        sp->dev->click();
        sp->numeric->click();
        QCOMPARE(sp->txtCommand->text(), QStringLiteral("  +sv_cheats 1 -dev -numericping"));
        for (QCheckBox* box : {sp->cheats, sp->dev, sp->numeric})
            box->click();
        QCOMPARE(sp->txtCommand->text(), QStringLiteral(" "));

        sp->chkAdd->click();
        sp->parameters->setText("-nojoy");
        sp->chkAdd->click();
        QVERIFY(!sp->parameters->isVisibleTo(sp));
        QCOMPARE(sp->parameters->text(), QStringLiteral("-nojoy"));

        sp->confirmMap->click();
        QCOMPARE(sp->txtSelMap->text(), QString());
        QCOMPARE(sp->txtSelMap->toolTip(), QStringLiteral("Die ausgewählet Karte ist "));
        QVERIFY(sp->dirFichiers->selectFileName("crossfire.bsp"));
        sp->confirmMap->click();
        QCOMPARE(sp->txtSelMap->text(), QStringLiteral("crossfire.bsp"));
        QCOMPARE(sp->txtSelMap->toolTip(),
                 QStringLiteral("Die ausgewählet Karte ist crossfire.bsp"));
    }

    void startHandsTheWholeCommandToTheGame() {
        Fixture f;
        SpWindow* sp = f.sp;
        sp->launch->click();
        QVERIFY(f.app.starter.starts.empty());
        QCOMPARE(f.lastMessage().text, QStringLiteral("Bitte selektiere eine Karte"));
        QCOMPARE(f.lastMessage().title, QStringLiteral("Keine Karte ausgewählt !"));
        QCOMPARE(f.lastMessage().icon, MsgIcon::Exclamation);

        sp->optSP->click();
        QCOMPARE(sp->cmbDifficult->count(), 3);
        sp->cmbDifficult->setCurrentIndex(1); // "Mittel"
        sp->optDM->click(); // the difficulty stays in the disabled box and still counts
        sp->txtSelMap->setText("alpha.bsp");
        sp->console->click();
        sp->numeric->click(); // only the preview shows it
        sp->launch->click();
        QCOMPARE(f.app.starter.starts.size(), size_t(1));
        // The whole program path: no cut to 49 characters.
        QCOMPARE(f.app.starter.starts[0].commandText,
                 kLongProgram + " +deathmatch 1 +map alpha +skill 2 -console");
        QCOMPARE(f.app.starter.starts[0].windowStyle, WindowStyle::MaximisedWithFocus);
        QVERIFY(sp->isVisible());

        // Each mended control as the player sets it.
        struct Step {
            QString difficulty, map, parameters;
            bool cheats;
            std::string tail;
        };
        const std::vector<Step> steps = {
            {"Einfach", "crossfire.bsp", "-w 1920", false, " +map crossfire +skill 1 -w 1920"},
            {"Hard!", "big hall.bsp", "", true, " +map \"big hall\" +skill 3 +sv_cheats 1"},
            {"Wähle ...", "crossfire.bsp", " -nojoy", false, " +map crossfire -nojoy"},
        };
        sp->console->click();
        sp->optSP->click();
        for (const Step& step : steps) {
            sp->cmbDifficult->setEditText(step.difficulty);
            sp->txtSelMap->setText(step.map);
            sp->parameters->setText(step.parameters);
            sp->cheats->setChecked(step.cheats);
            sp->launch->click();
            QCOMPARE(f.app.starter.starts.back().commandText, kLongProgram + step.tail);
        }
    }

    void closeAfterStartOnlyWhenTheGameStarted() {
        Fixture f;
        f.sp->txtSelMap->setText("alpha.bsp");
        f.sp->chkClose->click();
        f.app.starter.result = {false, kLongProgram, "Das Programm wurde nicht gefunden"};
        f.sp->launch->click();
        TestApp::settle();
        QVERIFY(f.app.context.windows().isLoaded(WindowId::sp));
        QCOMPARE(f.lastMessage().icon, MsgIcon::Critical);

        f.app.starter.result = {true, kLongProgram, {}};
        f.sp->launch->click();
        TestApp::settle();
        QVERIFY(!f.app.context.windows().isLoaded(WindowId::sp));
        QCOMPARE(f.app.quitCount, 1); // no other window: the program ends
    }

    void resetPutsTheControlsBack_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("button") << false << true;
        QTest::newRow("menu") << true << true;
        QTest::newRow("cancelled") << false << false;
    }
    void resetPutsTheControlsBack() {
        QFETCH(bool, fromMenu);
        QFETCH(bool, confirmed);
        Fixture f;
        SpWindow* sp = f.sp;
        sp->optSP->click();
        sp->cmbDifficult->setCurrentText("Mittel");
        sp->chkAdd->click();
        sp->parameters->setText("-nojoy");
        const auto boxes = {sp->cheats,  sp->console,  sp->dev,
                            sp->numeric, sp->chkClose, sp->chkAdd};
        for (QCheckBox* box : boxes)
            box->setChecked(true);
        sp->txtSelMap->setText("beta.bsp");
        f.app.messages.replies = {confirmed ? MsgResult::Ok : MsgResult::Cancel};
        fromMenu ? sp->mnuEdititmReset->trigger() : sp->reset->click();
        QCOMPARE(f.lastMessage().text,
                 fromMenu ? QStringLiteral("Bist du sicher ?") : QStringLiteral("Sicher ?"));
        QCOMPARE(f.lastMessage().buttons, MsgButtons::OkCancel);
        if (!confirmed) {
            QVERIFY(sp->optSP->isChecked() && sp->cheats->isChecked());
            QCOMPARE(sp->txtSelMap->text(), QStringLiteral("beta.bsp"));
            return;
        }
        for (QCheckBox* box : boxes)
            QVERIFY(!box->isChecked());
        QCOMPARE(sp->parameters->text(), QString());
        QVERIFY(!sp->parameters->isVisibleTo(sp));
        QCOMPARE(sp->txtSelMap->text(), QString());
        QCOMPARE(sp->txtCommand->text(), QString());
        QVERIFY(sp->optDM->isChecked());
        QVERIFY(!sp->cmbDifficult->isEnabled());
        QCOMPARE(sp->txtSelMap->toolTip(), QStringLiteral("Keine Karte selektiert !"));
        QCOMPARE(sp->optSP->isEnabled(), !fromMenu);

        sp->txtSelMap->setText("beta.bsp");
        sp->launch->click();
        QCOMPARE(f.app.starter.starts.back().commandText,
                 kLongProgram + " +deathmatch 1 +map beta +skill 2");
    }
};

QTEST_MAIN(SpWindowTest)
#include "sp_window_test.moc"
