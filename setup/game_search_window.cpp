#include "setup/game_search_window.h"

#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace gravelock {

GameSearchWindow::GameSearchWindow(AppContext& context)
    : SetupDialog(context, QStringLiteral("Half-Life gefunden")) {
    setClientSizeTwips(this, 6600, 2910);
    Label1 = makeLabel(this, "Label1",
                       QStringLiteral("Half-Life ist mehrmals installiert. Welches nimmst du ?"),
                       120, 120, 6360, 255);
    lstGames = makeControl<QListWidget>(this, "lstGames", 120, 480, 6360, 1815);
    // Install paths are long: the middle gives way, so where an install lies
    // and whether it has Team Fortress Classic both stay in sight; the whole
    // path is the tooltip.
    lstGames->setTextElideMode(Qt::ElideMiddle);
    lstGames->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cmdOK = makeButton(this, "cmdOK", QStringLiteral("&OK"), 3720, 2415, 1335, 375);
    cmdOK->setDefault(true);
    cmdCancel = makeButton(this, "cmdCancel", QStringLiteral("&Abbrechen"), 5145, 2415, 1335, 375);
    setCancelButton(cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, &GameSearchWindow::take);
    connect(lstGames, &QListWidget::itemDoubleClicked, this, &GameSearchWindow::take);
    connect(cmdCancel, &QPushButton::clicked, this, [this] { context_.windows().unload(this); });
    fitCaptions(this);
}

void GameSearchWindow::offer(const std::vector<FoundGame>& games) {
    games_ = games;
    lstGames->clear();
    for (const FoundGame& game : games_) {
        QString entry = QDir::toNativeSeparators(fromUtf8(game.program));
        if (game.hasTfc)
            entry += QStringLiteral("   (mit Team Fortress Classic)");
        auto* item = new QListWidgetItem(entry, lstGames);
        item->setToolTip(entry);
    }
    lstGames->setCurrentRow(0);
}

void GameSearchWindow::take() {
    const int row = lstGames->currentRow();
    // An opener closed meanwhile no longer listens: then nothing is filled.
    if (row >= 0 && row < static_cast<int>(games_.size()))
        emit gameChosen(games_[static_cast<std::size_t>(row)]);
    context_.windows().unload(this);
}

} // namespace gravelock
