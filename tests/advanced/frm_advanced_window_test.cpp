#include "advanced/advanced_windows.h"
#include "advanced/frm_advanced_window.h"
#include "fakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// Longer than 99 characters: it must reach the game whole.
const std::string kLongProgram = "C:\\Program Files (x86)\\" + std::string(90, 'g') + "\\hl.exe";

const QString kVideoAfterLoad =
    QStringLiteral(" +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0 -soft");

struct Fixture {
    explicit Fixture(const std::string& settings = "[GAMEDIR]\r\nprogram=" + kLongProgram +
                                                   "\r\n") {
        app.writeSettings(settings);
        registerAdvancedWindows(app.context.windows());
        app.context.windows().show("frmAdvanced");
        w = app.context.windows().find<FrmAdvancedWindow>("frmAdvanced");
    }
    void generateAll() {
        for (QPushButton* b :
             {w->cmdGenerate, w->cmdClientGenerate, w->cmdSndGen, w->cmdMiscGenerate})
            b->click();
    }

    TestApp app;
    FrmAdvancedWindow* w = nullptr;
};

void select(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    found.constFirst()->setSelected(true);
}

} // namespace

class FrmAdvancedWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Each generator shows its problems while its label still holds the old line.
    // Greyed boxes count as unticked.
    void problemsComeFirstAndInOrder() {
        Fixture f;
        FrmAdvancedWindow* w = f.w;
        for (QCheckBox* box : {w->chkPlShadows, w->chkConsole, w->chkAdditional, w->chkDelta})
            box->setCheckState(Qt::PartiallyChecked);
        QVERIFY(!w->txtAdditional->isVisibleTo(w));
        QStringList texts, labelsWhileShown;
        f.app.messages.onShow = [&](const Message& m) {
            QVERIFY(m.icon == MsgIcon::Critical && m.buttons == MsgButtons::Ok);
            texts << m.text;
            labelsWhileShown << w->lblCommandLine->text() + "|" + w->lblSndCommandLine->text();
        };
        f.generateAll();
        QCOMPARE(texts, QStringList({"Choose a resolution!", "Bitte wähle ein Modell aus",
                                     "Choose sound volume!", "Choose HEV suit volume!"}));
        QCOMPARE(labelsWhileShown, QStringList({"|", kVideoAfterLoad + "|", kVideoAfterLoad + "|",
                                                kVideoAfterLoad + "|"}));
        QCOMPARE(w->lblCommandLine->text(), kVideoAfterLoad);
        QVERIFY(w->lblClientCommandLine->text().contains(" +c_deltas 1"));
    }

    void controlsReachTheLinesAndTheUncutStart() {
        Fixture f;
        FrmAdvancedWindow* w = f.w;
        const QString program = QString::fromStdString(kLongProgram);
        select(w->lstResol, "512x384");
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
                 w->optOpenGL, w->optWinMode, w->chkConsole, w->chkAdditional, w->chkDelta,
                 w->chkIPXOn, w->optLoop, w->chkCDAudio, w->chkAGibs})
            b->click();
        QVERIFY(w->txtAdditional->isVisibleTo(w));
        w->txtAdditional->setText("-nojoy");
        select(w->lstModel, "Gordon");
        w->txtName->setText("<b>Ace</b>");
        w->txtMaxFRate->setText("60");
        select(w->lstCDTrack, "12");
        w->GameAudio->setValue(7);
        w->HEVSuit->setValue(3);
        w->Skill->setEditText("5");
        w->FakeLagSlider->setValue(10);
        f.generateAll();
        const QString video = " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0"
                              " +r_mirroralpha 0 -console -gl -win -vid_config_y 512"
                              " -vid_config_x 384 -nojoy";
        const QString sound = " +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume 7"
                              " +suitvolume 3 +cd loop 12";
        const QString misc = " -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0"
                             " +violence_ablood 0 +violence_agibs 1 -skill 5 +fakelag 10"
                             " +fakeloss 0";
        // Typed markup stays text.
        const QString client = " +model Gordon +cl_allowdownload 0 +cl_allowupload 0"
                               " +cl_himodels 0 +c_deltas 0 +spectator 0 -noipx 0 -noip 1"
                               " -precache 0 +name <b>Ace</b> +fps_modem 60 -connect ";
        QCOMPARE(w->lblCommandLine->text() + "|" + w->lblSndCommandLine->text() + "|" +
                     w->lblMiscCommandLine->text() + "|" + w->lblClientCommandLine->text(),
                 video + "|" + sound + "|" + misc + "|" + client);
        QCOMPARE(w->lblClientCommandLine->textFormat(), Qt::PlainText);

        // The full line grows behind what its label already shows.
        w->cmdFullGen->click();
        w->cmdFullGen->click();
        const QString once = video + sound + misc + client;
        const QString twice = program + once + once;
        QCOMPARE(w->lblFullCommandLine->text(), twice);
        w->Command1->click();
        QCOMPARE(f.app.starter.starts.size(), size_t(1));
        QCOMPARE(QString::fromStdString(f.app.starter.starts[0].commandText), twice);
        QCOMPARE(f.app.starter.starts[0].windowStyle, 2);
        QVERIFY(f.app.messages.shown.empty());
        TestApp::settle();
        QVERIFY(w->isVisible());

        // Unticking hides the extra text and stops using it.
        w->chkAdditional->click();
        QVERIFY(!w->txtAdditional->isVisibleTo(w));
        w->cmdGenerate->click();
        QVERIFY(!w->lblCommandLine->text().contains("-nojoy"));
    }

    void missingProgramStartsWithError() {
        Fixture f("[MISC]\r\nfirstuse=no\r\n");
        QCOMPARE(f.w->lblFullCommandLine->text(), QStringLiteral("error"));
        f.w->Command1->click();
        QCOMPARE(f.app.starter.starts.at(0).commandText, std::string("error"));
    }
};

QTEST_MAIN(FrmAdvancedWindowTest)
#include "frm_advanced_window_test.moc"
