#include "launcher/sp_window.h"

#include "app/window_id.h"
#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/file_list_box.h"
#include "frame/menu_window.h"
#include "launcher/launch_command.h"
#include "maps/map_list_info.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace gravelock {
namespace {

const QString kMapPattern = QStringLiteral("*.bsp");

} // namespace

SpWindow::SpWindow(AppContext& context) : context_(context) {
    setWindowTitle(QStringLiteral("Gravelock - Deathmatch Spiel"));
    makeFixedMenuWindow(this);
    buildControls();
    buildMenu();
    load();
}

void SpWindow::buildControls() {
    QWidget* client = addClientArea(this, 7965, 5055);

    launch = makeButton(client, "launch", QStringLiteral("S&taren"), 6480, 4440, 1335, 375);
    launch->setToolTip(QStringLiteral("Let's punch it!"));

    reset = makeButton(client, "reset", QStringLiteral("&Standard"), 4920, 4440, 1335, 375);

    frmCommand =
        makeFrame(client, "frmCommand", QStringLiteral("Command line"), 4920, 3240, 2895, 975);
    txtCommand = makeControl<QLineEdit>(frmCommand, "txtCommand", 120, 360, 2535, 315);

    frm3 = makeFrame(client, "frm3", QStringLiteral("Verfügbare Karten"), 2640, 120, 2055, 4695);
    confirmMap =
        makeButton(frm3, "confirmMap", QStringLiteral("&Diese Karte"), 240, 4080, 1575, 375);
    dirFichiers = makeControl<FileListBox>(frm3, "dirFichiers", 240, 360, 1575, 3540);
    dirFichiers->setPattern(kMapPattern);
    showMapInfoOn(dirFichiers, context_);

    frm2 = makeFrame(client, "frm2", QStringLiteral("Game type"), 4920, 120, 2895, 2895);
    optTFC = makeOptionButton(frm2, "optTFC", QStringLiteral("Team Fortress Classic"), 120, 720,
                              2655, 375);
    chkClose = makeCheckBox(frm2, "chkClose", QStringLiteral("Schließe den ORVO nach dem starten"),
                            120, 2280, 2655, 495);
    optSP = makeOptionButton(frm2, "optSP", QStringLiteral("Einzelspieler"), 120, 1080, 1575, 375);
    cmbDifficult = makeControl<QComboBox>(frm2, "cmbDifficult", 600, 1680, 1815, 315);
    cmbDifficult->setEditable(true);
    for (const Difficulty& d : difficulties())
        cmbDifficult->addItem(fromUtf8(d.caption), d.skill);
    cmbDifficult->setCurrentIndex(-1);
    cmbDifficult->setEditText(QStringLiteral("Wähle ..."));
    optDM = makeOptionButton(frm2, "optDM", QStringLiteral("Deathmatch"), 120, 360, 1455, 375);
    optDM->setChecked(true);

    frm1 = makeFrame(client, "frm1", QStringLiteral("Allgemeines"), 120, 120, 2295, 4695);
    numeric =
        makeCheckBox(frm1, "numeric", QStringLiteral("Nummerierter PING!"), 120, 1920, 1935, 375);
    parameters = makeControl<QLineEdit>(frm1, "parameters", 120, 3120, 1815, 315);
    parameters->setToolTip(QStringLiteral("Type here your(s) additional(s) parameter(s)"));
    parameters->setVisible(false);
    txtSelMap = makeControl<QLineEdit>(frm1, "txtSelMap", 120, 4080, 1815, 315);
    chkAdd =
        makeCheckBox(frm1, "chkAdd", QStringLiteral("Zustezliche Parameter"), 120, 2640, 2055, 375);
    cheats = makeCheckBox(frm1, "cheats", QStringLiteral("Cheats EIN"), 120, 360, 1695, 495);
    console = makeCheckBox(frm1, "console", QStringLiteral("Konsole EIN"), 120, 840, 1695, 495);
    dev = makeCheckBox(frm1, "dev", QStringLiteral("Dev. Modus"), 120, 1320, 1935, 495);
    SelMap = makeLabel(frm1, "SelMap", QStringLiteral("Augewählte Karte : "), 120, 3720, 1695, 255);

    // "launch" comes first in the tab order and has the focus when the window opens.
    setTabOrder(launch, reset);
    launch->setFocus();
    launch->setDefault(false);

    connect(optDM, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            selectDeathmatch();
    });
    connect(optSP, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            selectSinglePlayer();
    });
    connect(optTFC, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            selectTeamFortress();
    });
    for (QCheckBox* box : {cheats, console, dev, numeric})
        connect(box, &QCheckBox::toggled, this, &SpWindow::updatePreview);
    connect(chkAdd, &QCheckBox::toggled, parameters, &QLineEdit::setVisible);
    connect(confirmMap, &QPushButton::clicked, this, &SpWindow::takeSelectedMap);
    connect(launch, &QPushButton::clicked, this, &SpWindow::startGame);
    connect(reset, &QPushButton::clicked, this, [this] { resetControls(ResetFrom::Button); });

    fitCaptions(this);
}

