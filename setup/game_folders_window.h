// What the wizard's configuration page and the configuration dialog share: the
// game program, the maps folders and the Team Fortress box, their load steps,
// the box's behaviour and the pickers they open.
#pragma once

#include "frame/thread_relay.h"
#include "setup/game_finder.h"
#include "setup/setup_dialog.h"

#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace gravelock {

// The captions and the program picker's texts, which differ between the two.
struct GameFoldersTexts {
    QString frame;        // frmHLC
    QString programLabel; // Label1
    QString tfcMapsLabel; // tfcCaption
    QString tfcCheck;     // chkTFC
    QString pickerTitle;
    std::string pickerDescription;
    std::string pickerPattern;
};

class GameFoldersWindow : public SetupDialog {
    Q_OBJECT
public:
    QGroupBox* frmHLC = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* program = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* lblMaps = nullptr;
    QLineEdit* txtMaps = nullptr;
    QPushButton* cmdMaps = nullptr;
    QCheckBox* chkTFC = nullptr;
    QGroupBox* frmTFC = nullptr;
    QLabel* tfcCaption = nullptr;
    QLineEdit* TFCmaps = nullptr;
    QPushButton* cmdTFCMaps = nullptr;
    QPushButton* cmdSearch = nullptr;

    // Fills the boxes from an install the search found; nothing is written
    // before the window's own confirmation.
    void takeFoundGame(const FoundGame& game);

protected:
    // The controls start at `left` twips, "&Suchen" at `left` and `searchTop`;
    // the rest of the window is the caller's.
    GameFoldersWindow(AppContext& context, const QString& caption, const GameFoldersTexts& texts,
                      int left, int searchTop, FinderEnvironmentSource environment);

    // Reads the four settings into the controls.
    void loadFolders();
    GameFolders folders() const;

    enum class CaptionSet { BeforeShowing, AfterShowing };
    // Opens a folder picker at the folder `target` names, and lets it fill
    // `target`. Caption and target are handed over together, and the picker
    // answers only the opener that set its caption last: DirMaps with
    // "Erstkonfiguration - Kartenauswahl" fills the wizard's txtMaps, with any
    // other caption the dialog's.
    void openFolderPicker(WindowId picker, const QString& caption, CaptionSet when,
                          QLineEdit* target);

private:
    void pickProgram();
    void searchGames();
    void searchDone(const GameSearch& search);

    GameFoldersTexts texts_;
    FinderEnvironmentSource environment_;
    ThreadRelay searchResults_{this};
};

} // namespace gravelock
