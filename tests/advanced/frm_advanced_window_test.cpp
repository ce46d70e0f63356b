#include "advanced/advanced_tabs.h"
#include "advanced/frm_advanced_window.h"
#include "fakes.h"

#include <QtTest>
#include <QtWidgets>

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
        registerWindows(app.context.windows(), {}, {WindowId::frmAdvanced, WindowId::connect});
        app.context.windows().show(WindowId::frmAdvanced);
        w = app.context.windows().find<FrmAdvancedWindow>(WindowId::frmAdvanced);
    }
    void generateAll() {
        for (QPushButton* b : {w->video->cmdGenerate, w->player->cmdClientGenerate,
                               w->audio->cmdSndGen, w->misc->cmdMiscGenerate})
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
        for (QCheckBox* box : {w->video->chkPlShadows, w->video->chkConsole,
                               w->video->chkAdditional, w->player->chkDelta})
            box->setCheckState(Qt::PartiallyChecked);
        QVERIFY(!w->video->txtAdditional->isVisibleTo(w));
        QStringList texts, labelsWhileShown;
        f.app.messages.onShow = [&](const Message& m) {
            QVERIFY(m.icon == MsgIcon::Critical && m.buttons == MsgButtons::Ok);
            texts << m.text;
            labelsWhileShown << w->video->lblCommandLine->text() + "|" +
                                    w->audio->lblSndCommandLine->text();
        };
        f.generateAll();
        QCOMPARE(texts, QStringList({"Choose a resolution!", "Bitte wähle ein Modell aus",
                                     "Choose sound volume!", "Choose HEV suit volume!"}));
        QCOMPARE(labelsWhileShown, QStringList({"|", kVideoAfterLoad + "|", kVideoAfterLoad + "|",
                                                kVideoAfterLoad + "|"}));
        QCOMPARE(w->video->lblCommandLine->text(), kVideoAfterLoad);
        QVERIFY(w->player->lblClientCommandLine->text().contains(" +c_deltas 1"));
    }

    void controlsReachTheLinesAndTheUncutStart() {
        Fixture f;
        FrmAdvancedWindow* w = f.w;
        const QString program = QString::fromStdString(kLongProgram);
        select(w->video->lstResol, "512x384");
        w->player->txtIP->setText("10.0.0.1:27016");
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
                 w->video->optOpenGL, w->video->optWinMode, w->video->chkConsole,
                 w->video->chkAdditional, w->player->chkDelta, w->player->chkIPXOn,
                 w->audio->optLoop, w->audio->chkCDAudio, w->misc->chkAGibs})
            b->click();
        QVERIFY(w->video->txtAdditional->isVisibleTo(w));
        w->video->txtAdditional->setText("-nojoy");
        select(w->player->lstModel, "Gordon");
        w->player->txtName->setText("<b>Ace</b>");
        w->player->txtMaxFRate->setText("60");
        select(w->audio->lstCDTrack, "12");
        w->audio->GameAudio->setValue(7);
        w->audio->HEVSuit->setValue(3);
        w->misc->Skill->setEditText("5");
        w->misc->FakeLagSlider->setValue(10);
        f.generateAll();
        const QString video = " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0"
                              " +r_mirroralpha 0 -console -gl -window -w 512 -h 384 -nojoy";
        const QString sound = " +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume 0.7"
                              " +suitvolume 0.3 +cd loop 12";
        const QString misc = " +deathmatch 0 +coop 0 +violence_hblood 0 +violence_hgibs 0"
                             " +violence_ablood 0 +violence_agibs 1 +skill 5 +fakelag 10"
                             " +fakeloss 0";
        // Typed markup stays text.
        const QString client =
            " +model Gordon +cl_allowdownload 0 +cl_allowupload 0"
            " +cl_himodels 0 +c_deltas 0 +spectator 0 -noip"
            " -precache 0 +name \"<b>Ace</b>\" +fps_modem 60 +connect 10.0.0.1:27016";
        QCOMPARE(w->video->lblCommandLine->text() + "|" + w->audio->lblSndCommandLine->text() +
                     "|" + w->misc->lblMiscCommandLine->text() + "|" +
                     w->player->lblClientCommandLine->text(),
                 video + "|" + sound + "|" + misc + "|" + client);
        QCOMPARE(w->player->lblClientCommandLine->textFormat(), Qt::PlainText);

        // The full line grows behind what its label already shows.
        w->start->cmdFullGen->click();
        w->start->cmdFullGen->click();
        const QString once = video + sound + misc + client;
        const QString twice = program + once + once;
        QCOMPARE(w->start->lblFullCommandLine->text(), twice);
        w->start->Command1->click();
        QCOMPARE(f.app.starter.starts.size(), size_t(1));
        QCOMPARE(QString::fromStdString(f.app.starter.starts[0].commandText), twice);
        QCOMPARE(f.app.starter.starts[0].windowStyle, WindowStyle::MinimisedWithFocus);
        QVERIFY(f.app.messages.shown.empty());
        TestApp::settle();
        QVERIFY(w->isVisible());

        // Unticking hides the extra text and stops using it.
        w->video->chkAdditional->click();
        QVERIFY(!w->video->txtAdditional->isVisibleTo(w));
        w->video->cmdGenerate->click();
        QVERIFY(!w->video->lblCommandLine->text().contains("-nojoy"));
    }

    void missingProgramStartsWithError() {
        Fixture f("[MISC]\r\nfirstuse=no\r\n");
        QCOMPARE(f.w->start->lblFullCommandLine->text(), QStringLiteral("error"));
        f.w->start->Command1->click();
        QCOMPARE(f.app.starter.starts.at(0).commandText, std::string("error"));
    }
};

QTEST_MAIN(FrmAdvancedWindowTest)
#include "frm_advanced_window_test.moc"
