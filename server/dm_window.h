// The deathmatch server maker `DM`: server settings written to orvo.cfg, and a
// listen server started on the chosen first map.
#pragma once

#include "server/server_config.h"

#include <QMainWindow>
#include <optional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace gravelock {

class AppContext;
class FileListBox;

class DMWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DMWindow(AppContext& context);

    // Controls, by their design names.
    QGroupBox* opt = nullptr;
    QCheckBox* sv_cheats = nullptr;
    QCheckBox* dl = nullptr;
    QCheckBox* mp_flashlight = nullptr;
    QCheckBox* ul = nullptr;
    QCheckBox* mp_autocrosshair = nullptr;
    QCheckBox* mp_forcerespawn = nullptr;
    QCheckBox* chase_active = nullptr;
    QLabel* maxplayers = nullptr;
    QLineEdit* maxplayersvalue = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* partyname = nullptr;
    QCheckBox* mp_friendlyfire = nullptr;
    QCheckBox* falldamage = nullptr;
    QCheckBox* mp_footsteps = nullptr;
    QCheckBox* mp_weaponstay = nullptr;
    QCheckBox* cl_download_ingame = nullptr;

    QGroupBox* Frame1 = nullptr;
    FileListBox* maps = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdMapSel = nullptr;
    QLineEdit* SelMap = nullptr;

    QGroupBox* param = nullptr;
    QLabel* sv_gravity = nullptr;
    QLineEdit* sv_gravityvalue = nullptr;
    QLabel* sv_maxspectators = nullptr;
    QLineEdit* maxspectatorsvalue = nullptr;
    QLabel* fraglimit = nullptr;
    QLineEdit* fraglimitvalue = nullptr;
    QLabel* timelimit = nullptr;
    QLineEdit* timelimitvalue = nullptr;
    QLabel* maxping = nullptr;
    QLineEdit* maxpingvalue = nullptr;
    QCheckBox* password = nullptr;
    QLineEdit* passwordvalue = nullptr;

    QPushButton* cmdHelp = nullptr;
    QPushButton* save = nullptr;
    QPushButton* Command1 = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileitmORVO = nullptr;

private:
    void buildOptions(QWidget* client);
    void buildMapChoice(QWidget* client);
    void buildParameters(QWidget* client);
    void buildButtonsAndMenu(QWidget* client);
    void load();

    ServerSettings currentSettings() const;
    // Checks the settings and writes orvo.cfg, showing what went wrong. Returns
    // the game folder the file went into, or nullopt when nothing was written.
    std::optional<QString> writeConfig(ServerConfigVariant variant);

    void saveConfig();
    void saveAndStart();
    void takeSelectedMap();
    void showHelp();

    AppContext& context_;
};

} // namespace gravelock
