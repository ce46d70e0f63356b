#include "app/window_list.h"

#include "about/frm_about_window.h"
#include "about/secret_window.h"
#include "advanced/connect_window.h"
#include "advanced/frm_advanced_window.h"
#include "frame/splash.h"
#include "launcher/sp_window.h"
#include "maps/map_info_window.h"
#include "server/dm_window.h"
#include "server/map_cycle_window.h"
#include "servers/servers_window.h"
#include "setup/config_window.h"
#include "setup/folder_picker.h"
#include "setup/game_search_window.h"
#include "setup/wizard_pages.h"

#include <algorithm>
#include <vector>

namespace gravelock {

namespace {

using Factory = WindowRegistry::Factory;

struct Window {
    WindowId id;
    const char* designName;
    Factory factory; // empty when the window cannot be made with these services
};

template <class W> Factory plain() {
    return [](AppContext& c) { return new W(c); };
}

template <class W> Factory searching(const FinderEnvironmentSource& environment) {
    return [environment](AppContext& c) { return new W(c, environment); };
}

std::vector<Window> windowList(const WindowServices& services) {
    const auto picker = [](const FolderPickerDesign& design) -> Factory {
        return [design](AppContext& c) { return new FolderPickerWindow(c, design); };
    };
    Factory serverList;
    if (services.serverList)
        serverList = [list = *services.serverList](AppContext& c) {
            return new servers::ServersWindow(c, list);
        };
    return {
        {WindowId::splash, "splash", [](AppContext&) { return new SplashWindow; }},
        {WindowId::sp, "sp", plain<SpWindow>()},
        {WindowId::firstuse1, "firstuse1", plain<Firstuse1Window>()},
        {WindowId::firstuse2, "firstuse2", plain<Firstuse2Window>()},
        {WindowId::firstuseconfig, "firstuseconfig",
         searching<FirstuseconfigWindow>(services.gameSearch)},
        {WindowId::firstusedone, "firstusedone", plain<FirstusedoneWindow>()},
        {WindowId::config, "config", searching<ConfigWindow>(services.gameSearch)},
        {WindowId::DirMaps, "DirMaps", picker(FolderPickerWindow::dirMaps())},
        {WindowId::DirMapsTFC, "DirMapsTFC", picker(FolderPickerWindow::dirMapsTFC())},
        {WindowId::configtfc, "configtfc", picker(FolderPickerWindow::configtfc())},
        {WindowId::gamesearch, "gamesearch", plain<GameSearchWindow>()},
        {WindowId::DM, "DM", plain<DMWindow>()},
        {WindowId::MapCycle, "MapCycle", plain<MapCycleWindow>()},
        {WindowId::frmAdvanced, "frmAdvanced", plain<FrmAdvancedWindow>()},
        {WindowId::connect, "connect", plain<ConnectWindow>()},
        {WindowId::frmAbout, "frmAbout", plain<FrmAboutWindow>()},
        {WindowId::secret, "secret", plain<SecretWindow>()},
        {WindowId::mapinfo, "mapinfo", plain<MapInfoWindow>()},
        {WindowId::servers, "servers", serverList},
    };
}

} // namespace

void registerWindows(WindowRegistry& registry, const WindowServices& services,
                     std::initializer_list<WindowId> only) {
    for (const Window& window : windowList(services)) {
        const bool wanted =
            only.size() == 0 || std::find(only.begin(), only.end(), window.id) != only.end();
        if (wanted && window.factory)
            registry.add(window.id, QString::fromLatin1(window.designName), window.factory);
    }
}

QString designName(WindowId id) {
    for (const Window& window : windowList({}))
        if (window.id == id)
            return QString::fromLatin1(window.designName);
    return {};
}

} // namespace gravelock
