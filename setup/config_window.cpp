#include "setup/config_window.h"

#include "app/window_id.h"
#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/twips.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace gravelock {
namespace {

GameFoldersTexts dialogTexts() {
    return {QStringLiteral("Half-Life :"),
            QStringLiteral("Program :"),
            QStringLiteral("TFC Karten Ordner :"),
            QStringLiteral("&Team Fortess Classic installiert"),
            QStringLiteral("Half-Life Anwendung (Pfand) endern"),
            "Half-Life Anwendung (Hl.exe)",
            "Hl.exe"};
}

} // namespace

ConfigWindow::ConfigWindow(AppContext& context, FinderEnvironmentSource environment)
    : GameFoldersWindow(context, QStringLiteral("Configuration"), dialogTexts(), 120, 3000,
                        std::move(environment)) {
    setClientSizeTwips(this, 5400, 3495);
    cmdOK = makeButton(this, "cmdOK", QStringLiteral("&Ok"), 2520, 3000, 1335, 375);
    cmdOK->setToolTip(QStringLiteral("Saves parameters in \"orvo.ini\""));
    cmdOK->setDefault(true);
    Command3 = makeButton(this, "Command3", QStringLiteral("&Abrechen"), 3945, 3000, 1335, 375);
    // Beside the Team Fortress box, which keeps its place and gives up only
    // the empty end of its row.
    chkTFC->resize(pixelsFromTwips(3120), chkTFC->height());
    chkSteam = makeCheckBox(this, "chkSteam", QStringLiteral("Über &Steam starten"), 3360, 1560,
                            1920, 315);
    chkSteam->setToolTip(
        QStringLiteral("Ein Half-Life aus einer Steam-Bibliothek startet über sein Steam"));

    connect(cmdMaps, &QPushButton::clicked, this, [this] {
        openFolderPicker(WindowId::DirMaps, QStringLiteral("Wo hast du deine Half-Life Karten ???"),
                         CaptionSet::AfterShowing, txtMaps);
    });
    connect(cmdTFCMaps, &QPushButton::clicked, this, [this] {
        openFolderPicker(WindowId::DirMapsTFC, QStringLiteral("Wo hast du deinen TFC Karten ?"),
                         CaptionSet::AfterShowing, TFCmaps);
    });
    connect(cmdOK, &QPushButton::clicked, this, &ConfigWindow::save);
    connect(Command3, &QPushButton::clicked, this, [this] { context_.returnToMainWindow(this); });
    fitCaptions(this);
    loadFolders();
    chkSteam->setChecked(throughSteamSetting(context_.settings().read(setting::steam)));
}

void ConfigWindow::save() {
    const GameFolders values = folders();
    if (const auto problem = programPathProblem(values.program, namesFile(values.program))) {
        showMessage(*problem);
        return;
    }
    std::vector<SettingWrite> writes = configDialogWrites(values);
    writes.push_back(setting::steam(throughSteamValue(chkSteam->isChecked())));
    if (!writeSettings(writes))
        return;
    context_.returnToMainWindow(this);
}

} // namespace gravelock
