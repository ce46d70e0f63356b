#include "advanced/connect_window.h"

#include "advanced/command_lines.h"
#include "core/start_game.h"
#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/menu_window.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace gravelock {

ConnectWindow::ConnectWindow(AppContext& context) : context_(context) {
    setWindowTitle(QStringLiteral("Half-Life Connection Tool"));
    makeFixedMenuWindow(this);

    QWidget* client = addClientArea(this, 4800, 2040);

    Frame1 =
        makeFrame(client, "Frame1", QStringLiteral("Server Informations : "), 120, 120, 4560, 1320);
    Label1 = makeLabel(Frame1, "Label1", QStringLiteral("IP adress : "), 120, 450, 1080, 255);
    ipadress = makeControl<QLineEdit>(Frame1, "ipadress", 1260, 420, 3180, 315);
    sv_port = makeLabel(Frame1, "sv_port", QStringLiteral("Port : "), 120, 870, 1080, 255);
    port = makeControl<QLineEdit>(Frame1, "port", 1260, 840, 1200, 315);
    port->setText(QStringLiteral("27015"));

    close_ = makeCheckBox(client, "close", QStringLiteral("Schließen"), 120, 1590, 2400, 300);
    cmdLaunch = makeButton(client, "cmdLaunch", QStringLiteral("&Starten"), 3345, 1560, 1335, 375);
    connect(cmdLaunch, &QPushButton::clicked, this, &ConnectWindow::launch);

    mnuFile = addMenu(this, "mnuFile", QStringLiteral("&Datei"));
    mnuFileitmORVO = addMenuItem(mnuFile, "mnuFileitmORVO", QStringLiteral("&Gravelock ..."));
    connect(mnuFileitmORVO, &QAction::triggered, this,
            [this] { context_.returnToMainWindow(this); });

    fixSizeToClientAndMenu(this);
    fitCaptions(this);
}

void ConnectWindow::launch() {
    const std::string program = context_.settings().read(setting::program);
    const std::string command =
        buildConnectCommand(program, ipadress->text().toStdString(), port->text().toStdString());
    context_.startGame(this, QString::fromStdString(command), WindowStyle::MaximisedWithFocus);
}

} // namespace gravelock
