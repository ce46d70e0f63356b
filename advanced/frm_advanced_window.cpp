#include "advanced/frm_advanced_window.h"

#include "advanced/command_lines.h"
#include "core/start_game.h"
#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/menu_window.h"
#include "frame/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>

namespace gravelock {
namespace {

// Every tab page has the same size; each tab's command line frame sits at its foot.
constexpr int kPageWidth = 9000;
constexpr int kPageHeight = 4920;
constexpr int kLineFrameTop = 3600;
constexpr int kLineFrameHeight = 1200;

// A tab page of fixed size that tells the tab widget so, which then sizes
// itself around it.
class TabPage : public QWidget {
public:
    TabPage() { setFixedSize(pixelsFromTwips(kPageWidth), pixelsFromTwips(kPageHeight)); }
    QSize sizeHint() const override { return minimumSize(); }
};

const QString kErrorTitle = QStringLiteral("Error!");

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QGroupBox* frame(QWidget* page, const char* name, const char* caption, int left, int top, int width,
                 int height) {
    auto* box = makeControl<QGroupBox>(page, name, left, top, width, height);
    box->setTitle(text(caption));
    return box;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, int left, int top,
                    int width) {
    auto* box = makeControl<QCheckBox>(parent, name, left, top, width, 300);
    box->setText(text(caption));
    return box;
}

QRadioButton* optionButton(QWidget* parent, const char* name, const char* caption, int left,
                           int top, int width) {
    auto* button = makeControl<QRadioButton>(parent, name, left, top, width, 300);
    button->setText(text(caption));
    return button;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top,
              int width) {
    auto* l = makeControl<QLabel>(parent, name, left, top, width, 255);
    l->setText(text(caption));
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top,
                    int width = 1335) {
    auto* b = makeControl<QPushButton>(parent, name, left, top, width, 375);
    b->setText(text(caption));
    return b;
}

// A command line label. Its text is typed by the player and the full line grows
// with every join, so it is plain text (never markup), wraps, scrolls when it no
// longer fits, and can be selected for copying.
QLabel* commandLineLabel(QWidget* parent, const char* name, int left, int top, int width,
                         int height) {
    auto* area = makeControl<QScrollArea>(parent, "", left, top, width, height);
    area->setObjectName(text(name) + QStringLiteral("Area"));
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* line = new QLabel;
    line->setObjectName(text(name));
    line->setTextFormat(Qt::PlainText);
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    line->setMargin(2);
    area->setWidget(line);
    return line;
}

// A slider as the window's options use them: 0 to 10, step 1, page 5.
QSlider* slider(QWidget* parent, const char* name, int left, int top, int width) {
    auto* s = makeControl<QSlider>(parent, name, left, top, width, 420);
    s->setOrientation(Qt::Horizontal);
    s->setRange(0, 10);
    s->setSingleStep(1);
    s->setPageStep(5);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(1);
    return s;
}

QListWidget* listBox(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* list = makeControl<QListWidget>(parent, name, left, top, width, height);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

void fill(QListWidget* list, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries)
        list->addItem(QString::fromStdString(entry));
}

// A greyed box is not a ticked one.
bool ticked(const QCheckBox* box) {
    return box->checkState() == Qt::Checked;
}

std::string selectedText(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? std::string() : items.constFirst()->text().toStdString();
}

// Each label shows its slider's value whenever the value changes, by drag,
// keys or click; so it matches the slider once the player lets go.
void showValue(QSlider* s, QLabel* target) {
    QObject::connect(s, &QSlider::valueChanged, target,
                     [target](int value) { target->setText(QString::number(value)); });
}

} // namespace

FrmAdvancedWindow::FrmAdvancedWindow(AppContext& context) : context_(context) {
    setObjectName(QStringLiteral("frmAdvanced"));
    setWindowTitle(QStringLiteral("Erweiterter Gravelock"));
    makeFixedMenuWindow(this);

    QWidget* client = addClientArea(this, 0, 0);
    SSTab1 = new QTabWidget(client);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    const auto page = [this](const char* caption, void (FrmAdvancedWindow::*build)(QWidget*)) {
        auto* p = new TabPage;
        (this->*build)(p);
        SSTab1->addTab(p, text(caption));
    };
    page("Video", &FrmAdvancedWindow::buildVideoTab);
    page("Audio", &FrmAdvancedWindow::buildAudioTab);
    page("Spieler", &FrmAdvancedWindow::buildPlayerTab);
    page("Misc.", &FrmAdvancedWindow::buildMiscTab);
    page("Starten", &FrmAdvancedWindow::buildStartTab);
    const int margin = pixelsFromTwips(120);
    SSTab1->setGeometry(QRect(QPoint(margin, margin), SSTab1->sizeHint()));
    client->setFixedSize(SSTab1->width() + 2 * margin, SSTab1->height() + 2 * margin);

    buildMenu();
    load();
    fitCaptions(this);
}

void FrmAdvancedWindow::buildVideoTab(QWidget* p) {
    Frame1 = frame(p, "Frame1", "Auflösung", 120, 120, 1800, 3360);
    lstResol = listBox(Frame1, "lstResol", 120, 300, 1560, 2940);

    Frame2 = frame(p, "Frame2", "Optionen", 2040, 120, 2880, 3360);
    Label2 = label(Frame2, "Label2", "Selektiere die Optionen :", 120, 330, 2640);
    chkPlShadows = checkBox(Frame2, "chkPlShadows", "Spieler Schatten", 120, 660, 2640);
    chkDecals = checkBox(Frame2, "chkDecals", "Abziehbilder AN ?!", 120, 990, 2640);
    chkMaxBrightness = checkBox(Frame2, "chkMaxBrightness", "Max. Helligkeit", 120, 1320, 2640);
    chkRSpeeds = checkBox(Frame2, "chkRSpeeds", "R_speeds AN", 120, 1650, 2640);
    chkRefTex = checkBox(Frame2, "chkRefTex", "Reflektierende Texturen", 120, 1980, 2640);
    chkConsole = checkBox(Frame2, "chkConsole", "Aktiviere die Console", 120, 2310, 2640);
    chkDev = checkBox(Frame2, "chkDev", "Entwicklungs Modus", 120, 2640, 2640);
    chkNoIntro = checkBox(Frame2, "chkNoIntro", "Kein Intro", 120, 2970, 2640);

    Frame3 = frame(p, "Frame3", "Video Commandlines", 120, kLineFrameTop, 8760, kLineFrameHeight);
    cmdGenerate = button(Frame3, "cmdGenerate", "&Generieren", 120, 360);
    lblCommandLine = commandLineLabel(Frame3, "lblCommandLine", 1560, 270, 7080, 810);

    Frame4 = frame(p, "Frame4", "Video Modus", 5040, 120, 1800, 1680);
    Label1 = label(Frame4, "Label1", "Selektiere :", 120, 330, 1560);
    optSoftware = optionButton(Frame4, "optSoftware", "Software", 120, 630, 1560);
    optD3D = optionButton(Frame4, "optD3D", "Direct3D", 120, 960, 1560);
    optOpenGL = optionButton(Frame4, "optOpenGL", "OpenGL", 120, 1290, 1560);

    Frame5 = frame(p, "Frame5", "Zusetzliche Einstellungen", 5040, 1920, 3840, 1560);
    chkAdditional = checkBox(Frame5, "chkAdditional", "Aktivieren", 120, 360, 3600);
    txtAdditional = makeControl<QLineEdit>(Frame5, "txtAdditional", 120, 780, 3600, 315);
    txtAdditional->setVisible(false);

    Frame6 = frame(p, "Frame6", "Fenster einstellungen", 6960, 120, 1920, 1680);
    optFullScrn = optionButton(Frame6, "optFullScrn", "Vollbildmodus", 120, 630, 1680);
    optWinMode = optionButton(Frame6, "optWinMode", "Fenstermodus", 120, 960, 1680);

    connect(cmdGenerate, &QPushButton::clicked, this, &FrmAdvancedWindow::generateVideo);
    // On every change of state, by click or from code; greyed counts as unticked.
    connect(chkAdditional, &QCheckBox::stateChanged, this,
            [this] { txtAdditional->setVisible(ticked(chkAdditional)); });
}

void FrmAdvancedWindow::buildAudioTab(QWidget* p) {
    Frame11 = frame(p, "Frame11", "Audio Commandlines", 120, kLineFrameTop, 8760, kLineFrameHeight);
    cmdSndGen = button(Frame11, "cmdSndGen", "&Generiere", 120, 360);
    lblSndCommandLine = commandLineLabel(Frame11, "lblSndCommandLine", 1560, 270, 7080, 810);

    Frame10 = frame(p, "Frame10", "Play CD Track", 3120, 120, 2880, 3360);
    optNoTrack = optionButton(Frame10, "optNoTrack", "Kein CDT.", 120, 360, 1440);
    optLoop = optionButton(Frame10, "optLoop", "Kreis", 120, 690, 1440);
    optPlayOnce = optionButton(Frame10, "optPlayOnce", "Norm Mod", 120, 1020, 1440);
    lstCDTrack = listBox(Frame10, "lstCDTrack", 1680, 300, 1080, 2940);

    Frame9 = frame(p, "Frame9", "Anzug lautstärke", 6120, 1860, 2760, 1620);
    HEVSuit = slider(Frame9, "HEVSuit", 120, 540, 1980);
    lblHEVSuit = label(Frame9, "lblHEVSuit", "", 2220, 600, 420);

    Frame8 = frame(p, "Frame8", "Spielsound ", 6120, 120, 2760, 1620);
    GameAudio = slider(Frame8, "GameAudio", 120, 540, 1980);
    lblGameSound = label(Frame8, "lblGameSound", "", 2220, 600, 420);

    Frame7 = frame(p, "Frame7", "Optionen", 120, 120, 2880, 3360);
    Label3 = label(Frame7, "Label3", "Selektiere", 120, 330, 2640);
    chkToggleSound = checkBox(Frame7, "chkToggleSound", "Kein Sound", 120, 660, 2640);
    chkA3D = checkBox(Frame7, "chkA3D", "Aktiviere 3D Sound", 120, 990, 2640);
    chkEAX = checkBox(Frame7, "chkEAX", "Aktiviere EAX Sound", 120, 1320, 2640);
    chkHiQualitySound = checkBox(Frame7, "chkHiQualitySound", "HI-Super Sound", 120, 1650, 2640);
    chkCDAudio = checkBox(Frame7, "chkCDAudio", "CD Audio Aktivieren", 120, 1980, 2640);

    showValue(GameAudio, lblGameSound);
    showValue(HEVSuit, lblHEVSuit);
    connect(cmdSndGen, &QPushButton::clicked, this, &FrmAdvancedWindow::generateSound);
}

void FrmAdvancedWindow::buildPlayerTab(QWidget* p) {
    Frame23 = frame(p, "Frame23", "Commandline", 120, kLineFrameTop, 8760, kLineFrameHeight);
    cmdClientGenerate = button(Frame23, "cmdClientGenerate", "&Generiere", 120, 360);
    lblClientCommandLine = commandLineLabel(Frame23, "lblClientCommandLine", 1560, 270, 7080, 810);

    Frame22 = frame(p, "Frame22", "Max. Framerate", 5040, 1280, 3840, 1040);
    Label9 = label(Frame22, "Label9", "Max :", 120, 450, 1080);
    txtMaxFRate = makeControl<QLineEdit>(Frame22, "txtMaxFRate", 1260, 420, 1200, 315);

    Frame21 = frame(p, "Frame21", "Spielername", 5040, 120, 3840, 1040);
    Label8 = label(Frame21, "Label8", "Spitzname :", 120, 450, 1080);
    txtName = makeControl<QLineEdit>(Frame21, "txtName", 1260, 420, 2400, 315);

    Frame20 = frame(p, "Frame20", "Spielfigur", 3120, 120, 1800, 3360);
    lstModel = listBox(Frame20, "lstModel", 120, 300, 1560, 2940);

    Frame19 = frame(p, "Frame19", "IP Kontaktadresse", 5040, 2440, 3840, 1040);
    txtIP = makeControl<QLineEdit>(Frame19, "txtIP", 120, 420, 3540, 315);

    Frame18 = frame(p, "Frame18", "Optionen", 120, 120, 2880, 3360);
    chkPreLoad = checkBox(Frame18, "chkPreLoad", "Preloading von Daten", 120, 360, 2640);
    chkTCPIPOn = checkBox(Frame18, "chkTCPIPOn", "TCP/IP AN", 120, 720, 2640);
    chkIPXOn = checkBox(Frame18, "chkIPXOn", "IPX AN", 120, 1080, 2640);
    chkSpecMode = checkBox(Frame18, "chkSpecMode", "Spectator mode", 120, 1440, 2640);
    chkDelta = checkBox(Frame18, "chkDelta", "Delta kommpres. Aus", 120, 1800, 2640);
    chkHIMod = checkBox(Frame18, "chkHIMod", "Hi-quality Figuren", 120, 2160, 2640);
    chkUpload = checkBox(Frame18, "chkUpload", "Uploaden erlaubt", 120, 2520, 2640);
    chkAllowDownload = checkBox(Frame18, "chkAllowDownload", "Downloaden erlaubt", 120, 2880, 2640);

    connect(cmdClientGenerate, &QPushButton::clicked, this, &FrmAdvancedWindow::generateClient);
}

void FrmAdvancedWindow::buildMiscTab(QWidget* p) {
    Frame16 = frame(p, "Frame16", "Musik Commandline", 120, kLineFrameTop, 8760, kLineFrameHeight);
    cmdMiscGenerate = button(Frame16, "cmdMiscGenerate", "&Generiere", 120, 360);
    lblMiscCommandLine = commandLineLabel(Frame16, "lblMiscCommandLine", 1560, 270, 7080, 810);

    Frame14 = frame(p, "Frame14", "Skill Level", 3120, 120, 5760, 1040);
    Label5 = label(Frame14, "Label5", "Wähle dein Skill Level", 120, 450, 2400);
    Skill = makeControl<QComboBox>(Frame14, "Skill", 2640, 420, 1200, 315);
    Skill->setEditable(true);
    // A typed level is used as typed; Enter must not add it to the three entries.
    Skill->setInsertPolicy(QComboBox::NoInsert);

    Frame12 = frame(p, "Frame12", "Optionen", 120, 120, 2880, 3360);
    chkDMOn = checkBox(Frame12, "chkDMOn", "Deathmatch AN", 120, 360, 2640);
    chkCoop = checkBox(Frame12, "chkCoop", "Zusammen Spielen", 120, 720, 2640);
    chkHBlood = checkBox(Frame12, "chkHBlood", "Menschen Blut AN", 120, 1080, 2640);
    chkHGibs = checkBox(Frame12, "chkHGibs", "Menschen Spot AN", 120, 1440, 2640);
    chkABlood = checkBox(Frame12, "chkABlood", "Alien Blut AN", 120, 1800, 2640);
    chkAGibs = checkBox(Frame12, "chkAGibs", "Alien Spot AN", 120, 2160, 2640);

    Frame15 = frame(p, "Frame15", "Falsche Pckete", 3120, 1280, 5760, 1040);
    Label6 = label(Frame15, "Label6", "Wähle die Anzahl", 120, 450, 2400);
    FakePacketSlider = slider(Frame15, "FakePacketSlider", 2640, 360, 2400);
    lblFakePacketLoss = label(Frame15, "lblFakePacketLoss", "", 5160, 420, 420);

    Frame13 = frame(p, "Frame13", "Falsches Lagg", 3120, 2440, 5760, 1040);
    Label4 = label(Frame13, "Label4", "Wähle die Anzahl", 120, 450, 2400);
    FakeLagSlider = slider(Frame13, "FakeLagSlider", 2640, 360, 2400);
    lblFakeLag = label(Frame13, "lblFakeLag", "", 5160, 420, 420);

    showValue(FakePacketSlider, lblFakePacketLoss);
    showValue(FakeLagSlider, lblFakeLag);
    connect(cmdMiscGenerate, &QPushButton::clicked, this, &FrmAdvancedWindow::generateMisc);
}

void FrmAdvancedWindow::buildStartTab(QWidget* p) {
    Frame24 = frame(p, "Frame24", "Starten", 120, kLineFrameTop, 8760, kLineFrameHeight);
    Command1 = button(Frame24, "Command1", "&Spiel starten", 120, 480, 1800);

    Frame17 = frame(p, "Frame17", "Komplette Commandline", 120, 120, 8760, 3360);
    cmdFullGen = button(Frame17, "cmdFullGen", "&Generieren", 120, 360);
    lblFullCommandLine = commandLineLabel(Frame17, "lblFullCommandLine", 120, 840, 8520, 2400);

    connect(cmdFullGen, &QPushButton::clicked, this, &FrmAdvancedWindow::generateFull);
    connect(Command1, &QPushButton::clicked, this, &FrmAdvancedWindow::startGame);
}

void FrmAdvancedWindow::buildMenu() {
    mnuFile = addMenu(this, "mnuFile", QStringLiteral("&Datei"));
    mnuFileitmORVO = addMenuItem(mnuFile, "mnuFileitmORVO", QStringLiteral("&Gravelock"));
    connect(mnuFileitmORVO, &QAction::triggered, this,
            [this] { context_.returnToMainWindow(this); });

    fixSizeToClientAndMenu(this);
}

void FrmAdvancedWindow::load() {
    fill(lstResol, resolutions());
    fill(lstCDTrack, cdTracks());
    for (const std::string& level : skillLevels())
        Skill->addItem(QString::fromStdString(level));
    Skill->setCurrentIndex(-1);
    Skill->clearEditText();
    fill(lstModel, playerModels());
    optSoftware->setChecked(true);
    lblFakeLag->setText(QStringLiteral("0"));
    lblFakePacketLoss->setText(QStringLiteral("0"));
    // Read uncut: an install path can be longer than any fixed buffer, and a cut
    // path would start the wrong program or none.
    lblFullCommandLine->setText(context_.readSetting("GAMEDIR", "program", "error", kUncut));
}

VideoOptions FrmAdvancedWindow::videoOptions() const {
    VideoOptions o;
    o.playerShadows = ticked(chkPlShadows);
    o.decals = ticked(chkDecals);
    o.maxBrightness = ticked(chkMaxBrightness);
    o.rSpeeds = ticked(chkRSpeeds);
    o.reflectiveTextures = ticked(chkRefTex);
    o.console = ticked(chkConsole);
    o.developer = ticked(chkDev);
    o.noIntro = ticked(chkNoIntro);
    o.renderer = optSoftware->isChecked() ? Renderer::Software
                 : optD3D->isChecked()    ? Renderer::Direct3D
                 : optOpenGL->isChecked() ? Renderer::OpenGL
                                          : Renderer::None;
    o.display = optFullScrn->isChecked()  ? DisplayMode::FullScreen
                : optWinMode->isChecked() ? DisplayMode::Windowed
                                          : DisplayMode::None;
    o.resolution = selectedText(lstResol);
    o.additional = ticked(chkAdditional);
    o.additionalText = txtAdditional->text().toStdString();
    return o;
}

ClientOptions FrmAdvancedWindow::clientOptions() const {
    ClientOptions o;
    o.model = selectedText(lstModel);
    o.allowDownload = ticked(chkAllowDownload);
    o.allowUpload = ticked(chkUpload);
    o.hiModels = ticked(chkHIMod);
    o.deltaCompressionOff = ticked(chkDelta);
    o.spectator = ticked(chkSpecMode);
    o.ipxOn = ticked(chkIPXOn);
    o.tcpIpOn = ticked(chkTCPIPOn);
    o.preload = ticked(chkPreLoad);
    o.name = txtName->text().toStdString();
    o.maxFrameRate = txtMaxFRate->text().toStdString();
    o.address = txtIP->text().toStdString();
    return o;
}

SoundOptions FrmAdvancedWindow::soundOptions() const {
    SoundOptions o;
    o.cdAudio = ticked(chkCDAudio);
    o.hiQuality = ticked(chkHiQualitySound);
    o.eax = ticked(chkEAX);
    o.a3d = ticked(chkA3D);
    o.noSound = ticked(chkToggleSound);
    o.gameVolume = lblGameSound->text().toStdString();
    o.suitVolume = lblHEVSuit->text().toStdString();
    o.cd = optPlayOnce->isChecked()  ? CdTrackMode::PlayOnce
           : optLoop->isChecked()    ? CdTrackMode::Loop
           : optNoTrack->isChecked() ? CdTrackMode::NoTrack
                                     : CdTrackMode::None;
    o.track = selectedText(lstCDTrack);
    return o;
}

MiscOptions FrmAdvancedWindow::miscOptions() const {
    MiscOptions o;
    o.deathmatch = ticked(chkDMOn);
    o.coop = ticked(chkCoop);
    o.humanBlood = ticked(chkHBlood);
    o.humanGibs = ticked(chkHGibs);
    o.alienBlood = ticked(chkABlood);
    o.alienGibs = ticked(chkAGibs);
    o.skill = Skill->currentText().toStdString();
    o.fakeLag = lblFakeLag->text().toStdString();
    o.fakeLoss = lblFakePacketLoss->text().toStdString();
    return o;
}

void FrmAdvancedWindow::showGenerated(const GeneratedLine& generated, QLabel* target) {
    for (const std::string& problem : generated.problems)
        context_.message(this, QString::fromStdString(problem), kErrorTitle, MsgButtons::Ok,
                         MsgIcon::Critical);
    target->setText(QString::fromStdString(generated.line));
}

void FrmAdvancedWindow::generateVideo() {
    showGenerated(buildVideoLine(videoOptions()), lblCommandLine);
}

void FrmAdvancedWindow::generateClient() {
    showGenerated(buildClientLine(clientOptions()), lblClientCommandLine);
}

void FrmAdvancedWindow::generateSound() {
    showGenerated(buildSoundLine(soundOptions()), lblSndCommandLine);
}

void FrmAdvancedWindow::generateMisc() {
    lblMiscCommandLine->setText(QString::fromStdString(buildMiscLine(miscOptions())));
}

void FrmAdvancedWindow::generateFull() {
    lblFullCommandLine->setText(QString::fromStdString(joinFullCommandLine(
        lblFullCommandLine->text().toStdString(), lblCommandLine->text().toStdString(),
        lblSndCommandLine->text().toStdString(), lblMiscCommandLine->text().toStdString(),
        lblClientCommandLine->text().toStdString())));
}

void FrmAdvancedWindow::startGame() {
    context_.startGame(this, lblFullCommandLine->text(), kMinimisedWithFocus);
}

} // namespace gravelock
