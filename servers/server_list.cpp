#include "servers/server_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

namespace gravelock::servers {

namespace {

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    return text;
}

bool sameFolder(const std::string& folder, const std::string& lowerCase) {
    return folder.size() == lowerCase.size() &&
           std::equal(folder.begin(), folder.end(), lowerCase.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? static_cast<char>(a + ('a' - 'A')) : a) == b;
           });
}

// The address as numbers; an address that is not one sorts first, by its text.
std::array<long, 5> addressKey(const std::string& address) {
    std::array<long, 5> key{};
    std::size_t part = 0;
    bool digits = false;
    for (const char c : address) {
        if (c >= '0' && c <= '9' && part < key.size()) {
            key.at(part) = std::min(key.at(part) * 10 + (c - '0'), 1000000L);
            digits = true;
        } else if ((c == '.' || c == ':') && digits) {
            ++part;
            digits = false;
        } else {
            return {-1, -1, -1, -1, -1};
        }
    }
    return key;
}

// The folded name and map, as foldRow stored them.
std::string_view nameKey(const ServerRow& row) {
    return std::string_view(row.folded).substr(0, row.folded.find('\n'));
}
std::string_view mapKey(const ServerRow& row) {
    const auto at = row.folded.find('\n');
    return at == std::string::npos ? std::string_view()
                                   : std::string_view(row.folded).substr(at + 1);
}

int pingKey(const ServerRow& row) {
    return row.state == RowState::Answered && row.info.pingMs >= 0 ? row.info.pingMs : 1 << 30;
}

} // namespace

GameChoice defaultGameChoice(const std::string& tfcSetting) {
    return tfcSetting == "false" ? GameChoice::HalfLife : GameChoice::All;
}

std::string listFolder(GameChoice choice) {
    switch (choice) {
    case GameChoice::HalfLife:
        return "valve";
    case GameChoice::TeamFortress:
        return "tfc";
    case GameChoice::All:
        break;
    }
    return {};
}

