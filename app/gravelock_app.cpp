#include "app/gravelock_app.h"

#include "about/about_windows.h"
#include "advanced/advanced_windows.h"
#include "core/settings_location.h"
#include "frame/splash.h"
#include "frame/window_names.h"
#include "launcher/launcher_windows.h"
#include "maps/maps_windows.h"
#include "server/server_windows.h"
#include "servers/servers_window.h"
#include "setup/setup_windows.h"

#include <QDir>
#include <QStandardPaths>

namespace gravelock {

void registerAllWindows(WindowRegistry& registry, const servers::ServerListServices* servers) {
    registry.add(windowName::splash, [](AppContext& context) { return new SplashWindow(context); });
    registerLauncherWindows(registry);
    registerSetupWindows(registry);
    registerServerWindows(registry);
    registerAdvancedWindows(registry);
    registerAboutWindows(registry);
    registerMapsWindows(registry);
    if (servers)
        servers::registerServersWindows(registry, *servers);
}

Gravelock::Gravelock(Settings settings, MessageBoxes& messages, FileDialogs& files,
                     GameStarter& starter, std::function<void()> quit, std::string keyFolder)
    : context_(std::move(settings), messages, files, starter, volumes_, std::move(quit)) {
    if (keyFolder.empty()) // the per-user folder, also for a portable copy: the key is the player's
        keyFolder =
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    const servers::ServerListServices services{serverPrompts_, keyFolder, 0, 0};
    registerAllWindows(context_.windows(), &services);
}

bool Gravelock::start() {
    const std::string& file = context_.settings().file();
    if (const auto problem = settingsReadProblem(file)) {
        context_.message(nullptr,
                         QStringLiteral("Gravelock kann seine Einstellungen nicht lesen und "
                                        "beendet sich. Es wurde nichts verändert.\n\n"
                                        "Datei: %1\nGrund: %2.")
                             .arg(QDir::toNativeSeparators(QString::fromStdString(file)),
                                  QString::fromStdString(*problem)),
                         {}, MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    context_.windows().show(windowName::splash);
    return true;
}

} // namespace gravelock