void SpWindow::buildMenu() {
    mnuFichier = addMenu(this, "mnuFichier", QStringLiteral("&Datei"));
    mnuFileitmConnect =
        addMenuItem(mnuFichier, "mnuFileitmConnect",
                    QStringLiteral("&Kontaktiere einen Server ..."), QKeySequence("Ctrl+K"));
    mnuFileitmServers = addMenuItem(mnuFichier, "mnuFileitmServers",
                                    QStringLiteral("&Serverliste ..."), QKeySequence("Ctrl+L"));
    mnuConfigitmDMM = addMenuItem(mnuFichier, "mnuConfigitmDMM",
                                  QStringLiteral("&Deathmatch Maker ..."), QKeySequence("Ctrl+D"));
    mnuFileMapcleItm = addMenuItem(mnuFichier, "mnuFileMapcleItm",
                                   QStringLiteral("K&arten Rollierer ..."), QKeySequence("Ctrl+R"));
    mnuFileitmKesmo =
        addMenuItem(mnuFichier, "mnuFileitmKesmo",
                    QStringLiteral("&Erweiterte Gravelock Optionen "), QKeySequence("Ctrl+A"));
    mnuFichier->addSeparator()->setObjectName(QStringLiteral("Strichx"));
    mnuFichieritmQuitter = addMenuItem(mnuFichier, "mnuFichieritmQuitter",
                                       QStringLiteral("&Beenden"), QKeySequence("Ctrl+Q"));

    mnuEdit = addMenu(this, "mnuEdit", QStringLiteral("&Setup"));
    mnuEdititmConfig = addMenuItem(mnuEdit, "mnuEdititmConfig", QStringLiteral("&Konfiguration"),
                                   QKeySequence("Ctrl+C"));
    mnuEdititmReset = addMenuItem(mnuEdit, "mnuEdititmReset",
                                  QStringLiteral("&Standardisiere alles"), QKeySequence("Ctrl+S"));

    mnuHelp = addMenu(this, "mnuHelp", QStringLiteral("&?"));
    mnuHelpitmAbout = addMenuItem(mnuHelp, "mnuHelpitmAbout", QStringLiteral("&Über ..."),
                                  QKeySequence(Qt::Key_F1));
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("Linexx"));
    Ueber2 = addMenuItem(mnuHelp, "Über2", QStringLiteral("Über mich"), {});

    connect(mnuFileitmConnect, &QAction::triggered, this, [this] { openTool(WindowId::connect); });
    connect(mnuFileitmServers, &QAction::triggered, this, [this] { openTool(WindowId::servers); });
    connect(mnuConfigitmDMM, &QAction::triggered, this, [this] { openTool(WindowId::DM); });
    connect(mnuFileMapcleItm, &QAction::triggered, this, [this] { openTool(WindowId::MapCycle); });
    connect(mnuFileitmKesmo, &QAction::triggered, this,
            [this] { openTool(WindowId::frmAdvanced); });
    connect(mnuEdititmConfig, &QAction::triggered, this, [this] { openTool(WindowId::config); });
    connect(mnuFichieritmQuitter, &QAction::triggered, this, [this] { context_.quit(); });
    connect(mnuEdititmReset, &QAction::triggered, this, [this] { resetControls(ResetFrom::Menu); });
    connect(mnuHelpitmAbout, &QAction::triggered, this, &SpWindow::showAbout);
    connect(Ueber2, &QAction::triggered, this, &SpWindow::showTranslatorsNote);

    fixSizeToClientAndMenu(this);
}

void SpWindow::load() {
    const std::string tfc = context_.settings().read(setting::tfc);
    if (tfc == setting::tfc.missing) {
        context_.message(this, QStringLiteral("Du hast den ORVO nicht komplett Konfiguriert"),
                         QStringLiteral("Configuration error"));
        if (context_.windows().knows(WindowId::config)) {
            context_.windows().show(WindowId::config);
            // Hidden until the configuration dialog brings the main window back.
            context_.windows().keepHiddenAfterLoad(this);
        }
    }
    optTFC->setEnabled(tfc != "false");
    dirFichiers->setFolder(fromUtf8(context_.settings().read(setting::maps)));
    txtSelMap->setToolTip(QStringLiteral("Keine Karte ausgewält"));
}

