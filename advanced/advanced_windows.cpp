#include "advanced/advanced_windows.h"

#include "core/ui/window_registry.h"

namespace gravelock {

void registerAdvancedWindows(WindowRegistry& registry) {
    Q_UNUSED(registry);
}

} // namespace gravelock
