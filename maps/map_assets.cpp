#include "maps/map_assets.h"

#include "core/platform_file.h"
#include "core/text.h"

#include <algorithm>
#include <filesystem>

namespace gravelock {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kLongestDescription = std::uint64_t{256} * 1024;

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowered(x) == lowered(y);
           });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           sameIgnoringCase(text.substr(text.size() - end.size()), end);
}

std::string joined(const std::string& folder, std::string_view name) {
    return pathToUtf8(pathFromUtf8(folder) / pathFromUtf8(name));
}

constexpr std::string_view kVariants[] = {"_addon", "_downloads", "_hd"};

} // namespace

MapPlace placeOfMap(const std::string& mapPath) {
    MapPlace place;
    const fs::path map = pathFromUtf8(mapPath);
    const fs::path mapFolder = map.parent_path();
    const fs::path gameFolder = mapFolder.parent_path();
    place.mapFolder = pathToUtf8(mapFolder);
    place.mapName = pathToUtf8(map.filename());
    if (endsWithIgnoringCase(place.mapName, ".bsp"))
        place.mapName.resize(place.mapName.size() - 4);
    place.baseFolder = pathToUtf8(gameFolder.parent_path());
    place.game = pathToUtf8(gameFolder.filename());
    // A map listed from valve_downloads still belongs to valve.
    for (const std::string_view variant : kVariants)
        if (place.game.size() > variant.size() && endsWithIgnoringCase(place.game, variant))
            place.game.resize(place.game.size() - variant.size());

    const auto add = [&](const std::string& name) {
        const std::string folder = joined(place.baseFolder, name);
        if (std::find(place.searchFolders.begin(), place.searchFolders.end(), folder) ==
            place.searchFolders.end())
            place.searchFolders.push_back(folder);
    };
    add(pathToUtf8(gameFolder.filename()));
    add(place.game);
    for (const std::string_view variant : kVariants)
        add(place.game + std::string(variant));
    add("valve");
    return place;
}

std::optional<std::string> findIgnoringCase(const std::string& folder, std::string_view name) {
    std::error_code error;
    const std::string exact = joined(folder, name);
    if (platform::fileKind(exact, error) != platform::FileKind::missing)
        return exact;
    fs::directory_iterator it(pathFromUtf8(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string entry = pathToUtf8(it->path().filename());
        if (sameIgnoringCase(entry, name))
            return pathToUtf8(it->path());
    }
    return std::nullopt;
}

std::vector<WadFile> lookUpWads(const std::vector<std::string>& wads, const MapPlace& place) {
    std::vector<WadFile> result;
    result.reserve(wads.size());
    for (const std::string& wad : wads) {
        const bool found =
            std::any_of(place.searchFolders.begin(), place.searchFolders.end(),
                        [&](const std::string& folder) { return findIgnoringCase(folder, wad); });
        result.push_back({wad, found});
    }
    return result;
}

std::optional<std::string> findOverview(const MapPlace& place) {
    for (const std::string& folder : place.searchFolders)
        if (const auto overviews = findIgnoringCase(folder, "overviews"))
            if (auto picture = findIgnoringCase(*overviews, place.mapName + ".bmp"))
                return picture;
    return std::nullopt;
}

std::optional<std::string> readDescription(const MapPlace& place) {
    std::vector<std::string> candidates;
    if (auto beside = findIgnoringCase(place.mapFolder, place.mapName + ".txt"))
        candidates.push_back(*beside);
    for (const std::string& folder : place.searchFolders)
        if (const auto maps = findIgnoringCase(folder, "maps"))
            if (auto text = findIgnoringCase(*maps, place.mapName + ".txt"))
                candidates.push_back(*text);
    for (const std::string& path : candidates) {
        const platform::FileRead read = platform::readRegularFile(path, kLongestDescription);
        if (read.error || read.kind != platform::FileKind::regular)
            continue;
        std::string text = cp1252ToUtf8(read.bytes);
        std::string plain;
        plain.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r')
                plain += text[i];
            else if (i + 1 == text.size() || text[i + 1] != '\n')
                plain += '\n';
        }
        return plain;
    }
    return std::nullopt;
}

std::string mapToolTip(std::string_view fileName, const MapSummary& summary,
                       const std::vector<WadFile>& wads) {
    std::string tip(summary.title.empty() ? fileName : std::string_view(summary.title));
    if (summary.kind == MapKind::unreadable)
        return tip + "\nNicht lesbar: " + summary.unreadableReason;
    if (summary.kind == MapKind::other)
        return tip + "\nKeine Half-Life-Karte";
    const auto list = [&](const char* label, bool missingOnly) {
        std::string line;
        for (const WadFile& wad : wads) {
            if (missingOnly && wad.found)
                continue;
            line += line.empty() ? label : ", ";
            line += wad.name;
        }
        if (!line.empty())
            tip += "\n" + line;
    };
    list("Texturen: ", false);
    list("Fehlt: ", true);
    tip += "\nStartpunkte: " + std::to_string(summary.spawnPoints());
    if (summary.damaged())
        tip += "\nBeschädigt";
    return tip;
}

} // namespace gravelock
