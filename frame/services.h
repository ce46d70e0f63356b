// The side effects windows share, behind interfaces so that tests can record
// them and script their answers: message boxes, the file-open dialog and the
// game start.
#pragma once

#include "core/start_game.h"

#include <QString>
#include <optional>

class QWidget;

namespace gravelock {

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
    virtual StartResult start(const std::string& commandText, int windowStyle) = 0;
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
    StartResult start(const std::string& commandText, int windowStyle) override {
        return StartGame(commandText, windowStyle);
    }
};

} // namespace gravelock