std::string foldCase(std::string_view utf8) {
    // À..ß and à..ÿ by their place in the block; × and ÷ stay.
    static constexpr std::array<std::string_view, 32> kLatin1 = {
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
        "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", ""};
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xC3 && next >= 0x80 && next <= 0xBF) {
            const std::string_view base = kLatin1.at(next & 0x1F);
            if (!base.empty())
                out += base;
            else if (next == 0x9F)
                out += "ss";
            else if (next == 0xBF)
                out += "y";
            else
                out.append(utf8.substr(i, 2));
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void foldRow(ServerRow& row) {
    // A server not heard from yet is shown, and so found and sorted, by its address.
    const std::string& name = row.info.name.empty() ? row.info.address : row.info.name;
    row.folded = foldCase(name) + '\n' + foldCase(row.info.map);
}

int humanPlayers(const ServerInfo& info) {
    return std::max(0, info.players - std::max(0, info.bots));
}

bool passes(const ServerRow& row, const ServerFilter& filter, const std::string& foldedText) {
    const ServerInfo& info = row.info;
    if (filter.game != GameChoice::All && !sameFolder(info.game, listFolder(filter.game)))
        return false;
    if (!foldedText.empty() && row.folded.find(foldedText) == std::string::npos)
        return false;
    if (row.state != RowState::Answered)
        return true;
    if (filter.notEmpty && humanPlayers(info) == 0)
        return false;
    if (filter.notFull && info.maxPlayers > 0 && info.players >= info.maxPlayers)
        return false;
    return !(filter.noPassword && info.password);
}

bool addressBefore(const std::string& a, const std::string& b) {
    const auto ka = addressKey(a);
    const auto kb = addressKey(b);
    return ka != kb ? ka < kb : a < b;
}

bool comesBefore(const ServerRow& a, const ServerRow& b, Column column) {
    const ServerInfo& x = a.info;
    const ServerInfo& y = b.info;
    bool less = false;
    bool greater = false;
    const auto order = [&](const auto& left, const auto& right) {
        less = left < right;
        greater = right < left;
    };
    switch (column) {
    case Column::Lock:
        order(x.password, y.password);
        break;
    case Column::Name:
        order(nameKey(a), nameKey(b));
        break;
    case Column::Map:
        order(mapKey(a), mapKey(b));
        break;
    case Column::Players:
        order(std::tuple(humanPlayers(x), x.players, x.maxPlayers),
              std::tuple(humanPlayers(y), y.players, y.maxPlayers));
        break;
    case Column::Ping:
        order(pingKey(a), pingKey(b));
        break;
    case Column::Game:
        order(foldCase(gameText(x)), foldCase(gameText(y)));
        break;
    case Column::Address:
        break;
    case Column::Played:
        order(a.playedAt, b.playedAt);
        break;
    }
    if (less || greater)
        return less;
    return addressBefore(x.address, y.address);
}

std::vector<int> arrange(const std::vector<ServerRow>& rows, const ServerFilter& filter,
                         Column column, bool descending) {
    const std::string foldedText = foldCase(filter.text);
    std::vector<int> order;
    order.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (passes(rows[i], filter, foldedText))
            order.push_back(static_cast<int>(i));

    // Every key made once per row, not once per comparison: the same order as
    // comesBefore, fast enough to sort thousands of rows while the player types.
    struct Key {
        std::string_view text;
        std::array<std::int64_t, 3> numbers{};
        std::array<long, 5> address{};
    };
    std::vector<Key> keys(rows.size());
    std::vector<std::string> games(column == Column::Game ? rows.size() : 0);
    for (const int i : order) {
        const auto at = static_cast<std::size_t>(i);
        const ServerRow& row = rows[at];
        Key& key = keys[at];
        key.address = addressKey(row.info.address);
        switch (column) {
        case Column::Lock:
            key.numbers[0] = row.info.password;
            break;
        case Column::Name:
            key.text = nameKey(row);
            break;
        case Column::Map:
            key.text = mapKey(row);
            break;
        case Column::Players:
            key.numbers = {humanPlayers(row.info), row.info.players, row.info.maxPlayers};
            break;
        case Column::Ping:
            key.numbers[0] = pingKey(row);
            break;
        case Column::Game:
            games[at] = foldCase(gameText(row.info));
            key.text = games[at];
            break;
        case Column::Address:
            break;
        case Column::Played:
            key.numbers[0] = row.playedAt;
            break;
        }
    }
    const auto less = [&](int a, int b) {
        const Key& ka = keys[static_cast<std::size_t>(a)];
        const Key& kb = keys[static_cast<std::size_t>(b)];
        if (ka.text != kb.text)
            return ka.text < kb.text;
        if (ka.numbers != kb.numbers)
            return ka.numbers < kb.numbers;
        if (ka.address != kb.address)
            return ka.address < kb.address;
        return rows[static_cast<std::size_t>(a)].info.address <
               rows[static_cast<std::size_t>(b)].info.address;
    };
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return descending ? less(b, a) : less(a, b); });
    return order;
}

std::string playersText(const ServerInfo& info) {
    std::string text = std::to_string(humanPlayers(info)) + "/" + std::to_string(info.maxPlayers);
    if (info.bots > 0)
        text += " (" + std::to_string(info.bots) + (info.bots == 1 ? " Bot)" : " Bots)");
    return text;
}

std::string pingText(const ServerRow& row) {
    if (row.state == RowState::Waiting)
        return "…";
    if (row.state == RowState::NoAnswer || row.info.pingMs < 0)
        return "–";
    return std::to_string(row.info.pingMs);
}

std::string gameText(const ServerInfo& info) {
    const std::string folder = lowerAscii(info.game);
    if (folder == "valve")
        return "Half-Life";
    if (folder == "tfc")
        return "Team Fortress Classic";
    return info.description.empty() ? info.game : info.description;
}

std::string germanCount(std::int64_t count) {
    // The magnitude unsigned, so the smallest count has one too.
    const auto magnitude =
        count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    const std::string digits = std::to_string(magnitude);
    std::string text = count < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += '.';
        text += digits[i];
    }
    return text;
}

std::string progressText(int answered, int total) {
    return germanCount(answered) + " von " + germanCount(total) +
           (total == 1 ? " Server geantwortet" : " Servern geantwortet");
}

std::string durationText(float seconds) {
    if (!std::isfinite(seconds) || seconds < 0)
        return "–";
    const auto total = static_cast<long long>(std::min(seconds, 1e9F));
    const long long h = total / 3600;
    const long long m = total / 60 % 60;
    const long long s = total % 60;
    const auto two = [](long long v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return h > 0 ? std::to_string(h) + ":" + two(m) + ":" + two(s)
                 : std::to_string(m) + ":" + two(s);
}

} // namespace gravelock::servers
