#include "servers/server_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gravelock::servers;

namespace {

ServerRow row(const std::string& address, const std::string& name, const std::string& map,
              const std::string& game, int players, int max, int bots, bool password, int ping,
              RowState state = RowState::Answered) {
    ServerRow r{
        {address, name, map, game, "", players, max, bots, password, false, ping}, state, 0, {}};
    foldRow(r);
    return r;
}

const std::vector<ServerRow>& sample() {
    static const std::vector<ServerRow> rows = {
        row("10.0.0.10:27015", "Zeta", "2fort", "tfc", 12, 16, 0, false, 40),                // 0
        row("10.0.0.2:27015", "ÄRGER <b>x</b>", "crossfire", "valve", 3, 16, 3, false, 80),  // 1
        row("10.0.0.2:27016", "alpha", "well", "TFC", 16, 16, 0, true, 20),                  // 2
        row("10.0.0.9:27015", "Beta", "Crossfire", "cstrike", 0, 32, 0, false, -1),          // 3
        row("10.0.0.1:27015", "Offline", "", "tfc", 0, 0, 0, false, -1, RowState::NoAnswer), // 4
    };
    return rows;
}

ServerFilter f(GameChoice game, bool notEmpty, bool notFull, bool noPassword, std::string text) {
    return {game, notEmpty, notFull, noPassword, std::move(text)};
}

TEST(ServerFilter, EachChoiceHidesWhatItShould) {
    struct Case {
        ServerFilter filter;
        std::vector<int> shown; // in address order
    };
    const std::vector<Case> cases = {
        {f(GameChoice::All, false, false, false, ""), {4, 1, 2, 3, 0}},
        {f(GameChoice::HalfLife, false, false, false, ""), {1}},
        {f(GameChoice::TeamFortress, false, false, false, ""), {4, 2, 0}},
        // Bots alone do not make a server full of people; an unanswered row stays.
        {f(GameChoice::All, true, false, false, ""), {4, 2, 0}},
        {f(GameChoice::All, false, true, false, ""), {4, 1, 3, 0}},
        {f(GameChoice::All, false, false, true, ""), {4, 1, 3, 0}},
        {f(GameChoice::All, false, false, false, "CROSS"), {1, 3}},
        {f(GameChoice::All, false, false, false, "ärger"), {1}},
        {f(GameChoice::All, false, false, false, "<b>"), {1}},
        {f(GameChoice::All, false, false, false, "off"), {4}},
        {f(GameChoice::TeamFortress, true, true, true, "fort"), {0}},
        {f(GameChoice::All, false, false, false, "2fort\nzeta"), {}}, // matched apart
    };
    for (const auto& c : cases)
        EXPECT_EQ(arrange(sample(), c.filter, Column::Address, false), c.shown) << c.filter.text;
}

TEST(ServerOrder, EveryColumnBothWays) {
    const struct {
        Column column;
        std::vector<int> ascending;
    } cases[] = {
        {Column::Lock, {4, 1, 3, 0, 2}},
        {Column::Name, {2, 1, 3, 4, 0}}, // case and umlauts folded
        {Column::Map, {4, 0, 1, 3, 2}},  // ties by address
        {Column::Players, {4, 3, 1, 0, 2}},
        {Column::Ping, {2, 0, 1, 4, 3}}, // unknown pings last
        {Column::Game, {3, 1, 4, 2, 0}},
        {Column::Address, {4, 1, 2, 3, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(arrange(sample(), {}, c.column, false), c.ascending) << int(c.column);
        // Descending turns the tie-breaker too, so it is the exact reverse.
        const std::vector<int> reversed(c.ascending.rbegin(), c.ascending.rend());
        EXPECT_EQ(arrange(sample(), {}, c.column, true), reversed) << int(c.column);
    }
}

TEST(ServerTexts, TableAndStatusLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {playersText(sample()[0].info), "12/16"},
        {playersText(sample()[1].info), "0/16 (3 Bots)"},
        {playersText(row("1.1.1.1:1", "", "", "", 5, 8, 1, false, 0).info), "4/8 (1 Bot)"},
        {pingText(sample()[0]), "40"},
        {pingText(sample()[4]), "–"},
        {pingText(row("1.1.1.1:1", "", "", "", 0, 0, 0, false, 5, RowState::Waiting)), "…"},
        {gameText(sample()[2].info), "Team Fortress Classic"},
        {gameText(sample()[3].info), "cstrike"},
        {germanCount(999), "999"},
        {germanCount(1000), "1.000"},
        {germanCount(1234567), "1.234.567"},
        {progressText(237, 1000), "237 von 1.000 Servern geantwortet"},
        {durationText(754.9F), "12:34"},
        {durationText(3725), "1:02:05"},
        {durationText(-1), "–"},
        {foldCase("ÄÖÜ ß É×Þ Zz ÿ"), "aou ss e×th zz y"},
        {foldCase("\xC3"), "\xC3"}, // a cut sequence stays as it is
    };
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected);
    EXPECT_EQ(defaultGameChoice("false"), GameChoice::HalfLife);
    EXPECT_EQ(defaultGameChoice("true"), GameChoice::All);
    EXPECT_EQ(listFolder(GameChoice::TeamFortress), "tfc");
}

} // namespace
