// The protocol's parsers against answers as servers send them, and against
// every way such an answer can be cut, padded or lie about its size.
#include "servers/api_key.h"
#include "servers/protocol.h"

#include "environment.h"
#include "server_packets.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace gravelock::servers {
namespace {

using test::challengeAnswer;
using test::infoAnswer;
using test::masterPage;
using test::oldInfoAnswer;
using test::playersAnswer;
using test::rulesAnswer;
using test::splitAnswer;

ServerInfo sampleInfo() {
    // clang-format off
    return {"10.0.0.5:27015", "Zweifort Wölfe", "2fort", "tfc", "Team Fortress Classic", 12, 24, 2, true, true};
    // clang-format on
}

const std::vector<PlayerInfo> kPlayers = {{"Ärger", 17, 125.5f}, {"", -3, 0.25f}};
const std::vector<std::pair<std::string, std::string>> kRules = {
    {"mp_timelimit", "30"}, {"sv_gravity", "800"}, {"tfc_clanbattle", ""}};

// Every field an answer carries; the address and ping are the asker's.
auto fields(const ServerInfo& i) {
    return std::tie(i.name, i.map, i.game, i.description, i.players, i.maxPlayers, i.bots,
                    i.password, i.vac);
}

TEST(ServerAnswers, EveryFormIsRead) {
    for (const std::string& packet : {infoAnswer(sampleInfo()), oldInfoAnswer(sampleInfo()),
                                      oldInfoAnswer(sampleInfo(), true)}) {
        const Answer answer = parseAnswer(packet);
        ASSERT_EQ(answer.kind, AnswerKind::Info);
        EXPECT_EQ(fields(answer.info), fields(sampleInfo()));
    }
    // A current answer without its optional extra data.
    std::string bare = infoAnswer(sampleInfo());
    bare.resize(bare.size() - 3);
    EXPECT_EQ(parseAnswer(bare).kind, AnswerKind::Info);

    const Answer challenge = parseAnswer(challengeAnswer(0xA1B2C3D4));
    ASSERT_EQ(challenge.kind, AnswerKind::Challenge);
    EXPECT_EQ(challenge.challenge, 0xA1B2C3D4u);

    const Answer players = parseAnswer(playersAnswer(kPlayers));
    ASSERT_EQ(players.kind, AnswerKind::Players);
    ASSERT_EQ(players.players.size(), 2u);
    EXPECT_EQ(players.players[0].name, "Ärger");
    EXPECT_EQ(players.players[0].score, 17);
    EXPECT_FLOAT_EQ(players.players[0].seconds, 125.5f);
    EXPECT_EQ(players.players[1].score, -3);

    const Answer rules = parseAnswer(rulesAnswer(kRules));
    ASSERT_EQ(rules.kind, AnswerKind::Rules);
    EXPECT_EQ(rules.rules, kRules);
    EXPECT_EQ(parseAnswer(playersAnswer({})).kind, AnswerKind::Players);
    EXPECT_EQ(parseAnswer(rulesAnswer({})).kind, AnswerKind::Rules);
}

TEST(ServerAnswers, AnAnswerCutAtAnyFieldIsRefused) {
    std::string info = infoAnswer(sampleInfo());
    info.resize(info.size() - 3); // the extra data is optional
    const struct {
        const char* form;
        std::string packet;
    } cases[] = {{"I", info},
                 {"m", oldInfoAnswer(sampleInfo())},
                 {"m with mod", oldInfoAnswer(sampleInfo(), true)},
                 {"challenge", challengeAnswer(7)},
                 {"players", playersAnswer(kPlayers)},
                 {"rules", rulesAnswer(kRules)}};
    for (const auto& c : cases)
        for (std::size_t length = 0; length < c.packet.size(); ++length)
            EXPECT_EQ(parseAnswer(c.packet.substr(0, length)).kind, AnswerKind::Invalid)
                << c.form << " cut to " << length << " bytes";
}

TEST(ServerAnswers, MalformedAnswersAreRefused) {
    const auto poked = [](std::string packet, std::size_t at, char byte) {
        packet[at] = byte;
        return packet;
    };
    const std::string header = "\xFF\xFF\xFF\xFF";
    const std::string cases[] = {
        // clang-format off
        poked(playersAnswer(kPlayers), 5, 3), poked(rulesAnswer(kRules), 5, 4),   // counts too high
        poked(poked(rulesAnswer(kRules), 5, '\xFF'), 6, '\xFF'),                  // a huge count
        poked(infoAnswer(sampleInfo()), 0, '\xFE'), header, header + "Z",
        header + "l" + std::string("banned\0", 7), std::string(),
        // clang-format on
    };
    for (const std::string& packet : cases)
        EXPECT_EQ(parseAnswer(packet).kind, AnswerKind::Invalid) << testing::PrintToString(packet);
}

TEST(ServerAnswers, TextsAreCleaned) {
    const struct {
        std::string raw, clean;
    } cases[] = {
        {"Grüße", "Grüße"},
        {"a\x01\x1b[31mb\x7F\n", "a[31mb"},
        {"caf\xE9", "caf\xEF\xBF\xBD"}, // a Latin-1 byte
        {"\xC0\xAF|\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xC2\x85x", "x"},                                   // a C1 control character
        {std::string(300, 'x'), std::string(256, 'x')},       // at most 256 bytes
        {std::string(255, 'x') + "ü", std::string(255, 'x')}, // never half a character
    };
    for (const auto& c : cases)
        EXPECT_EQ(cleanText(c.raw), c.clean) << testing::PrintToString(c.raw);
    ServerInfo info = sampleInfo();
    info.name = "evil\x07\xFFname";
    EXPECT_EQ(parseAnswer(infoAnswer(info)).info.name, "evil\xEF\xBF\xBDname");
}

std::optional<std::string> joinAll(const std::vector<std::string>& packets) {
    SplitJoiner joiner;
    std::optional<std::string> joined;
    for (const std::string& packet : packets) {
        const auto part = parseSplitPart(packet);
        if (part)
            if (auto done = joiner.add(*part))
                joined = std::move(done);
    }
    return joined;
}

TEST(SplitAnswers, PartsJoinInAnyOrderOnlyWhenAllCame) {
    std::vector<std::pair<std::string, std::string>> many;
    many.reserve(200);
    for (int i = 0; i < 200; ++i)
        many.emplace_back("rule" + std::to_string(i), std::to_string(i * 7));
    const std::string answer = rulesAnswer(many);
    const std::vector<std::string> parts = splitAnswer(answer, 0x1234, 5);
    auto reversed = parts;
    std::reverse(reversed.begin(), reversed.end());
    auto duplicated = parts;
    duplicated.insert(duplicated.begin() + 2, parts[0]);
    auto missing = parts;
    missing.erase(missing.begin() + 3);
    auto otherAnswer = splitAnswer(rulesAnswer(kRules), 0x9999, 2);
    auto interrupted = std::vector<std::string>{parts[0], parts[1], otherAnswer[0]};
    interrupted.insert(interrupted.end(), parts.begin(), parts.end());

    EXPECT_EQ(joinAll(parts), answer);
    EXPECT_EQ(joinAll(reversed), answer);
    EXPECT_EQ(joinAll(duplicated), answer);
    EXPECT_EQ(joinAll(interrupted), answer);
    EXPECT_EQ(joinAll(missing), std::nullopt);
    EXPECT_EQ(parseAnswer(*joinAll(parts)).rules, many);

    // Part numbers outside the count, no count, a cut header.
    std::string outOfRange = parts[0];
    outOfRange[8] = '\x55';
    std::string noCount = parts[0];
    noCount[8] = '\x00';
    EXPECT_FALSE(parseSplitPart(outOfRange));
    EXPECT_FALSE(parseSplitPart(noCount));
    EXPECT_FALSE(parseSplitPart(parts[0].substr(0, 8)));
    EXPECT_FALSE(parseSplitPart(answer));
}

TEST(SplitAnswers, AJoinedAnswerOver64KilobytesIsDropped) {
    const std::string big(std::size_t{15} * 5000, 'x');
    EXPECT_EQ(joinAll(splitAnswer(big, 1, 15)), std::nullopt);
    const std::string fits(std::size_t{12} * 5000, 'x');
    EXPECT_EQ(joinAll(splitAnswer(fits, 1, 12)), fits);
}

TEST(MasterPages, EntriesEndMarkerAndMalformedPages) {
    const Endpoint a{0x0A000001, 27015}, b{0xC0A80102, 27016}, linkLocal{0xA9FE0101, 27015};
    const MasterPage page = parseMasterPage(masterPage({a, linkLocal, b}, false));
    ASSERT_TRUE(page.valid);
    EXPECT_EQ(page.servers, (std::vector<Endpoint>{a, b}));
    EXPECT_FALSE(page.last);
    EXPECT_EQ(page.lastEntry, b);

    const MasterPage last = parseMasterPage(masterPage({a}, true));
    EXPECT_TRUE(last.valid && last.last);
    EXPECT_EQ(last.servers, std::vector<Endpoint>{a});

    std::string cut = masterPage({a, b}, false);
    cut.pop_back();
    std::string wrong = masterPage({a}, true);
    wrong[5] = 'x';
    EXPECT_FALSE(parseMasterPage(cut).valid);
    EXPECT_FALSE(parseMasterPage(wrong).valid);
    EXPECT_FALSE(parseMasterPage("\xFF\xFF").valid);

    EXPECT_EQ(masterRequest({0x0A000001, 27015}, masterFilter("tfc")),
              std::string("1\xFF"
                          "10.0.0.1:27015\0\\gamedir\\tfc\0",
                          30));
    EXPECT_EQ(masterRequest({}, masterFilter("")), std::string("1\xFF"
                                                               "0.0.0.0:0\0\0",
                                                               13));
}

TEST(Requests, BytesOnTheWire) {
    EXPECT_EQ(infoRequest(), std::string("\xFF\xFF\xFF\xFFTSource Engine Query\0", 25));
    EXPECT_EQ(infoRequest(0x04030201),
              std::string("\xFF\xFF\xFF\xFFTSource Engine Query\0\x01\x02\x03\x04", 29));
    EXPECT_EQ(playersRequest(), std::string("\xFF\xFF\xFF\xFFU\xFF\xFF\xFF\xFF", 9));
    EXPECT_EQ(rulesRequest(0x04030201), std::string("\xFF\xFF\xFF\xFFV\x01\x02\x03\x04", 9));
}

TEST(Endpoints, OnlyDottedQuadsWithAPort) {
    const struct {
        const char* text;
        std::optional<std::string> endpoint;
    } cases[] = {{"127.0.0.1", "127.0.0.1:27015"},   {"10.1.2.3:27016", "10.1.2.3:27016"},
                 {"1.2.3.4:65535", "1.2.3.4:65535"}, {"1.2.3.4:0", std::nullopt},
                 {"1.2.3.4:65536", std::nullopt},    {"1.2.3", std::nullopt},
                 {"1.2.3.256", std::nullopt},        {"1.2.3.4:", std::nullopt},
                 {"1.2.3.4:27015x", std::nullopt},   {"host.example:27015", std::nullopt},
                 {" 1.2.3.4", std::nullopt},         {"1.2.3.4.5", std::nullopt}};
    for (const auto& c : cases) {
        const auto parsed = parseEndpoint(c.text);
        EXPECT_EQ(parsed ? std::optional(formatEndpoint(*parsed)) : std::nullopt, c.endpoint)
            << c.text;
    }
    EXPECT_TRUE(isLinkLocal(*parseEndpoint("169.254.3.4")));
    EXPECT_FALSE(isLinkLocal(*parseEndpoint("169.253.3.4")));
}

TEST(ApiKey, EnvironmentFirstThenThePlayersFile) {
    test::TempFolder folder;
    const std::string user = (folder.path() / "Gravelock").string();
    const std::string key = "0123456789ABCDEF0123456789abcdef";
    test::ScopedEnvironmentVariable noKey("GRAVELOCK_STEAM_KEY", std::nullopt);
    EXPECT_EQ(readApiKey(user), "");
    ASSERT_TRUE(writeApiKey(user, " " + key + "\n"));
    EXPECT_EQ(readApiKey(user), key);
#ifndef _WIN32
    EXPECT_EQ(std::filesystem::status(apiKeyFile(user)).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // Windows' C runtime keeps the environment it started with: the variable
    // is read there as a script sets it before the start, not as set here.
    {
        test::ScopedEnvironmentVariable fromScript("GRAVELOCK_STEAM_KEY",
                                                   "FEDCBA98765432100123456789abcdef");
        EXPECT_EQ(readApiKey(user), "FEDCBA98765432100123456789abcdef");
    }
#endif
    EXPECT_FALSE(writeApiKey(user, "not a key; rm -rf"));
    EXPECT_EQ(readApiKey(user), key);
    std::ofstream(apiKeyFile(user)) << "key=" << key;
    EXPECT_EQ(readApiKey(user), "");
    ASSERT_TRUE(writeApiKey(user, ""));
    EXPECT_FALSE(std::filesystem::exists(apiKeyFile(user)));
}

} // namespace
} // namespace gravelock::servers
