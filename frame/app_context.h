// What every window shares, handed to each window at construction: the settings
// file, message boxes, the file-open dialog, the game start, the volumes the
// folder pickers offer and the window registry. Windows keep no other link to each other.
#pragma once

#include "core/setting_keys.h"
#include "core/settings.h"
#include "frame/services.h"
#include "frame/volumes.h"
#include "frame/window_registry.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace gravelock {

inline const QString kProgramTitle = QStringLiteral("Gravelock");

class AppContext {
public:
    // `quit` ends the program at once; it runs when no window is visible any more
    // and for the menu's "&Beenden".
    AppContext(std::string settingsFile, MessageBoxes& messages, FileDialogs& files,
               GameStarter& starter, const Volumes& volumes, std::function<void()> quit);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    const std::string& settingsFile() const { return settingsFile_; }
    // The folder of the settings file, where the program's own files live.
    QString programFolder() const;

    // GetPPS on orvo.ini, as UTF-8 and as QString.
    std::string getPPS(const std::string& cat, const std::string& cle, const std::string& def,
                       std::int32_t max) const;
    QString readSetting(const std::string& cat, const std::string& cle, const std::string& def,
                        std::int32_t max) const;

    // WritePPS on orvo.ini. A failure is shown to the player, naming the file and
    // the reason, and returned: the caller must not go on as if saved.
    bool writeSetting(QWidget* parent, const std::string& section, const std::string& key,
                      const QString& value);

    // A message box; an empty title shows the program's title.
    MsgResult message(QWidget* parent, const QString& text, const QString& title = {},
                      MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None);
    MsgResult message(QWidget* parent, Message message);

    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter);

    // StartGame; a failed start is shown to the player the same way for every
    // caller. Returns whether the game was started.
    bool startGame(QWidget* parent, const QString& commandText, int windowStyle);

    const Volumes& volumes() const { return volumes_; }

    WindowRegistry& windows() { return registry_; }
    // The way back of every tool: unload the tool, then show the main window
    // (loaded afresh when it was unloaded). Unloading first lets a main window
    // that finds the configuration incomplete open a fresh configuration
    // dialog instead of re-showing the one that is about to close.
    void returnToMainWindow(QWidget* tool);

    // Ends the program at once, whatever is open.
    void quit();

private:
    std::string settingsFile_;
    MessageBoxes& messages_;
    FileDialogs& files_;
    GameStarter& starter_;
    const Volumes& volumes_;
    std::function<void()> quit_;
    WindowRegistry registry_;
};

// GetPPS of one of the program's keys, read to the key's length; the default
// stays with each caller.
inline std::string getPPS(const AppContext& context, const SettingKey& key,
                          const std::string& def) {
    return context.getPPS(key.section, key.key, def, key.maxLength);
}
inline QString readSetting(const AppContext& context, const SettingKey& key,
                           const std::string& def) {
    return context.readSetting(key.section, key.key, def, key.maxLength);
}

} // namespace gravelock
