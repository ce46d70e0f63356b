// The first-use wizard: four pages shown one at a time, each showing the next
// and unloading itself; the last one writes the derived folders and
// firstuse = "no" and brings up the main window.
#pragma once

#include "setup/game_folders_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace gravelock {

class Firstuse1Window : public SetupDialog {
    Q_OBJECT
public:
    explicit Firstuse1Window(AppContext& context);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* cmdNext = nullptr;
};

class Firstuse2Window : public SetupDialog {
    Q_OBJECT
public:
    explicit Firstuse2Window(AppContext& context);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtNick = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtClan = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdPrev = nullptr;

private:
    void next();
};

class FirstuseconfigWindow : public GameFoldersWindow {
    Q_OBJECT
public:
    FirstuseconfigWindow(AppContext& context, FinderEnvironmentSource environment);

    QLabel* Picture1 = nullptr;
    QPushButton* cmdPrev = nullptr;
    QPushButton* cmdFinish = nullptr;

private:
    void finish();
};

class FirstusedoneWindow : public SetupDialog {
    Q_OBJECT
public:
    explicit FirstusedoneWindow(AppContext& context);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Translatedby = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* cmdFinish = nullptr;

private:
    void finish();
};

} // namespace gravelock
