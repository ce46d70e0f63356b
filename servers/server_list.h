// The rules of the server list: which rows a filter lets through, the order of
// each column, and the texts the table shows. Filtering and sorting work on
// what is already known and never ask the network again.
#pragma once

#include "servers/server_info.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gravelock::servers {

enum class GameChoice { All, HalfLife, TeamFortress };

// The choice a player starts with: without Team Fortress Classic installed
// ([MISC] tfc = "false") only Half-Life servers, else every server.
GameChoice defaultGameChoice(const std::string& tfcSetting);
// The folder to ask the server list for: "" for all, "valve", "tfc".
std::string listFolder(GameChoice choice);

struct ServerFilter {
    GameChoice game = GameChoice::All;
    bool notEmpty = false;
    bool notFull = false;
    bool noPassword = false;
    std::string text; // as typed; matched against name and map, case ignored
};

enum class RowState { Waiting, Answered, NoAnswer };

struct ServerRow {
    ServerInfo info;
    RowState state = RowState::Answered;
    std::int64_t playedAt = 0; // history rows: when joined
    // Name and map in folded case, made once per answer so that typing in the
    // filter box compares bytes only.
    std::string folded;
};

// Fills `folded` from the row's name and map.
void foldRow(ServerRow& row);
// Lower case without accents for ASCII and the Latin-1 letters, so that "Ärger"
// sorts beside "Arger" and typing "arger" finds it.
std::string foldCase(std::string_view utf8);

// Players without the bots: a server of bots only counts as empty.
int humanPlayers(const ServerInfo& info);

// A row not answered (yet) is not known to be empty, full or locked: only the
// game and the text hide it, so offline favourites stay listed.
bool passes(const ServerRow& row, const ServerFilter& filter, const std::string& foldedText);

enum class Column { Lock, Name, Map, Players, Ping, Game, Address, Played };
inline constexpr int kColumnCount = 8;

// Whether `a` comes before `b` in the column's ascending order. Ties go by
// address, so the order never depends on when an answer arrived. Unknown pings
// come after every known one.
bool comesBefore(const ServerRow& a, const ServerRow& b, Column column);
// Addresses in numeric order: 10.0.0.2 before 10.0.0.10.
bool addressBefore(const std::string& a, const std::string& b);

// The indices of the rows that pass, in the column's order.
std::vector<int> arrange(const std::vector<ServerRow>& rows, const ServerFilter& filter,
                         Column column, bool descending);

// Texts of the table and the status line.
std::string playersText(const ServerInfo& info); // "12/16", "9/16 (3 Bots)"
std::string pingText(const ServerRow& row);
std::string gameText(const ServerInfo& info);
std::string germanCount(std::int64_t count); // 1000 -> "1.000"
std::string progressText(int answered, int total);
std::string durationText(float seconds); // "1:02:05", "12:34"

} // namespace gravelock::servers
