// The map cycle window `MapCycle`: the maps of the Half-Life or Team Fortress
// Classic folder beside the game's map cycle, which the player edits and saves.
#pragma once

#include <QMainWindow>

class QAction;
class QGroupBox;
class QMenu;
class QPushButton;
class QRadioButton;

namespace gravelock {

class AppContext;
class FileListBox;

class MapCycleWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MapCycleWindow(AppContext& context);

    // Controls, by their design names.
    QGroupBox* txtAvaible = nullptr;
    FileListBox* avaible = nullptr;
    QPushButton* add = nullptr;
    QPushButton* del = nullptr;
    QPushButton* save = nullptr;
    QGroupBox* Frame1 = nullptr;
    FileListBox* sel = nullptr;
    QRadioButton* optClass = nullptr;
    QRadioButton* optTFC = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* itmsave = nullptr;
    QAction* orvo = nullptr;

private:
    void buildControls();
    void buildMenu();
    // Lists the chosen game's maps and its current map cycle.
    void showGame();
    struct MapCyclePath cyclePath() const;
    void addMap();
    void removeMap();
    void saveCycle();

    AppContext& context_;
};

} // namespace gravelock
