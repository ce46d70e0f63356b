// Small helpers every window uses to lay out its controls by the design's
// twips, and the map file list.
#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

class QAction;
class QKeySequence;
class QLineEdit;
class QMainWindow;
class QMenu;
class QWidget;

namespace gravelock {

// 15 twips are one pixel at normal screen settings.
constexpr int twips(int value) {
    return (value + 7) / 15;
}

// Places a control at left, top, width, height given in twips.
void placeTwips(QWidget* control, int left, int top, int width, int height);

// Fixes a window's client area to width × height twips.
void setClientSizeTwips(QWidget* window, int width, int height);

// Creates a control with its design name as objectName, placed in twips.
template <class Control>
Control* makeControl(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    placeTwips(control, left, top, width, height);
    return control;
}

// A fixed-size window with a menu bar, as every tool of the program is: dialog
// border, no maximise button.
void makeFixedMenuWindow(QMainWindow* window);
// The client area below the menu bar, width × height twips (0 × 0: sized later).
QWidget* addClientArea(QMainWindow* window, int width, int height);
QMenu* addMenu(QMainWindow* window, const char* name, const QString& caption);
QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
// Fixes the window to its client area plus the menu bar; call once both exist.
void fixSizeToClientAndMenu(QMainWindow* window);

// Centres a window on the screen it will be shown on.
void centreOnScreen(QWidget* window);

// An enabled text box has the window background colour, a disabled one the
// grey of a scroll bar.
void setTextBoxEnabled(QLineEdit* box, bool enabled);

// Where a caption is wider than its design box with this platform's font, the
// font of that control is made smaller (and labels wrap), so no text is clipped.
void fitCaptions(QWidget* window);

// Names of the controls in `window` whose caption does not fit their box.
QStringList clippedCaptions(QWidget* window);

// A file list filtered by a pattern (matched without regard to case), sorted by
// name. A folder that does not exist gives an empty list.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    // Lists the folder at once, so the list is complete when this returns.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The selected file's name with extension, without folder; empty when none.
    QString selectedFileName() const;

private:
    void refresh();

    QString pattern_ = QStringLiteral("*.*");
    QString folder_;
};

} // namespace gravelock
