#include "server/dm_window.h"

#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/file_list_box.h"
#include "frame/menu_window.h"
#include "maps/map_list_info.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace gravelock {
namespace {

// A one-line text box of the design's height, holding at most maxLength
// characters (0: no limit).
QLineEdit* textBox(QWidget* parent, const char* name, const std::string& text, int left, int top,
                   int width, int maxLength, const QString& tip = {}) {
    auto* box = makeControl<QLineEdit>(parent, name, left, top, width, 285);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    box->setText(fromUtf8(text));
    box->setToolTip(tip);
    return box;
}

} // namespace

DMWindow::DMWindow(AppContext& context) : context_(context) {
    setWindowTitle(QStringLiteral("Half-Life Deathmatch Maker"));
    makeFixedMenuWindow(this);
    QWidget* client = addClientArea(this, 6585, 8520);
    buildOptions(client);
    buildMapChoice(client);
    buildParameters(client);
    buildButtonsAndMenu(client);
    fitCaptions(this);
    load();
}

void DMWindow::buildOptions(QWidget* client) {
    const ServerSettings initial;
    opt = makeFrame(client, "opt", QStringLiteral("Optionen"), 120, 0, 6255, 3855);

    sv_cheats = withTip(
        makeCheckBox(opt, "sv_cheats", QStringLiteral("Cheating erlaubt"), 120, 360, 2055, 375),
        QStringLiteral("Allow cheats during the Deathmatches games"));
    dl = withTip(makeCheckBox(opt, "dl", QStringLiteral("Downloaden erlaubt"), 120, 840, 2055, 375),
                 QStringLiteral("Users can download maps, skins, models, sounds, etc ..."));
    mp_flashlight =
        withTip(makeCheckBox(opt, "mp_flashlight", QStringLiteral("Flash-, Spotlicht erlaubt"), 120,
                             1320, 2055, 375),
                QStringLiteral("The flashlight is allowed"));
    ul = withTip(makeCheckBox(opt, "ul", QStringLiteral("Uploaden erlaubt"), 120, 1800, 2055, 375),
                 QStringLiteral("Users can upload maps, skins, models, sounds, etc ..."));
    // The two longest captions get the free room beside them (2535 and 2895 twips
    // are too narrow for them with common fonts).
    mp_autocrosshair =
        withTip(makeCheckBox(opt, "mp_autocrosshair",
                             QStringLiteral("Automatisches Fadenkreuz ausgeschaltet"), 120, 2280,
                             2835, 375),
                QStringLiteral("Turns off Multi-player autoaiming"));
    mp_forcerespawn =
        withTip(makeCheckBox(opt, "mp_forcerespawn", QStringLiteral("Force auferstehen :)"), 120,
                             2760, 2055, 375),
                QStringLiteral("Are players forcd to respawn after dying?"));
    chase_active = withTip(
        makeCheckBox(opt, "chase_active", QStringLiteral("Kasten sicht"), 120, 3240, 1695, 375),
        QStringLiteral("Enable chase view"));

    maxplayers =
        makeLabel(opt, "maxplayers", QStringLiteral("Max. Spieler : "), 3120, 360, 1215, 375);
    maxplayersvalue = textBox(opt, "maxplayersvalue", initial.maxplayersvalue, 4560, 360, 615, 3);
    Label1 = makeLabel(opt, "Label1", QStringLiteral("Spielname : "), 3120, 720, 1215, 375);
    partyname = textBox(opt, "partyname", initial.partyname, 4440, 720, 1695, 0);

    mp_friendlyfire =
        withTip(makeCheckBox(opt, "mp_friendlyfire", QStringLiteral("Auf Freunde schießen erlaubt"),
                             3000, 1320, 2535, 375),
                QStringLiteral("Teammates cannot hurt each other during team play "));
    falldamage = withTip(
        makeCheckBox(opt, "falldamage", QStringLiteral("Fallschaden aus"), 3000, 1800, 2295, 375),
        QStringLiteral("Wether or not players take damage they falling"));
    mp_footsteps = withTip(
        makeCheckBox(opt, "mp_footsteps", QStringLiteral("Laufgeräusche"), 3000, 2280, 2055, 375),
        QStringLiteral("Do players footsteps make sound ? "));
    mp_weaponstay =
        withTip(makeCheckBox(opt, "mp_weaponstay", QStringLiteral("Waffen bleiben stehen"), 3000,
                             2760, 2055, 375),
                QStringLiteral("Determines wether or not weapons stay or not after "
                               "you've dying"));
    cl_download_ingame = makeCheckBox(opt, "cl_download_ingame",
                                      QStringLiteral("Downloaden wärend des Spiels ausgeschaltet"),
                                      3000, 3240, 3135, 375);
}

