// The deathmatch server's settings check, its console file orvo.cfg and its
// start command, built from a plain copy of the DM window's controls.
#pragma once

#include "core/file_io.h"
#include "core/player_message.h"
#include "core/setting_keys.h"

#include <optional>
#include <string>
#include <vector>

namespace gravelock {

// Which button writes the file: the two differ only in the host name and
// password lines.
enum class ServerConfigVariant { Save, Start };

// The DM window's controls: boxes ticked or not, texts as typed (UTF-8).
// The defaults are the window's state when it opens.
struct ServerSettings {
    bool sv_cheats = false;
    bool dl = false;
    bool mp_flashlight = false;
    bool ul = false;
    bool mp_autocrosshair = false;
    bool mp_forcerespawn = false;
    bool chase_active = false;
    bool mp_friendlyfire = false;
    bool falldamage = false;
    bool mp_footsteps = false;
    bool mp_weaponstay = false;
    bool cl_download_ingame = false;
    bool password = false;

    std::string maxplayersvalue = "32";
    std::string partyname = "Mein - ORVO- Game";
    std::string sv_gravityvalue = "800";
    std::string maxspectatorsvalue = "0";
    std::string fraglimitvalue = "0";
    std::string timelimitvalue = "0";
    std::string maxpingvalue = "500"; // only checked, never written
    std::string passwordvalue = {};
};

// The checks run before either button writes, in the order they are made.
enum class ServerSettingsCheck {
    Passed,
    NoPartyName,     // partyname empty
    NoPassword,      // password ticked, passwordvalue empty
    BlankPartyName,  // partyname is exactly one blank
    BlankMaxPing,    // maxpingvalue is exactly one blank
    BlankMaxPlayers, // maxplayersvalue is exactly one blank
    // The number boxes, top to bottom as the window shows them: each must hold
    // a whole number of 0 or more (players: 1 to 32, the engine's slots).
    MaxPlayersOutOfRange,
    GravityNotNumber,
    MaxSpectatorsNotNumber,
    FragLimitNotNumber,
    TimeLimitNotNumber,
    MaxPingNotNumber,
};

// The first check that fails. Texts are compared whole and untrimmed.
ServerSettingsCheck CheckServerSettings(const ServerSettings& settings);

// The message of a failed check (information icon).
PlayerMessage serverSettingsMessage(ServerSettingsCheck check, ServerConfigVariant variant);

// The console commands of orvo.cfg in file order, without line ends.
std::vector<std::string> serverConfigLines(const ServerSettings& settings,
                                           ServerConfigVariant variant);

// A typed text that cannot go into the file: a character outside Windows-1252
// (the game reads the file in that code page), a line break (which would
// smuggle in a console command of its own) or a double quote in a quoted value
// (the console cannot escape one).
struct UnwritableText {
    std::string field;     // the caption of the text box, for the message
    std::string character; // the offending character; empty for a line break
};
std::optional<UnwritableText> findUnwritableText(const ServerSettings& settings);
std::string unwritableTextMessage(const UnwritableText& problem);

// The exact bytes of orvo.cfg: Windows-1252, CR LF after every line.
// nullopt when a text cannot be written (see findUnwritableText).
std::optional<std::string> serverConfigBytes(const ServerSettings& settings,
                                             ServerConfigVariant variant);

// Replaces the file at `path` with the configuration, atomically.
WriteResult WriteServerConfig(const ServerSettings& settings, ServerConfigVariant variant,
                              const std::string& path);

// What a read of the game folder gives when it is missing.
inline constexpr const char* kMissingGameFolder = setting::valve.missing;
inline constexpr const char* kServerConfigName = "orvo.cfg";

// The folder value stands directly in front of the file name: it ends with its
// own separator.
std::string serverConfigPath(const std::string& valve);

// Why no file may be written for this folder value, or nullopt when it is usable.
// A missing or empty value would put the file into whatever folder the program
// happens to run in.
std::optional<std::string> gameFolderProblem(const std::string& valve);

// Program, " +deathmatch 1 +maxplayers " and the slots, " -console +map " and
// the map exactly as typed. The slots are fixed when the server starts: the
// maxplayers line of orvo.cfg alone never takes effect.
std::string buildServerCommand(const std::string& program, const std::string& maxplayers,
                               const std::string& map);

// A map file's name without its ".bsp" (the last four characters).
std::string mapNameOf(const std::string& fileName);

} // namespace gravelock
