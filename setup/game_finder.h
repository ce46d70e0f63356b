// Looking for installed copies of the game: in Steam's libraries and, off
// Windows, in Wine prefixes. The search only reads.
#pragma once

#include "core/platform.h"
#include "setup/setup_rules.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace gravelock {

// What the configuration page needs of one install.
struct FoundGame {
    std::string program; // hl.exe, off Windows the native hl.sh where there is one, else xash3d
    std::string maps;    // valve/maps
    std::string tfcmaps; // tfc/maps; empty without Team Fortress Classic
    bool hasTfc = false;
    bool operator==(const FoundGame&) const = default;
};

// Everything the search depends on, so a test can hand it a fake home folder.
struct FinderEnvironment {
    Platform platform = Platform::Posix;
    std::string home;
    // WINEPREFIX and ProgramFiles(x86), where set.
    std::map<std::string, std::string> variables;
    std::string registrySteamPath; // Steam's folder as recorded for the user (Windows)
};

// The environment of this process on this system.
FinderEnvironment currentFinderEnvironment();

// Where "Suchen" looks: this system's environment, or a test's fake home.
using FinderEnvironmentSource = std::function<FinderEnvironment()>;

struct GameSearch {
    std::vector<FoundGame> games;      // each install once, in the order found
    std::vector<std::string> searched; // the Steam folders and Wine prefixes looked in
};

// Steam roots first (each with every library its libraryfolders.vdf lists, a
// broken list skipped), then Wine prefixes with their Program Files and the
// Steam inside them. Names are matched without regard to case, as installs
// copied from Windows keep their mixed case.
GameSearch findInstalledGames(const FinderEnvironment& environment);

// The message when nothing was found, naming where the search looked.
SetupMessage noGameFoundMessage(const std::vector<std::string>& searched);

} // namespace gravelock
