#include "servers/server_book.h"

#include "core/file_io.h"
#include "core/text.h"

#include <algorithm>
#include <charconv>

namespace gravelock::servers {

namespace {

constexpr std::string_view kFavourites = "favourites";
constexpr std::string_view kHistory = "history";
constexpr std::string_view kWindow = "window";

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

template <class Number> std::optional<Number> parseNumber(std::string_view text) {
    Number value{};
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::optional<BookEntry> parseEntry(std::string_view line, bool withTime) {
    const std::vector<std::string_view> fields = splitAt(line, '\t');
    if (fields.size() != (withTime ? 4u : 3u))
        return std::nullopt;
    BookEntry entry;
    const auto address = parseServerAddress(fields[0]);
    if (!address || *address != fields[0] || !(fields[1].empty() || isGameFolder(fields[1])))
        return std::nullopt;
    entry.address = *address;
    entry.game = std::string(fields[1]);
    if (withTime) {
        const auto time = parseNumber<std::int64_t>(fields[2]);
        if (!time)
            return std::nullopt;
        entry.time = *time;
    }
    entry.name = cleanText(fields.back());
    return entry;
}

std::optional<WindowLayout> parseLayoutLine(std::string_view line, WindowLayout layout) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = trimBlanks(line.substr(0, equals));
    const std::string_view value = trimBlanks(line.substr(equals + 1));
    if (key == "size") {
        const std::vector<std::string_view> parts = splitAt(value, 'x');
        if (parts.size() != 2)
            return std::nullopt;
        const auto width = parseNumber<int>(parts[0]);
        const auto height = parseNumber<int>(parts[1]);
        if (!width || !height || *width > 100000 || *height > 100000)
            return std::nullopt;
        layout.width = *width;
        layout.height = *height;
        return layout;
    }
    if (key == "columns") {
        layout.columns.clear();
        for (const std::string_view part : splitAt(value, ',')) {
            const auto width = parseNumber<int>(part);
            if (!width || *width > 100000 || layout.columns.size() >= 32)
                return std::nullopt;
            layout.columns.push_back(*width);
        }
        return layout;
    }
    return std::nullopt;
}

bool sameAddress(const BookEntry& entry, const std::string& address) {
    return entry.address == address;
}

void writeEntries(std::string& out, const std::vector<BookEntry>& entries, bool withTime) {
    for (const BookEntry& e : entries) {
        out += e.address + '\t' + e.game + '\t';
        if (withTime)
            out += std::to_string(e.time) + '\t';
        out += cleanText(e.name) + "\r\n";
    }
}

void writeKept(std::string& out, const ServerBook& book, std::string_view section) {
    for (const auto& [keptSection, line] : book.kept)
        if (keptSection == section)
            out += line + "\r\n";
}

} // namespace

std::optional<std::string> parseServerAddress(std::string_view text) {
    text = trimBlanks(text);
    std::string_view host = text;
    int port = kDefaultPort; // the game's own
    if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
        host = text.substr(0, colon);
        const std::string_view portText = text.substr(colon + 1);
        const auto value = portText.size() <= 5 ? parseNumber<int>(portText) : std::nullopt;
        if (!value || *value < 1 || *value > 65535)
            return std::nullopt;
        port = *value;
    }
    const std::vector<std::string_view> octets = splitAt(host, '.');
    if (octets.size() != 4)
        return std::nullopt;
    std::string result;
    for (const std::string_view octet : octets) {
        const auto value = octet.size() <= 3 ? parseNumber<int>(octet) : std::nullopt;
        if (!value || *value > 255)
            return std::nullopt;
        result += std::to_string(*value) + '.';
    }
    result.back() = ':';
    return result + std::to_string(port);
}

