#include "servers/protocol.h"

#include <charconv>
#include <cstring>

namespace gravelock::servers {

namespace {

constexpr std::string_view kHeader("\xFF\xFF\xFF\xFF", 4);
constexpr std::string_view kSplitHeader("\xFE\xFF\xFF\xFF", 4);

// Reads little-endian fields and zero-ended strings; any read past the end
// marks the whole reader as failed, so a parser checks once at its end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::size_t left() const { return ok_ ? bytes_.size() - pos_ : 0; }

    std::uint8_t u8() {
        if (!need(1))
            return 0;
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::uint16_t u16() {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | (std::uint32_t{u16()} << 16);
    }
    float f32() {
        const std::uint32_t bits = u32();
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    void skip(std::size_t count) {
        if (need(count))
            pos_ += count;
    }
    // The raw bytes up to the next zero byte, which must come.
    std::string_view rawString() {
        if (!ok_)
            return {};
        const std::size_t end = bytes_.find('\0', pos_);
        if (end == std::string_view::npos) {
            ok_ = false;
            return {};
        }
        const std::string_view text = bytes_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return text;
    }
    std::string string() { return cleanText(rawString()); }

private:
    bool need(std::size_t count) {
        if (!ok_ || bytes_.size() - pos_ < count)
            ok_ = false;
        return ok_;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

void appendU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// The length of the UTF-8 sequence starting at `text[i]` and its code point;
// 0 when it is not a well-formed sequence.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& code) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char first = byte(0);
    std::size_t length = 0;
    char32_t min = 0;
    if (first < 0x80) {
        code = first;
        return 1;
    }
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        code = first & 0x1F;
        min = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        code = first & 0x0F;
        min = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        code = first & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool isControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

} // namespace

std::optional<Endpoint> parseEndpoint(std::string_view text, std::uint16_t defaultPort) {
    Endpoint endpoint;
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (p == end || *p != '.')
                return std::nullopt;
            ++p;
        }
        unsigned value = 0;
        const char* start = p;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || next == start || next - start > 3 || value > 255)
            return std::nullopt;
        p = next;
        endpoint.ip = (endpoint.ip << 8) | value;
    }
    endpoint.port = defaultPort;
    if (p == end)
        return endpoint;
    if (*p != ':')
        return std::nullopt;
    ++p;
    unsigned port = 0;
    const char* start = p;
    const auto [next, error] = std::from_chars(p, end, port);
    if (error != std::errc() || next != end || next == start || next - start > 5 || port == 0 ||
        port > 65535)
        return std::nullopt;
    endpoint.port = static_cast<std::uint16_t>(port);
    return endpoint;
}

std::string formatEndpoint(const Endpoint& endpoint) {
    return std::to_string(endpoint.ip >> 24) + '.' + std::to_string((endpoint.ip >> 16) & 0xFF) +
           '.' + std::to_string((endpoint.ip >> 8) & 0xFF) + '.' +
           std::to_string(endpoint.ip & 0xFF) + ':' + std::to_string(endpoint.port);
}

bool isLinkLocal(const Endpoint& endpoint) {
    return (endpoint.ip >> 16) == 0xA9FE;
}

std::string cleanText(std::string_view bytes) {
    static constexpr std::string_view kReplacement("\xEF\xBF\xBD", 3);
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t code = 0;
        std::size_t length = decodeUtf8(bytes, i, code);
        std::string_view piece;
        if (length == 0) {
            piece = kReplacement;
            length = 1;
        } else if (!isControl(code)) {
            piece = bytes.substr(i, length);
        }
        if (out.size() + piece.size() > kLongestText)
            break;
        out += piece;
        i += length;
    }
    return out;
}

std::string infoRequest(std::optional<std::uint32_t> challenge) {
    std::string request(kHeader);
    request += 'T';
    request += "Source Engine Query";
    request += '\0';
    if (challenge)
        appendU32(request, *challenge);
    return request;
}

std::string playersRequest(std::uint32_t challenge) {
    std::string request(kHeader);
    request += 'U';
    appendU32(request, challenge);
    return request;
}

std::string rulesRequest(std::uint32_t challenge) {
    std::string request(kHeader);
    request += 'V';
    appendU32(request, challenge);
    return request;
}

