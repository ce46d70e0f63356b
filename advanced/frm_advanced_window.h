// The advanced options window `frmAdvanced`: five tabs of options, a generate
// button per group that writes a partial command line into a label, and a last
// tab that joins them behind the program path and starts the game.
#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;

namespace gravelock {

class AppContext;
class AudioTab;
class MiscTab;
class PlayerTab;
class StartTab;
class VideoTab;
struct GeneratedLine;

class FrmAdvancedWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmAdvancedWindow(AppContext& context);

    QTabWidget* SSTab1 = nullptr;
    VideoTab* video = nullptr;
    AudioTab* audio = nullptr;
    PlayerTab* player = nullptr;
    MiscTab* misc = nullptr;
    StartTab* start = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileitmORVO = nullptr;

private:
    // Shows the generator's problems, then puts its line into the label.
    void showGenerated(const GeneratedLine& generated, QLabel* target);

    void generateVideo();
    void generateClient();
    void generateSound();
    void generateMisc();
    void generateFull();
    void startGame();

    AppContext& context_;
};

} // namespace gravelock
