// The short list `gamesearch`: when "Suchen" finds the game installed more
// than once, the player picks the install the configuration takes.
#pragma once

#include "setup/game_finder.h"
#include "setup/setup_dialog.h"

#include <QPointer>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace gravelock {

class GameFoldersWindow;

inline const QString kGameSearchWindow = QStringLiteral("gamesearch");

class GameSearchWindow : public SetupDialog {
    Q_OBJECT
public:
    explicit GameSearchWindow(AppContext& context);

    // Lists `games`, the first one selected; "&OK" fills `opener`'s boxes with
    // the selected one, as long as the opener is still loaded.
    void offer(const std::vector<FoundGame>& games, GameFoldersWindow* opener);

    QLabel* Label1 = nullptr;
    QListWidget* lstGames = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void take();

    std::vector<FoundGame> games_;
    QPointer<GameFoldersWindow> opener_;
};

} // namespace gravelock