void DMWindow::buildMapChoice(QWidget* client) {
    Frame1 = makeFrame(client, "Frame1", QStringLiteral("Erste Karten selektierung"), 120, 3960,
                       6255, 1935);
    maps = makeControl<FileListBox>(Frame1, "maps", 120, 360, 2535, 1260);
    maps->setPattern(QStringLiteral("*.bsp"));
    showMapInfoOn(maps, context_);
    Label2 = makeLabel(Frame1, "Label2",
                       QStringLiteral("Selektiere hier die erste Karte in deinem  Spiel. Dann gib "
                                      "\"orvo.cfg\" in der console ein."),
                       2880, 360, 3225, 435);
    cmdMapSel =
        makeButton(Frame1, "cmdMapSel", QStringLiteral("Diese Karte"), 2880, 1200, 1335, 375);
    SelMap = makeControl<QLineEdit>(Frame1, "SelMap", 4440, 1200, 1455, 375);

    connect(cmdMapSel, &QPushButton::clicked, this, &DMWindow::takeSelectedMap);
}

void DMWindow::buildParameters(QWidget* client) {
    const ServerSettings initial;
    param =
        makeFrame(client, "param", QStringLiteral("Additionale Parameter"), 120, 6000, 6255, 1935);

    sv_gravity = makeLabel(param, "sv_gravity", QStringLiteral("Gravity : "), 240, 360, 855, 255);
    sv_gravityvalue = textBox(param, "sv_gravityvalue", initial.sv_gravityvalue, 1320, 360, 735, 4,
                              QStringLiteral("Set the gravity (default : 800)"));
    sv_maxspectators = makeLabel(param, "sv_maxspectators", QStringLiteral("Max spectators : "),
                                 3120, 360, 1455, 255);
    maxspectatorsvalue = textBox(param, "maxspectatorsvalue", initial.maxspectatorsvalue, 4800, 360,
                                 735, 4, QStringLiteral("Set maximum number of spectators"));
    fraglimit = makeLabel(param, "fraglimit", QStringLiteral("Frag limit : "), 120, 840, 975, 375);
    fraglimitvalue = textBox(param, "fraglimitvalue", initial.fraglimitvalue, 1320, 840, 735, 4,
                             QStringLiteral("Set the frag limit. Type \"0\" for no frag limit"));
    timelimit = makeLabel(param, "timelimit", QStringLiteral("Zeit Limit :"), 3600, 840, 975, 255);
    timelimitvalue = textBox(param, "timelimitvalue", initial.timelimitvalue, 4800, 840, 735, 4,
                             QStringLiteral("Set the time limit. Type \"0\" for no time limit"));
    maxping = makeLabel(param, "maxping", QStringLiteral("Max. ping : "), 120, 1320, 975, 375);
    maxpingvalue = textBox(param, "maxpingvalue", initial.maxpingvalue, 1320, 1320, 735, 4);
    password = makeCheckBox(param, "password", QStringLiteral("Password :"), 3360, 1320, 1335, 375);
    // Shown in clear: the host reads it out to the players.
    passwordvalue = textBox(param, "passwordvalue", initial.passwordvalue, 4800, 1320, 1335, 8);

    connect(password, &QCheckBox::toggled, this,
            [this](bool on) { setTextBoxEnabled(passwordvalue, on); });
}

void DMWindow::buildButtonsAndMenu(QWidget* client) {
    cmdHelp = makeButton(client, "cmdHelp", QStringLiteral("&Hilfe"), 240, 8040, 1215, 375);
    save = makeButton(client, "save", QStringLiteral("&Speichern"), 3600, 8040, 1095, 375);
    save->setToolTip(QStringLiteral("Save to \"orvo.cfg\""));
    Command1 = makeButton(client, "Command1", QStringLiteral("Speicher + S&tarten"), 4800, 8040,
                          1575, 375);
    Command1->setToolTip(QStringLiteral("Save to \"orvo.cfg\" and launch Half-Life"));

    mnuFile = addMenu(this, "mnuFile", QStringLiteral("&Datei"));
    mnuFileitmORVO = addMenuItem(mnuFile, "mnuFileitmORVO", QStringLiteral("&Gravelock"));

    connect(cmdHelp, &QPushButton::clicked, this, &DMWindow::showHelp);
    connect(save, &QPushButton::clicked, this, &DMWindow::saveConfig);
    connect(Command1, &QPushButton::clicked, this, &DMWindow::saveAndStart);
    connect(mnuFileitmORVO, &QAction::triggered, this,
            [this] { context_.returnToMainWindow(this); });

    fixSizeToClientAndMenu(this);
}

void DMWindow::load() {
    maps->setFolder(fromUtf8(context_.settings().read(setting::maps)));
    setTextBoxEnabled(passwordvalue, false);
}

