#include "setup/setup_windows.h"

#include "core/ui/window_registry.h"

namespace gravelock {

void registerSetupWindows(WindowRegistry& registry) {
    Q_UNUSED(registry);
}

} // namespace gravelock
