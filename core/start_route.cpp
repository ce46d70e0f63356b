#include "core/start_route.h"

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/platform.h"
#include "core/start_game.h"
#include "core/text.h"
#include "core/vdf.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <system_error>

namespace gravelock {

namespace fs = std::filesystem;

namespace {

// Steam's number for Half-Life; every mode is it, Team Fortress included
// (that one is "-game tfc" among the game's arguments).
const std::vector<std::string> kAppLaunch = {"-applaunch", "70"};
const char* const kFlatpakSteam = "com.valvesoftware.Steam";

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string lowerName(const fs::path& path) {
    return lowered(pathToUtf8(path.filename()));
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Paths compared as the file system resolves them (~/.steam/steam is usually
// a link), and without regard to case, as Steam writes Windows paths freely.
std::string placeKey(const fs::path& path) {
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(path, error);
    const std::u8string generic = (error ? path : resolved).generic_u8string();
    std::string key = lowered(std::string(generic.begin(), generic.end()));
    while (key.size() > 1 && key.back() == '/')
        key.pop_back();
    return key;
}

bool samePlace(const fs::path& a, const fs::path& b) {
    return placeKey(a) == placeKey(b);
}

bool isInside(const fs::path& path, const fs::path& folder) {
    const std::string inner = placeKey(path);
    const std::string outer = placeKey(folder);
    return inner.size() > outer.size() && inner.starts_with(outer) && inner[outer.size()] == '/';
}

// The library of a program in ".../steamapps/common/<game>/...".
std::optional<fs::path> steamLibraryOf(const fs::path& program) {
    fs::path game = program.parent_path();
    while (game.has_relative_path()) {
        const fs::path common = game.parent_path();
        if (lowerName(common) == "common" && lowerName(common.parent_path()) == "steamapps")
            return common.parent_path().parent_path();
        game = common;
    }
    return std::nullopt;
}

// The prefix above the program's drive_c: the folder that holds system.reg.
std::optional<fs::path> winePrefixOf(const fs::path& program) {
    for (fs::path folder = program.parent_path(); folder.has_relative_path();
         folder = folder.parent_path())
        if (lowerName(folder) == "drive_c" && isFile(folder.parent_path() / "system.reg"))
            return folder.parent_path();
    return std::nullopt;
}

using PathMapper = std::function<fs::path(const std::string&)>;

// Whether the Steam at `root` owns `library`: it is the root itself, or the
// root's list names it.
bool owns(const fs::path& root, const fs::path& library, const PathMapper& mapPath) {
    if (!isDirectory(root))
        return false;
    if (samePlace(root, library))
        return true;
    const std::vector<std::string> listed = listedSteamLibraries(root);
    return std::any_of(listed.begin(), listed.end(), [&](const std::string& path) {
        const fs::path mapped = mapPath(path);
        return !mapped.empty() && samePlace(mapped, library);
    });
}

fs::path asWritten(const std::string& path) {
    return pathFromUtf8(path);
}

// A Windows path as a path inside the prefix: C: is drive_c, other letters
// follow the prefix's dosdevices links.
PathMapper insidePrefix(const fs::path& prefix) {
    return [prefix](const std::string& windowsPath) -> fs::path {
        if (windowsPath.size() < 2 || windowsPath[1] != ':')
            return {};
        const char letter =
            static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
        const fs::path drive =
            letter == 'c' ? prefix / "drive_c" : prefix / "dosdevices" / std::string{letter, ':'};
        std::string rest = windowsPath.substr(2);
        std::replace(rest.begin(), rest.end(), '\\', '/');
        return drive / pathFromUtf8(rest).relative_path();
    };
}

// The Steam folders of a prefix: "Steam" in each "Program Files..." of drive_c.
std::vector<fs::path> prefixSteams(const fs::path& prefix) {
    std::vector<fs::path> steams;
    const auto driveC = entryNamed(prefix, "drive_c", EntryKind::Folder);
    if (!driveC)
        return steams;
    std::vector<fs::path> programFolders;
    std::error_code error;
    fs::directory_iterator it(*driveC, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error))
        if (lowerName(it->path()).starts_with("program files") && isDirectory(it->path()))
            programFolders.push_back(it->path());
    std::sort(programFolders.begin(), programFolders.end());
    for (const fs::path& folder : programFolders)
        if (auto steam = entryNamed(folder, "Steam", EntryKind::Folder))
            steams.push_back(std::move(*steam));
    return steams;
}

// The steam.exe of the first Steam that owns the library: the library's own
// Steam (a library that is a Steam folder), then the other candidates.
std::optional<fs::path> owningSteamExe(const fs::path& library,
                                       const std::vector<fs::path>& candidates,
                                       const PathMapper& mapPath) {
    if (auto own = entryNamed(library, "steam.exe", EntryKind::File))
        return own;
    for (const fs::path& steam : candidates)
        if (auto exe = entryNamed(steam, "steam.exe", EntryKind::File);
            exe && owns(steam, library, mapPath))
            return exe;
    return std::nullopt;
}

bool isGameProgram(const fs::path& program) {
    const std::string name = lowerName(program);
    return name == "hl.exe" || name == "hl.sh" || name == "hl_linux";
}

std::vector<std::string> appLaunchAfter(std::vector<std::string> head) {
    head.insert(head.end(), kAppLaunch.begin(), kAppLaunch.end());
    return head;
}

StartRoute throughSteamOn(Platform platform, const fs::path& program,
                          const std::string& wineProgram, const fs::path& prefix,
                          const RouteEnvironment& env) {
    const auto library = steamLibraryOf(program);
    if (!library)
        return {};
    if (platform == Platform::Windows) {
        std::vector<fs::path> candidates;
        if (!env.registrySteamPath.empty())
            candidates.push_back(pathFromUtf8(env.registrySteamPath));
        if (auto exe = owningSteamExe(*library, candidates, asWritten))
            return {StartVia::WindowsSteam, pathToUtf8(exe->make_preferred()), kAppLaunch, {}};
        return {};
    }
    if (!prefix.empty()) {
        const auto exe = owningSteamExe(*library, prefixSteams(prefix), insidePrefix(prefix));
        if (!exe || wineProgram.empty())
            return {};
        return {StartVia::SteamInWine, wineProgram, appLaunchAfter({pathToUtf8(*exe)}), {}};
    }
    if (env.home.empty())
        return {};
    const fs::path home = pathFromUtf8(env.home);
    const std::array<fs::path, 3> nativeRoots = {
        home / ".local" / "share" / "Steam", home / ".steam" / "steam", home / ".steam" / "root"};
    const bool native = std::any_of(nativeRoots.begin(), nativeRoots.end(), [&](const fs::path& r) {
        return owns(r, *library, asWritten);
    });
    if (native) {
        if (std::string steam = findOnPath("steam", env.path, isExecutableFile); !steam.empty())
            return {StartVia::Steam, std::move(steam), kAppLaunch, {}};
    }
    const fs::path flatpakApp = home / ".var" / "app" / kFlatpakSteam;
    if (isInside(*library, flatpakApp) ||
        owns(flatpakApp / ".local" / "share" / "Steam", *library, asWritten)) {
        if (std::string flatpak = findOnPath("flatpak", env.path, isExecutableFile);
            !flatpak.empty())
            return {StartVia::FlatpakSteam,
                    std::move(flatpak),
                    appLaunchAfter({"run", kFlatpakSteam}),
                    {}};
    }
    return {};
}

} // namespace

RouteEnvironment currentRouteEnvironment() {
    RouteEnvironment environment;
    environment.platform = hostPlatform();
    environment.home = environmentVariable("HOME");
    environment.path = environmentVariable("PATH");
    environment.winePrefix = environmentVariable("WINEPREFIX");
    environment.registrySteamPath = steamPathFromRegistry();
    return environment;
}

bool throughSteamSetting(const std::string& stored) {
    return stored != "no";
}

std::string throughSteamValue(bool on) {
    return on ? "yes" : "no";
}

StartRoute chooseStartRoute(const std::string& program, const std::string& wineProgram,
                            bool throughSteam, const RouteEnvironment& environment) {
    const fs::path path = pathFromUtf8(program);
    fs::path prefix;
    if (environment.platform != Platform::Windows)
        if (auto found = winePrefixOf(path))
            prefix = std::move(*found);
    StartRoute route;
    if (throughSteam && isGameProgram(path))
        route = throughSteamOn(environment.platform, path, wineProgram, prefix, environment);
    // Wine runs a program in its own prefix, or it sees another registry and
    // another Steam login. The player's own spelling of that prefix is kept.
    const bool runsInWine = route.via == StartVia::SteamInWine ||
                            (route.via == StartVia::Direct && !wineProgram.empty());
    if (runsInWine && !prefix.empty())
        route.winePrefix =
            !environment.winePrefix.empty() && samePlace(environment.winePrefix, prefix)
                ? environment.winePrefix
                : pathToUtf8(prefix);
    return route;
}

std::vector<std::string> startArguments(const StartRequest& request, const std::string& program) {
    std::vector<std::string> args;
    if (request.route.via != StartVia::Direct) {
        args.push_back(request.route.program);
        args.insert(args.end(), request.route.leadingArguments.begin(),
                    request.route.leadingArguments.end());
    } else if (request.wine.needed) {
        args = {request.wine.program, program};
    } else {
        args = {program};
    }
    for (std::string& a : splitArguments(request.arguments))
        args.push_back(std::move(a));
    return args;
}

std::string windowsCommandLine(const StartRequest& request, const std::string& program) {
    if (request.route.via == StartVia::Direct)
        return "\"" + program + "\"" + request.arguments;
    std::string line = "\"" + request.route.program + "\"";
    for (const std::string& a : request.route.leadingArguments)
        line += a.find(' ') == std::string::npos ? " " + a : " \"" + a + "\"";
    return line + request.arguments;
}

bool isExecutableFile(const std::string& path) {
    std::error_code error;
    const auto status = fs::status(pathFromUtf8(path), error);
    constexpr auto anyExec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return !error && fs::is_regular_file(status) &&
           (status.permissions() & anyExec) != fs::perms::none;
}

std::string findOnPath(const std::string& name, const std::string& pathValue,
                       const std::function<bool(const std::string&)>& isExecutable) {
    std::size_t begin = 0;
    while (begin < pathValue.size()) {
        auto end = pathValue.find(':', begin);
        if (end == std::string::npos)
            end = pathValue.size();
        if (end > begin) {
            std::string candidate = pathValue.substr(begin, end - begin);
            candidate += '/';
            candidate += name;
            if (isExecutable(candidate))
                return candidate;
        }
        begin = end + 1;
    }
    return {};
}

std::vector<std::string> listedSteamLibraries(const fs::path& root) {
    std::vector<std::string> paths;
    const auto steamapps = entryNamed(root, "steamapps", EntryKind::Folder);
    const auto file =
        steamapps ? entryNamed(*steamapps, "libraryfolders.vdf", EntryKind::File) : std::nullopt;
    if (!file)
        return paths;
    std::error_code error;
    const std::optional<std::string> text = readWholeFile(pathToUtf8(*file), error);
    const auto entries = text ? parseVdf(*text) : std::nullopt;
    if (!entries || entries->empty())
        return paths;
    for (const VdfNode& entry : entries->front().children) {
        if (const VdfNode* path = entry.isBlock ? entry.child("path") : nullptr)
            paths.push_back(path->value);
        else if (!entry.isBlock && !entry.key.empty() &&
                 std::isdigit(static_cast<unsigned char>(entry.key.front())))
            paths.push_back(entry.value);
    }
    return paths;
}

} // namespace gravelock
