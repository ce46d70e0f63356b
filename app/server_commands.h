// --query, --lan and --servers: the answers as JSON on standard output, a
// German reason on standard error, without any window.
#pragma once

#include "app/command_line.h"

namespace gravelock {

// Runs the question on the running QCoreApplication's event loop and prints
// the result. 0 with an answer, 1 without one.
int runServerCommand(const CommandLine& commandLine);

} // namespace gravelock
