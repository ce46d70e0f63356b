#include "core/settings.h"
#include "core/text.h"
#include "environment.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

namespace gravelock {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

// Member order: the folder must exist before `ini` names a file in it.
class SettingsFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.file("orvo.ini");

    std::string get(const std::string& cat, const std::string& cle, int max = 100,
                    const std::string& def = "error") {
        return GetPPS(cat, cle, def, max, ini);
    }
    void write(const std::string& section, const std::string& key, const std::string& value) {
        const WriteResult result = WritePPS(section, key, value, ini);
        ASSERT_TRUE(result.ok) << result.reason;
    }
};

TEST_F(SettingsFile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(get("MISC", "firstuse"), "error");
    writeBytes(ini, "[MISC]\r\nfirstuse=yes\r\n");
    EXPECT_EQ(get("GAMEDIR", "program"), "error");
    EXPECT_EQ(get("MISC", "tfc", 100, ""), "");
    EXPECT_EQ(get("MISC", "firstuse"), "yes");
}

TEST_F(SettingsFile, EmptyValueIsAValueNotAMissingKey) {
    writeBytes(ini, "[GAMEDIR]\r\ntfcdir=\r\n");
    EXPECT_EQ(get("GAMEDIR", "tfcdir"), "");
}

TEST_F(SettingsFile, NamesMatchWithoutRegardToCase) {
    write("GAMEDIR", "program", "C:\\HL\\hl.exe");
    write("MISC", "tfc", "true");
    EXPECT_EQ(get("gamedir", "PROGRAM"), "C:\\HL\\hl.exe");
    EXPECT_EQ(get("misc", "TFC"), "true");
    // Writing under another spelling replaces the same entry.
    write("Misc", "Tfc", "false");
    EXPECT_EQ(readBytes(ini), "[GAMEDIR]\r\nprogram=C:\\HL\\hl.exe\r\n[MISC]\r\ntfc=false\r\n");
}

TEST_F(SettingsFile, ValuesAreCutToMaxMinusOneCharacters) {
    const std::string sixty = "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Half-Life\\hl.e";
    ASSERT_EQ(sixty.size(), 60u);
    write("GAMEDIR", "program", sixty);
    struct Case {
        int max;
        std::string expected;
    };
    for (const auto& c : std::vector<Case>{{100, sixty},
                                           {200, sixty},
                                           {61, sixty},
                                           {60, sixty.substr(0, 59)},
                                           {50, sixty.substr(0, 49)},
                                           {2, "C"},
                                           {1, ""},
                                           {0, ""},
                                           {-5, ""},
                                           {kUncut, sixty}})
        EXPECT_EQ(get("GAMEDIR", "program", c.max), c.expected) << "max " << c.max;
    // The default is cut the same way, and umlauts count as one character each.
    EXPECT_EQ(get("GAMEDIR", "missing", 4, "error!"), "err");
    write("MISC", "user", "Jürgen");
    EXPECT_EQ(get("MISC", "user", 4), "Jür");
}

TEST_F(SettingsFile, UmlautsAreStoredAsWindows1252AndReadBack) {
    write("MISC", "user", "Jörg Kühn");
    write("MISC", "company", "Die Größten");
    EXPECT_EQ(readBytes(ini), "[MISC]\r\nuser=J\xF6rg K\xFChn\r\ncompany=Die Gr\xF6\xDF" "ten\r\n");
    EXPECT_EQ(get("MISC", "user"), "Jörg Kühn");
    EXPECT_EQ(get("MISC", "company"), "Die Größten");
}

