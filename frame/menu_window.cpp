#include "frame/menu_window.h"

#include "frame/twips.h"

#include <QMainWindow>
#include <QMenuBar>

namespace gravelock {

void makeFixedMenuWindow(QMainWindow* window) {
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
}

QWidget* addClientArea(QMainWindow* window, int width, int height) {
    auto* client = new QWidget(window);
    if (width > 0 && height > 0)
        setClientSizeTwips(client, width, height);
    window->setCentralWidget(client);
    return client;
}

QMenu* addMenu(QMainWindow* window, const char* name, const QString& caption) {
    QMenu* menu = window->menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromUtf8(name));
    return menu;
}

QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    return action;
}

void fixSizeToClientAndMenu(QMainWindow* window) {
    const QWidget* client = window->centralWidget();
    window->setFixedSize(client->width(),
                         client->height() + window->menuBar()->sizeHint().height());
}

} // namespace gravelock
