// The about box `frmAbout`: program name and version, the player's nickname and
// clan, the official sites, and the picture that opens the credits window. The
// main window stays disabled while it is open.
#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace gravelock {

class AppContext;
class ClickableLabel;

class FrmAboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit FrmAboutWindow(AppContext& context);

    // Controls, by their design names.
    ClickableLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    ClickableLabel* lblUser = nullptr;
    QLabel* lblComp = nullptr;
    QFrame* Picture2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    // Every way of closing, the close box included, gives the main window back.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void load();

    void showJoke();
    void showCredits();
    void confirm();

    AppContext& context_;
};

} // namespace gravelock
