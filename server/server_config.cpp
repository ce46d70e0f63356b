#include "server/server_config.h"

#include "core/text.h"

#include <utility>

namespace gravelock {
namespace {

constexpr int kMostPlayers = 32;

// Digits only, no sign and no blanks; the boxes hold at most four characters.
std::optional<int> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

PlayerMessage numberMessage(const char* box) {
    return {std::string("Bei „") + box + "“ bitte eine ganze Zahl eingeben (0 oder mehr).", ""};
}

} // namespace

ServerSettingsCheck CheckServerSettings(const ServerSettings& s) {
    if (s.partyname.empty())
        return ServerSettingsCheck::NoPartyName;
    if (s.password && s.passwordvalue.empty())
        return ServerSettingsCheck::NoPassword;
    if (s.partyname == " ")
        return ServerSettingsCheck::BlankPartyName;
    if (s.maxpingvalue == " ")
        return ServerSettingsCheck::BlankMaxPing;
    if (s.maxplayersvalue == " ")
        return ServerSettingsCheck::BlankMaxPlayers;
    const auto players = wholeNumber(s.maxplayersvalue);
    if (!players || *players < 1 || *players > kMostPlayers)
        return ServerSettingsCheck::MaxPlayersOutOfRange;
    const std::pair<const std::string*, ServerSettingsCheck> numbers[] = {
        {&s.sv_gravityvalue, ServerSettingsCheck::GravityNotNumber},
        {&s.maxspectatorsvalue, ServerSettingsCheck::MaxSpectatorsNotNumber},
        {&s.fraglimitvalue, ServerSettingsCheck::FragLimitNotNumber},
        {&s.timelimitvalue, ServerSettingsCheck::TimeLimitNotNumber},
        {&s.maxpingvalue, ServerSettingsCheck::MaxPingNotNumber},
    };
    for (const auto& [text, check] : numbers)
        if (!wholeNumber(*text))
            return check;
    return ServerSettingsCheck::Passed;
}

PlayerMessage serverSettingsMessage(ServerSettingsCheck check, ServerConfigVariant variant) {
    const bool save = variant == ServerConfigVariant::Save;
    switch (check) {
    case ServerSettingsCheck::Passed:
        return {};
    case ServerSettingsCheck::NoPartyName:
        return {save ? "Du must einen Spielnamen angeben" : "Du must den Spielname festlegen", ""};
    case ServerSettingsCheck::NoPassword:
        return {save ? "Password..." : "Password, na was is denn mit ihm los *lol*", "Error !"};
    case ServerSettingsCheck::BlankPartyName:
        return {save ? "Du MUST einen SPIELNAMEN ANGEBEN" : "Du MUST den SPIELNAMEN ANGEBEN",
                "Spielname"};
    case ServerSettingsCheck::BlankMaxPing:
        return save ? PlayerMessage{"Please specify the maximum ping allowed", "Max ping"}
                    : PlayerMessage{"Bitte leg die MAX PING fest", "Max Ping"};
    case ServerSettingsCheck::BlankMaxPlayers:
        return save ? PlayerMessage{"Bitte leg die Spieleranzahl fest !!!", "Max Spieler"}
                    : PlayerMessage{"Na wenn du alleine spielen willst dann must du mindestens ein "
                                    "Spieler eingeben !",
                                    "Spieleranzahl"};
    case ServerSettingsCheck::MaxPlayersOutOfRange:
        return {"Bei „Max. Spieler“ bitte eine ganze Zahl von 1 bis 32 eingeben.", ""};
    case ServerSettingsCheck::GravityNotNumber:
        return numberMessage("Gravity");
    case ServerSettingsCheck::MaxSpectatorsNotNumber:
        return numberMessage("Max spectators");
    case ServerSettingsCheck::FragLimitNotNumber:
        return numberMessage("Frag limit");
    case ServerSettingsCheck::TimeLimitNotNumber:
        return numberMessage("Zeit Limit");
    case ServerSettingsCheck::MaxPingNotNumber:
        return numberMessage("Max. ping");
    }
    return {};
}

std::vector<std::string> serverConfigLines(const ServerSettings& s, ServerConfigVariant variant) {
    const bool save = variant == ServerConfigVariant::Save;
    std::vector<std::string> lines;
    const auto when = [&lines](bool ticked, const char* line) {
        if (ticked)
            lines.emplace_back(line);
    };
    // The server's own switch: cl_allowdownload only says what a client accepts.
    when(s.dl, "sv_allowdownload 1");
    when(s.ul, "cl_allowupload 1");
    when(s.falldamage, "mp_falldamage 0");
    when(s.mp_autocrosshair, "mp_autocrosshair 0");
    when(s.mp_flashlight, "mp_flashlight 1");
    when(s.sv_cheats, "sv_cheats 1");
    when(s.mp_forcerespawn, "mp_forcerespawn 1");
    when(s.mp_footsteps, "mp_footsteps 1");
    // The same box once more, under the name older game versions read.
    when(s.falldamage, "falldamage 1");
    when(s.mp_weaponstay, "mp_weaponstay 1");
    when(s.mp_friendlyfire, "mp_friendlyfire 1");
    when(s.chase_active, "chase_active 1");
    when(s.cl_download_ingame, "cl_download_ingame 0");
    lines.push_back("mp_fraglimit " + s.fraglimitvalue);
    lines.push_back("mp_timelimit " + s.timelimitvalue);
    lines.push_back("maxplayers " + s.maxplayersvalue);
    lines.push_back("sv_gravity " + s.sv_gravityvalue);
    lines.push_back("sv_maxspectators " + s.maxspectatorsvalue);
    // Quoted, or the console keeps only the first word.
    lines.push_back((save ? "hostname \"" : "Hostname \"") + s.partyname + "\"");
    if (s.password)
        lines.push_back("sv_password \"" + s.passwordvalue + "\"");
    return lines;
}

std::optional<UnwritableText> findUnwritableText(const ServerSettings& s) {
    struct Field {
        const char* caption;
        const std::string* text;
        bool written;
        bool quoted;
    };
    const Field fields[] = {
        {"Frag limit", &s.fraglimitvalue, true, false},
        {"Zeit Limit", &s.timelimitvalue, true, false},
        {"Max. Spieler", &s.maxplayersvalue, true, false},
        {"Gravity", &s.sv_gravityvalue, true, false},
        {"Max spectators", &s.maxspectatorsvalue, true, false},
        {"Spielname", &s.partyname, true, true},
        {"Password", &s.passwordvalue, s.password, true},
    };
    for (const Field& f : fields) {
        if (!f.written)
            continue;
        if (f.text->find_first_of("\r\n") != std::string::npos)
            return UnwritableText{f.caption, {}};
        if (f.quoted && f.text->find('"') != std::string::npos)
            return UnwritableText{f.caption, "\""};
        if (!utf8ToCp1252(*f.text))
            return UnwritableText{f.caption, firstCharacterOutsideCp1252(*f.text)};
    }
    return std::nullopt;
}

std::string unwritableTextMessage(const UnwritableText& problem) {
    const std::string what = problem.character.empty()
                                 ? "einen Zeilenumbruch, den"
                                 : "das Zeichen „" + problem.character + "“, das";
    return "Die orvo.cfg wurde nicht gespeichert: „" + problem.field + "“ enthält " + what +
           " die Datei nicht aufnehmen kann.\n\nBitte ändere den Text.";
}

std::optional<std::string> serverConfigBytes(const ServerSettings& settings,
                                             ServerConfigVariant variant) {
    if (findUnwritableText(settings))
        return std::nullopt;
    std::string text;
    for (const std::string& line : serverConfigLines(settings, variant))
        text += line + "\r\n";
    return utf8ToCp1252(text);
}

WriteResult WriteServerConfig(const ServerSettings& settings, ServerConfigVariant variant,
                              const std::string& path) {
    const auto bytes = serverConfigBytes(settings, variant);
    if (!bytes)
        return WriteResult::failure(
            "Ein Text enthält ein Zeichen, das die Datei nicht aufnehmen kann");
    return replaceFileAtomically(path, *bytes);
}

std::string serverConfigPath(const std::string& valve) {
    return valve + kServerConfigName;
}

std::optional<std::string> gameFolderProblem(const std::string& valve) {
    if (valve == kMissingGameFolder || valve.empty())
        return "Der Half-Life Ordner (GAMEDIR, valve) ist in der orvo.ini nicht eingetragen";
    return std::nullopt;
}

std::string buildServerCommand(const std::string& program, const std::string& maxplayers,
                               const std::string& map) {
    return program + " +deathmatch 1 +maxplayers " + maxplayers + " -console +map " + map;
}

std::string mapNameOf(const std::string& fileName) {
    return dropLastCharacters(fileName, 4);
}

} // namespace gravelock
