#include "server/map_cycle.h"

#include "core/text.h"
#include "server/server_config.h"

namespace gravelock {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// The first word of a line, or the words inside a leading pair of quotes.
std::string firstWord(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at]))
        ++at;
    if (at < line.size() && line[at] == '"') {
        const auto close = line.find('"', at + 1);
        return std::string(line.substr(
            at + 1, close == std::string_view::npos ? std::string_view::npos : close - at - 1));
    }
    std::size_t end = at;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    return std::string(line.substr(at, end - at));
}

bool endsWithBsp(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return tail == ".bsp";
}

} // namespace

MapCyclePath halfLifeMapCyclePath(const std::string& valve) {
    if (const auto problem = gameFolderProblem(valve))
        return {{}, *problem};
    return {valve + kMapCycleName, {}};
}

MapCyclePath teamFortressMapCyclePath(const std::string& tfcmaps) {
    std::string folder = tfcmaps;
    while (!folder.empty() && isSeparator(folder.back()))
        folder.pop_back();
    std::size_t cut = folder.size();
    while (cut > 0 && !isSeparator(folder[cut - 1]))
        --cut;
    if (tfcmaps == "error" || cut == 0)
        return {{},
                "Der Team Fortress Karten Ordner (GAMEDIR, tfcmaps) ist in der orvo.ini nicht "
                "eingetragen"};
    folder.resize(cut); // keeps the separator in front of the maps folder
    return {folder + kMapCycleName, {}};
}

std::vector<std::string> parseMapCycle(std::string_view bytes) {
    const std::string text = cp1252ToUtf8(bytes);
    std::vector<std::string> maps;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line = std::string_view(text).substr(begin, end - begin);
        std::string name = firstWord(line);
        if (!name.empty() && !name.starts_with("//"))
            maps.push_back(name + ".bsp");
        begin = end + 1;
    }
    return maps;
}

std::optional<std::string> mapCycleBytes(const std::vector<std::string>& mapFiles,
                                         std::string& unwritable) {
    std::string text;
    for (const std::string& file : mapFiles) {
        const std::string name = endsWithBsp(file) ? file.substr(0, file.size() - 4) : file;
        // The game reads the first word of a line unless it is quoted.
        const bool quoted = name.find_first_of(" \t") != std::string::npos;
        text += quoted ? "\"" + name + "\"\r\n" : name + "\r\n";
        if (!utf8ToCp1252(name) || name.find_first_of("\"\r\n") != std::string::npos) {
            unwritable = file;
            return std::nullopt;
        }
    }
    return utf8ToCp1252(text);
}

std::optional<std::vector<std::string>> readMapCycle(const std::string& path, std::string& reason) {
    std::error_code error;
    const auto bytes = readWholeFile(path, error);
    if (error) {
        reason = describeError(error);
        return std::nullopt;
    }
    return bytes ? parseMapCycle(*bytes) : std::vector<std::string>{};
}

WriteResult writeMapCycle(const std::string& path, const std::vector<std::string>& mapFiles) {
    std::string unwritable;
    const auto bytes = mapCycleBytes(mapFiles, unwritable);
    if (!bytes)
        return WriteResult::failure("Der Kartenname „" + unwritable +
                                    "“ kann nicht in die Datei geschrieben werden");
    return replaceFileAtomically(path, *bytes);
}

} // namespace gravelock
