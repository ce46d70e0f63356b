#include "app/program_flow.h"

#include "app/window_id.h"
#include "core/setting_keys.h"
#include "frame/appearance.h"
#include "frame/splash.h"

namespace gravelock {

ProgramFlow::ProgramFlow(AppContext& context) : context_(context) {
    context_.setFlow(this);
}

ProgramFlow::~ProgramFlow() {
    context_.setFlow(nullptr);
}

void ProgramFlow::start() {
    // Shown by the registry's first show, which centres it; its time counts
    // from there, so connecting right after is early enough.
    if (auto* splash = qobject_cast<SplashWindow*>(context_.windows().show(WindowId::splash)))
        connect(splash, &SplashWindow::timeUp, this, &ProgramFlow::splashTimeUp,
                Qt::UniqueConnection);
}

void ProgramFlow::splashTimeUp() {
    // Every window after the splash shows text in the design font and the
    // program's icon; the splash itself is only a picture, so the font list and
    // the icon are loaded while it is up.
    useDesignFont();
    useProgramIcon();
    const bool firstUse = context_.settings().read(setting::firstuse) == "yes";
    context_.windows().show(firstUse ? WindowId::firstuse1 : WindowId::sp);
    context_.windows().unload(WindowId::splash);
}

void ProgramFlow::backToMainWindow(QWidget* from) {
    context_.windows().unload(from);
    context_.windows().show(WindowId::sp);
}

} // namespace gravelock
