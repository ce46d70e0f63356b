// The program's windows. Windows open, find and unload each other by these
// ids; each one's design name (its objectName) and factory are in the table of
// window_list.cpp: a new window is one line here and one there.
#pragma once

namespace gravelock {

enum class WindowId : int {
    splash,
    sp,
    firstuse1,
    firstuse2,
    firstuseconfig,
    firstusedone,
    config,
    DirMaps,
    DirMapsTFC,
    configtfc,
    gamesearch,
    DM,
    MapCycle,
    frmAdvanced,
    connect,
    frmAbout,
    secret,
    mapinfo,
    servers,
};

} // namespace gravelock
