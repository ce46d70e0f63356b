#include "fakes.h"

#include "core/text.h"
#include "frame/appearance.h"
#include "temp_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace gravelock::test {

MsgResult FakeMessageBoxes::show(QWidget*, const Message& message) {
    shown.push_back(message);
    if (onShow)
        onShow(message);
    if (replies.empty())
        return MsgResult::Ok;
    const MsgResult reply = replies.front();
    replies.pop_front();
    return reply;
}

std::optional<QString> FakeFileDialogs::openFile(QWidget*, const QString&, const QString& filter,
                                                 const QString& folder) {
    filters.push_back(filter);
    folders.push_back(folder);
    if (replies.empty())
        return std::nullopt;
    auto reply = replies.front();
    replies.pop_front();
    return reply;
}

StartResult FakeGameStarter::start(const StartRequest& request, GameFailedEarly failedEarly) {
    starts.push_back(request);
    watchers.push_back(std::move(failedEarly));
    return result;
}

void addPlainWindow(WindowRegistry& windows, WindowId id, QSize size) {
    windows.add(id, designName(id), [size](AppContext&) {
        auto* w = new QWidget;
        if (size.isValid())
            w->resize(size);
        return w;
    });
}

TestApp::TestApp()
    : context(Settings(QDir(dir_.path()).filePath(QStringLiteral("orvo.ini")).toStdString()),
              messages, files, starter, volumes, [this] { ++quitCount; }) {
    // Windows are laid out for the design font; test them with it.
    useDesignFont();
}

void TestApp::writeSettings(const std::string& text) {
    writeBytes(settingsFile(), *utf8ToCp1252(text));
}

std::string TestApp::setting(const std::string& section, const std::string& key) const {
    return GetPPS(section, key, "<missing>", kUncut, settingsFile());
}

void TestApp::touch(const QStringList& relativePaths) {
    for (const QString& relative : relativePaths) {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        file.open(QIODevice::WriteOnly);
    }
}

void TestApp::settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace gravelock::test
