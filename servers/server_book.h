// The player's own servers: favourites and the servers joined, kept in a file
// beside orvo.ini so that they stay listed while the servers are offline. The
// same file remembers the server list window's size and column widths.
#pragma once

#include "core/file_io.h"
#include "servers/protocol.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gravelock::servers {

// The history keeps this many joins; the oldest go first.
inline constexpr std::size_t kHistoryLimit = 200;

struct BookEntry {
    std::string address;   // "a.b.c.d:port"
    std::string game;      // the game's folder, e.g. "tfc"; empty when unknown
    std::string name;      // UTF-8
    std::int64_t time = 0; // history: when joined, seconds since 1970 (UTC)
    bool operator==(const BookEntry&) const = default;
};

struct WindowLayout {
    int width = 0; // 0: never saved
    int height = 0;
    std::vector<int> columns;
    bool operator==(const WindowLayout&) const = default;
};

struct ServerBook {
    std::vector<BookEntry> favourites; // in the order added
    std::vector<BookEntry> history;    // the latest join first
    WindowLayout layout;
    // Lines this program cannot read (section, line), written back as they
    // were so that a save loses nothing a newer version or the player put there.
    std::vector<std::pair<std::string, std::string>> kept;
};

// "a.b.c.d" or "a.b.c.d:port", blanks around it ignored, as "a.b.c.d:port"
// (port 27015 when none is given); nullopt for anything else.
std::optional<std::string> parseServerAddress(std::string_view text);

// A game folder that can go onto the game's command line as one word.
bool isGameFolder(std::string_view folder);

ServerBook parseBook(std::string_view bytes);
std::string serialiseBook(const ServerBook& book);

// Adds or, for an address already there, renames the favourite.
void addFavourite(ServerBook& book, const BookEntry& entry);
// Whether it was there.
bool removeFavourite(ServerBook& book, const std::string& address);
bool isFavourite(const ServerBook& book, const std::string& address);
// Puts the join first; an earlier join of the same server goes, and so do the
// joins beyond kHistoryLimit.
void recordJoin(ServerBook& book, const BookEntry& entry);

// The file beside the settings file in use.
std::string bookPathBeside(const std::string& settingsFile);

struct BookRead {
    ServerBook book;
    std::string problem; // German; the file exists but could not be read
};
BookRead loadBook(const std::string& path);

// Reads the file, applies `change` and replaces the file, all under the lock
// beside it, so two windows or two programs never lose each other's changes.
// A file that cannot be read is not replaced.
WriteResult updateBook(const std::string& path, const std::function<void(ServerBook&)>& change);

} // namespace gravelock::servers
