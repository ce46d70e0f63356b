// Text for the terminal the program was started from (--help, --version, a bad
// command line).
#pragma once

#include <string>

namespace gravelock {

// Writes UTF-8 text to standard output, or to standard error when `error`. A
// Windows GUI program has no console of its own: it writes into the one it was
// started from, if any, so that no window has to open.
void printToTerminal(const std::string& utf8, bool error);

} // namespace gravelock
