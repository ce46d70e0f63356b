// The side effects windows share: the settings file, and behind interfaces so
// that tests can record them and script their answers, message boxes, the
// file-open dialog and the game start.
#pragma once

#include "core/setting_keys.h"
#include "core/settings.h"
#include "core/start_game.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace gravelock {

// orvo.ini where the start decided it lives. Windows read and write settings
// only through this, so none of them knows the path.
class Settings {
public:
    explicit Settings(std::string file) : file_(std::move(file)) {}

    const std::string& file() const { return file_; }

    // The key's value read to the key's length, or the key's mark for a missing one.
    std::string read(const SettingKey& key) const {
        return GetPPS(key.section, key.key, key.missing, key.maxLength, file_);
    }
    WriteResult write(const SettingWrite& write) const {
        return WritePPS(write.section, write.key, write.value, file_);
    }
    // All of them or none, under one lock with one replacement of the file.
    WriteResult writeBatch(const std::vector<SettingWrite>& writes) const {
        return WritePPSBatch(writes, file_);
    }

private:
    std::string file_;
};

enum class MsgButtons { Ok, OkCancel };
enum class MsgIcon { None, Information, Exclamation, Critical };
enum class MsgResult { Ok, Cancel };

struct Message {
    QString text;
    QString title; // empty: the program's title
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool systemModal = false;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgResult show(QWidget* parent, const Message& message) = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full path; nullopt when the player cancels.
    // `filter` uses Qt's syntax: "Description (pattern)".
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title,
                                            const QString& filter) = 0;
};

class GameStarter {
public:
    virtual ~GameStarter() = default;
    virtual StartResult start(const StartRequest& request) = 0;
};

// The real services.
class QtMessageBoxes final : public MessageBoxes {
public:
    MsgResult show(QWidget* parent, const Message& message) override;
};

class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(QWidget* parent, const QString& title,
                                    const QString& filter) override;
};

class SystemGameStarter final : public GameStarter {
public:
    StartResult start(const StartRequest& request) override { return StartGame(request); }
};

} // namespace gravelock
