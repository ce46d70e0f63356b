// Test stand-ins for the services of the application context: they record what
// the windows ask and answer with scripted replies.
#pragma once

#include "app/program_flow.h"
#include "app/window_list.h"
#include "frame/app_context.h"

#include <QTemporaryDir>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace gravelock::test {

class FakeMessageBoxes final : public MessageBoxes {
public:
    MsgResult show(QWidget* parent, const Message& message) override;

    std::vector<Message> shown;
    // Replies in order; OK once they run out.
    std::deque<MsgResult> replies;
    // Runs while a box is "open", e.g. to look at the windows behind it.
    std::function<void(const Message&)> onShow;
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& folder) override;

    std::vector<QString> filters; // one per dialog opened
    std::vector<QString> folders; // where each opened
    // Replies in order; a cancel once they run out.
    std::deque<std::optional<QString>> replies;
};

class FakeGameStarter final : public GameStarter {
public:
    StartResult start(const StartRequest& request, GameFailedEarly failedEarly) override;

    // The requests as the context built them: command text, window style, working folder.
    std::vector<StartRequest> starts;
    // What each start was told to call when the game fails right after it.
    std::vector<GameFailedEarly> watchers;
    // What every start answers.
    StartResult result{true, "game", {}};
};

// Lists the test's own folders as volumes; a root named in notReady has no
// medium in it.
class FakeVolumes final : public Volumes {
public:
    QList<Volume> mounted() const override { return list; }
    bool isReady(const QString& root) const override { return !notReady.contains(root); }
    QString startFolder() const override { return start; }

    QList<Volume> list;
    QStringList notReady;
    QString start;
};

// Registers a bare window of that size, standing in for a real one.
void addPlainWindow(WindowRegistry& windows, WindowId id, QSize size = {});

// A context on a settings file in a fresh folder, with every service faked,
// and the program's flow between its windows.
class TestApp {
public:
    TestApp();

    // The folder of the settings file, and a path inside it.
    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    const std::string& settingsFile() const { return context.settings().file(); }

    // Writes the settings file as given (text in UTF-8, stored as Windows-1252).
    void writeSettings(const std::string& text);
    std::string setting(const std::string& section, const std::string& key) const;
    // Creates empty files, making folders as needed.
    void touch(const QStringList& relativePaths);

    // Runs what was posted: deferred deletes, the end-of-program check.
    static void settle();

    FakeMessageBoxes messages;
    FakeFileDialogs files;
    FakeGameStarter starter;
    FakeVolumes volumes;
    int quitCount = 0;

    // Members are built in declaration order: the folder and every fake must
    // exist before the context that holds them, so they come first.
private:
    QTemporaryDir dir_;

public:
    AppContext context;
    ProgramFlow flow{context};
};

} // namespace gravelock::test
