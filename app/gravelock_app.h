// The whole program without its event loop: every window registered on one
// context, and its flow from the splash on. main() and the end-to-end tests use it.
#pragma once

#include "app/program_flow.h"
#include "app/window_list.h"
#include "frame/app_context.h"
#include "servers/servers_window.h"

#include <functional>

namespace gravelock {

class Gravelock {
public:
    Gravelock(Settings settings, MessageBoxes& messages, FileDialogs& files, GameStarter& starter,
              std::function<void()> quit, std::string keyFolder = {});

    AppContext& context() { return context_; }
    // Shows the splash, which opens the wizard or the main window. A settings
    // file that cannot be read is reported instead, and false returned: the
    // program cannot run without its settings.
    bool start();

private:
    // Declared before the context, which keeps a reference to it.
    SystemVolumes volumes_;
    servers::QtServerPrompts serverPrompts_;
    AppContext context_;
    ProgramFlow flow_;
};

} // namespace gravelock
