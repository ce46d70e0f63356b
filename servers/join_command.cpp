#include "servers/join_command.h"

#include "servers/server_book.h"

#include <algorithm>

namespace gravelock::servers {

namespace {

// Windows servers may spell the folder "Valve"; the game folder is the same.
bool isHalfLife(const std::string& folder) {
    std::string lower = folder;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return lower.empty() || lower == "valve";
}

bool passesAsOneWord(const std::string& password) {
    return password.front() != '+' && password.front() != '-' &&
           std::none_of(password.begin(), password.end(), [](char c) {
               return c == ' ' || c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
           });
}

} // namespace

JoinCommand buildJoinCommand(const JoinRequest& request) {
    const auto address = parseServerAddress(request.address);
    if (!address || *address != request.address)
        return {{}, "„" + request.address + "“ ist keine Serveradresse."};
    if (!isHalfLife(request.game) && !isGameFolder(request.game))
        return {{},
                "Der Server nennt als Spielordner „" + request.game +
                    "“. Damit kann Gravelock das Spiel nicht starten."};
    if (!request.password.empty() && !passesAsOneWord(request.password))
        return {{},
                "Ein Passwort mit Leerzeichen oder Anführungszeichen, oder eines, das mit "
                "+ oder - beginnt, kann dem Spiel nicht übergeben werden."};

    const auto colon = address->rfind(':');
    std::string text = request.program;
    if (!isHalfLife(request.game))
        text += " -game " + request.game;
    text += " -console";
    text += " +connect " + address->substr(0, colon) + ":" + address->substr(colon + 1);
    if (!request.password.empty())
        text += " +password " + request.password;
    return {text, {}};
}

} // namespace gravelock::servers
