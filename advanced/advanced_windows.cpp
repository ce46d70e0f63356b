#include "advanced/advanced_windows.h"

#include "advanced/connect_window.h"
#include "advanced/frm_advanced_window.h"
#include "frame/window_names.h"
#include "frame/window_registry.h"

namespace gravelock {

void registerAdvancedWindows(WindowRegistry& registry) {
    registry.add(windowName::frmAdvanced, [](AppContext& c) { return new FrmAdvancedWindow(c); });
    registry.add(windowName::connect, [](AppContext& c) { return new ConnectWindow(c); });
}

} // namespace gravelock
