#include "setup/game_folders_window.h"

#include "frame/app_context.h"
#include "frame/controls.h"
#include "setup/folder_picker.h"
#include "setup/game_search_window.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace gravelock {

GameFoldersWindow::GameFoldersWindow(AppContext& context, const QString& name,
                                     const QString& caption, const GameFoldersTexts& texts,
                                     int left, int searchTop, FinderEnvironmentSource environment)
    : SetupDialog(context, name, caption), texts_(texts), environment_(std::move(environment)) {
    frmHLC = makeFrame(this, "frmHLC", texts.frame, left, 120, 5160, 1320);
    Label1 = makeLabel(frmHLC, "Label1", texts.programLabel, 120, 375, 1545, 255);
    program = makeControl<QLineEdit>(frmHLC, "program", 1680, 345, 2100, 315);
    Command2 = makeButton(frmHLC, "Command2", QStringLiteral("Durchsuchen"), 3840, 315, 1200, 375);
    lblMaps = makeLabel(frmHLC, "lblMaps", QStringLiteral("Karten Ordner : "), 120, 855, 1545, 255);
    txtMaps = makeControl<QLineEdit>(frmHLC, "txtMaps", 1680, 825, 2100, 315);
    cmdMaps = makeButton(frmHLC, "cmdMaps", QStringLiteral("Durchsuchen"), 3840, 795, 1200, 375);

    chkTFC = makeCheckBox(this, "chkTFC", texts.tfcCheck, left + 120, 1560, 5040, 315);

    frmTFC =
        makeFrame(this, "frmTFC", QStringLiteral("Team Fortress Classic "), left, 1980, 5160, 840);
    tfcCaption = makeLabel(frmTFC, "tfcCaption", texts.tfcMapsLabel, 120, 375, 1545, 255);
    TFCmaps = makeControl<QLineEdit>(frmTFC, "TFCmaps", 1680, 345, 2100, 315);
    cmdTFCMaps =
        makeButton(frmTFC, "cmdTFCMaps", QStringLiteral("Durchsuchen"), 3840, 315, 1200, 375);

    cmdSearch =
        makeButton(this, "cmdSearch", QStringLiteral("S&uchen"), left, searchTop, 1335, 375);
    cmdSearch->setToolTip(QStringLiteral("Sucht ein installiertes Half-Life"));

    // These buttons must not steal Enter from the window's default button.
    for (QPushButton* browse : {Command2, cmdMaps, cmdTFCMaps, cmdSearch})
        browse->setAutoDefault(false);

    // Ticking from code behaves as a click; cmdTFCMaps stays usable either way.
    connect(chkTFC, &QCheckBox::toggled, this, [this](bool on) { setTextBoxEnabled(TFCmaps, on); });
    connect(Command2, &QPushButton::clicked, this, &GameFoldersWindow::pickProgram);
    connect(cmdSearch, &QPushButton::clicked, this, &GameFoldersWindow::searchGames);
}

void GameFoldersWindow::loadFolders() {
    const std::string tfc = context_.settings().read(setting::tfc);
    // Paths are read whole: a cut path would be written back cut.
    program->setText(fromUtf8(context_.settings().read(setting::program)));
    txtMaps->setText(fromUtf8(context_.settings().read(setting::maps)));
    TFCmaps->setText(fromUtf8(context_.settings().read(setting::tfcmaps)));
    setTextBoxEnabled(TFCmaps, false);
    if (tfcTicked(tfc))
        chkTFC->setChecked(true);
    if (chkTFC->isChecked())
        setTextBoxEnabled(TFCmaps, true);
}

GameFolders GameFoldersWindow::folders() const {
    return {chkTFC->isChecked(), program->text().toStdString(), txtMaps->text().toStdString(),
            TFCmaps->text().toStdString()};
}

void GameFoldersWindow::openFolderPicker(const QString& picker, const QString& caption,
                                         CaptionSet when, QLineEdit* target) {
    auto* window = qobject_cast<FolderPickerWindow*>(context_.windows().load(picker));
    if (!window)
        return;
    window->setTarget(target);
    if (when == CaptionSet::BeforeShowing && !caption.isEmpty())
        window->setWindowTitle(caption);
    context_.windows().show(picker);
    if (when == CaptionSet::AfterShowing && !caption.isEmpty())
        window->setWindowTitle(caption);
}

void GameFoldersWindow::pickProgram() {
    const std::optional<QString> chosen = context_.openFile(
        this, texts_.pickerTitle,
        QString::fromStdString(programFilter(texts_.pickerDescription, texts_.pickerPattern)));
    // A cancel keeps the path the player had.
    if (chosen)
        program->setText(QDir::toNativeSeparators(*chosen));
}

void GameFoldersWindow::searchGames() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const GameSearch search = findInstalledGames(environment_());
    QGuiApplication::restoreOverrideCursor();
    if (search.games.empty()) {
        showMessage(noGameFoundMessage(search.searched));
        return;
    }
    if (search.games.size() == 1) {
        takeFoundGame(search.games.front());
        return;
    }
    auto* list = qobject_cast<GameSearchWindow*>(context_.windows().load(kGameSearchWindow));
    if (!list)
        return;
    list->offer(search.games, this);
    context_.windows().show(kGameSearchWindow);
}

void GameFoldersWindow::takeFoundGame(const FoundGame& game) {
    const auto native = [](const std::string& path) {
        return QDir::toNativeSeparators(fromUtf8(path));
    };
    program->setText(native(game.program));
    txtMaps->setText(native(game.maps));
    // An install without Team Fortress leaves the player's own choice alone.
    if (game.hasTfc) {
        TFCmaps->setText(native(game.tfcmaps));
        chkTFC->setChecked(true);
    }
}

} // namespace gravelock
