// What every window shares, handed to each window at construction: the settings
// file, message boxes, the file-open dialog, the game start, the volumes the
// folder pickers offer and the window registry. Windows keep no other link to each other.
#pragma once

#include "frame/services.h"
#include "frame/thread_relay.h"
#include "frame/volumes.h"
#include "frame/window_registry.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace gravelock {

inline const QString kProgramTitle = QStringLiteral("Gravelock");

// Where a window goes when it is done: the program's flow (app/) decides, so
// the frame names no window and a tool's way back is not its own to choose.
class WindowFlow {
public:
    virtual ~WindowFlow() = default;
    virtual void backToMainWindow(QWidget* from) = 0;
};

class AppContext {
public:
    // `quit` ends the program at once; it runs when no window is visible any more
    // and for the menu's "&Beenden".
    AppContext(Settings settings, MessageBoxes& messages, FileDialogs& files, GameStarter& starter,
               const Volumes& volumes, std::function<void()> quit);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    const Settings& settings() const { return settings_; }

    // Saves the writes in order as one batch: all of them or none. A failure is
    // shown to the player, naming the file and the reason, and returned: the
    // caller must not go on as if saved.
    bool saveSettings(QWidget* parent, const std::vector<SettingWrite>& writes);

    // A message box; an empty title shows the program's title.
    MsgResult message(QWidget* parent, const QString& text, const QString& title = {},
                      MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None);
    MsgResult message(QWidget* parent, Message message);

    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& folder);

    // StartGame on a request built here for every caller; a failed start is
    // shown to the player the same way for all of them, and so is a game that
    // ends right after its start. Returns whether the game was started.
    bool startGame(QWidget* parent, const QString& commandText, WindowStyle windowStyle);

    const Volumes& volumes() const { return volumes_; }

    WindowRegistry& windows() { return registry_; }
    // The way back of every tool and of the wizard's end, as the flow decides;
    // without a flow the window is only unloaded.
    void returnToMainWindow(QWidget* from);
    void setFlow(WindowFlow* flow) { flow_ = flow; }

    // Ends the program at once, whatever is open.
    void quit();

private:
    Settings settings_;
    MessageBoxes& messages_;
    FileDialogs& files_;
    GameStarter& starter_;
    const Volumes& volumes_;
    std::function<void()> quit_;
    WindowRegistry registry_;
    WindowFlow* flow_ = nullptr;
    // The game's watcher reports from its own thread, into the registry's.
    ThreadRelay gameEnds_{&registry_};
};

} // namespace gravelock
