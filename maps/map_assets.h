// What lies around a map in the game's folders: the texture files (WADs) it
// names, its description and its overview picture. The game looks for them in
// its own folder, that folder's _addon, _downloads and _hd variants, and valve;
// names are matched without regard to case, as on Windows.
#pragma once

#include "maps/bsp_reader.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gravelock {

struct MapPlace {
    std::string mapFolder;  // the folder of the map file
    std::string mapName;    // the file name without ".bsp"
    std::string baseFolder; // the folder that holds the game folders
    std::string game;       // "valve", "tfc": the game folder without its variant ending
    // The folders the game looks in, in its order, without repeats.
    std::vector<std::string> searchFolders;
};

// The place of a map at `<base>/<game>[_variant]/maps/<name>.bsp`; the game is
// the folder above the map's folder.
MapPlace placeOfMap(const std::string& mapPath);

// The path of `name` in `folder`, its case ignored; an exact match wins.
std::optional<std::string> findIgnoringCase(const std::string& folder, std::string_view name);

struct WadFile {
    std::string name;
    bool found = false;
};
std::vector<WadFile> lookUpWads(const std::vector<std::string>& wads, const MapPlace& place);

// `overviews/<map>.bmp` of the first search folder that has one.
std::optional<std::string> findOverview(const MapPlace& place);
// `maps/<map>.txt` beside the map or in a search folder, as UTF-8 with plain
// line ends; nullopt when there is none.
std::optional<std::string> readDescription(const MapPlace& place);

// The lines of a map list's tooltip: title (else the file name), texture
// files, missing ones, spawn points, and whether the map is damaged.
std::string mapToolTip(std::string_view fileName, const MapSummary& summary,
                       const std::vector<WadFile>& wads);

} // namespace gravelock