void SpWindow::selectDeathmatch() {
    setWindowTitle(QStringLiteral("Gravelock - Deathmatch game"));
    cmbDifficult->setEnabled(false);
    dirFichiers->setFolder(fromUtf8(context_.settings().read(setting::maps)));
    txtSelMap->setToolTip(QStringLiteral("Keine Karte selektiert (Du bist im DM Modus)"));
}

void SpWindow::selectSinglePlayer() {
    cmbDifficult->setEnabled(true);
    setWindowTitle(QStringLiteral("Gravelock - Einspieler Modus"));
    dirFichiers->setFolder(fromUtf8(context_.settings().read(setting::maps)));
    txtSelMap->setToolTip(QStringLiteral("Keine Karte selktiert (Du bist im Einspieler Modus)"));
}

void SpWindow::selectTeamFortress() {
    setWindowTitle(QStringLiteral("Gravelock - Team Fortess Classic Spiel"));
    dirFichiers->setFolder(fromUtf8(context_.settings().read(setting::tfcmaps)));
    txtSelMap->setToolTip(QStringLiteral("Keine Karte selektiert !(Du bist im TFC Modus)"));
    cmbDifficult->setEnabled(false);
}

void SpWindow::updatePreview() {
    txtCommand->setText(QString::fromStdString(buildSwitchPreview(
        cheats->isChecked(), console->isChecked(), dev->isChecked(), numeric->isChecked())));
}

void SpWindow::takeSelectedMap() {
    const QString map = dirFichiers->selectedFileName();
    txtSelMap->setText(map);
    txtSelMap->setToolTip(QStringLiteral("Die ausgewählet Karte ist ") + map);
}

LaunchSettings SpWindow::currentSettings() const {
    LaunchSettings s;
    s.mode = optSP->isChecked()    ? GameMode::SinglePlayer
             : optTFC->isChecked() ? GameMode::TeamFortress
                                   : GameMode::Deathmatch;
    s.selectedMap = txtSelMap->text().toStdString();
    s.skill = skillOf(cmbDifficult->currentText().toStdString());
    s.parameters = parameters->text().toStdString();
    s.cheats = cheats->isChecked();
    s.console = console->isChecked();
    s.dev = dev->isChecked();
    return s;
}

void SpWindow::startGame() {
    const LaunchSettings settings = currentSettings();
    if (settings.selectedMap.empty()) {
        context_.message(this, QStringLiteral("Bitte selektiere eine Karte"),
                         QStringLiteral("Keine Karte ausgewählt !"), MsgButtons::Ok,
                         MsgIcon::Exclamation);
        return;
    }
    const std::string program = context_.settings().read(setting::programForStart);
    const bool started =
        context_.startGame(this, QString::fromStdString(buildLaunchCommand(program, settings)),
                           WindowStyle::MaximisedWithFocus);
    // After a failed start the player needs the window to mend the settings.
    if (started && chkClose->isChecked())
        context_.windows().unload(this);
}

void SpWindow::resetControls(ResetFrom from) {
    const bool fromMenu = from == ResetFrom::Menu;
    const QString text = fromMenu ? QStringLiteral("Bist du sicher ?") : QStringLiteral("Sicher ?");
    const QString title = fromMenu ? QStringLiteral("Alle Einstellungen standardisieren")
                                   : QStringLiteral("Standardisiere alle Konfigurationen");
    if (context_.message(this, text, title, MsgButtons::OkCancel) != MsgResult::Ok)
        return;
    parameters->clear();
    console->setChecked(false);
    cheats->setChecked(false);
    dev->setChecked(false);
    numeric->setChecked(false);
    chkAdd->setChecked(false);
    txtSelMap->clear();
    chkClose->setChecked(false);
    txtCommand->clear();
    optDM->setChecked(true);
    if (fromMenu)
        optSP->setEnabled(false);
    else
        optSP->setChecked(false); // already off: Deathmatch is selected
    cmbDifficult->setEnabled(false);
    txtSelMap->setToolTip(QStringLiteral("Keine Karte selektiert !"));
}

void SpWindow::openTool(WindowId tool) {
    // Tests register only the windows they look at.
    if (!context_.windows().knows(tool))
        return;
    context_.windows().show(tool);
    context_.windows().unload(this);
}

void SpWindow::showAbout() {
    if (!context_.windows().knows(WindowId::frmAbout))
        return;
    context_.windows().show(WindowId::frmAbout);
    setEnabled(false);
}

void SpWindow::showTranslatorsNote() {
    context_.message(this,
                     QStringLiteral("Über mich gibt es nicht viel zu sagen: Ich habe dieses "
                                    "Programm nur ins Deutsche übersetzt.\n\nBitte schreib mir "
                                    "nur, wenn du einen Fehler im Programm oder in der "
                                    "Übersetzung findest."));
}

} // namespace gravelock
