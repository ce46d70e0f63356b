#pragma once

namespace gravelock {

class WindowRegistry;

// Makes this subsystem's windows known to the registry by their design names.
void registerAboutWindows(WindowRegistry& registry);

} // namespace gravelock
