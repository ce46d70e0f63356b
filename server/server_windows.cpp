#include "server/server_windows.h"

#include "core/ui/window_registry.h"

namespace gravelock {

void registerServerWindows(WindowRegistry& registry) {
    Q_UNUSED(registry);
}

} // namespace gravelock
