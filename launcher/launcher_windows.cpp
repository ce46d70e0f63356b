#include "launcher/launcher_windows.h"

#include "frame/window_names.h"
#include "frame/window_registry.h"
#include "launcher/sp_window.h"

namespace gravelock {

void registerLauncherWindows(WindowRegistry& registry) {
    registry.add(windowName::sp, [](AppContext& context) { return new SpWindow(context); });
}

} // namespace gravelock
