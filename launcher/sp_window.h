// The main window `sp`: game mode, map list, switches, the game start, reset and
// the menu that opens every other tool.
#pragma once

#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace gravelock {

class AppContext;
enum class WindowId : int;
class FileListBox;
struct LaunchSettings;

class SpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit SpWindow(AppContext& context);

    // Controls, by their design names.
    QPushButton* reset = nullptr;
    QGroupBox* frmCommand = nullptr;
    QLineEdit* txtCommand = nullptr;
    QGroupBox* frm3 = nullptr;
    QPushButton* confirmMap = nullptr;
    FileListBox* dirFichiers = nullptr;
    QGroupBox* frm2 = nullptr;
    QRadioButton* optTFC = nullptr;
    QCheckBox* chkClose = nullptr;
    QRadioButton* optSP = nullptr;
    QComboBox* cmbDifficult = nullptr;
    QRadioButton* optDM = nullptr;
    QGroupBox* frm1 = nullptr;
    QCheckBox* numeric = nullptr;
    QLineEdit* parameters = nullptr;
    QLineEdit* txtSelMap = nullptr;
    QCheckBox* chkAdd = nullptr;
    QCheckBox* cheats = nullptr;
    QCheckBox* console = nullptr;
    QCheckBox* dev = nullptr;
    QLabel* SelMap = nullptr;
    QPushButton* launch = nullptr;

    QMenu* mnuFichier = nullptr;
    QAction* mnuFileitmConnect = nullptr;
    QAction* mnuFileitmServers = nullptr;
    QAction* mnuConfigitmDMM = nullptr;
    QAction* mnuFileMapcleItm = nullptr;
    QAction* mnuFileitmKesmo = nullptr;
    QAction* mnuFichieritmQuitter = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEdititmConfig = nullptr;
    QAction* mnuEdititmReset = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpitmAbout = nullptr;
    QAction* Ueber2 = nullptr; // design name "Über2"

private:
    void buildControls();
    void buildMenu();
    void load();

    void selectDeathmatch();
    void selectSinglePlayer();
    void selectTeamFortress();
    void updatePreview();
    void takeSelectedMap();
    void startGame();
    LaunchSettings currentSettings() const;

    enum class ResetFrom { Button, Menu };
    void resetControls(ResetFrom from);
    void openTool(WindowId tool);
    void showAbout();
    void showTranslatorsNote();

    AppContext& context_;
};

} // namespace gravelock
