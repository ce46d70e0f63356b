#include "launcher/launch_command.h"

#include "core/start_game.h"
#include "core/text.h"

#include <array>

namespace gravelock {
namespace {

std::string modeFragment(GameMode mode) {
    switch (mode) {
    case GameMode::Deathmatch:
        return " +deathmatch 1";
    case GameMode::SinglePlayer:
        return {};
    case GameMode::TeamFortress:
        return " -game tfc";
    }
    return {};
}

constexpr std::array<Difficulty, 3> kDifficulties{{
    {"Einfach", 1},
    {"Mittel", 2},
    {"Hard!", 3},
}};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A name the game would take apart (blanks) or lose a quote of goes in quotes.
std::string mapArgument(const std::string& map) {
    const bool split = map.find_first_of(" \t\"") != std::string::npos;
    return split ? quoteArgument(map) : map;
}

} // namespace

std::span<const Difficulty> difficulties() {
    return kDifficulties;
}

std::optional<int> skillOf(const std::string& text) {
    for (const Difficulty& d : kDifficulties)
        if (text == d.caption)
            return d.skill;
    return std::nullopt;
}

std::string buildLaunchCommand(const std::string& program, const LaunchSettings& s) {
    std::string command = program;
    command += modeFragment(s.mode);
    command += " +map " + mapArgument(dropLastCharacters(s.selectedMap, 4));
    if (s.skill)
        command += " +skill " + std::to_string(*s.skill);
    // Typed text glued to the map name would rename the map.
    if (!s.parameters.empty() && !isBlank(s.parameters.front()))
        command += ' ';
    command += s.parameters;
    if (s.cheats)
        command += " +sv_cheats 1";
    if (s.console)
        command += " -console";
    if (s.dev)
        command += " -dev";
    return command;
}

std::string buildSwitchPreview(bool cheats, bool console, bool dev, bool numeric) {
    std::string preview = " ";
    if (cheats)
        preview += " +sv_cheats 1";
    if (console)
        preview += " -console";
    if (dev)
        preview += " -dev";
    if (numeric)
        preview += " -numericping";
    return preview;
}

} // namespace gravelock
