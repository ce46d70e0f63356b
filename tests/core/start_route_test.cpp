#include "core/start_game.h"
#include "core/text.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace gravelock {
namespace {

namespace fs = std::filesystem;

// One fake home with every kind of install; "$" stands for its root.
class Route : public ::testing::Test {
protected:
    void SetUp() override {
        // Two libraries as Steam lists them, the backslashes of Windows paths escaped.
        const auto list = [](std::string a, std::string b) {
            for (std::string* path : {&a, &b})
                for (auto at = path->find('\\'); at != std::string::npos;
                     at = path->find('\\', at + 2))
                    path->insert(at, 1, '\\');
            return R"("libraryfolders" { "0" { "path" ")" + a + R"(" } "1" { "path" ")" + b +
                   R"(" } })";
        };
        const std::string pfxSteam = "$/pfx/drive_c/Program Files (x86)/Steam";
        std::map<std::string, std::string> files = {
            {"$/home/.local/share/Steam/steamapps/common/Half-Life/hl.sh", ""},
            {"$/home/.local/share/Steam/steamapps/common/Half-Life/xash3d", ""},
            {"$/home/.local/share/Steam/steamapps/libraryfolders.vdf",
             list(at("$/home/.local/share/Steam"), at("$/games"))},
            {"$/games/SteamApps/common/Half-Life/hl_linux", ""},
            {"$/home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/"
             "Half-Life/hl.sh",
             ""},
            {"$/copied/steamapps/common/Half-Life/hl.sh", ""},
            {"$/pfx/system.reg", ""},
            {pfxSteam + "/steam.exe", "MZ"},
            {pfxSteam + "/steamapps/common/Half-Life/hl.exe", "MZ"},
            {pfxSteam + "/steamapps/libraryfolders.vdf",
             list("C:\\Program Files (x86)\\Steam", "C:\\spiele")},
            {"$/pfx/drive_c/Spiele/steamapps/common/Half-Life/hl.exe", "MZ"},
            {"$/bare/system.reg", ""},
            {"$/bare/drive_c/Sierra/Half-Life/hl.exe", "MZ"},
            {"$/bare/drive_c/Steam/steamapps/common/Half-Life/hl.exe", "MZ"},
            {"$/plain/Half-Life/hl.sh", ""},
            {"$/win/Steam/steam.exe", "MZ"},
            {"$/win/Steam/steamapps/common/Half-Life/hl.exe", "MZ"},
            {"$/win/Steam/steamapps/libraryfolders.vdf", list(at("$/win/Steam"), at("$/winlib"))},
            {"$/winlib/steamapps/common/Half-Life/hl.exe", "MZ"},
            {"$/other/steamapps/common/Half-Life/hl.exe", "MZ"},
            {"$/bin/steam", ""},
            {"$/bin/flatpak", ""},
        };
        for (const auto& [path, content] : files) {
            fs::create_directories(fs::path(at(path)).parent_path());
            test::writeBytes(at(path), content);
            fs::permissions(at(path), fs::perms::owner_all);
        }
    }

    std::string at(const std::string& path) const {
        return path.starts_with("$") ? pathToUtf8((root.path() / path.substr(2)).make_preferred())
                                     : path;
    }

    test::TempFolder root;
};