TEST_F(SettingsFile, TextOutsideWindows1252TurnsTheFileIntoUtf8WithoutLosingIt) {
    write("MISC", "user", "Jörg");
    write("GAMEDIR", "maps", "/home/Дмитрий/hl/valve/maps");
    EXPECT_EQ(readBytes(ini).substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(get("GAMEDIR", "maps"), "/home/Дмитрий/hl/valve/maps");
    EXPECT_EQ(get("MISC", "user"), "Jörg");
}

TEST_F(SettingsFile, WriteCreatesFileSectionAndKeyAndReplacesInPlace) {
    write("MISC", "firstuse", "yes");
    write("GAMEDIR", "maps", "C:\\HL\\valve\\maps");
    write("MISC", "user", "Ace");
    write("MISC", "firstuse", "no");
    EXPECT_EQ(readBytes(ini), "[MISC]\r\nfirstuse=no\r\nuser=Ace\r\n"
                              "[GAMEDIR]\r\nmaps=C:\\HL\\valve\\maps\r\n");
}

TEST_F(SettingsFile, HandWrittenFilesReadLikeOnWindows) {
    struct Case {
        const char* what;
        std::string content;
        std::string cat, cle, expected;
    };
    const std::vector<Case> cases = {
        {"LF only", "[MISC]\nuser=Ace\n", "MISC", "user", "Ace"},
        {"no final line end", "[MISC]\r\nuser=Ace", "MISC", "user", "Ace"},
        {"blanks around names and values", "  [ MISC ]  \r\n  user  =  Ace  \r\n", "MISC", "user",
         "Ace"},
        {"tabs around the value", "[MISC]\r\nuser=\tAce\t\r\n", "MISC", "user", "Ace"},
        {"blanks inside the value stay", "[MISC]\r\nuser=Big  Ace\r\n", "MISC", "user", "Big  Ace"},
        {"comment lines", "; settings\r\n[MISC]\r\n;user=Old\r\nuser=Ace\r\n", "MISC", "user",
         "Ace"},
        {"lines without =", "[MISC]\r\njust text\r\nuser=Ace\r\n", "MISC", "user", "Ace"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[MISC]\r\nuser=J\xC3\xB6rg\r\n", "MISC", "user",
         "Jörg"},
        {"keys before any section", "user=Nobody\r\n[MISC]\r\nuser=Ace\r\n", "MISC", "user",
         "Ace"},
        {"keys before any section are in no section", "user=Nobody\r\n", "MISC", "user", "error"},
        {"key twice: the first wins", "[MISC]\r\nuser=Ace\r\nuser=Bee\r\n", "MISC", "user", "Ace"},
        {"section twice: the first wins", "[MISC]\r\nuser=Ace\r\n[MISC]\r\nuser=Bee\r\n", "MISC",
         "user", "Ace"},
        {"key only in the second copy of a section", "[MISC]\r\n[X]\r\n[MISC]\r\nuser=Bee\r\n",
         "MISC", "user", "error"},
        {"quoted value loses its quotes", "[MISC]\r\nuser=\"Big Ace\"\r\n", "MISC", "user",
         "Big Ace"},
        {"equals sign inside the value", "[MISC]\r\nuser=a=b\r\n", "MISC", "user", "a=b"},
        {"section without closing bracket", "[MISC\r\nuser=Ace\r\n", "MISC", "user", "Ace"},
        {"key that only starts like another", "[MISC]\r\nusername=Ace\r\n", "MISC", "user",
         "error"},
    };
    for (const auto& c : cases) {
        writeBytes(ini, c.content);
        EXPECT_EQ(get(c.cat, c.cle), c.expected) << c.what;
    }
}

TEST_F(SettingsFile, WritingKeepsEveryOtherLine) {
    writeBytes(ini, "; written by hand\n\n[MISC]\n  firstuse = yes\nextra=1\n\n"
                    "[Other]\nfoo = bar\n; end\n");
    write("misc", "FIRSTUSE", "no");
    write("MISC", "user", "Ace");
    write("Other", "foo", "baz");
    EXPECT_EQ(readBytes(ini), "; written by hand\r\n\r\n[MISC]\r\nfirstuse=no\r\nextra=1\r\n"
                              "user=Ace\r\n\r\n[Other]\r\nfoo=baz\r\n; end\r\n");
    // Undefined Windows-1252 bytes elsewhere in the file survive a write.
    writeBytes(ini, "[X]\r\nraw=\x81\x8D\x8F\x90\x9D\r\n");
    write("MISC", "user", "Ace");
    EXPECT_EQ(readBytes(ini), "[X]\r\nraw=\x81\x8D\x8F\x90\x9D\r\n[MISC]\r\nuser=Ace\r\n");
}

TEST_F(SettingsFile, WritesThatWouldCorruptTheFileAreRefused) {
    write("MISC", "user", "Ace");
    const std::string before = readBytes(ini);
    for (const auto& [section, key, value] : std::vector<std::array<std::string, 3>>{
             {"MISC", "user", "Ace\r\n[GAMEDIR]\r\nprogram=evil.exe"},
             {"MISC", "user", "line\nbreak"},
             {"MISC", "us=er", "x"},
             {"MI]SC", "user", "x"},
             {"", "user", "x"},
             {"MISC", "", "x"}}) {
        EXPECT_FALSE(WritePPS(section, key, value, ini).ok) << section << "/" << key;
    }
    EXPECT_EQ(readBytes(ini), before);
}

TEST_F(SettingsFile, FailedWritesAreReportedAndLeaveTheFileWhole) {
    write("MISC", "user", "Ace");
    const std::string before = readBytes(ini);
    if (!test::permissionModesUntestable()) {
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
        const WriteResult result = WritePPS("MISC", "user", "Bee", ini);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.reason, "Zugriff verweigert");
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
        EXPECT_EQ(readBytes(ini), before);
    }
    // A settings path that is a folder.
    const std::string asFolder = folder.file("folder.ini");
    std::filesystem::create_directory(asFolder);
    const WriteResult result = WritePPS("MISC", "user", "Bee", asFolder);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "Der Name gehört zu einem Ordner");
    EXPECT_EQ(GetPPS("MISC", "user", "error", 100, asFolder), "error");
    // A folder that does not exist.
    const WriteResult missing = WritePPS("MISC", "user", "Bee", folder.file("no/such/orvo.ini"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, "Der Ordner existiert nicht");
    // No temporary file is left behind by any of these.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);
}

TEST_F(SettingsFile, UnreadableFileIsNeverReplaced) {
    if (const auto why = test::permissionModesUntestable())
        GTEST_SKIP() << *why;
    write("MISC", "user", "Ace");
    std::filesystem::permissions(ini, std::filesystem::perms::owner_write);
    EXPECT_FALSE(WritePPS("MISC", "company", "Clan", ini).ok);
    std::filesystem::permissions(ini, std::filesystem::perms::owner_all);
    EXPECT_EQ(get("MISC", "user"), "Ace");
}

TEST_F(SettingsFile, ValueLongerThanTheBufferIsStoredWhole) {
    const std::string path(300, 'x');
    write("GAMEDIR", "program", path);
    EXPECT_EQ(get("GAMEDIR", "program", kUncut), path);
    EXPECT_EQ(get("GAMEDIR", "program", 100), path.substr(0, 99));
}

} // namespace
} // namespace gravelock