namespace {

Answer invalid() {
    return {};
}

Answer readInfo(Reader& r) {
    Answer answer;
    ServerInfo& info = answer.info;
    r.u8(); // protocol
    info.name = r.string();
    info.map = r.string();
    info.game = r.string();
    info.description = r.string();
    const std::uint16_t appId = r.u16();
    info.players = r.u8();
    info.maxPlayers = r.u8();
    info.bots = r.u8();
    r.u8(); // server type
    r.u8(); // operating system
    info.password = r.u8() != 0;
    info.vac = r.u8() != 0;
    if (appId == 2400)
        r.skip(3); // The Ship's mode, witnesses and duration
    r.rawString(); // version
    // The extra data that may follow (ports, ids, keywords) is not needed.
    if (!r.ok())
        return invalid();
    answer.kind = AnswerKind::Info;
    return answer;
}

Answer readOldInfo(Reader& r) {
    Answer answer;
    ServerInfo& info = answer.info;
    r.rawString(); // the address as the server sees itself
    info.name = r.string();
    info.map = r.string();
    info.game = r.string();
    info.description = r.string();
    info.players = r.u8();
    info.maxPlayers = r.u8();
    r.u8(); // protocol
    r.u8(); // server type
    r.u8(); // operating system
    info.password = r.u8() != 0;
    if (r.u8() != 0) { // a mod: its link, download link, a zero, version, size, type, dll
        r.rawString();
        r.rawString();
        r.u8();
        r.u32();
        r.u32();
        r.u8();
        r.u8();
    }
    info.vac = r.u8() != 0;
    info.bots = r.u8();
    if (!r.ok())
        return invalid();
    answer.kind = AnswerKind::Info;
    return answer;
}

Answer readPlayers(Reader& r) {
    Answer answer;
    const unsigned count = r.u8();
    for (unsigned i = 0; i < count && r.ok(); ++i) {
        PlayerInfo player;
        r.u8(); // index
        player.name = r.string();
        player.score = static_cast<std::int32_t>(r.u32());
        player.seconds = r.f32();
        if (player.seconds != player.seconds) // NaN
            player.seconds = 0;
        answer.players.push_back(std::move(player));
    }
    if (!r.ok())
        return invalid();
    answer.kind = AnswerKind::Players;
    return answer;
}

Answer readRules(Reader& r) {
    Answer answer;
    const unsigned count = r.u16();
    // Each rule takes at least two bytes: a count beyond the data is refused
    // before anything is reserved for it.
    if (count > r.left() / 2)
        return invalid();
    answer.rules.reserve(count);
    for (unsigned i = 0; i < count && r.ok(); ++i) {
        std::string name = r.string();
        std::string value = r.string();
        answer.rules.emplace_back(std::move(name), std::move(value));
    }
    if (!r.ok())
        return invalid();
    answer.kind = AnswerKind::Rules;
    return answer;
}

} // namespace

Answer parseAnswer(std::string_view packet) {
    if (packet.size() < 5 || packet.substr(0, 4) != kHeader)
        return invalid();
    Reader r(packet.substr(5));
    switch (packet[4]) {
    case 'A': {
        Answer answer;
        answer.challenge = r.u32();
        if (!r.ok())
            return invalid();
        answer.kind = AnswerKind::Challenge;
        return answer;
    }
    case 'I':
        return readInfo(r);
    case 'm':
        return readOldInfo(r);
    case 'D':
        return readPlayers(r);
    case 'E':
        return readRules(r);
    default:
        return invalid();
    }
}

bool isSplitPacket(std::string_view packet) {
    return packet.size() >= 4 && packet.substr(0, 4) == kSplitHeader;
}

std::optional<SplitPart> parseSplitPart(std::string_view packet) {
    if (!isSplitPacket(packet) || packet.size() < 9)
        return std::nullopt;
    Reader r(packet.substr(4));
    SplitPart part;
    part.id = r.u32();
    const std::uint8_t numbers = r.u8();
    part.number = numbers >> 4;
    part.count = numbers & 0x0F;
    if (part.count == 0 || part.number >= part.count)
        return std::nullopt;
    part.payload = packet.substr(9);
    return part;
}

std::optional<std::string> SplitJoiner::add(const SplitPart& part) {
    if (part.count == 0 || part.count > kMostSplitParts || part.number >= part.count)
        return std::nullopt;
    if (parts_.empty() || part.id != id_ || part.count != count_) {
        parts_.clear();
        bytes_ = 0;
        id_ = part.id;
        count_ = part.count;
    }
    if (parts_.count(part.number) != 0)
        return std::nullopt;
    if (bytes_ + part.payload.size() > kLongestJoinedAnswer) {
        parts_.clear();
        bytes_ = 0;
        return std::nullopt;
    }
    bytes_ += part.payload.size();
    parts_.emplace(part.number, std::string(part.payload));
    if (parts_.size() < count_)
        return std::nullopt;
    std::string joined;
    joined.reserve(bytes_);
    for (const auto& [number, payload] : parts_)
        joined += payload;
    parts_.clear();
    bytes_ = 0;
    return joined;
}

std::string masterRequest(const Endpoint& seed, std::string_view filter, std::uint8_t region) {
    std::string request;
    request += '1';
    request += static_cast<char>(region);
    request += formatEndpoint(seed);
    request += '\0';
    request += filter;
    request += '\0';
    return request;
}

std::string masterFilter(std::string_view gameFolder) {
    return gameFolder.empty() ? std::string() : "\\gamedir\\" + std::string(gameFolder);
}

MasterPage parseMasterPage(std::string_view packet) {
    static constexpr std::string_view kPageHeader("\xFF\xFF\xFF\xFF\x66\x0A", 6);
    MasterPage page;
    if (packet.size() < kPageHeader.size() || packet.substr(0, kPageHeader.size()) != kPageHeader ||
        (packet.size() - kPageHeader.size()) % 6 != 0)
        return page;
    for (std::size_t i = kPageHeader.size(); i < packet.size(); i += 6) {
        const auto byte = [&](std::size_t k) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(packet[i + k]));
        };
        Endpoint entry;
        entry.ip = (byte(0) << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3);
        entry.port = static_cast<std::uint16_t>((byte(4) << 8) | byte(5));
        if (entry.ip == 0 && entry.port == 0) {
            page.last = true;
            break;
        }
        page.lastEntry = entry;
        if (!isLinkLocal(entry) && entry.ip != 0 && entry.port != 0)
            page.servers.push_back(entry);
    }
    page.valid = true;
    return page;
}

} // namespace gravelock::servers
