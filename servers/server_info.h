// What one server says about itself, as plain data.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace gravelock::servers {

struct PlayerInfo {
    std::string name;
    std::int32_t score = 0;
    float seconds = 0;
};

struct ServerInfo {
    std::string address; // "a.b.c.d:port"
    std::string name, map, game /* folder */, description;
    int players = 0, maxPlayers = 0, bots = 0;
    bool password = false, vac = false;
    int pingMs = -1;
};

struct ServerDetails {
    std::vector<PlayerInfo> players;
    std::vector<std::pair<std::string, std::string>> rules;
};

} // namespace gravelock::servers
