// The query protocol of Half-Life servers and of the master server list:
// requests built as bytes, answers read from untrusted bytes. Every read is
// bounds-checked; a malformed answer is refused whole.
#pragma once

#include "servers/server_info.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gravelock::servers {

// An IPv4 address and port; `ip` holds the four bytes in reading order, the
// first in the highest byte.
struct Endpoint {
    std::uint32_t ip = 0;
    std::uint16_t port = 0;
    friend bool operator==(const Endpoint&, const Endpoint&) = default;
    std::uint64_t key() const { return (std::uint64_t{ip} << 16) | port; }
};

inline constexpr std::uint16_t kDefaultPort = 27015;

// "a.b.c.d" or "a.b.c.d:port" (port 1..65535); nullopt for anything else.
std::optional<Endpoint> parseEndpoint(std::string_view text,
                                      std::uint16_t defaultPort = kDefaultPort);
std::string formatEndpoint(const Endpoint& endpoint);
// 169.254.x.x: a machine's own link, never a server someone can join.
bool isLinkLocal(const Endpoint& endpoint);

// Text from a server as the program keeps it: UTF-8 (an invalid byte becomes
// U+FFFD), no control characters, at most kLongestText bytes (cut at a whole
// character).
inline constexpr std::size_t kLongestText = 256;
std::string cleanText(std::string_view bytes);

// ---- requests
inline constexpr std::uint32_t kNoChallenge = 0xFFFFFFFFu;
std::string infoRequest(std::optional<std::uint32_t> challenge = std::nullopt);
std::string playersRequest(std::uint32_t challenge = kNoChallenge);
std::string rulesRequest(std::uint32_t challenge = kNoChallenge);

// ---- answers (one whole packet, or a joined split answer)
enum class AnswerKind { Invalid, Challenge, Info, Players, Rules };
struct Answer {
    AnswerKind kind = AnswerKind::Invalid;
    std::uint32_t challenge = 0; // Challenge
    ServerInfo info;             // Info (address and ping left to the asker)
    std::vector<PlayerInfo> players;
    std::vector<std::pair<std::string, std::string>> rules;
};
Answer parseAnswer(std::string_view packet);

// ---- split answers: FE FF FF FF, id, (number << 4 | count), payload
inline constexpr std::size_t kMostSplitParts = 16;
inline constexpr std::size_t kLongestJoinedAnswer = std::size_t{64} * 1024;

struct SplitPart {
    std::uint32_t id = 0;
    unsigned number = 0;
    unsigned count = 0;
    std::string_view payload;
};
bool isSplitPacket(std::string_view packet);
// Nullopt for a header that is cut or names a part outside its count.
std::optional<SplitPart> parseSplitPart(std::string_view packet);

// Joins the parts of one split answer in any order. A part of another answer
// starts over; a repeated part is ignored; a joined answer over the limit is
// dropped.
class SplitJoiner {
public:
    // The joined answer once the last missing part arrives.
    std::optional<std::string> add(const SplitPart& part);

private:
    std::uint32_t id_ = 0;
    unsigned count_ = 0;
    std::size_t bytes_ = 0;
    std::map<unsigned, std::string> parts_;
};

// ---- master server list
// `region` 0xFF is the whole world; `filter` e.g. "\gamedir\tfc".
std::string masterRequest(const Endpoint& seed, std::string_view filter,
                          std::uint8_t region = 0xFF);
// The master's filter for a game folder ("" = every game).
std::string masterFilter(std::string_view gameFolder);

struct MasterPage {
    bool valid = false;
    std::vector<Endpoint> servers; // link-local entries left out
    bool last = false;             // the list's end marker 0.0.0.0:0 came
    Endpoint lastEntry;            // the seed of the next page
};
MasterPage parseMasterPage(std::string_view packet);

} // namespace gravelock::servers
