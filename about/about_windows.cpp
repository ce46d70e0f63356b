#include "about/about_windows.h"

#include "core/ui/window_registry.h"

namespace gravelock {

void registerAboutWindows(WindowRegistry& registry) {
    Q_UNUSED(registry);
}

} // namespace gravelock
