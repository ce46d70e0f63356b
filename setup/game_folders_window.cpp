#include "setup/game_folders_window.h"

#include "app/window_id.h"
#include "frame/app_context.h"
#include "frame/controls.h"
#include "setup/folder_picker.h"
#include "setup/game_search_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <thread>

namespace gravelock {

GameFoldersWindow::GameFoldersWindow(AppContext& context, const QString& caption,
                                     const GameFoldersTexts& texts, int left, int searchTop,
                                     FinderEnvironmentSource environment)
    : SetupDialog(context, caption), texts_(texts), environment_(std::move(environment)) {
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

void GameFoldersWindow::openFolderPicker(WindowId picker, const QString& caption, CaptionSet when,
                                         QLineEdit* target) {
    auto* window = qobject_cast<FolderPickerWindow*>(context_.windows().load(picker));
    if (!window)
        return;
    disconnect(window, &FolderPickerWindow::folderChosen, nullptr, nullptr);
    connect(window, &FolderPickerWindow::folderChosen, target, &QLineEdit::setText);
    window->openAt(target->text());
    if (when == CaptionSet::BeforeShowing && !caption.isEmpty())
        window->setWindowTitle(caption);
    context_.windows().show(picker);
    if (when == CaptionSet::AfterShowing && !caption.isEmpty())
        window->setWindowTitle(caption);
}

void GameFoldersWindow::pickProgram() {
    // Where the current program lies, so a neighbouring file is one click away.
    const QFileInfo current(program->text());
    const QString folder =
        current.isAbsolute() && current.dir().exists() ? current.absolutePath() : QDir::homePath();
    const std::optional<QString> chosen = context_.openFile(
        this, texts_.pickerTitle,
        QString::fromStdString(programFilter(texts_.pickerDescription, texts_.pickerPattern)),
        folder);
    // A cancel keeps the path the player had.
    if (!chosen)
        return;
    const QString picked = QDir::toNativeSeparators(*chosen);
    const std::optional<std::string> script =
        startScriptFor(picked.toStdString(), [](const std::string& path) {
            return QFileInfo(QString::fromStdString(path)).isFile();
        });
    if (!script) {
        program->setText(picked);
        return;
    }
    program->setText(QString::fromStdString(*script));
    context_.message(this,
                     QStringLiteral("Eingetragen ist hl.sh: es richtet die Bibliotheken ein, "
                                    "die hl_linux braucht."),
                     {}, MsgButtons::Ok, MsgIcon::Information);
}

void GameFoldersWindow::searchGames() {
    cmdSearch->setEnabled(false);
    setCursor(Qt::BusyCursor);
    // A slow or hung folder (a network mount) must not hold the window, nor the
    // program's end: the search runs on a thread that nobody waits for, and its
    // result is dropped when this window is gone by then.
    std::thread([relay = searchResults_, environment = environment_, this] {
        GameSearch search = findInstalledGames(environment());
        relay.post([this, search = std::move(search)] { searchDone(search); });
    }).detach();
}

void GameFoldersWindow::searchDone(const GameSearch& search) {
    cmdSearch->setEnabled(true);
    unsetCursor();
    if (search.games.empty()) {
        showMessage(noGameFoundMessage(search.searched));
        return;
    }
    if (search.games.size() == 1) {
        takeFoundGame(search.games.front());
        return;
    }
    auto* list = qobject_cast<GameSearchWindow*>(context_.windows().load(WindowId::gamesearch));
    if (!list)
        return;
    // The list answers only the window that searched last.
    disconnect(list, &GameSearchWindow::gameChosen, nullptr, nullptr);
    connect(list, &GameSearchWindow::gameChosen, this, &GameFoldersWindow::takeFoundGame);
    list->offer(search.games);
    context_.windows().show(WindowId::gamesearch);
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
