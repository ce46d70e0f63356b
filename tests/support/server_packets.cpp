#include "server_packets.h"

#include <cstring>

namespace gravelock::test {

namespace {

const std::string kHeader("\xFF\xFF\xFF\xFF", 4);

void u8(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
}
void u16(std::string& out, unsigned value) {
    u8(out, value);
    u8(out, value >> 8);
}
void u32(std::string& out, std::uint32_t value) {
    u16(out, value & 0xFFFF);
    u16(out, value >> 16);
}
void text(std::string& out, const std::string& value) {
    out += value;
    out += '\0';
}

} // namespace

std::string challengeAnswer(std::uint32_t challenge) {
    std::string out = kHeader + 'A';
    u32(out, challenge);
    return out;
}

std::string infoAnswer(const servers::ServerInfo& info) {
    std::string out = kHeader + 'I';
    u8(out, 48); // protocol
    text(out, info.name);
    text(out, info.map);
    text(out, info.game);
    text(out, info.description);
    u16(out, info.game == "tfc" ? 20 : 70);
    u8(out, static_cast<unsigned>(info.players));
    u8(out, static_cast<unsigned>(info.maxPlayers));
    u8(out, static_cast<unsigned>(info.bots));
    u8(out, 'd');
    u8(out, 'l');
    u8(out, info.password ? 1 : 0);
    u8(out, info.vac ? 1 : 0);
    text(out, "1.1.2.7/Stdio");
    // Extra data: the game port, as current servers send it.
    u8(out, 0x80);
    u16(out, 27015);
    return out;
}

std::string oldInfoAnswer(const servers::ServerInfo& info, bool withMod) {
    std::string out = kHeader + 'm';
    text(out, info.address);
    text(out, info.name);
    text(out, info.map);
    text(out, info.game);
    text(out, info.description);
    u8(out, static_cast<unsigned>(info.players));
    u8(out, static_cast<unsigned>(info.maxPlayers));
    u8(out, 47);
    u8(out, 'd');
    u8(out, 'l');
    u8(out, info.password ? 1 : 0);
    u8(out, withMod ? 1 : 0);
    if (withMod) {
        text(out, "http://mod.example");
        text(out, "http://mod.example/dl");
        u8(out, 0);
        u32(out, 1);
        u32(out, 184000000);
        u8(out, 0);
        u8(out, 1);
    }
    u8(out, info.vac ? 1 : 0);
    u8(out, static_cast<unsigned>(info.bots));
    return out;
}

std::string playersAnswer(const std::vector<servers::PlayerInfo>& players) {
    std::string out = kHeader + 'D';
    u8(out, static_cast<unsigned>(players.size()));
    unsigned index = 0;
    for (const servers::PlayerInfo& player : players) {
        u8(out, index++);
        text(out, player.name);
        u32(out, static_cast<std::uint32_t>(player.score));
        std::uint32_t bits = 0;
        std::memcpy(&bits, &player.seconds, sizeof bits);
        u32(out, bits);
    }
    return out;
}

std::string rulesAnswer(const std::vector<std::pair<std::string, std::string>>& rules) {
    std::string out = kHeader + 'E';
    u16(out, static_cast<unsigned>(rules.size()));
    for (const auto& [name, value] : rules) {
        text(out, name);
        text(out, value);
    }
    return out;
}

std::vector<std::string> splitAnswer(const std::string& answer, std::uint32_t id, unsigned count) {
    std::vector<std::string> parts;
    const std::size_t size = (answer.size() + count - 1) / count;
    for (unsigned i = 0; i < count; ++i) {
        std::string part("\xFE\xFF\xFF\xFF", 4);
        u32(part, id);
        u8(part, (i << 4) | count);
        part += answer.substr(std::min(answer.size(), i * size), size);
        parts.push_back(std::move(part));
    }
    return parts;
}

std::string masterPage(const std::vector<servers::Endpoint>& servers, bool last) {
    std::string out("\xFF\xFF\xFF\xFF\x66\x0A", 6);
    auto entry = [&](std::uint32_t ip, std::uint16_t port) {
        u8(out, ip >> 24);
        u8(out, ip >> 16);
        u8(out, ip >> 8);
        u8(out, ip);
        u8(out, port >> 8);
        u8(out, port);
    };
    for (const servers::Endpoint& server : servers)
        entry(server.ip, server.port);
    if (last)
        entry(0, 0);
    return out;
}

} // namespace gravelock::test
