// The configuration dialog `config`: changes the game program, the maps
// folders and the Team Fortress flag after the first start, and brings the
// main window back.
#pragma once

#include "setup/game_folders_window.h"

class QCheckBox;
class QPushButton;

namespace gravelock {

class ConfigWindow : public GameFoldersWindow {
    Q_OBJECT
public:
    ConfigWindow(AppContext& context, FinderEnvironmentSource environment);

    QPushButton* cmdOK = nullptr;
    QPushButton* Command3 = nullptr;
    QCheckBox* chkSteam = nullptr;

private:
    void save();
};

} // namespace gravelock