bool isGameFolder(std::string_view folder) {
    // The folder goes onto a command line that is split at blanks: one word of
    // plain characters, never a switch of its own or a way out of the game folder.
    if (folder.empty() || folder.size() > 64 || folder.front() == '-' || folder.front() == '+')
        return false;
    return std::all_of(folder.begin(), folder.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
}

ServerBook parseBook(std::string_view bytes) {
    ServerBook book;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::string section;
    for (std::string_view rawLine : splitAt(bytes, '\n')) {
        if (!rawLine.empty() && rawLine.back() == '\r')
            rawLine.remove_suffix(1);
        // Entries keep their tabs: an empty name is a field too.
        const std::string_view line = trimBlanks(rawLine);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = std::string(line.substr(1, line.size() - 2));
            if (section != kFavourites && section != kHistory && section != kWindow)
                book.kept.emplace_back(section, std::string(line));
            continue;
        }
        bool taken = false;
        if (section == kFavourites) {
            if (auto entry = parseEntry(rawLine, false);
                entry && !isFavourite(book, entry->address)) {
                book.favourites.push_back(std::move(*entry));
                taken = true;
            }
        } else if (section == kHistory) {
            if (auto entry = parseEntry(rawLine, true);
                entry && book.history.size() < kHistoryLimit) {
                book.history.push_back(std::move(*entry));
                taken = true;
            }
        } else if (section == kWindow) {
            if (auto layout = parseLayoutLine(line, book.layout)) {
                book.layout = std::move(*layout);
                taken = true;
            }
        }
        if (!taken)
            book.kept.emplace_back(section, std::string(rawLine));
    }
    return book;
}

std::string serialiseBook(const ServerBook& book) {
    std::string out = "; Gravelock: Lieblingsserver, Verlauf und die Serverliste. UTF-8.\r\n";
    // Lines before any section stay there.
    writeKept(out, book, "");
    out += "[window]\r\n";
    if (book.layout.width > 0)
        out += "size=" + std::to_string(book.layout.width) + 'x' +
               std::to_string(book.layout.height) + "\r\n";
    if (!book.layout.columns.empty()) {
        out += "columns=";
        for (std::size_t i = 0; i < book.layout.columns.size(); ++i)
            out += (i ? "," : "") + std::to_string(book.layout.columns[i]);
        out += "\r\n";
    }
    writeKept(out, book, kWindow);
    out += "[favourites]\r\n";
    writeEntries(out, book.favourites, false);
    writeKept(out, book, kFavourites);
    out += "[history]\r\n";
    writeEntries(out, book.history, true);
    writeKept(out, book, kHistory);
    // Sections of their own, as they came.
    for (const auto& [section, line] : book.kept)
        if (!section.empty() && section != kWindow && section != kFavourites && section != kHistory)
            out += line + "\r\n";
    return out;
}

void addFavourite(ServerBook& book, const BookEntry& entry) {
    for (BookEntry& favourite : book.favourites)
        if (favourite.address == entry.address) {
            if (!entry.name.empty())
                favourite.name = entry.name;
            if (!entry.game.empty())
                favourite.game = entry.game;
            return;
        }
    book.favourites.push_back(entry);
}

bool removeFavourite(ServerBook& book, const std::string& address) {
    return std::erase_if(book.favourites,
                         [&](const BookEntry& e) { return sameAddress(e, address); }) > 0;
}

bool isFavourite(const ServerBook& book, const std::string& address) {
    return std::any_of(book.favourites.begin(), book.favourites.end(),
                       [&](const BookEntry& e) { return sameAddress(e, address); });
}

void recordJoin(ServerBook& book, const BookEntry& entry) {
    std::erase_if(book.history, [&](const BookEntry& e) { return sameAddress(e, entry.address); });
    book.history.insert(book.history.begin(), entry);
    if (book.history.size() > kHistoryLimit)
        book.history.resize(kHistoryLimit);
}

std::string bookPathBeside(const std::string& settingsFile) {
    return pathToUtf8(pathFromUtf8(settingsFile).parent_path() / "servers.ini");
}

BookRead loadBook(const std::string& path) {
    std::error_code error;
    const auto bytes = readWholeFile(path, error);
    if (error)
        return {{}, "Die Datei " + path + " kann nicht gelesen werden: " + describeError(error)};
    return {bytes ? parseBook(*bytes) : ServerBook{}, {}};
}

WriteResult updateBook(const std::string& path, const std::function<void(ServerBook&)>& change) {
    return rewriteFileLocked(path, [&](const std::optional<std::string>& bytes) {
        ServerBook book = bytes ? parseBook(*bytes) : ServerBook{};
        change(book);
        return serialiseBook(book);
    });
}

} // namespace gravelock::servers
