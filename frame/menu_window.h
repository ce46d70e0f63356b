// The shape every tool of the program shares: a fixed-size window with a menu
// bar above its client area.
#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace gravelock {

// Dialog border, no maximise button.
void makeFixedMenuWindow(QMainWindow* window);
// The client area below the menu bar, width × height twips (0 × 0: sized later).
QWidget* addClientArea(QMainWindow* window, int width, int height);
QMenu* addMenu(QMainWindow* window, const char* name, const QString& caption);
QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
// Fixes the window to its client area plus the menu bar; call once both exist.
void fixSizeToClientAndMenu(QMainWindow* window);

} // namespace gravelock
