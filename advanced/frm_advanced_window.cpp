#include "advanced/frm_advanced_window.h"

#include "advanced/advanced_tabs.h"
#include "advanced/command_lines.h"
#include "core/start_game.h"
#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/menu_window.h"
#include "frame/twips.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace gravelock {
namespace {

const QString kErrorTitle = QStringLiteral("Error!");

} // namespace

FrmAdvancedWindow::FrmAdvancedWindow(AppContext& context) : context_(context) {
    setWindowTitle(QStringLiteral("Erweiterter Gravelock"));
    makeFixedMenuWindow(this);

    QWidget* client = addClientArea(this, 0, 0);
    SSTab1 = new QTabWidget(client);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(video = new VideoTab, QStringLiteral("Video"));
    SSTab1->addTab(audio = new AudioTab, QStringLiteral("Audio"));
    SSTab1->addTab(player = new PlayerTab, QStringLiteral("Spieler"));
    SSTab1->addTab(misc = new MiscTab, QStringLiteral("Misc."));
    SSTab1->addTab(start = new StartTab, QStringLiteral("Starten"));
    const int margin = pixelsFromTwips(120);
    SSTab1->setGeometry(QRect(QPoint(margin, margin), SSTab1->sizeHint()));
    client->setFixedSize(SSTab1->width() + 2 * margin, SSTab1->height() + 2 * margin);

    mnuFile = addMenu(this, "mnuFile", QStringLiteral("&Datei"));
    mnuFileitmORVO = addMenuItem(mnuFile, "mnuFileitmORVO", QStringLiteral("&Gravelock"));
    fixSizeToClientAndMenu(this);

    connect(video->cmdGenerate, &QPushButton::clicked, this, &FrmAdvancedWindow::generateVideo);
    connect(audio->cmdSndGen, &QPushButton::clicked, this, &FrmAdvancedWindow::generateSound);
    connect(player->cmdClientGenerate, &QPushButton::clicked, this,
            &FrmAdvancedWindow::generateClient);
    connect(misc->cmdMiscGenerate, &QPushButton::clicked, this, &FrmAdvancedWindow::generateMisc);
    connect(start->cmdFullGen, &QPushButton::clicked, this, &FrmAdvancedWindow::generateFull);
    connect(start->Command1, &QPushButton::clicked, this, &FrmAdvancedWindow::startGame);
    connect(mnuFileitmORVO, &QAction::triggered, this,
            [this] { context_.returnToMainWindow(this); });

    start->lblFullCommandLine->setText(fromUtf8(context_.settings().read(setting::program)));
    fitCaptions(this);
}

void FrmAdvancedWindow::showGenerated(const GeneratedLine& generated, QLabel* target) {
    for (const std::string& problem : generated.problems)
        context_.message(this, QString::fromStdString(problem), kErrorTitle, MsgButtons::Ok,
                         MsgIcon::Critical);
    target->setText(QString::fromStdString(generated.line));
}

void FrmAdvancedWindow::generateVideo() {
    showGenerated(buildVideoLine(video->options()), video->lblCommandLine);
}

void FrmAdvancedWindow::generateClient() {
    showGenerated(buildClientLine(player->options()), player->lblClientCommandLine);
}

void FrmAdvancedWindow::generateSound() {
    showGenerated(buildSoundLine(audio->options()), audio->lblSndCommandLine);
}

void FrmAdvancedWindow::generateMisc() {
    misc->lblMiscCommandLine->setText(QString::fromStdString(buildMiscLine(misc->options())));
}

void FrmAdvancedWindow::generateFull() {
    QLabel* full = start->lblFullCommandLine;
    full->setText(QString::fromStdString(
        joinFullCommandLine(full->text().toStdString(), video->lblCommandLine->text().toStdString(),
                            audio->lblSndCommandLine->text().toStdString(),
                            misc->lblMiscCommandLine->text().toStdString(),
                            player->lblClientCommandLine->text().toStdString())));
}

void FrmAdvancedWindow::startGame() {
    context_.startGame(this, start->lblFullCommandLine->text(), WindowStyle::MinimisedWithFocus);
}

} // namespace gravelock
