#include "setup/game_finder.h"

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/start_route.h"
#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <system_error>

namespace gravelock {
namespace {

namespace fs = std::filesystem;

// Library paths as a Steam root writes them, made into paths of this system.
using PathMapper = std::function<std::optional<fs::path>(const std::string&)>;

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Follows folder names one by one, each without regard to case.
std::optional<fs::path> folderAlong(fs::path folder, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        auto next = entryNamed(folder, name, EntryKind::Folder);
        if (!next)
            return std::nullopt;
        folder = std::move(*next);
    }
    return folder;
}

std::string shown(fs::path path) {
    return pathToUtf8(path.make_preferred());
}

class Search {
public:
    explicit Search(const FinderEnvironment& environment) : env_(environment) {}

    GameSearch run() {
        for (const fs::path& root : steamRoots())
            searchSteam(root, [](const std::string& p) { return pathFromUtf8(p); });
        if (env_.platform != Platform::Windows)
            for (const fs::path& prefix : winePrefixes())
                searchPrefix(prefix);
        return std::move(result_);
    }

private:
    std::string variable(const std::string& name) const {
        const auto it = env_.variables.find(name);
        return it == env_.variables.end() ? std::string() : it->second;
    }

    std::vector<fs::path> steamRoots() const {
        std::vector<fs::path> roots;
        if (env_.platform == Platform::Windows) {
            if (!env_.registrySteamPath.empty())
                roots.push_back(pathFromUtf8(env_.registrySteamPath));
            const std::string programFiles = variable("ProgramFiles(x86)");
            roots.push_back(
                pathFromUtf8(programFiles.empty() ? "C:\\Program Files (x86)" : programFiles) /
                "Steam");
        } else if (!env_.home.empty()) {
            const fs::path home = pathFromUtf8(env_.home);
            roots.push_back(home / ".steam" / "steam");
            roots.push_back(home / ".local" / "share" / "Steam");
            roots.push_back(home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" /
                            "Steam");
        }
        return roots;
    }

    std::vector<fs::path> winePrefixes() const {
        std::vector<fs::path> prefixes;
        if (const std::string prefix = variable("WINEPREFIX"); !prefix.empty())
            prefixes.push_back(pathFromUtf8(prefix));
        if (!env_.home.empty())
            prefixes.push_back(pathFromUtf8(env_.home) / ".wine");
        return prefixes;
    }

    void searchSteam(const fs::path& root, const PathMapper& mapPath) {
        result_.searched.push_back(shown(root));
        if (!isDirectory(root))
            return;
        std::vector<fs::path> libraries{root};
        for (const std::string& listed : listedSteamLibraries(root))
            if (auto library = mapPath(listed))
                libraries.push_back(std::move(*library));
        for (const fs::path& library : libraries)
            if (auto game = folderAlong(library, {"steamapps", "common", "Half-Life"}))
                addGame(*game);
    }

    void searchPrefix(const fs::path& prefix) {
        result_.searched.push_back(shown(prefix));
        const auto driveC = entryNamed(prefix, "drive_c", EntryKind::Folder);
        if (!driveC)
            return;
        // Windows paths inside the prefix: C: is drive_c, other letters follow
        // the prefix's dosdevices links.
        const PathMapper mapPath = [&](const std::string& windowsPath) -> std::optional<fs::path> {
            if (windowsPath.size() < 2 || windowsPath[1] != ':')
                return std::nullopt;
            const char letter =
                static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
            fs::path drive =
                letter == 'c' ? *driveC : prefix / "dosdevices" / std::string{letter, ':'};
            std::string rest = windowsPath.substr(2);
            for (char& c : rest)
                if (c == '\\')
                    c = '/';
            return drive / pathFromUtf8(rest).relative_path();
        };
        std::error_code error;
        fs::directory_iterator it(*driveC, error);
        std::vector<fs::path> programFolders;
        for (; !error && it != fs::directory_iterator(); it.increment(error))
            if (lowered(pathToUtf8(it->path().filename())).starts_with("program files") &&
                isDirectory(it->path()))
                programFolders.push_back(it->path());
        std::sort(programFolders.begin(), programFolders.end());
        for (const fs::path& programFiles : programFolders) {
            gamesBelow(programFiles, 3);
            if (auto steam = entryNamed(programFiles, "Steam", EntryKind::Folder))
                searchSteam(*steam, mapPath);
        }
    }

    // "Program Files/Half-Life", ".../Sierra/Half-Life", ".../Valve/Half-Life" ...
    void gamesBelow(const fs::path& folder, int depth) {
        if (depth == 0)
            return;
        std::vector<fs::path> children;
        std::error_code error;
        fs::directory_iterator it(folder, error);
        for (; !error && it != fs::directory_iterator(); it.increment(error))
            if (isDirectory(it->path()))
                children.push_back(it->path());
        std::sort(children.begin(), children.end());
        for (const fs::path& child : children) {
            if (lowered(pathToUtf8(child.filename())) == "half-life")
                addGame(child);
            else
                gamesBelow(child, depth - 1);
        }
    }

    void addGame(const fs::path& folder) {
        const auto maps = folderAlong(folder, {"valve", "maps"});
        if (!maps)
            return;
        // The game's own programs first; xash3d runs the same game folders.
        const std::vector<std::string> names =
            env_.platform == Platform::Windows
                ? std::vector<std::string>{"hl.exe", "xash3d.exe"}
                : std::vector<std::string>{"hl.sh", "hl.exe", "xash3d"};
        std::optional<fs::path> program;
        for (auto name = names.begin(); !program && name != names.end(); ++name)
            program = entryNamed(folder, *name, EntryKind::File);
        if (!program)
            return;
        // The same install is often reachable twice (~/.steam/steam links to
        // ~/.local/share/Steam; a root lists itself as a library).
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(folder, error);
        if (!seen_.insert(pathToUtf8(error ? folder : canonical)).second)
            return;
        FoundGame game{shown(*program), shown(*maps), {}, false};
        if (const auto tfcmaps = folderAlong(folder, {"tfc", "maps"})) {
            game.tfcmaps = shown(*tfcmaps);
            game.hasTfc = true;
        }
        result_.games.push_back(std::move(game));
    }

    const FinderEnvironment& env_;
    GameSearch result_;
    std::set<std::string> seen_;
};

} // namespace

FinderEnvironment currentFinderEnvironment() {
    FinderEnvironment environment;
    environment.platform = hostPlatform();
    environment.home = environmentVariable("HOME");
    if (environment.home.empty())
        environment.home = environmentVariable("USERPROFILE");
    for (const char* name : {"WINEPREFIX", "ProgramFiles(x86)"})
        if (std::string value = environmentVariable(name); !value.empty())
            environment.variables[name] = std::move(value);
    environment.registrySteamPath = steamPathFromRegistry();
    return environment;
}

GameSearch findInstalledGames(const FinderEnvironment& environment) {
    return Search(environment).run();
}

SetupMessage noGameFoundMessage(const std::vector<std::string>& searched) {
    std::string text = "Es wurde kein installiertes Half-Life gefunden.\n\nGesucht wurde in:";
    for (const std::string& place : searched)
        text += "\n" + place;
    if (searched.empty())
        text += "\n(kein Steam-Ordner und kein Wine-Prefix bekannt)";
    text += "\n\nBitte gib das Programm und die Karten Ordner mit \"Durchsuchen\" an.";
    return {text, "Half-Life nicht gefunden"};
}

} // namespace gravelock
