// The main window's game command line, built from a plain copy of its controls.
#pragma once

#include <string>

namespace gravelock {

enum class GameMode { Deathmatch, SinglePlayer, TeamFortress };

struct LaunchSettings {
    GameMode mode = GameMode::Deathmatch;
    std::string selectedMap{}; // txtSelMap, with its extension
    std::string difficulty{};  // text of cmbDifficult
    std::string parameters{};  // extra parameters, as typed
    bool cheats = false;
    bool console = false;
    bool dev = false;
};

// Program path, mode, " +map " and the map without its last four characters,
// difficulty, extra parameters, then the switches; joined without separators.
std::string buildLaunchCommand(const std::string& program, const LaunchSettings& settings);

// The switch preview of txtCommand: one blank, then each ticked switch.
std::string buildSwitchPreview(bool cheats, bool console, bool dev, bool numeric);

} // namespace gravelock
