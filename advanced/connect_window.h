// The connect tool `connect`: starts the game so that it joins the server whose
// address and port the player types.
#pragma once

#include <QMainWindow>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace gravelock {

class AppContext;

class ConnectWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ConnectWindow(AppContext& context);

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* ipadress = nullptr;
    QLabel* sv_port = nullptr;
    QLineEdit* port = nullptr;
    QPushButton* cmdLaunch = nullptr;
    // Shown but never read: starting does not close this tool.
    QCheckBox* close_ = nullptr; // design name "close"

    QMenu* mnuFile = nullptr;
    QAction* mnuFileitmORVO = nullptr;

private:
    void launch();

    AppContext& context_;
};

} // namespace gravelock
