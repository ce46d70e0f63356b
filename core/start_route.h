// Which way a start takes: the game directly, or the Steam that owns the copy,
// which a Steam copy needs to log in and to run in Steam's own runtime.
#pragma once

#include "core/platform.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace gravelock {

struct StartRequest;

enum class StartVia { Direct, Steam, FlatpakSteam, SteamInWine, WindowsSteam };

struct StartRoute {
    StartVia via = StartVia::Direct;
    // Started instead of the game, with these arguments ahead of the game's
    // own; both empty for a direct start.
    std::string program;
    std::vector<std::string> leadingArguments;
    // WINEPREFIX for the started program; empty leaves the environment as it is.
    std::string winePrefix;
    bool operator==(const StartRoute&) const = default;
};

// What the route depends on besides the file system, so a test can hand it a
// fake home folder.
struct RouteEnvironment {
    Platform platform = Platform::Posix;
    std::string home;
    std::string path;              // PATH, ':'-separated
    std::string winePrefix;        // WINEPREFIX as the player set it
    std::string registrySteamPath; // Windows: Steam's folder as recorded for the user
};

RouteEnvironment currentRouteEnvironment();

// The stored [GAMEDIR] steam: only "no" turns the route through Steam off, so a
// missing key keeps it on.
bool throughSteamSetting(const std::string& stored);
std::string throughSteamValue(bool on);

// The route for the game program `program` (an absolute path). `wineProgram` is
// the Wine the Wine rule chose for it, empty when it needs none or none was
// found. Only the game's own programs (hl.exe, hl.sh, hl_linux) inside a
// Steam library that a Steam of this user owns go through that Steam, and
// only when `throughSteam` and that Steam can be started; everything else
// starts directly. A Windows program inside a Wine prefix gets that prefix.
StartRoute chooseStartRoute(const std::string& program, const std::string& wineProgram,
                            bool throughSteam, const RouteEnvironment& environment);

// The program and its arguments as handed to a system that takes an argument
// list, program first; `program` is the game's absolute path.
std::vector<std::string> startArguments(const StartRequest& request, const std::string& program);

// The one command line Windows hands the started program; the game's own
// argument text follows verbatim.
std::string windowsCommandLine(const StartRequest& request, const std::string& program);

// The first executable `name` along a ':'-separated search path. Empty entries
// are skipped: they would mean whatever folder the program happens to run in.
std::string findOnPath(const std::string& name, const std::string& pathValue,
                       const std::function<bool(const std::string&)>& isExecutable);

// Whether `path` is a regular file with an execute bit for anyone: the test a
// search path applies.
bool isExecutableFile(const std::string& path);

// The library folders a Steam root's steamapps/libraryfolders.vdf lists, as
// written there: both the blocks with a "path" and the older numbered keys. A
// missing or broken list gives none.
std::vector<std::string> listedSteamLibraries(const std::filesystem::path& root);

} // namespace gravelock
