#include "server/map_cycle_window.h"

#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/file_list_box.h"
#include "frame/menu_window.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace gravelock {

MapCycleWindow::MapCycleWindow(AppContext& context) : context_(context) {
    setObjectName(QStringLiteral("MapCycle"));
    setWindowTitle(QStringLiteral("Half-Life Karten Rollier : Einstellungen"));
    makeFixedMenuWindow(this);
    buildControls();
    buildMenu();
    fitCaptions(this);
    listMaps("maps");
}

void MapCycleWindow::buildControls() {
    QWidget* client = addClientArea(this, 7080, 4155);

    txtAvaible = makeControl<QGroupBox>(client, "txtAvaible", 120, 120, 2055, 3855);
    txtAvaible->setTitle(QStringLiteral("Karte(n) Auswahl :"));
    avaible = makeControl<FileListBox>(txtAvaible, "avaible", 240, 360, 1575, 3210);
    avaible->setPattern(QStringLiteral("*.bsp"));

    add = makeControl<QPushButton>(client, "add", 2520, 1200, 375, 375);
    add->setText(QStringLiteral(">>"));
    del = makeControl<QPushButton>(client, "del", 2520, 1800, 375, 375);
    del->setText(QStringLiteral("<<"));
    save = makeControl<QPushButton>(client, "save", 2280, 3240, 855, 375);
    save->setText(QStringLiteral("&Speichern"));

    Frame1 = makeControl<QGroupBox>(client, "Frame1", 3240, 120, 2055, 3855);
    Frame1->setTitle(QStringLiteral("Ausgewählte Karte(n)"));
    sel = makeControl<FileListBox>(Frame1, "sel", 240, 360, 1575, 3210);
    sel->setPattern(QStringLiteral("*.bsp"));
    // Never pointed anywhere else: it shows the maps of the folder the program runs in.
    sel->setFolder(QDir::currentPath());

    optClass = makeControl<QRadioButton>(client, "optClass", 5520, 720, 1455, 375);
    optClass->setText(QStringLiteral("Half-Life "));
    optClass->setChecked(true);
    optTFC = makeControl<QRadioButton>(client, "optTFC", 5520, 1200, 1455, 375);
    optTFC->setText(QStringLiteral("Team Fortress"));

    connect(optClass, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            listMaps("maps");
    });
    connect(optTFC, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            listMaps("tfcmaps");
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

void MapCycleWindow::listMaps(const char* key) {
    avaible->setFolder(context_.readSetting("GAMEDIR", key, "error", kUncut));
}

} // namespace gravelock
