#include "core/ui/widgets.h" // FileListBox
#include "fakes.h"
#include "launcher/launcher_windows.h"
#include "launcher/sp_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// A program path of 62 characters, as a typical install has.
const std::string kLongProgram =
    "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Half-Life\\hl.exe";

struct Fixture {
    explicit Fixture(const std::string& settings) {
        app.writeSettings(settings);
        registerLauncherWindows(app.context.windows());
        // The configuration dialog, as a bare stand-in.
        app.context.windows().add("config", [](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName("config");
            return w;
        });
    }
    SpWindow* show() { return app.context.windows().find<SpWindow>("sp") ? sp() : open(); }
    SpWindow* open() {
        app.context.windows().show("sp");
        return sp();
    }
    SpWindow* sp() { return app.context.windows().find<SpWindow>("sp"); }

    TestApp app;
};

std::string configured(const std::string& tfc = "true") {
    return "[MISC]\r\nfirstuse=no\r\ntfc=" + tfc + "\r\n[GAMEDIR]\r\nprogram=" + kLongProgram +
           "\r\nmaps=MAPS\r\ntfcmaps=TFCMAPS\r\n";
}

QStringList listed(FileListBox* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

} // namespace

class SpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void loadChecksTheTeamFortressFlag_data() {
        QTest::addColumn<QString>("tfc");
        QTest::addColumn<bool>("tfcEnabled");
        QTest::newRow("true") << "true" << true;
        QTest::newRow("false") << "false" << false;
        QTest::newRow("FALSE") << "FALSE" << true;
        QTest::newRow("error") << "error" << true;
    }
    void loadChecksTheTeamFortressFlag() {
        QFETCH(QString, tfc);
        QFETCH(bool, tfcEnabled);
        Fixture f(configured(tfc.toStdString()));
        SpWindow* sp = f.open();
        QCOMPARE(sp->optTFC->isEnabled(), tfcEnabled);
    }

    void incompleteConfigurationOpensTheDialogAndHides() {
        Fixture f("[MISC]\r\nfirstuse=no\r\n");
        SpWindow* sp = f.open();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].text,
                 QStringLiteral("Du hast den ORVO nicht komplett Konfiguriert"));
        QCOMPARE(f.app.messages.shown[0].title, QStringLiteral("Configuration error"));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::None);
        QVERIFY(f.app.context.windows().find("config")->isVisible());
        QVERIFY(!sp->isVisible());
        QVERIFY(sp->optTFC->isEnabled());
        // The dialog shows the main window again without loading it afresh.
        QCOMPARE(f.app.context.windows().show("sp"), sp);
        QVERIFY(sp->isVisible());
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
    }

    void modesSwitchCaptionDifficultyAndMapFolder() {
        Fixture f(configured());
        f.app.touch(
            {"MAPS/crossfire.bsp", "MAPS/Bounce.BSP", "MAPS/notes.txt", "TFCMAPS/2fort.bsp"});
        // Relative folders resolve against the working directory: use absolute ones.
        f.app.writeSettings(
            "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nmaps=" + f.app.path("MAPS").toStdString() +
            "\r\ntfcmaps=" + f.app.path("TFCMAPS").toStdString() + "\r\n");
        SpWindow* sp = f.open();
        QCOMPARE(listed(sp->dirFichiers), QStringList({"Bounce.BSP", "crossfire.bsp"}));
        sp->txtSelMap->setText("kept.bsp");

        sp->optSP->click();
        QCOMPARE(sp->windowTitle(), QStringLiteral("Gravelock - Einspieler Modus"));
        QVERIFY(sp->cmbDifficult->isEnabled());
        QCOMPARE(sp->txtSelMap->toolTip(),
                 QStringLiteral("Keine Karte selktiert (Du bist im Einspieler Modus)"));

        sp->optTFC->click();
        QCOMPARE(sp->windowTitle(), QStringLiteral("Gravelock - Team Fortess Classic Spiel"));
        QVERIFY(!sp->cmbDifficult->isEnabled());
        QCOMPARE(listed(sp->dirFichiers), QStringList({"2fort.bsp"}));
        QCOMPARE(sp->txtSelMap->toolTip(),
                 QStringLiteral("Keine Karte selektiert !(Du bist im TFC Modus)"));

        sp->optDM->click();
        QCOMPARE(sp->windowTitle(), QStringLiteral("Gravelock - Deathmatch game"));
        QVERIFY(!sp->cmbDifficult->isEnabled());
        QCOMPARE(listed(sp->dirFichiers), QStringList({"Bounce.BSP", "crossfire.bsp"}));
        QCOMPARE(sp->txtSelMap->toolTip(),
                 QStringLiteral("Keine Karte selektiert (Du bist im DM Modus)"));
        QCOMPARE(sp->txtSelMap->text(), QStringLiteral("kept.bsp"));
    }

    void mapFoldersAreReadWhole() {
        Fixture f(configured());
        const QString folder = QString(120, QLatin1Char('m'));
        f.app.touch({folder + "/deep.bsp"});
        f.app.writeSettings(
            "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nmaps=" + f.app.path(folder).toStdString() +
            "\r\ntfcmaps=" + f.app.path(folder).toStdString() + "\r\n");
        SpWindow* sp = f.open();
        QCOMPARE(listed(sp->dirFichiers), QStringList({"deep.bsp"}));
        sp->optTFC->click();
        QCOMPARE(listed(sp->dirFichiers), QStringList({"deep.bsp"}));
    }

    void previewAndExtraParameters() {
        Fixture f(configured());
        SpWindow* sp = f.open();
        sp->cheats->click();
        sp->dev->click();
        QCOMPARE(sp->txtCommand->text(), QStringLiteral("  -sv_cheats 1 -dev"));
        sp->numeric->click();
        QCOMPARE(sp->txtCommand->text(), QStringLiteral("  -sv_cheats 1 -dev -numericping"));
        for (QCheckBox* box : {sp->cheats, sp->dev, sp->numeric})
            box->click();
        QCOMPARE(sp->txtCommand->text(), QStringLiteral(" "));

        sp->chkAdd->click();
        QVERIFY(sp->parameters->isVisibleTo(sp));
        sp->parameters->setText("-nojoy");
        sp->chkAdd->click();
        QVERIFY(!sp->parameters->isVisibleTo(sp));
        QCOMPARE(sp->parameters->text(), QStringLiteral("-nojoy"));
    }

    void confirmMapTakesTheSelectedFile() {
        Fixture f(configured());
        f.app.touch({"MAPS/crossfire.bsp"});
        f.app.writeSettings(
            "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nmaps=" + f.app.path("MAPS").toStdString() + "\r\n");
        SpWindow* sp = f.open();
        sp->confirmMap->click();
        QCOMPARE(sp->txtSelMap->text(), QString());
        QCOMPARE(sp->txtSelMap->toolTip(), QStringLiteral("Die ausgewählet Karte ist "));
        sp->dirFichiers->setCurrentRow(0);
        sp->confirmMap->click();
        QCOMPARE(sp->txtSelMap->text(), QStringLiteral("crossfire.bsp"));
        QCOMPARE(sp->txtSelMap->toolTip(),
                 QStringLiteral("Die ausgewählet Karte ist crossfire.bsp"));
    }

    void startWithoutMapAsksForOne() {
        Fixture f(configured());
        SpWindow* sp = f.open();
        sp->launch->click();
        QVERIFY(f.app.starter.starts.empty());
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].text, QStringLiteral("Bitte selektiere eine Karte"));
        QCOMPARE(f.app.messages.shown[0].title, QStringLiteral("Keine Karte ausgewählt !"));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Exclamation);
    }

    void startHandsTheWholeCommandToTheGame() {
        Fixture f(configured());
        SpWindow* sp = f.open();
        sp->optSP->click();
        sp->cmbDifficult->setCurrentText("Mittel");
        sp->optDM->click(); // the difficulty stays in the disabled box and still counts
        sp->txtSelMap->setText("alpha.bsp");
        sp->console->click();
        sp->numeric->click(); // only the preview shows it
        sp->launch->click();
        QCOMPARE(f.app.starter.starts.size(), size_t(1));
        // The whole program path: no cut to 49 characters.
        QCOMPARE(f.app.starter.starts[0].commandText,
                 kLongProgram + " +deathmatch 1 +map alpha +set skill 1 -console");
        QCOMPARE(f.app.starter.starts[0].windowStyle, 3);
        QVERIFY(f.app.messages.shown.empty());
        QVERIFY(sp->isVisible());
    }

    void closeAfterStartOnlyWhenTheGameStarted() {
        Fixture f(configured());
        SpWindow* sp = f.open();
        sp->txtSelMap->setText("alpha.bsp");
        sp->chkClose->click();
        f.app.starter.result = {false, kLongProgram, "Das Programm wurde nicht gefunden"};
        sp->launch->click();
        TestApp::settle();
        QVERIFY(f.app.context.windows().isLoaded("sp"));
        QCOMPARE(f.app.messages.shown.back().icon, MsgIcon::Critical);

        f.app.starter.result = {true, kLongProgram, {}};
        sp->launch->click();
        TestApp::settle();
        QVERIFY(!f.app.context.windows().isLoaded("sp"));
        QCOMPARE(f.app.quitCount, 1); // no other window: the program ends
    }

    void resetWithCancelChangesNothing() {
        Fixture f(configured());
        SpWindow* sp = f.open();
        sp->cheats->click();
        sp->txtSelMap->setText("a.bsp");
        f.app.messages.replies = {MsgResult::Cancel};
        sp->reset->click();
        QCOMPARE(f.app.messages.shown.back().text, QStringLiteral("Sicher ?"));
        QCOMPARE(f.app.messages.shown.back().title,
                 QStringLiteral("Standardisiere alle Konfigurationen"));
        QCOMPARE(f.app.messages.shown.back().buttons, MsgButtons::OkCancel);
        QVERIFY(sp->cheats->isChecked());
        QCOMPARE(sp->txtSelMap->text(), QStringLiteral("a.bsp"));
    }

    void resetPutsTheControlsBack_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }
    void resetPutsTheControlsBack() {
        QFETCH(bool, fromMenu);
        Fixture f(configured());
        SpWindow* sp = f.open();
        sp->optSP->click();
        sp->cmbDifficult->setCurrentText("Mittel");
        sp->chkAdd->click();
        sp->parameters->setText("-nojoy");
        for (QCheckBox* box : {sp->cheats, sp->console, sp->dev, sp->numeric, sp->chkClose})
            box->click();
        sp->txtSelMap->setText("beta.bsp");
        if (fromMenu)
            sp->mnuEdititmReset->trigger();
        else
            sp->reset->click();
        QCOMPARE(f.app.messages.shown.back().text,
                 fromMenu ? QStringLiteral("Bist du sicher ?") : QStringLiteral("Sicher ?"));
        for (QCheckBox* box :
             {sp->cheats, sp->console, sp->dev, sp->numeric, sp->chkClose, sp->chkAdd})
            QVERIFY(!box->isChecked());
        QCOMPARE(sp->parameters->text(), QString());
        QVERIFY(!sp->parameters->isVisibleTo(sp));
        QCOMPARE(sp->txtSelMap->text(), QString());
        QCOMPARE(sp->txtCommand->text(), QString());
        QVERIFY(sp->optDM->isChecked());
        QCOMPARE(sp->windowTitle(), QStringLiteral("Gravelock - Deathmatch game"));
        QVERIFY(!sp->cmbDifficult->isEnabled());
        QCOMPARE(sp->cmbDifficult->currentText(), QStringLiteral("Mittel"));
        QCOMPARE(sp->txtSelMap->toolTip(), QStringLiteral("Keine Karte selektiert !"));
        QCOMPARE(sp->optSP->isEnabled(), !fromMenu);

        sp->txtSelMap->setText("beta.bsp");
        sp->launch->click();
        QCOMPARE(f.app.starter.starts.back().commandText,
                 kLongProgram + " +deathmatch 1 +map beta +set skill 1");
    }
};

QTEST_MAIN(SpWindowTest)
#include "sp_window_test.moc"
