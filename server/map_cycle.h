// The map cycle file mapcycle.txt: the maps a server plays in turn, read from
// and written into the game folder the game reads it from.
#pragma once

#include "core/file_io.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gravelock {

inline constexpr const char* kMapCycleName = "mapcycle.txt";

// Where the file of each game lies: beside its maps folder. `valve` is the game
// folder with its own trailing separator (missing: kMissingGameFolder); Team
// Fortress's lies in the folder above `tfcmaps` (missing: "error"). Either holds a German reason
// when the setting is missing.
struct MapCyclePath {
    std::string path;
    std::string problem;
};
MapCyclePath halfLifeMapCyclePath(const std::string& valve);
MapCyclePath teamFortressMapCyclePath(const std::string& tfcmaps);

// The map names of the file, as map files ("crossfire.bsp"), in the file's
// order. Read as the game reads it: Windows-1252, any line end, the first word
// of a line (or a word in double quotes), lines starting with "//" skipped.
// Whatever else a line holds is not kept.
std::vector<std::string> parseMapCycle(std::string_view bytes);

// The file for these map files: one name per line without ".bsp" (in quotes
// when it holds a blank), CR LF after each, Windows-1252. nullopt with
// `unwritable` set to the first name the code page cannot hold.
std::optional<std::string> mapCycleBytes(const std::vector<std::string>& mapFiles,
                                         std::string& unwritable);

// The maps of the file at `path`: none when it does not exist; nullopt with a
// German reason when it exists and cannot be read.
std::optional<std::vector<std::string>> readMapCycle(const std::string& path, std::string& reason);

// Replaces the file safely: a failed write leaves the old one whole.
WriteResult writeMapCycle(const std::string& path, const std::vector<std::string>& mapFiles);

} // namespace gravelock
