// Fuzzes every reader of bytes from the network: server answers, split parts
// joined in any order, master pages and typed addresses. Nothing may crash,
// and whatever is kept must be clean, bounded text.
#include "core/text.h"
#include "servers/protocol.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace gravelock;
using namespace gravelock::servers;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "servers fuzz: %s\n", what);
    std::abort();
}

void checkText(const std::string& text) {
    if (text.size() > kLongestText || !isValidUtf8(text))
        fail("a kept text is too long or not UTF-8");
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            fail("a kept text holds a control character");
}

void checkAnswer(std::string_view packet) {
    const Answer answer = parseAnswer(packet);
    if (answer.kind == AnswerKind::Invalid &&
        !(answer.players.empty() && answer.rules.empty() && answer.info.name.empty()))
        fail("a refused answer kept something");
    for (const std::string* text :
         {&answer.info.name, &answer.info.map, &answer.info.game, &answer.info.description})
        checkText(*text);
    for (const PlayerInfo& player : answer.players)
        checkText(player.name);
    for (const auto& [name, value] : answer.rules) {
        checkText(name);
        checkText(value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkAnswer(bytes);
    checkText(cleanText(bytes));

    const MasterPage page = parseMasterPage(bytes);
    for (const Endpoint& server : page.servers)
        if (isLinkLocal(server) || server.port == 0)
            fail("a master page kept an entry no one can join");
    if (const auto endpoint = parseEndpoint(bytes))
        if (parseEndpoint(formatEndpoint(*endpoint)) != endpoint)
            fail("an address does not read back");

    // The input as a run of packets, each led by its length byte: parts of
    // split answers in any order, repeats and strangers included.
    SplitJoiner joiner;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = static_cast<unsigned char>(bytes[at++]);
        const std::string_view packet = bytes.substr(at, length);
        at += packet.size();
        if (const auto part = parseSplitPart(packet)) {
            if (part->number >= part->count || part->count > kMostSplitParts)
                fail("a split part outside its count was taken");
            if (const auto joined = joiner.add(*part)) {
                if (joined->size() > kLongestJoinedAnswer)
                    fail("a joined answer over the limit");
                checkAnswer(*joined);
            }
        } else {
            checkAnswer(packet);
        }
    }
    return 0;
}
