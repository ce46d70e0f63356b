#include "setup/game_folders_window.h"

#include "frame/app_context.h"
#include "frame/controls.h"
#include "setup/folder_picker.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace gravelock {

GameFoldersWindow::GameFoldersWindow(AppContext& context, const QString& name,
                                     const QString& caption, const GameFoldersTexts& texts,
                                     int left)
    : SetupDialog(context, name, caption), texts_(texts) {
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

    // The browse buttons must not steal Enter from the window's default button.
    for (QPushButton* browse : {Command2, cmdMaps, cmdTFCMaps})
        browse->setAutoDefault(false);

    // Ticking from code behaves as a click; cmdTFCMaps stays usable either way.
    connect(chkTFC, &QCheckBox::toggled, this, [this](bool on) { setTextBoxEnabled(TFCmaps, on); });
    connect(Command2, &QPushButton::clicked, this, &GameFoldersWindow::pickProgram);
}

void GameFoldersWindow::loadFolders() {
    const std::string tfc = getPPS(context_, setting::tfc, "error");
    // Paths are read whole: a cut path would be written back cut.
    program->setText(readSetting(context_, setting::program, "error"));
    txtMaps->setText(readSetting(context_, setting::maps, "error"));
    TFCmaps->setText(readSetting(context_, setting::tfcmaps, "error"));
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

} // namespace gravelock
