#include "server/dm_window.h"

#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/file_list_box.h"
#include "frame/menu_window.h"

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

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QCheckBox* checkBox(QWidget* parent, const char* name, int left, int top, int width,
                    const QString& caption, const QString& tip = {}) {
    auto* box = makeControl<QCheckBox>(parent, name, left, top, width, 375);
    box->setText(caption);
    box->setToolTip(tip);
    return box;
}

QLabel* label(QWidget* parent, const char* name, int left, int top, int width, int height,
              const QString& caption) {
    auto* l = makeControl<QLabel>(parent, name, left, top, width, height);
    l->setText(caption);
    return l;
}

QLineEdit* textBox(QWidget* parent, const char* name, int left, int top, int width,
                   const std::string& text, int maxLength, const QString& tip = {}) {
    auto* box = makeControl<QLineEdit>(parent, name, left, top, width, 285);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    box->setText(q(text));
    box->setToolTip(tip);
    return box;
}

} // namespace

DMWindow::DMWindow(AppContext& context) : context_(context) {
    setObjectName(QStringLiteral("DM"));
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
    opt = makeControl<QGroupBox>(client, "opt", 120, 0, 6255, 3855);
    opt->setTitle(QStringLiteral("Optionen"));

    sv_cheats = checkBox(opt, "sv_cheats", 120, 360, 2055, QStringLiteral("Cheating erlaubt"),
                         QStringLiteral("Allow cheats during the Deathmatches games"));
    dl = checkBox(opt, "dl", 120, 840, 2055, QStringLiteral("Downloaden erlaubt"),
                  QStringLiteral("Users can download maps, skins, models, sounds, etc ..."));
    mp_flashlight =
        checkBox(opt, "mp_flashlight", 120, 1320, 2055, QStringLiteral("Flash-, Spotlicht erlaubt"),
                 QStringLiteral("The flashlight is allowed"));
    ul = checkBox(opt, "ul", 120, 1800, 2055, QStringLiteral("Uploaden erlaubt"),
                  QStringLiteral("Users can upload maps, skins, models, sounds, etc ..."));
    // The two longest captions get the free room beside them (2535 and 2895 twips
    // are too narrow for them with common fonts).
    mp_autocrosshair = checkBox(opt, "mp_autocrosshair", 120, 2280, 2835,
                                QStringLiteral("Automatisches Fadenkreuz ausgeschaltet"),
                                QStringLiteral("Turns off Multi-player autoaiming"));
    mp_forcerespawn =
        checkBox(opt, "mp_forcerespawn", 120, 2760, 2055, QStringLiteral("Force auferstehen :)"),
                 QStringLiteral("Are players forcd to respawn after dying?"));
    chase_active = checkBox(opt, "chase_active", 120, 3240, 1695, QStringLiteral("Kasten sicht"),
                            QStringLiteral("Enable chase view"));

    maxplayers = label(opt, "maxplayers", 3120, 360, 1215, 375, QStringLiteral("Max. Spieler : "));
    maxplayersvalue = textBox(opt, "maxplayersvalue", 4560, 360, 615, initial.maxplayersvalue, 3);
    Label1 = label(opt, "Label1", 3120, 720, 1215, 375, QStringLiteral("Spielname : "));
    partyname = textBox(opt, "partyname", 4440, 720, 1695, initial.partyname, 0);

    mp_friendlyfire = checkBox(
        opt, "mp_friendlyfire", 3000, 1320, 2535, QStringLiteral("Auf Freunde schießen erlaubt"),
        QStringLiteral("Teammates cannot hurt each other during team play "));
    falldamage = checkBox(opt, "falldamage", 3000, 1800, 2295, QStringLiteral("Fallschaden aus"),
                          QStringLiteral("Wether or not players take damage they falling"));
    mp_footsteps = checkBox(opt, "mp_footsteps", 3000, 2280, 2055, QStringLiteral("Laufgeräusche"),
                            QStringLiteral("Do players footsteps make sound ? "));
    mp_weaponstay =
        checkBox(opt, "mp_weaponstay", 3000, 2760, 2055, QStringLiteral("Waffen bleiben stehen"),
                 QStringLiteral("Determines wether or not weapons stay or not after "
                                "you've dying"));
    cl_download_ingame = checkBox(opt, "cl_download_ingame", 3000, 3240, 3135,
                                  QStringLiteral("Downloaden wärend des Spiels ausgeschaltet"));
}

void DMWindow::buildMapChoice(QWidget* client) {
    Frame1 = makeControl<QGroupBox>(client, "Frame1", 120, 3960, 6255, 1935);
    Frame1->setTitle(QStringLiteral("Erste Karten selektierung"));
    maps = makeControl<FileListBox>(Frame1, "maps", 120, 360, 2535, 1260);
    maps->setPattern(QStringLiteral("*.bsp"));
    Label2 = label(Frame1, "Label2", 2880, 360, 3225, 435,
                   QStringLiteral("Selektiere hier die erste Karte in deinem  Spiel. Dann gib "
                                  "\"orvo.cfg\" in der console ein."));
    cmdMapSel = makeControl<QPushButton>(Frame1, "cmdMapSel", 2880, 1200, 1335, 375);
    cmdMapSel->setText(QStringLiteral("Diese Karte"));
    SelMap = makeControl<QLineEdit>(Frame1, "SelMap", 4440, 1200, 1455, 375);

    connect(cmdMapSel, &QPushButton::clicked, this, &DMWindow::takeSelectedMap);
}

