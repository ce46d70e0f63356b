#include "about/about_windows.h"

#include "about/frm_about_window.h"
#include "about/secret_window.h"
#include "frame/window_names.h"
#include "frame/window_registry.h"

namespace gravelock {

void registerAboutWindows(WindowRegistry& registry) {
    registry.add(windowName::frmAbout,
                 [](AppContext& context) { return new FrmAboutWindow(context); });
    registry.add(windowName::secret, [](AppContext& context) { return new SecretWindow(context); });
}

} // namespace gravelock
