#include "advanced/advanced_tabs.h"

#include "frame/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>

namespace gravelock {
namespace {

// Each tab's command line frame sits at its foot.
constexpr int kPageWidth = 9000;
constexpr int kPageHeight = 4920;
constexpr int kLineFrameTop = 3600;
constexpr int kLineFrameHeight = 1200;

constexpr int kOptionHeight = 300;
constexpr int kLabelHeight = 255;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 375;

// A command line label. Its text is typed by the player and the full line grows
// with every join, so it is plain text (never markup), wraps, scrolls when it no
// longer fits, and can be selected for copying.
QLabel* commandLineLabel(QWidget* parent, const char* name, int left, int top, int width,
                         int height) {
    auto* area = makeControl<QScrollArea>(parent, "", left, top, width, height);
    area->setObjectName(fromUtf8(name) + QStringLiteral("Area"));
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* line = new QLabel;
    line->setObjectName(fromUtf8(name));
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

AdvancedTab::AdvancedTab() {
    setFixedSize(pixelsFromTwips(kPageWidth), pixelsFromTwips(kPageHeight));
}

VideoTab::VideoTab() {
    Frame1 = makeFrame(this, "Frame1", QStringLiteral("Auflösung"), 120, 120, 1800, 3360);
    lstResol = listBox(Frame1, "lstResol", 120, 300, 1560, 2940);

    Frame2 = makeFrame(this, "Frame2", QStringLiteral("Optionen"), 2040, 120, 2880, 3360);
    Label2 = makeLabel(Frame2, "Label2", QStringLiteral("Selektiere die Optionen :"), 120, 330,
                       2640, kLabelHeight);
    chkPlShadows = makeCheckBox(Frame2, "chkPlShadows", QStringLiteral("Spieler Schatten"), 120,
                                660, 2640, kOptionHeight);
    chkDecals = makeCheckBox(Frame2, "chkDecals", QStringLiteral("Abziehbilder AN ?!"), 120, 990,
                             2640, kOptionHeight);
    chkMaxBrightness = makeCheckBox(Frame2, "chkMaxBrightness", QStringLiteral("Max. Helligkeit"),
                                    120, 1320, 2640, kOptionHeight);
    chkRSpeeds = makeCheckBox(Frame2, "chkRSpeeds", QStringLiteral("R_speeds AN"), 120, 1650, 2640,
                              kOptionHeight);
    chkRefTex = makeCheckBox(Frame2, "chkRefTex", QStringLiteral("Reflektierende Texturen"), 120,
                             1980, 2640, kOptionHeight);
    chkConsole = makeCheckBox(Frame2, "chkConsole", QStringLiteral("Aktiviere die Console"), 120,
                              2310, 2640, kOptionHeight);
    chkDev = makeCheckBox(Frame2, "chkDev", QStringLiteral("Entwicklungs Modus"), 120, 2640, 2640,
                          kOptionHeight);
    chkNoIntro = makeCheckBox(Frame2, "chkNoIntro", QStringLiteral("Kein Intro"), 120, 2970, 2640,
                              kOptionHeight);

    Frame3 = makeFrame(this, "Frame3", QStringLiteral("Video Commandlines"), 120, kLineFrameTop,
                       8760, kLineFrameHeight);
    cmdGenerate = makeButton(Frame3, "cmdGenerate", QStringLiteral("&Generieren"), 120, 360,
                             kButtonWidth, kButtonHeight);
    lblCommandLine = commandLineLabel(Frame3, "lblCommandLine", 1560, 270, 7080, 810);

    Frame4 = makeFrame(this, "Frame4", QStringLiteral("Video Modus"), 5040, 120, 1800, 1680);
    Label1 =
        makeLabel(Frame4, "Label1", QStringLiteral("Selektiere :"), 120, 330, 1560, kLabelHeight);
    optSoftware = makeOptionButton(Frame4, "optSoftware", QStringLiteral("Software"), 120, 630,
                                   1560, kOptionHeight);
    optD3D = makeOptionButton(Frame4, "optD3D", QStringLiteral("Direct3D"), 120, 960, 1560,
                              kOptionHeight);
    optOpenGL = makeOptionButton(Frame4, "optOpenGL", QStringLiteral("OpenGL"), 120, 1290, 1560,
                                 kOptionHeight);

    Frame5 = makeFrame(this, "Frame5", QStringLiteral("Zusetzliche Einstellungen"), 5040, 1920,
                       3840, 1560);
    chkAdditional = makeCheckBox(Frame5, "chkAdditional", QStringLiteral("Aktivieren"), 120, 360,
                                 3600, kOptionHeight);
    txtAdditional = makeControl<QLineEdit>(Frame5, "txtAdditional", 120, 780, 3600, 315);
    txtAdditional->setVisible(false);

    Frame6 =
        makeFrame(this, "Frame6", QStringLiteral("Fenster einstellungen"), 6960, 120, 1920, 1680);
    optFullScrn = makeOptionButton(Frame6, "optFullScrn", QStringLiteral("Vollbildmodus"), 120, 630,
                                   1680, kOptionHeight);
    optWinMode = makeOptionButton(Frame6, "optWinMode", QStringLiteral("Fenstermodus"), 120, 960,
                                  1680, kOptionHeight);
    // On every change of state, by click or from code; greyed counts as unticked.
    connect(chkAdditional, &QCheckBox::stateChanged, this,
            [this] { txtAdditional->setVisible(ticked(chkAdditional)); });

    for (const Resolution& r : resolutions())
        lstResol->addItem(QString::fromStdString(r.caption()));
    optSoftware->setChecked(true);
}

VideoOptions VideoTab::options() const {
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
    // The list holds the table's entries in the table's order.
    if (const auto items = lstResol->selectedItems(); !items.isEmpty())
        o.resolution = resolutions().at(static_cast<std::size_t>(lstResol->row(items.first())));
    o.additional = ticked(chkAdditional);
    o.additionalText = txtAdditional->text().toStdString();
    return o;
}

AudioTab::AudioTab() {
    Frame11 = makeFrame(this, "Frame11", QStringLiteral("Audio Commandlines"), 120, kLineFrameTop,
                        8760, kLineFrameHeight);
    cmdSndGen = makeButton(Frame11, "cmdSndGen", QStringLiteral("&Generiere"), 120, 360,
                           kButtonWidth, kButtonHeight);
    lblSndCommandLine = commandLineLabel(Frame11, "lblSndCommandLine", 1560, 270, 7080, 810);

    Frame10 = makeFrame(this, "Frame10", QStringLiteral("Play CD Track"), 3120, 120, 2880, 3360);
    optNoTrack = makeOptionButton(Frame10, "optNoTrack", QStringLiteral("Kein CDT."), 120, 360,
                                  1440, kOptionHeight);
    optLoop = makeOptionButton(Frame10, "optLoop", QStringLiteral("Kreis"), 120, 690, 1440,
                               kOptionHeight);
    optPlayOnce = makeOptionButton(Frame10, "optPlayOnce", QStringLiteral("Norm Mod"), 120, 1020,
                                   1440, kOptionHeight);
    lstCDTrack = listBox(Frame10, "lstCDTrack", 1680, 300, 1080, 2940);

    Frame9 = makeFrame(this, "Frame9", QStringLiteral("Anzug lautstärke"), 6120, 1860, 2760, 1620);
    HEVSuit = slider(Frame9, "HEVSuit", 120, 540, 1980);
    lblHEVSuit = makeLabel(Frame9, "lblHEVSuit", QStringLiteral(""), 2220, 600, 420, kLabelHeight);

    Frame8 = makeFrame(this, "Frame8", QStringLiteral("Spielsound "), 6120, 120, 2760, 1620);
    GameAudio = slider(Frame8, "GameAudio", 120, 540, 1980);
    lblGameSound =
        makeLabel(Frame8, "lblGameSound", QStringLiteral(""), 2220, 600, 420, kLabelHeight);

    Frame7 = makeFrame(this, "Frame7", QStringLiteral("Optionen"), 120, 120, 2880, 3360);
    Label3 =
        makeLabel(Frame7, "Label3", QStringLiteral("Selektiere"), 120, 330, 2640, kLabelHeight);
    chkToggleSound = makeCheckBox(Frame7, "chkToggleSound", QStringLiteral("Kein Sound"), 120, 660,
                                  2640, kOptionHeight);
    chkA3D = makeCheckBox(Frame7, "chkA3D", QStringLiteral("Aktiviere 3D Sound"), 120, 990, 2640,
                          kOptionHeight);
    chkEAX = makeCheckBox(Frame7, "chkEAX", QStringLiteral("Aktiviere EAX Sound"), 120, 1320, 2640,
                          kOptionHeight);
    chkHiQualitySound = makeCheckBox(Frame7, "chkHiQualitySound", QStringLiteral("HI-Super Sound"),
                                     120, 1650, 2640, kOptionHeight);
    chkCDAudio = makeCheckBox(Frame7, "chkCDAudio", QStringLiteral("CD Audio Aktivieren"), 120,
                              1980, 2640, kOptionHeight);

    showValue(GameAudio, lblGameSound);
    showValue(HEVSuit, lblHEVSuit);

    fill(lstCDTrack, cdTracks());
}

SoundOptions AudioTab::options() const {
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

PlayerTab::PlayerTab() {
    Frame23 = makeFrame(this, "Frame23", QStringLiteral("Commandline"), 120, kLineFrameTop, 8760,
                        kLineFrameHeight);
    cmdClientGenerate = makeButton(Frame23, "cmdClientGenerate", QStringLiteral("&Generiere"), 120,
                                   360, kButtonWidth, kButtonHeight);
    lblClientCommandLine = commandLineLabel(Frame23, "lblClientCommandLine", 1560, 270, 7080, 810);

    Frame22 = makeFrame(this, "Frame22", QStringLiteral("Max. Framerate"), 5040, 1280, 3840, 1040);
    Label9 = makeLabel(Frame22, "Label9", QStringLiteral("Max :"), 120, 450, 1080, kLabelHeight);
    txtMaxFRate = makeControl<QLineEdit>(Frame22, "txtMaxFRate", 1260, 420, 1200, 315);

    Frame21 = makeFrame(this, "Frame21", QStringLiteral("Spielername"), 5040, 120, 3840, 1040);
    Label8 =
        makeLabel(Frame21, "Label8", QStringLiteral("Spitzname :"), 120, 450, 1080, kLabelHeight);
    txtName = makeControl<QLineEdit>(Frame21, "txtName", 1260, 420, 2400, 315);

    Frame20 = makeFrame(this, "Frame20", QStringLiteral("Spielfigur"), 3120, 120, 1800, 3360);
    lstModel = listBox(Frame20, "lstModel", 120, 300, 1560, 2940);

    Frame19 =
        makeFrame(this, "Frame19", QStringLiteral("IP Kontaktadresse"), 5040, 2440, 3840, 1040);
    txtIP = makeControl<QLineEdit>(Frame19, "txtIP", 120, 420, 3540, 315);

    Frame18 = makeFrame(this, "Frame18", QStringLiteral("Optionen"), 120, 120, 2880, 3360);
    chkPreLoad = makeCheckBox(Frame18, "chkPreLoad", QStringLiteral("Preloading von Daten"), 120,
                              360, 2640, kOptionHeight);
    chkTCPIPOn = makeCheckBox(Frame18, "chkTCPIPOn", QStringLiteral("TCP/IP AN"), 120, 720, 2640,
                              kOptionHeight);
    chkIPXOn =
        makeCheckBox(Frame18, "chkIPXOn", QStringLiteral("IPX AN"), 120, 1080, 2640, kOptionHeight);
    chkSpecMode = makeCheckBox(Frame18, "chkSpecMode", QStringLiteral("Spectator mode"), 120, 1440,
                               2640, kOptionHeight);
    chkDelta = makeCheckBox(Frame18, "chkDelta", QStringLiteral("Delta kommpres. Aus"), 120, 1800,
                            2640, kOptionHeight);
    chkHIMod = makeCheckBox(Frame18, "chkHIMod", QStringLiteral("Hi-quality Figuren"), 120, 2160,
                            2640, kOptionHeight);
    chkUpload = makeCheckBox(Frame18, "chkUpload", QStringLiteral("Uploaden erlaubt"), 120, 2520,
                             2640, kOptionHeight);
    chkAllowDownload =
        makeCheckBox(Frame18, "chkAllowDownload", QStringLiteral("Downloaden erlaubt"), 120, 2880,
                     2640, kOptionHeight);

    fill(lstModel, playerModels());
}

ClientOptions PlayerTab::options() const {
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

MiscTab::MiscTab() {
    Frame16 = makeFrame(this, "Frame16", QStringLiteral("Musik Commandline"), 120, kLineFrameTop,
                        8760, kLineFrameHeight);
    cmdMiscGenerate = makeButton(Frame16, "cmdMiscGenerate", QStringLiteral("&Generiere"), 120, 360,
                                 kButtonWidth, kButtonHeight);
    lblMiscCommandLine = commandLineLabel(Frame16, "lblMiscCommandLine", 1560, 270, 7080, 810);

    Frame14 = makeFrame(this, "Frame14", QStringLiteral("Skill Level"), 3120, 120, 5760, 1040);
    Label5 = makeLabel(Frame14, "Label5", QStringLiteral("Wähle dein Skill Level"), 120, 450, 2400,
                       kLabelHeight);
    Skill = makeControl<QComboBox>(Frame14, "Skill", 2640, 420, 1200, 315);
    Skill->setEditable(true);
    // A typed level is used as typed; Enter must not add it to the three entries.
    Skill->setInsertPolicy(QComboBox::NoInsert);

    Frame12 = makeFrame(this, "Frame12", QStringLiteral("Optionen"), 120, 120, 2880, 3360);
    chkDMOn = makeCheckBox(Frame12, "chkDMOn", QStringLiteral("Deathmatch AN"), 120, 360, 2640,
                           kOptionHeight);
    chkCoop = makeCheckBox(Frame12, "chkCoop", QStringLiteral("Zusammen Spielen"), 120, 720, 2640,
                           kOptionHeight);
    chkHBlood = makeCheckBox(Frame12, "chkHBlood", QStringLiteral("Menschen Blut AN"), 120, 1080,
                             2640, kOptionHeight);
    chkHGibs = makeCheckBox(Frame12, "chkHGibs", QStringLiteral("Menschen Spot AN"), 120, 1440,
                            2640, kOptionHeight);
    chkABlood = makeCheckBox(Frame12, "chkABlood", QStringLiteral("Alien Blut AN"), 120, 1800, 2640,
                             kOptionHeight);
    chkAGibs = makeCheckBox(Frame12, "chkAGibs", QStringLiteral("Alien Spot AN"), 120, 2160, 2640,
                            kOptionHeight);

    Frame15 = makeFrame(this, "Frame15", QStringLiteral("Falsche Pckete"), 3120, 1280, 5760, 1040);
    Label6 = makeLabel(Frame15, "Label6", QStringLiteral("Wähle die Anzahl"), 120, 450, 2400,
                       kLabelHeight);
    FakePacketSlider = slider(Frame15, "FakePacketSlider", 2640, 360, 2400);
    lblFakePacketLoss =
        makeLabel(Frame15, "lblFakePacketLoss", QStringLiteral(""), 5160, 420, 420, kLabelHeight);

    Frame13 = makeFrame(this, "Frame13", QStringLiteral("Falsches Lagg"), 3120, 2440, 5760, 1040);
    Label4 = makeLabel(Frame13, "Label4", QStringLiteral("Wähle die Anzahl"), 120, 450, 2400,
                       kLabelHeight);
    FakeLagSlider = slider(Frame13, "FakeLagSlider", 2640, 360, 2400);
    lblFakeLag = makeLabel(Frame13, "lblFakeLag", QStringLiteral(""), 5160, 420, 420, kLabelHeight);

    showValue(FakePacketSlider, lblFakePacketLoss);
    showValue(FakeLagSlider, lblFakeLag);

    for (const std::string& level : skillLevels())
        Skill->addItem(QString::fromStdString(level));
    Skill->setCurrentIndex(-1);
    Skill->clearEditText();
    lblFakeLag->setText(QStringLiteral("0"));
    lblFakePacketLoss->setText(QStringLiteral("0"));
}

MiscOptions MiscTab::options() const {
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

StartTab::StartTab() {
    Frame24 = makeFrame(this, "Frame24", QStringLiteral("Starten"), 120, kLineFrameTop, 8760,
                        kLineFrameHeight);
    Command1 = makeButton(Frame24, "Command1", QStringLiteral("&Spiel starten"), 120, 480, 1800,
                          kButtonHeight);

    Frame17 =
        makeFrame(this, "Frame17", QStringLiteral("Komplette Commandline"), 120, 120, 8760, 3360);
    cmdFullGen = makeButton(Frame17, "cmdFullGen", QStringLiteral("&Generieren"), 120, 360,
                            kButtonWidth, kButtonHeight);
    lblFullCommandLine = commandLineLabel(Frame17, "lblFullCommandLine", 120, 840, 8520, 2400);
}

} // namespace gravelock
