// The frame shared by the wizard pages, the configuration dialog and the folder
// pickers: a fixed-size dialog whose default button takes Enter and whose
// Escape key does only what the window's cancel button does.
#pragma once

#include "setup/setup_rules.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class QLabel;
class QPushButton;

namespace gravelock {

class AppContext;
enum class WindowId : int;

class SetupDialog : public QDialog {
    Q_OBJECT
public:
    SetupDialog(AppContext& context, const QString& caption);

protected:
    // Escape clicks this button; a window without one ignores Escape.
    void setCancelButton(QPushButton* button);
    void keyPressEvent(QKeyEvent* event) override;

    // Writes the keys in order, all of them or none; a failure has been shown
    // by the context. Returns whether they were written.
    bool writeSettings(const std::vector<SettingWrite>& writes);
    void showMessage(const PlayerMessage& message);

    // Shows `next` and unloads this window.
    void moveTo(WindowId next);

    AppContext& context_;

private:
    QPointer<QPushButton> cancel_;
};

// Whether the path names a file (not a folder) as the game's start would find it.
bool namesFile(const std::string& path);

// A picture box showing a compiled-in picture scaled to its box (twips).
QLabel* makePicture(QWidget* parent, const char* name, const QString& resource, int left, int top,
                    int width, int height);

} // namespace gravelock
