#include "setup/setup_windows.h"

#include "frame/window_names.h"
#include "frame/window_registry.h"
#include "setup/config_window.h"
#include "setup/folder_picker.h"
#include "setup/wizard_pages.h"

namespace gravelock {

void registerSetupWindows(WindowRegistry& registry) {
    registry.add(windowName::firstuse1, [](AppContext& c) { return new Firstuse1Window(c); });
    registry.add(windowName::firstuse2, [](AppContext& c) { return new Firstuse2Window(c); });
    registry.add(windowName::firstuseconfig,
                 [](AppContext& c) { return new FirstuseconfigWindow(c); });
    registry.add(windowName::firstusedone, [](AppContext& c) { return new FirstusedoneWindow(c); });
    registry.add(windowName::config, [](AppContext& c) { return new ConfigWindow(c); });
    for (const FolderPickerDesign& design :
         {FolderPickerWindow::dirMaps(), FolderPickerWindow::dirMapsTFC(),
          FolderPickerWindow::configtfc()})
        registry.add(QString::fromLatin1(design.name),
                     [design](AppContext& c) { return new FolderPickerWindow(c, design); });
}

} // namespace gravelock
