#include "advanced/advanced_windows.h"
#include "advanced/frm_advanced_window.h"
#include "core/ui/widgets.h"
#include "fakes.h"
#include "launcher/launcher_windows.h"
#include "launcher/sp_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// A program path longer than 99 characters must reach the game whole.
const std::string kLongProgram =
    "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Half-Life Game Of The Year Edition\\"
    "Binaries Folder\\hl.exe";

const QString kVideoAfterLoad =
    QStringLiteral(" +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0 -soft");

struct Fixture {
    explicit Fixture(const std::string& settings = "[GAMEDIR]\r\nprogram=" + kLongProgram +
                                                   "\r\n") {
        app.writeSettings(settings);
        registerAdvancedWindows(app.context.windows());
        app.context.windows().add("sp", [](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName("sp");
            return w;
        });
        app.context.windows().show("frmAdvanced");
    }
    FrmAdvancedWindow* w() { return app.context.windows().find<FrmAdvancedWindow>("frmAdvanced"); }
    QStringList messages() const {
        QStringList texts;
        for (const Message& m : app.messages.shown)
            texts << m.text;
        return texts;
    }

    TestApp app;
};

QStringList entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void select(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    found.constFirst()->setSelected(true);
}

} // namespace

class FrmAdvancedWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designStateAfterLoad() {
        Fixture f;
        FrmAdvancedWindow* w = f.w();
        QCOMPARE(w->windowTitle(), QStringLiteral("Erweiterter Gravelock"));
        QCOMPARE(w->SSTab1->objectName(), QStringLiteral("SSTab1"));

