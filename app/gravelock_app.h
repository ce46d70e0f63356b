// The whole program without its event loop: every window registered on one
// context, and the start at the splash. main() and the end-to-end tests use it.
#pragma once

#include "frame/app_context.h"

#include <functional>
#include <string>

namespace gravelock {

void registerAllWindows(WindowRegistry& registry);

class Gravelock {
public:
    Gravelock(std::string settingsFile, MessageBoxes& messages, FileDialogs& files,
              GameStarter& starter, std::function<void()> quit);

    AppContext& context() { return context_; }
    // Shows the splash, which opens the wizard or the main window.
    void start();

private:
    // Declared before the context, which keeps a reference to it.
    SystemVolumes volumes_;
    AppContext context_;
};

} // namespace gravelock