TEST_F(Route, FollowsTheSteamThatOwnsTheLibrary) {
    const std::string wine = "/usr/bin/wine";
    const std::vector<std::string> appLaunch = {"-applaunch", "70"};
    const std::string pfxSteamExe = "$/pfx/drive_c/Program Files (x86)/Steam/steam.exe";
    struct Case {
        std::string what;
        Platform platform;
        std::string program;
        std::string wineProgram;                   // empty: a native program
        std::vector<std::string> path = {"$/bin"}; // PATH's entries
        bool throughSteam = true;
        std::string playerPrefix{};
        StartRoute expected{};
    };
    const std::vector<Case> cases = {
    // clang-format off
#ifndef _WIN32
        {"native library", Platform::Posix, "$/home/.local/share/Steam/steamapps/common/Half-Life/hl.sh", "", {"/nowhere", "$/bin"}, true, "",
         {StartVia::Steam, "$/bin/steam", appLaunch, ""}},
        {"second library from the list", Platform::Posix, "$/games/SteamApps/common/Half-Life/hl_linux", "", {"$/bin"}, true, "",
         {StartVia::Steam, "$/bin/steam", appLaunch, ""}},
        {"native library, no steam on PATH", Platform::Posix, "$/games/SteamApps/common/Half-Life/hl_linux", "", {"/nowhere"}, true, "", {}},
        {"native library, Steam turned off", Platform::Posix, "$/home/.local/share/Steam/steamapps/common/Half-Life/hl.sh", "", {"$/bin"}, false, "", {}},
        {"xash3d in a library starts directly", Platform::Posix, "$/home/.local/share/Steam/steamapps/common/Half-Life/xash3d", "", {"$/bin"}, true, "", {}},
        {"Flatpak", Platform::Posix, "$/home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Half-Life/hl.sh", "", {"$/bin"}, true, "",
         {StartVia::FlatpakSteam, "$/bin/flatpak", {"run", "com.valvesoftware.Steam", "-applaunch", "70"}, ""}},
        {"a library no Steam lists", Platform::Posix, "$/copied/steamapps/common/Half-Life/hl.sh", "", {"$/bin"}, true, "", {}},
        {"plain folder", Platform::Posix, "$/plain/Half-Life/hl.sh", "", {"$/bin"}, true, "", {}},
        {"Wine prefix with its Steam", Platform::Posix, "$/pfx/drive_c/Program Files (x86)/Steam/steamapps/common/Half-Life/hl.exe", wine, {}, true, "",
         {StartVia::SteamInWine, wine, {at(pfxSteamExe), "-applaunch", "70"}, at("$/pfx")}},
        {"library listed by the prefix's Steam", Platform::Posix, "$/pfx/drive_c/Spiele/steamapps/common/Half-Life/hl.exe", wine, {}, true, "",
         {StartVia::SteamInWine, wine, {at(pfxSteamExe), "-applaunch", "70"}, at("$/pfx")}},
        {"the player's own spelling of that prefix stays", Platform::Posix, "$/pfx/drive_c/Program Files (x86)/Steam/steamapps/common/Half-Life/hl.exe", wine, {}, true, "$/pfx/",
         {StartVia::SteamInWine, wine, {at(pfxSteamExe), "-applaunch", "70"}, at("$/pfx/")}},
        {"prefix Steam turned off: the game in its prefix", Platform::Posix, "$/pfx/drive_c/Program Files (x86)/Steam/steamapps/common/Half-Life/hl.exe", wine, {}, false, "$/other",
         {StartVia::Direct, "", {}, at("$/pfx")}},
        {"Wine prefix without Steam", Platform::Posix, "$/bare/drive_c/Sierra/Half-Life/hl.exe", wine, {}, true, "$/other",
         {StartVia::Direct, "", {}, at("$/bare")}},
        {"a library in a prefix without steam.exe", Platform::Posix, "$/bare/drive_c/Steam/steamapps/common/Half-Life/hl.exe", wine, {}, true, "",
         {StartVia::Direct, "", {}, at("$/bare")}},
        {"no Wine found: no prefix either", Platform::Posix, "$/pfx/drive_c/Program Files (x86)/Steam/steamapps/common/Half-Life/hl.exe", "", {}, true, "", {}},
#endif
        {"Windows: the Steam folder's own library", Platform::Windows, "$/win/Steam/steamapps/common/Half-Life/hl.exe", "", {}, true, "",
         {StartVia::WindowsSteam, at("$/win/Steam/steam.exe"), appLaunch, ""}},
        {"Windows: a library the registry's Steam lists", Platform::Windows, "$/winlib/steamapps/common/Half-Life/hl.exe", "", {}, true, "",
         {StartVia::WindowsSteam, at("$/win/Steam/steam.exe"), appLaunch, ""}},
        {"Windows: a library no Steam lists", Platform::Windows, "$/other/steamapps/common/Half-Life/hl.exe", "", {}, true, "", {}},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RouteEnvironment env{c.platform, at("$/home"), "", at(c.playerPrefix), at("$/win/Steam")};
        for (const std::string& entry : c.path)
            env.path += (env.path.empty() ? "" : ":") + at(entry);
        StartRoute expected = c.expected;
        expected.program = at(expected.program);
        EXPECT_EQ(chooseStartRoute(at(c.program), c.wineProgram, c.throughSteam, env), expected);
    }
}

TEST(StartArguments, SteamTakesTheGamesArgumentsAfterItsOwn) {
    const std::string game = "/g/Half Life/hl.exe";
    const std::string arguments = " -game tfc +map 2fort  +name \"Big Ace\"";
    const std::vector<std::string> split = {"-game", "tfc", "+map", "2fort", "+name", "Big Ace"};
    struct Case {
        std::string what;
        WineUse wine;
        StartRoute route;
        std::vector<std::string> head; // what comes before the game's arguments
        std::string commandLine;       // what Windows hands the started program
    };
    const std::vector<Case> cases = {
        // clang-format off
        {"direct", {}, {}, {game}, "\"" + game + "\"" + arguments},
        {"direct through Wine", {true, "/usr/bin/wine", ""}, {StartVia::Direct, "", {}, "/pfx"}, {"/usr/bin/wine", game}, "\"" + game + "\"" + arguments},
        {"native Steam", {}, {StartVia::Steam, "/usr/bin/steam", {"-applaunch", "70"}, ""},
         {"/usr/bin/steam", "-applaunch", "70"}, "\"/usr/bin/steam\" -applaunch 70" + arguments},
        {"Steam in Wine", {true, "/usr/bin/wine", ""}, {StartVia::SteamInWine, "/usr/bin/wine", {"/p/Program Files/Steam/steam.exe", "-applaunch", "70"}, "/p"},
         {"/usr/bin/wine", "/p/Program Files/Steam/steam.exe", "-applaunch", "70"},
         "\"/usr/bin/wine\" \"/p/Program Files/Steam/steam.exe\" -applaunch 70" + arguments},
        {"Windows Steam", {}, {StartVia::WindowsSteam, "C:\\Program Files (x86)\\Steam\\steam.exe", {"-applaunch", "70"}, ""},
         {"C:\\Program Files (x86)\\Steam\\steam.exe", "-applaunch", "70"},
         "\"C:\\Program Files (x86)\\Steam\\steam.exe\" -applaunch 70" + arguments},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StartRequest request{
            {}, WindowStyle::MaximisedWithFocus, {}, game, arguments, c.wine, c.route};
        std::vector<std::string> expected = c.head;
        expected.insert(expected.end(), split.begin(), split.end());
        EXPECT_EQ(startArguments(request, game), expected);
        EXPECT_EQ(windowsCommandLine(request, game), c.commandLine);
    }
}

TEST(SteamSetting, OnlyNoTurnsItOff) {
    for (const auto& [stored, on] : std::vector<std::pair<std::string, bool>>{
             {"", true}, {"yes", true}, {"no", false}, {"NO", true}, {"error", true}})
        EXPECT_EQ(throughSteamSetting(stored), on) << stored;
    EXPECT_EQ(throughSteamValue(true), "yes");
    EXPECT_EQ(throughSteamValue(false), "no");
}

} // namespace
} // namespace gravelock