ServerSettings DMWindow::currentSettings() const {
    ServerSettings s;
    s.sv_cheats = sv_cheats->isChecked();
    s.dl = dl->isChecked();
    s.mp_flashlight = mp_flashlight->isChecked();
    s.ul = ul->isChecked();
    s.mp_autocrosshair = mp_autocrosshair->isChecked();
    s.mp_forcerespawn = mp_forcerespawn->isChecked();
    s.chase_active = chase_active->isChecked();
    s.mp_friendlyfire = mp_friendlyfire->isChecked();
    s.falldamage = falldamage->isChecked();
    s.mp_footsteps = mp_footsteps->isChecked();
    s.mp_weaponstay = mp_weaponstay->isChecked();
    s.cl_download_ingame = cl_download_ingame->isChecked();
    s.password = password->isChecked();
    s.maxplayersvalue = maxplayersvalue->text().toStdString();
    s.partyname = partyname->text().toStdString();
    s.sv_gravityvalue = sv_gravityvalue->text().toStdString();
    s.maxspectatorsvalue = maxspectatorsvalue->text().toStdString();
    s.fraglimitvalue = fraglimitvalue->text().toStdString();
    s.timelimitvalue = timelimitvalue->text().toStdString();
    s.maxpingvalue = maxpingvalue->text().toStdString();
    s.passwordvalue = passwordvalue->text().toStdString();
    return s;
}

std::optional<QString> DMWindow::writeConfig(ServerConfigVariant variant) {
    const ServerSettings settings = currentSettings();
    if (const auto check = CheckServerSettings(settings); check != ServerSettingsCheck::Passed) {
        const PlayerMessage m = serverSettingsMessage(check, variant);
        context_.message(this, fromUtf8(m.text), fromUtf8(m.title), MsgButtons::Ok,
                         MsgIcon::Information);
        return std::nullopt;
    }
    if (const auto problem = findUnwritableText(settings)) {
        context_.message(this, fromUtf8(unwritableTextMessage(*problem)), {}, MsgButtons::Ok,
                         MsgIcon::Exclamation);
        return std::nullopt;
    }
    const std::string valve = context_.settings().read(setting::valve);
    const std::string path = serverConfigPath(valve);
    const auto folderProblem = gameFolderProblem(valve);
    const WriteResult result = folderProblem ? WriteResult::failure(*folderProblem)
                                             : WriteServerConfig(settings, variant, path);
    if (!result) {
        context_.message(
            this,
            QStringLiteral("Die orvo.cfg konnte nicht gespeichert werden.\n\n"
                           "Datei: %1\nGrund: %2.")
                .arg(QDir::toNativeSeparators(fromUtf8(path)), fromUtf8(result.reason)),
            {}, MsgButtons::Ok, MsgIcon::Critical);
        return std::nullopt;
    }
    return fromUtf8(valve);
}

void DMWindow::saveConfig() {
    const auto folder = writeConfig(ServerConfigVariant::Save);
    if (!folder)
        return;
    context_.message(this, QStringLiteral("Deine Orvo.cfg wird nun gesichert in ") + *folder,
                     QStringLiteral("Wichtig !"), MsgButtons::Ok, MsgIcon::Information);
}

void DMWindow::saveAndStart() {
    if (!writeConfig(ServerConfigVariant::Start))
        return;
    if (SelMap->text().isEmpty()) {
        context_.message(this, QStringLiteral("Bitte selektiere eine Karte"),
                         QStringLiteral("Keine Karte selektiert"), MsgButtons::Ok,
                         MsgIcon::Exclamation);
        return;
    }
    const std::string program = context_.settings().read(setting::programForServer);
    const std::string command = buildServerCommand(program, maxplayersvalue->text().toStdString(),
                                                   SelMap->text().toStdString());
    context_.startGame(this, fromUtf8(command), WindowStyle::MaximisedWithFocus);
}

void DMWindow::takeSelectedMap() {
    const QString file = maps->selectedFileName();
    if (file.isEmpty())
        return;
    Frame1->setTitle(QStringLiteral("Erste Kartenauswahl (") + file + QStringLiteral(")"));
    SelMap->setText(fromUtf8(mapNameOf(file.toStdString())));
}

void DMWindow::showHelp() {
    context_.message(this,
                     QStringLiteral("Der Half-Life Deathmatch maker erlaubt es dir den Server zu "
                                    "konfigurieren. Wenn du auf 'Speicher' klickst, wird die "
                                    "'ORVO.cfg' in dem Half-Life Ordner einglesen und abgeendert. "
                                    "Um das zu nutzen, starte einen Sever, dann tippe 'exec "
                                    "orvo.cfg' in der Konsole."),
                     QStringLiteral("Hilfe"), MsgButtons::Ok, MsgIcon::Information);
}

} // namespace gravelock
