#include "core/platform.h"

#include <cstdlib>

namespace gravelock {

Platform hostPlatform() {
    return Platform::Posix;
}

std::string steamPathFromRegistry() {
    return {};
}

std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace gravelock
