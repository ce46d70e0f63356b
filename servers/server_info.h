// What a game server says about itself, as plain values for the windows and
// the command line. Every text is UTF-8, cleaned of control characters.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace gravelock::servers {

struct PlayerInfo {
    std::string name;
    std::int32_t score = 0;
    float seconds = 0; // time connected
};

struct ServerInfo {
    std::string address; // "a.b.c.d:port", as asked
    std::string name, map;
    std::string game; // the game folder, e.g. tfc
    std::string description;
    int players = 0, maxPlayers = 0, bots = 0;
    bool password = false, vac = false;
    int pingMs = -1; // round trip of the info request; -1 unknown
};

struct ServerDetails {
    std::vector<PlayerInfo> players;
    std::vector<std::pair<std::string, std::string>> rules; // in the server's order
};

} // namespace gravelock::servers
