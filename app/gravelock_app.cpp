#include "app/gravelock_app.h"

#include "about/about_windows.h"
#include "advanced/advanced_windows.h"
#include "core/settings_location.h"
#include "frame/splash.h"
#include "frame/window_names.h"
#include "launcher/launcher_windows.h"
#include "server/server_windows.h"
#include "setup/setup_windows.h"

#include <QDir>

namespace gravelock {

void registerAllWindows(WindowRegistry& registry) {
    registry.add(windowName::splash, [](AppContext& context) { return new SplashWindow(context); });
    registerLauncherWindows(registry);
    registerSetupWindows(registry);
    registerServerWindows(registry);
    registerAdvancedWindows(registry);
    registerAboutWindows(registry);
}

Gravelock::Gravelock(Settings settings, MessageBoxes& messages, FileDialogs& files,
                     GameStarter& starter, std::function<void()> quit)
    : context_(std::move(settings), messages, files, starter, volumes_, std::move(quit)) {
    registerAllWindows(context_.windows());
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
