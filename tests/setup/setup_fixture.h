// What the setup window tests share: a test context with the setup windows,
// a stand-in main window, and folder pickers on a faked volume list.
#pragma once

#include "fakes.h"
#include "setup/folder_picker.h"
#include "setup/setup_windows.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace gravelock::test {

class FakeVolumes final : public Volumes {
public:
    QList<Volume> mounted() const override { return list; }
    bool isReady(const QString& root) const override { return !notReady.contains(root); }
    QString startFolder() const override { return start; }

    QList<Volume> list;
    QSet<QString> notReady;
    QString start;
};

struct SetupFixture {
    explicit SetupFixture(const std::string& settings) {
        app.writeSettings(settings);
        for (const char* folder : {"sys/Half-Life/valve/maps", "sys/Half-Life/tfc/maps", "usb/maps"})
            QDir().mkpath(app.path(QString::fromLatin1(folder)));
        volumes->list = {{app.path("sys"), "SYSTEM"}, {app.path("usb"), "STICK"}, {"A:/", ""}};
        volumes->notReady = {"A:/"};
        volumes->start = app.path("sys/Half-Life");

        WindowRegistry& registry = app.context.windows();
        registerSetupWindows(registry);
        for (const FolderPickerDesign& design : {FolderPickerWindow::dirMaps(),
                                                 FolderPickerWindow::dirMapsTFC(),
                                                 FolderPickerWindow::configtfc()})
            registry.add(QString::fromLatin1(design.name), [this, design](AppContext& c) {
                return new FolderPickerWindow(c, design, volumes);
            });
        registry.add("sp", [](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName("sp");
            return w;
        });
    }

    WindowRegistry& windows() { return app.context.windows(); }
    template <class W> W* find(const QString& name) { return windows().find<W>(name); }
    bool visible(const QString& name) {
        QWidget* w = windows().find(name);
        return w && w->isVisible();
    }
    QByteArray settingsBytes() {
        QFile file(QString::fromStdString(app.settingsFile()));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    // Writes to orvo.ini fail from now on: a folder stands where the file goes.
    void breakSettingsFile() {
        QFile::remove(QString::fromStdString(app.settingsFile()));
        QDir().mkpath(QString::fromStdString(app.settingsFile()) + "/locked");
    }

    TestApp app;
    std::shared_ptr<FakeVolumes> volumes = std::make_shared<FakeVolumes>();
};

} // namespace gravelock::test
