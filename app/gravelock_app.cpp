#include "app/gravelock_app.h"

#include "about/about_windows.h"
#include "advanced/advanced_windows.h"
#include "frame/splash.h"
#include "frame/window_names.h"
#include "launcher/launcher_windows.h"
#include "maps/maps_windows.h"
#include "server/server_windows.h"
#include "setup/setup_windows.h"

namespace gravelock {

void registerAllWindows(WindowRegistry& registry) {
    registry.add(windowName::splash, [](AppContext& context) { return new SplashWindow(context); });
    registerLauncherWindows(registry);
    registerSetupWindows(registry);
    registerServerWindows(registry);
    registerAdvancedWindows(registry);
    registerAboutWindows(registry);
    registerMapsWindows(registry);
}

Gravelock::Gravelock(Settings settings, MessageBoxes& messages, FileDialogs& files,
                     GameStarter& starter, std::function<void()> quit)
    : context_(std::move(settings), messages, files, starter, volumes_, std::move(quit)) {
    registerAllWindows(context_.windows());
}

void Gravelock::start() {
    context_.windows().show(windowName::splash);
}

} // namespace gravelock
