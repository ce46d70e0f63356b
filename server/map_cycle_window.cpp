#include "server/map_cycle_window.h"

#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/file_list_box.h"
#include "frame/menu_window.h"
#include "frame/window_names.h"
#include "maps/map_list_info.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace gravelock {

MapCycleWindow::MapCycleWindow(AppContext& context) : context_(context) {
    setObjectName(windowName::MapCycle);
    setWindowTitle(QStringLiteral("Half-Life Karten Rollier : Einstellungen"));
    makeFixedMenuWindow(this);
    buildControls();
    buildMenu();
    fitCaptions(this);
    listMaps(setting::maps);
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
    sel->setPattern(QStringLiteral("*.bsp"));
    showMapInfoOn(sel, context_);
    // Never pointed anywhere else: it shows the maps of the folder the program runs in.
    sel->setFolder(QDir::currentPath());

    optClass =
        makeOptionButton(client, "optClass", QStringLiteral("Half-Life "), 5520, 720, 1455, 375);
    optClass->setChecked(true);
    optTFC =
        makeOptionButton(client, "optTFC", QStringLiteral("Team Fortress"), 5520, 1200, 1455, 375);

    connect(optClass, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            listMaps(setting::maps);
    });
    connect(optTFC, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            listMaps(setting::tfcmaps);
    });
    connect(save, &QPushButton::clicked, this, [this] {
        context_.message(this, QStringLiteral("Nichts geaddet"), QStringLiteral("Ooops !"),
                         MsgButtons::Ok, MsgIcon::Information);
    });
}

void MapCycleWindow::buildMenu() {
    mnuFile = addMenu(this, "mnuFile", QStringLiteral("&Datei"));
    itmsave = addMenuItem(mnuFile, "itmsave", QStringLiteral("&Enregistrer"));
    orvo = addMenuItem(mnuFile, "orvo", QStringLiteral("&Gravelock"));

    connect(orvo, &QAction::triggered, this, [this] { context_.returnToMainWindow(this); });

    fixSizeToClientAndMenu(this);
}

void MapCycleWindow::listMaps(const SettingKey& key) {
    avaible->setFolder(fromUtf8(context_.settings().read(key)));
}

} // namespace gravelock