void DMWindow::buildParameters(QWidget* client) {
    const ServerSettings initial;
    param = makeControl<QGroupBox>(client, "param", 120, 6000, 6255, 1935);
    param->setTitle(QStringLiteral("Additionale Parameter"));

    sv_gravity = label(param, "sv_gravity", 240, 360, 855, 255, QStringLiteral("Gravity : "));
    sv_gravityvalue = textBox(param, "sv_gravityvalue", 1320, 360, 735, initial.sv_gravityvalue, 4,
                              QStringLiteral("Set the gravity (default : 800)"));
    sv_maxspectators =
        label(param, "sv_maxspectators", 3120, 360, 1455, 255, QStringLiteral("Max spectators : "));
    maxspectatorsvalue =
        textBox(param, "maxspectatorsvalue", 4800, 360, 735, initial.maxspectatorsvalue, 4,
                QStringLiteral("Set maximum number of spectators"));
    fraglimit = label(param, "fraglimit", 120, 840, 975, 375, QStringLiteral("Frag limit : "));
    fraglimitvalue = textBox(param, "fraglimitvalue", 1320, 840, 735, initial.fraglimitvalue, 4,
                             QStringLiteral("Set the frag limit. Type \"0\" for no frag limit"));
    timelimit = label(param, "timelimit", 3600, 840, 975, 255, QStringLiteral("Zeit Limit :"));
    timelimitvalue = textBox(param, "timelimitvalue", 4800, 840, 735, initial.timelimitvalue, 4,
                             QStringLiteral("Set the time limit. Type \"0\" for no time limit"));
    maxping = label(param, "maxping", 120, 1320, 975, 375, QStringLiteral("Max. ping : "));
    maxpingvalue = textBox(param, "maxpingvalue", 1320, 1320, 735, initial.maxpingvalue, 4);
    password = checkBox(param, "password", 3360, 1320, 1335, QStringLiteral("Password :"));
    // Shown in clear: the host reads it out to the players.
    passwordvalue = textBox(param, "passwordvalue", 4800, 1320, 1335, initial.passwordvalue, 8);

    connect(password, &QCheckBox::toggled, this,
            [this](bool on) { setTextBoxEnabled(passwordvalue, on); });
}

void DMWindow::buildButtonsAndMenu(QWidget* client) {
    cmdHelp = makeControl<QPushButton>(client, "cmdHelp", 240, 8040, 1215, 375);
    cmdHelp->setText(QStringLiteral("&Hilfe"));
    save = makeControl<QPushButton>(client, "save", 3600, 8040, 1095, 375);
    save->setText(QStringLiteral("&Speichern"));
    save->setToolTip(QStringLiteral("Save to \"orvo.cfg\""));
    Command1 = makeControl<QPushButton>(client, "Command1", 4800, 8040, 1575, 375);
    Command1->setText(QStringLiteral("Speicher + S&tarten"));
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
    maps->setFolder(context_.readSetting("GAMEDIR", "maps", "error", kUncut));
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
        const CheckMessage m = serverSettingsMessage(check, variant);
        context_.message(this, q(m.text), q(m.title), MsgButtons::Ok, MsgIcon::Information);
        return std::nullopt;
    }
    if (const auto problem = findUnwritableText(settings)) {
        context_.message(this, q(unwritableTextMessage(*problem)), {}, MsgButtons::Ok,
                         MsgIcon::Exclamation);
        return std::nullopt;
    }
    // Read whole: a folder cut short would put the file somewhere else.
    const std::string valve = context_.getPPS("GAMEDIR", "valve", kMissingGameFolder, kUncut);
    const std::string path = serverConfigPath(valve);
    const auto folderProblem = gameFolderProblem(valve);
    const WriteResult result = folderProblem ? WriteResult::failure(*folderProblem)
                                             : WriteServerConfig(settings, variant, path);
    if (!result) {
        context_.message(this,
                         QStringLiteral("Die orvo.cfg konnte nicht gespeichert werden.\n\n"
                                        "Datei: %1\nGrund: %2.")
                             .arg(QDir::toNativeSeparators(q(path)), q(result.reason)),
                         {}, MsgButtons::Ok, MsgIcon::Critical);
        return std::nullopt;
    }
    return q(valve);
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
    const std::string program = context_.getPPS("gamedir", "program", "error!", kUncut);
    context_.startGame(this, q(buildServerCommand(program, SelMap->text().toStdString())),
                       kMaximisedWithFocus);
}

void DMWindow::takeSelectedMap() {
    const QString file = maps->selectedFileName();
    if (file.isEmpty())
        return;
    Frame1->setTitle(QStringLiteral("Erste Kartenauswahl (") + file + QStringLiteral(")"));
    SelMap->setText(q(mapNameOf(file.toStdString())));
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
