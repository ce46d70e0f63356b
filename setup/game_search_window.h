// The short list `gamesearch`: when "Suchen" finds the game installed more
// than once, the player picks the install the configuration takes; the list
// hands it to whoever listens to gameChosen.
#pragma once

#include "setup/game_finder.h"
#include "setup/setup_dialog.h"

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace gravelock {

class GameSearchWindow : public SetupDialog {
    Q_OBJECT
public:
    explicit GameSearchWindow(AppContext& context);

    // Lists `games`, the first one selected.
    void offer(const std::vector<FoundGame>& games);

    QLabel* Label1 = nullptr;
    QListWidget* lstGames = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

signals:
    // "&OK" or a double click: the selected install.
    void gameChosen(const gravelock::FoundGame& game);

private:
    void take();

    std::vector<FoundGame> games_;
};

} // namespace gravelock
