#include "core/console.h"

#include <cstdio>

namespace gravelock {

void printToTerminal(const std::string& utf8, bool error) {
    std::FILE* stream = error ? stderr : stdout;
    std::fputs(utf8.c_str(), stream);
    std::fflush(stream);
}

} // namespace gravelock
