// The main window's game command line, built from a plain copy of its controls.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace gravelock {

enum class GameMode { Deathmatch, SinglePlayer, TeamFortress };

struct LaunchSettings {
    GameMode mode = GameMode::Deathmatch;
    std::string selectedMap{};  // txtSelMap, with its extension
    std::optional<int> skill{}; // the difficulty chosen in cmbDifficult; none for other text
    std::string parameters{};   // extra parameters, as typed
    bool cheats = false;
    bool console = false;
    bool dev = false;
};

// One entry of the difficulty box: its caption and the skill the game plays
// it at (the game knows 1 to 3).
struct Difficulty {
    const char* caption;
    int skill;
};

// The entries of cmbDifficult, in their order.
std::span<const Difficulty> difficulties();

// The skill of the entry captioned exactly `text` (the box is editable, so a
// caption typed in full counts too); none for any other text.
std::optional<int> skillOf(const std::string& text);

// Program path, mode, " +map " and the map without its last four characters
// (quoted when the game would split it), difficulty, extra parameters (after a
// blank of their own), then the switches; joined without separators.
std::string buildLaunchCommand(const std::string& program, const LaunchSettings& settings);

// The switch preview of txtCommand: one blank, then each ticked switch.
std::string buildSwitchPreview(bool cheats, bool console, bool dev, bool numeric);

} // namespace gravelock