        const QList<QStringList> tabs{
            {"Video", "Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6"},
            {"Audio", "Frame11", "Frame10", "Frame9", "Frame8", "Frame7"},
            {"Spieler", "Frame23", "Frame22", "Frame21", "Frame20", "Frame19", "Frame18"},
            {"Misc.", "Frame16", "Frame14", "Frame12", "Frame15", "Frame13"},
            {"Starten", "Frame24", "Frame17"}};
        QCOMPARE(w->SSTab1->count(), tabs.size());
        for (int i = 0; i < tabs.size(); ++i) {
            QCOMPARE(w->SSTab1->tabText(i), tabs[i][0]);
            QStringList frames;
            for (auto* box :
                 w->SSTab1->widget(i)->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
                frames << box->objectName();
            QCOMPARE(frames, tabs[i].mid(1));
        }

        QCOMPARE(entries(w->lstResol),
                 QStringList({"320x200", "400x300", "512x384", "640x480", "800x600", "1024x768"}));
        QCOMPARE(entries(w->lstModel), QStringList({"Barney", "Scientist", "Skeleton", "Helmet",
                                                    "Gordon", "Gina", "Cannibal", "Robo"}));
        QCOMPARE(w->lstCDTrack->count(), 18);
        QCOMPARE(w->lstCDTrack->item(17)->text(), QStringLiteral("18"));
        for (QListWidget* list : {w->lstResol, w->lstModel, w->lstCDTrack})
            QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(w->Skill->count(), 3);
        QVERIFY(w->Skill->isEditable());
        QCOMPARE(w->Skill->currentText(), QString());

        QVERIFY(w->optSoftware->isChecked());
        for (QRadioButton* o :
             {w->optFullScrn, w->optWinMode, w->optNoTrack, w->optLoop, w->optPlayOnce})
            QVERIFY2(!o->isChecked(), qPrintable(o->objectName()));
        QVERIFY(!w->txtAdditional->isVisibleTo(w));

        QCOMPARE(w->lblFullCommandLine->text(), QString::fromStdString(kLongProgram));
        QCOMPARE(w->lblFakeLag->text(), QStringLiteral("0"));
        QCOMPARE(w->lblFakePacketLoss->text(), QStringLiteral("0"));
        for (QLabel* l : {w->lblGameSound, w->lblHEVSuit, w->lblCommandLine, w->lblSndCommandLine,
                          w->lblMiscCommandLine, w->lblClientCommandLine})
            QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName()));

        for (QSlider* s : {w->GameAudio, w->HEVSuit, w->FakeLagSlider, w->FakePacketSlider}) {
            QCOMPARE(s->orientation(), Qt::Horizontal);
            QCOMPARE(s->minimum(), 0);
            QCOMPARE(s->maximum(), 10);
            QCOMPARE(s->singleStep(), 1);
            QCOMPARE(s->pageStep(), 5);
            QCOMPARE(s->value(), 0);
        }

        QCOMPARE(w->mnuFile->title(), QStringLiteral("&Datei"));
        QCOMPARE(w->mnuFileitmORVO->text(), QStringLiteral("&Gravelock"));
        QCOMPARE(w->Command1->text(), QStringLiteral("&Spiel starten"));
        for (int i = 0; i < w->SSTab1->count(); ++i) {
            w->SSTab1->setCurrentIndex(i);
            QVERIFY2(clippedCaptions(w).isEmpty(), qPrintable(clippedCaptions(w).join(", ")));
        }
    }

    // Each generator shows its problems while its label still holds the old line.
    void generatorsRightAfterLoad() {
        Fixture f;
        FrmAdvancedWindow* w = f.w();
        QStringList labelsWhileShown;
        f.app.messages.onShow = [&](const Message& m) {
            QCOMPARE(m.title, QStringLiteral("Error!"));
            QCOMPARE(m.icon, MsgIcon::Critical);
            QCOMPARE(m.buttons, MsgButtons::Ok);
            labelsWhileShown << w->lblCommandLine->text() + "|" + w->lblClientCommandLine->text() +
                                    "|" + w->lblSndCommandLine->text();
        };

        w->cmdGenerate->click();
        w->cmdClientGenerate->click();
        w->cmdSndGen->click();
        w->cmdMiscGenerate->click();
        QCOMPARE(f.messages(), QStringList({"Choose a resolution!", "Bitte wähle ein Modell aus",
                                            "Choose sound volume!", "Choose HEV suit volume!"}));
        QCOMPARE(labelsWhileShown[0], QStringLiteral("||"));
        QCOMPARE(labelsWhileShown[1], kVideoAfterLoad + "||");

        QCOMPARE(w->lblCommandLine->text(), kVideoAfterLoad);
        QVERIFY(w->lblClientCommandLine->text().startsWith(" +cl_allowdownload 0"));
        QCOMPARE(
            w->lblSndCommandLine->text(),
            QStringLiteral(
                " +bgmvolume 0 +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume  +suitvolume "));
        QCOMPARE(
            w->lblMiscCommandLine->text(),
            QStringLiteral(" -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0"
                           " +violence_ablood 0 +violence_agibs 0 -skill  +fakelag 0 +fakeloss 0"));

        // A second press rebuilds and replaces.
        w->cmdGenerate->click();
        QCOMPARE(w->lblCommandLine->text(), kVideoAfterLoad);
    }

    void controlsReachTheLines() {
        Fixture f;
        FrmAdvancedWindow* w = f.w();
        select(w->lstResol, "512x384");
        w->optOpenGL->click();
        w->optWinMode->click();
        w->chkConsole->click();
        w->chkAdditional->click();
        QVERIFY(w->txtAdditional->isVisibleTo(w));
        w->txtAdditional->setText("-nojoy");
        w->cmdGenerate->click();
        QCOMPARE(
            w->lblCommandLine->text(),
            QStringLiteral(" +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0"
                           " -console -gl -win -vid_config_y 512 -vid_config_x 384 -nojoy"));
        // Hiding keeps the text but stops using it.
        w->chkAdditional->click();
        QVERIFY(!w->txtAdditional->isVisibleTo(w));
        QCOMPARE(w->txtAdditional->text(), QStringLiteral("-nojoy"));
        w->cmdGenerate->click();
        QVERIFY(!w->lblCommandLine->text().contains("-nojoy"));

        select(w->lstModel, "Gordon");
        w->txtName->setText("Big Ace");
        w->txtMaxFRate->setText("60");
        w->chkDelta->click();
        w->chkIPXOn->click();
        w->cmdClientGenerate->click();
        QCOMPARE(
            w->lblClientCommandLine->text(),
            QStringLiteral(" +model Gordon +cl_allowdownload 0 +cl_allowupload 0 +cl_himodels 0"
                           " +c_deltas 0 +spectator 0 -noipx 0 -noip 1 -precache 0"
                           " +name Big Ace +fps_modem 60 -connect "));

        w->optLoop->click();
        select(w->lstCDTrack, "12");
        w->chkCDAudio->click();
        w->GameAudio->setValue(7);
        w->HEVSuit->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(w->lblHEVSuit->text(), QStringLiteral("5"));
        w->HEVSuit->setValue(3);
        w->cmdSndGen->click();
        QCOMPARE(
            w->lblSndCommandLine->text(),
            QStringLiteral(
                " +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume 7 +suitvolume 3 +cd loop 12"));

        w->Skill->setEditText("5");
        w->FakeLagSlider->setValue(10);
        w->FakePacketSlider->setValue(4);
        w->FakePacketSlider->setValue(0);
        w->chkAGibs->click();
        w->cmdMiscGenerate->click();
        QCOMPARE(w->lblMiscCommandLine->text(),
                 QStringLiteral(
                     " -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0"
                     " +violence_ablood 0 +violence_agibs 1 -skill 5 +fakelag 10 +fakeloss 0"));
        QCOMPARE(f.app.messages.shown.size(), size_t(0));
    }

    void greyedBoxesCountAsUnticked() {
        Fixture f;
        FrmAdvancedWindow* w = f.w();
        for (QCheckBox* box : {w->chkPlShadows, w->chkConsole, w->chkAdditional, w->chkDelta,
                               w->chkCDAudio, w->chkDMOn})
            box->setCheckState(Qt::PartiallyChecked);
        QVERIFY(!w->txtAdditional->isVisibleTo(w));
        w->cmdGenerate->click();
        w->cmdClientGenerate->click();
        w->cmdSndGen->click();
        w->cmdMiscGenerate->click();
        QCOMPARE(w->lblCommandLine->text(), kVideoAfterLoad);
        QVERIFY(w->lblClientCommandLine->text().contains(" +c_deltas 1"));
        QVERIFY(w->lblSndCommandLine->text().startsWith(" +bgmvolume 0"));
        QVERIFY(w->lblMiscCommandLine->text().startsWith(" -deathmatch 0"));
    }

    void typedMarkupStaysText() {
        Fixture f;
        FrmAdvancedWindow* w = f.w();
        select(w->lstModel, "Gina");
        w->txtName->setText("<b>Ace</b>");
        w->cmdClientGenerate->click();
        QCOMPARE(w->lblClientCommandLine->textFormat(), Qt::PlainText);
        QVERIFY(w->lblClientCommandLine->text().contains(" +name <b>Ace</b> "));
    }

    void fullLineAccumulatesAndStarts() {
        Fixture f;
        FrmAdvancedWindow* w = f.w();
        const QString program = QString::fromStdString(kLongProgram);
        w->cmdFullGen->click();
        QCOMPARE(w->lblFullCommandLine->text(), program);

        select(w->lstResol, "640x480");
        select(w->lstModel, "Robo");
        w->GameAudio->setValue(2);
        w->HEVSuit->setValue(2);
        for (QPushButton* b :
             {w->cmdGenerate, w->cmdSndGen, w->cmdMiscGenerate, w->cmdClientGenerate})
            b->click();
        const QString parts = w->lblCommandLine->text() + w->lblSndCommandLine->text() +
                              w->lblMiscCommandLine->text() + w->lblClientCommandLine->text();
        w->cmdFullGen->click();
        QCOMPARE(w->lblFullCommandLine->text(), program + parts);
        w->cmdFullGen->click();
        QCOMPARE(w->lblFullCommandLine->text(), program + parts + parts);

        w->Command1->click();
        QCOMPARE(f.app.starter.starts.size(), size_t(1));
        QCOMPARE(QString::fromStdString(f.app.starter.starts[0].commandText),
                 program + parts + parts);
        QCOMPARE(f.app.starter.starts[0].windowStyle, 2);
        QVERIFY(f.app.messages.shown.empty());
        TestApp::settle();
        QVERIFY(w->isVisible());
    }

    void missingProgramStartsWithErrorAndTheFailureIsShown() {
        Fixture f("[MISC]\r\nfirstuse=no\r\n");
        FrmAdvancedWindow* w = f.w();
        QCOMPARE(w->lblFullCommandLine->text(), QStringLiteral("error"));
        f.app.starter.result = {false, "error", "Das Programm wurde nicht gefunden"};
        w->Command1->click();
        QCOMPARE(f.app.starter.starts.at(0).commandText, std::string("error"));
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Critical);
        QVERIFY(f.app.messages.shown[0].text.contains("Das Programm wurde nicht gefunden"));
    }

    void menuReturnsToTheMainWindow() {
        Fixture f;
        f.w()->mnuFileitmORVO->trigger();
        TestApp::settle();
        QVERIFY(f.app.context.windows().find("sp")->isVisible());
        QVERIFY(!f.app.context.windows().isLoaded("frmAdvanced"));
        QCOMPARE(f.app.quitCount, 0);

        // Opened again, it starts from its design state.
        f.app.context.windows().show("frmAdvanced");
        QVERIFY(f.w()->lblCommandLine->text().isEmpty());
    }

    void closingTheLastWindowEndsTheProgram() {
        Fixture f;
        f.w()->close();
        TestApp::settle();
        QVERIFY(!f.app.context.windows().isLoaded("frmAdvanced"));
        QCOMPARE(f.app.quitCount, 1);
    }

    // The player's road: main window, advanced options, start, back, connect tool.
    void fromTheMainWindowAndBack() {
        TestApp app;
        app.writeSettings("[MISC]\r\nfirstuse=no\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=G\r\n");
        registerLauncherWindows(app.context.windows());
        registerAdvancedWindows(app.context.windows());
        WindowRegistry& windows = app.context.windows();
        windows.show("sp");
        windows.find<SpWindow>("sp")->mnuFileitmKesmo->trigger();
        TestApp::settle();
        QVERIFY(!windows.isLoaded("sp"));
        auto* w = windows.find<FrmAdvancedWindow>("frmAdvanced");
        QVERIFY(w && w->isVisible());

        select(w->lstResol, "800x600");
        select(w->lstModel, "Barney");
        w->GameAudio->setValue(5);
        w->HEVSuit->setValue(5);
        for (QPushButton* b : {w->cmdGenerate, w->cmdSndGen, w->cmdMiscGenerate,
                               w->cmdClientGenerate, w->cmdFullGen, w->Command1})
            b->click();
        QCOMPARE(app.starter.starts.size(), size_t(1));
        QVERIFY(QString::fromStdString(app.starter.starts[0].commandText)
                    .startsWith("G +r_shadows 0 +r_decals 0"));
        QVERIFY(app.messages.shown.empty());

        w->mnuFileitmORVO->trigger();
        TestApp::settle();
        QVERIFY(!windows.isLoaded("frmAdvanced"));
        windows.find<SpWindow>("sp")->mnuFileitmConnect->trigger();
        TestApp::settle();
        QVERIFY(windows.find("connect")->isVisible());
        QVERIFY(!windows.isLoaded("sp"));
        QCOMPARE(app.quitCount, 0);
    }
};

QTEST_MAIN(FrmAdvancedWindowTest)
#include "frm_advanced_window_test.moc"
