// The map cycle window `MapCycle`: browses the Half-Life and Team Fortress
// Classic map folders beside the list of selected maps.
#pragma once

#include <QMainWindow>

class QAction;
class QGroupBox;
class QMenu;
class QPushButton;
class QRadioButton;

namespace gravelock {

struct SettingKey;

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
    void listMaps(const SettingKey& key);

    AppContext& context_;
};

} // namespace gravelock
