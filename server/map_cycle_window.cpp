#include "server/map_cycle_window.h"

#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/file_list_box.h"
#include "frame/menu_window.h"
#include "maps/map_list_info.h"
#include "server/map_cycle.h"
#include "server/server_config.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace gravelock {

MapCycleWindow::MapCycleWindow(AppContext& context) : context_(context) {
    setWindowTitle(QStringLiteral("Half-Life Karten Rollier : Einstellungen"));
    makeFixedMenuWindow(this);
    buildControls();
    buildMenu();
    fitCaptions(this);
    showGame();
}

void MapCycleWindow::buildControls() {
    QWidget* client = addClientArea(this, 7080, 4155);

    txtAvaible =
        makeFrame(client, "txtAvaible", QStringLiteral("Karte(n) Auswahl :"), 120, 120, 2055, 3855);
    avaible = makeControl<FileListBox>(txtAvaible, "avaible", 240, 360, 1575, 3210);
    avaible->setPattern(QStringLiteral("*.bsp"));
    showMapInfoOn(avaible, context_);

    add = makeButton(client, "add", QStringLiteral(">>"), 2520, 1200, 375, 375);
    del = makeButton(client, "del", QStringLiteral("<<"), 2520, 1800, 375, 375);
    save = makeButton(client, "save", QStringLiteral("&Speichern"), 2280, 3240, 855, 375);

    Frame1 =
        makeFrame(client, "Frame1", QStringLiteral("Ausgewählte Karte(n)"), 3240, 120, 2055, 3855);
    sel = makeControl<FileListBox>(Frame1, "sel", 240, 360, 1575, 3210);
    showMapInfoOn(sel, context_);

    optClass =
        makeOptionButton(client, "optClass", QStringLiteral("Half-Life "), 5520, 720, 1455, 375);
    optClass->setChecked(true);
    optTFC =
        makeOptionButton(client, "optTFC", QStringLiteral("Team Fortress"), 5520, 1200, 1455, 375);

    for (QRadioButton* option : {optClass, optTFC})
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                showGame();
        });
    connect(add, &QPushButton::clicked, this, &MapCycleWindow::addMap);
    connect(del, &QPushButton::clicked, this, &MapCycleWindow::removeMap);
    connect(save, &QPushButton::clicked, this, &MapCycleWindow::saveCycle);
}

void MapCycleWindow::buildMenu() {
    mnuFile = addMenu(this, "mnuFile", QStringLiteral("&Datei"));
    itmsave = addMenuItem(mnuFile, "itmsave", QStringLiteral("&Enregistrer"));
    orvo = addMenuItem(mnuFile, "orvo", QStringLiteral("&Gravelock"));

    connect(itmsave, &QAction::triggered, this, &MapCycleWindow::saveCycle);
    connect(orvo, &QAction::triggered, this, [this] { context_.returnToMainWindow(this); });

    fixSizeToClientAndMenu(this);
}

MapCyclePath MapCycleWindow::cyclePath() const {
    return optTFC->isChecked()
               ? teamFortressMapCyclePath(context_.settings().read(setting::tfcmaps))
               : halfLifeMapCyclePath(context_.settings().read(setting::valve));
}

void MapCycleWindow::showGame() {
    const SettingKey& maps = optTFC->isChecked() ? setting::tfcmaps : setting::maps;
    avaible->setFolder(fromUtf8(context_.settings().read(maps)));
    QStringList names;
    const MapCyclePath cycle = cyclePath();
    std::string reason;
    const auto read = cycle.problem.empty() ? readMapCycle(cycle.path, reason)
                                            : std::optional<std::vector<std::string>>{};
    for (const std::string& name : read.value_or(std::vector<std::string>{}))
        names << fromUtf8(name);
    sel->showFileNames(avaible->folder(), names);
    // No setting yet is no fault: the player learns of it on saving.
    if (!read && cycle.problem.empty())
        context_.message(this,
                         QStringLiteral("Die Kartenrotation kann nicht gelesen werden.\n\n"
                                        "Datei: %1\nGrund: %2.")
                             .arg(QDir::toNativeSeparators(fromUtf8(cycle.path)), fromUtf8(reason)),
                         {}, MsgButtons::Ok, MsgIcon::Exclamation);
}

void MapCycleWindow::addMap() {
    const QString map = avaible->selectedFileName();
    QStringList names = sel->fileNames();
    if (map.isEmpty() || names.contains(map))
        return;
    names << map;
    sel->showFileNames(sel->folder(), names);
    sel->selectFileName(map);
}

void MapCycleWindow::removeMap() {
    QStringList names = sel->fileNames();
    if (!names.removeOne(sel->selectedFileName()))
        return;
    sel->showFileNames(sel->folder(), names);
}

void MapCycleWindow::saveCycle() {
    const QStringList names = sel->fileNames();
    if (names.isEmpty()) {
        context_.message(this, QStringLiteral("Nichts geaddet"), QStringLiteral("Ooops !"),
                         MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const MapCyclePath cycle = cyclePath();
    std::vector<std::string> maps;
    for (const QString& name : names)
        maps.push_back(name.toStdString());
    const WriteResult result = cycle.problem.empty() ? writeMapCycle(cycle.path, maps)
                                                     : WriteResult::failure(cycle.problem);
    if (!result) {
        context_.message(this,
                         QStringLiteral("Die Kartenrotation konnte nicht gespeichert werden.\n\n"
                                        "Datei: %1\nGrund: %2.")
                             .arg(QDir::toNativeSeparators(
                                      fromUtf8(cycle.path.empty() ? kMapCycleName : cycle.path)),
                                  fromUtf8(result.reason)),
                         {}, MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    context_.message(this, QStringLiteral("Kartenrotation gespeichert"), {}, MsgButtons::Ok,
                     MsgIcon::Information);
}

} // namespace gravelock
