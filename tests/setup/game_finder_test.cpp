#include "core/vdf.h"
#include "setup/game_finder.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace gravelock;
namespace fs = std::filesystem;

namespace {

// Entries as one line: key=value, or key{...} for a block.
std::string dump(const std::vector<VdfNode>& nodes) {
    std::string out;
    for (const VdfNode& n : nodes)
        out += n.isBlock ? n.key + "{" + dump(n.children) + "}" : n.key + "=" + n.value + ";";
    return out;
}

TEST(Vdf, ReadsSteamsFormatAndRefusesBrokenText) {
    struct Case {
        std::string text;
        std::optional<std::string> entries; // nullopt: refused
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/p/Steam\"\n\t\t\"apps\" "
         "{ \"70\" \"123\" }\n\t}\n}\n",
         "libraryfolders{0{path=/home/p/Steam;apps{70=123;}}}"},
        {R"("a" { "p" "C:\\Games\\Steam" "q" "say \"hi\"\tthere" "r" "a\qb" })",
         "a{p=C:\\Games\\Steam;q=say \"hi\"\tthere;r=a\\qb;}"},
        {"// comment \"x\" {\nbare { key value [$WIN32] \"k\" \"\" }", "bare{key=value;k=;}"},
        {"\"a\" { \"b\" \"c\"", std::nullopt},    // unclosed brace
        {"\"a\" { \"b\" \"c }", std::nullopt},    // unclosed quote
        {"\"a\" \"b\" }", std::nullopt},          // stray brace
        {"\"a\" { \"b\" }", std::nullopt},        // key without value
        {"\"a\"", std::nullopt},                  // the same at the end
        {"\"a\" { } }", std::nullopt},            // one brace too many
        {std::string(100000, '{'), std::nullopt}, // no key at all
        {[] {
             std::string deep;
             for (int i = 0; i < 100000; ++i)
                 deep += "k {";
             return deep;
         }(),
         std::nullopt}, // nesting deeper than any real file
    };
    for (const Case& c : cases) {
        const auto entries = parseVdf(c.text);
        ASSERT_EQ(entries.has_value(), c.entries.has_value()) << c.text.substr(0, 60);
        if (entries) {
            EXPECT_EQ(dump(*entries), *c.entries) << c.text;
        }
    }
}

class FindGames : public ::testing::Test {
protected:
    // "$" at the start stands for the fake file system's root.
    std::string at(const std::string& path) const {
        return path.starts_with("$") ? (root.path() / path.substr(2)).make_preferred().string()
                                     : path;
    }
    // A path ending in '/' is a folder; anything else a file with that content.
    void create(const std::map<std::string, std::string>& files) const {
        for (const auto& [path, content] : files) {
            const fs::path p = at(path);
            if (path.ends_with("/")) {
                fs::create_directories(p);
            } else {
                fs::create_directories(p.parent_path());
                test::writeBytes(p.string(), content);
            }
        }
    }
    FoundGame game(const std::string& folder, const std::string& program, const std::string& maps,
                   const std::string& tfcmaps = "") const {
        return {at(folder + "/" + program), at(folder + "/" + maps),
                tfcmaps.empty() ? "" : at(folder + "/" + tfcmaps), !tfcmaps.empty()};
    }
    FinderEnvironment posix() const { return {Platform::Posix, at("$/home"), {}, {}}; }

    test::TempFolder root;
};

