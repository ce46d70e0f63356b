#include "launcher/launch_command.h"

#include "core/text.h"

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

std::string difficultyFragment(const std::string& difficulty) {
    if (difficulty == "Einfach")
        return " +set skill 0";
    if (difficulty == "Mittel")
        return " +set skill 1";
    if (difficulty == "Hard!")
        return " +set skill 2";
    return {};
}

} // namespace

std::string buildLaunchCommand(const std::string& program, const LaunchSettings& s) {
    std::string command = program;
    command += modeFragment(s.mode);
    command += " +map " + dropLastCharacters(s.selectedMap, 4);
    command += difficultyFragment(s.difficulty);
    command += s.parameters;
    if (s.cheats)
        command += " -sv_cheats 1";
    if (s.console)
        command += " -console";
    if (s.dev)
        command += " -dev";
    return command;
}

std::string buildSwitchPreview(bool cheats, bool console, bool dev, bool numeric) {
    std::string preview = " ";
    if (cheats)
        preview += " -sv_cheats 1";
    if (console)
        preview += " -console";
    if (dev)
        preview += " -dev";
    if (numeric)
        preview += " -numericping";
    return preview;
}

} // namespace gravelock