TEST_F(FindGames, InEverySteamLibraryAndWinePrefix) {
    const std::string steam = "$/home/.local/share/Steam";
    const std::string rootGame = steam + "/steamapps/common/Half-Life";
    const std::string wine = "$/home/.wine";
    const std::string flatpak =
        "$/home/.var/app/com.valvesoftware.Steam/.local/share/Steam/SteamApps/common/half-life";
    // A game folder: its program (a Windows one starts with "MZ"), its maps and maybe
    // tfc maps; `found` tells whether the search must report it, in the listed order.
    struct Install {
        std::string folder, program, maps = "valve/maps", tfcmaps{};
        bool found = true;
    };
    struct Case {
        std::string what;
        std::vector<Install> installs;
        std::map<std::string, std::string> files; // the libraries' lists and other files
        FinderEnvironment environment;
    };
    const std::vector<Case> cases = {
        // clang-format off
        {"two libraries, \"Path\" in any case: the root's own first, the native game over the Windows one",
         {{rootGame, "hl.sh"}, {"$/games/steamapps/common/Half-Life", "hl.exe", "valve/maps", "tfc/maps"}},
         {{rootGame + "/hl.exe", "MZ"},
          {steam + "/steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"0\" { \"path\" \"" + at(steam) +
                                                    "\" } \"1\" { \"Path\" \"" + at("$/games") + "\" } }"}},
         posix()},
        {"the older list format: numbered keys only; a folder without maps is no game",
         {{"$/old/steamapps/common/Half-Life", "hl.sh"}, {"$/nomaps/steamapps/common/Half-Life", "hl.sh", "", "", false},
          {"$/stats/steamapps/common/Half-Life", "hl.sh", "valve/maps", "", false}},
         {{"$/home/.steam/steam/steamapps/libraryfolders.vdf", "\"LibraryFolders\" { \"TimeNextStatsReport\" \"" + at("$/stats") + "\" \"1\" \"" +
                                                               at("$/old") + "\" \"2\" \"" + at("$/nomaps") + "\" }"}},
         posix()},
        {"xash3d where the game's own programs are missing", {{rootGame, "xash3d"}}, {}, posix()},
        {"a broken list is skipped, the root still counts",
         {{rootGame, "hl.sh"}, {"$/games/steamapps/common/Half-Life", "hl.sh", "valve/maps", "", false}},
         {{steam + "/steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"1\" { \"path\" \"" + at("$/games") + "\" }"}},
         posix()},
#ifndef _WIN32
        // These need the host's file names: told apart by case, and "d:" a name.
        {"Flatpak Steam, names in mixed case", {{flatpak, "HL.EXE", "Valve/Maps", "TFC/MAPS"}}, {}, posix()},
        {"Wine prefixes: WINEPREFIX first, then ~/.wine with its Steam and a D: library",
         {{"$/pfx/drive_c/Program Files (x86)/Sierra/Spiele/Half-Life", "hl.exe"},
          {wine + "/drive_c/Program Files/Steam/steamapps/common/Half-Life", "hl.exe"},
          {wine + "/dosdevices/d:/Spiele/steamapps/common/Half-Life", "hl.exe"},
          {wine + "/drive_c/Games/steamapps/common/Half-Life", "hl.exe"}},
         {{wine + "/drive_c/Program Files/Steam/steamapps/libraryfolders.vdf",
           R"("libraryfolders" { "0" { "path" "C:\\Program Files\\Steam" } "1" { "path" "D:\\Spiele" } "2" { "path" "c:\\Games" } })"}},
         {Platform::Posix, at("$/home"), {{"WINEPREFIX", at("$/pfx")}}, {}}},
#endif
        {"Windows: the registry's Steam, then Program Files; hl.sh is no program there",
         {{"$/reg/steamapps/common/Half-Life", "hl.exe"},
          {"$/pf/Steam/steamapps/common/Half-Life", "hl.sh", "valve/maps", "", false},
          {"$/home/.wine/drive_c/Program Files/Half-Life", "hl.exe", "valve/maps", "", false}},
         {},
         {Platform::Windows, at("$/home"), {{"ProgramFiles(x86)", at("$/pf")}}, at("$/reg")}},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(root.path());
        fs::create_directories(root.path());
        std::map<std::string, std::string> files = c.files;
        std::vector<FoundGame> expected;
        for (const Install& i : c.installs) {
            files[i.folder + "/" + i.program] = i.program.ends_with("sh") ? "" : "MZ";
            for (const std::string& maps : {i.maps, i.tfcmaps})
                if (!maps.empty())
                    files[i.folder + "/" + maps + "/"] = "";
            if (i.found)
                expected.push_back(game(i.folder, i.program, i.maps, i.tfcmaps));
        }
        create(files);
        EXPECT_EQ(findInstalledGames(c.environment).games, expected);
    }
}

TEST_F(FindGames, NothingFoundNamesWhereItLooked) {
    const GameSearch search = findInstalledGames({Platform::Posix, at("$/home"), {}, {}});
    const std::vector<std::string> places = {
        at("$/home/.steam/steam"), at("$/home/.local/share/Steam"),
        at("$/home/.var/app/com.valvesoftware.Steam/.local/share/Steam"), at("$/home/.wine")};
    EXPECT_TRUE(search.games.empty());
    EXPECT_EQ(search.searched, places);
    const SetupMessage message = noGameFoundMessage({"/a", "/b"});
    EXPECT_EQ(message.title, "Half-Life nicht gefunden");
    EXPECT_NE(message.text.find("Gesucht wurde in:\n/a\n/b\n\n"), std::string::npos);
    EXPECT_NE(
        noGameFoundMessage({}).text.find(":\n(kein Steam-Ordner und kein Wine-Prefix bekannt)\n\n"),
        std::string::npos);
}

TEST_F(FindGames, AnInstallReachedTwiceIsFoundOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need administrator rights on Windows";
#else
    const std::string steam = "$/home/.local/share/Steam";
    create({{steam + "/steamapps/common/Half-Life/hl.sh", ""},
            {steam + "/steamapps/common/Half-Life/valve/maps/", ""},
            {steam + "/steamapps/libraryfolders.vdf",
             "\"libraryfolders\" { \"0\" { \"path\" \"" + at(steam) + "\" } }"}});
    fs::create_directories(at("$/home/.steam"));
    fs::create_directory_symlink(at(steam), at("$/home/.steam/steam"));
    EXPECT_EQ(findInstalledGames(posix()).games,
              std::vector<FoundGame>{
                  game("$/home/.steam/steam/steamapps/common/Half-Life", "hl.sh", "valve/maps")});
#endif
}

} // namespace
