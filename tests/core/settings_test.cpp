#include "core/settings.h"
#include "environment.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#ifdef _WIN32
#include <atomic>
#include <thread>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace gravelock {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

const std::string kSixty = "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Half-Life\\hl.e";

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
    void plant(const std::optional<std::string>& bytes) {
        std::error_code ignored;
        fs::remove(ini, ignored);
        if (bytes)
            writeBytes(ini, *bytes);
    }
};

TEST_F(SettingsFile, ReadsLikeWindows) {
    struct Case {
        const char* what;
        std::optional<std::string> file; // nullopt: no file at all
        std::string cat, cle, expected, def = "error";
        int max = 100;
    };
    const std::string misc = "[MISC]\r\nuser=Ace\r\n";
    const std::string sixty = "[G]\r\np=" + kSixty;
    const std::string euro = "[MISC]\r\nuser=a\x80"
                             "b\r\n";
    const std::vector<Case> cases = {
        // clang-format off
        {"missing file", std::nullopt, "MISC", "firstuse", "error"},
        {"missing section", misc, "GAMEDIR", "program", "error"},
        {"missing key, empty default", misc, "MISC", "tfc", "", ""},
        {"default loses trailing blanks only", misc, "MISC", "tfc", " error", " error  "},
        {"default is cut too", misc, "MISC", "tfc", "err", "error!", 4},
        {"empty value is a value", "[GAMEDIR]\r\ntfcdir=\r\n", "GAMEDIR", "tfcdir", ""},
        {"names without regard to case, not just of equal length", "[GAMEDIA]\r\ntfc=false\r\n[GAMEDIR]\r\ntfc=true\r\n", "gamedir", "TFC", "true"},
        {"blanks around the caller's names", misc, " MISC\t", " user ", "Ace"},
        {"LF only", "[MISC]\nuser=Ace\n", "MISC", "user", "Ace"},
        {"lone CR ends a line", "[X]\rz=0\r[MISC]\ruser=Ace\rcompany=Clan", "MISC", "company", "Clan"},
        {"lone CR inside a value ends it", "[MISC]\r\nuser=A\rB\r\n", "MISC", "user", "A"},
        {"no final line end", "[MISC]\r\nuser=Ace", "MISC", "user", "Ace"},
        {"blanks around file names and values", "  [ MISC ]  \r\n  user  =  Ace  \r\n", "MISC", "user", "Ace"},
        {"tabs around the value", "[MISC]\r\nuser=\tAce\t\r\n", "MISC", "user", "Ace"},
        {"blanks inside the value stay", "[MISC]\r\nuser=Big  Ace\r\n", "MISC", "user", "Big  Ace"},
        {"comment lines", "; x\r\n[MISC]\r\n;user=Old\r\nuser=Ace\r\n", "MISC", "user", "Ace"},
        {"lines without =", "[MISC]\r\njust text\r\nuser=Ace\r\n", "MISC", "user", "Ace"},
        {"keys before any section", "user=Nobody\r\n[MISC]\r\nuser=Ace\r\n", "MISC", "user", "Ace"},
        {"keys before any section are in none", "user=Nobody\r\n", "MISC", "user", "error"},
        {"key twice: the first wins", "[MISC]\r\nuser=Ace\r\nuser=Bee\r\n", "MISC", "user", "Ace"},
        {"section twice: the first wins", "[MISC]\r\nuser=Ace\r\n[MISC]\r\nuser=Bee\r\n", "MISC", "user", "Ace"},
        {"key only in a second copy", "[MISC]\r\n[X]\r\n[MISC]\r\nuser=Bee\r\n", "MISC", "user", "error"},
        {"equals sign inside the value", "[MISC]\r\nuser=a=b\r\n", "MISC", "user", "a=b"},
        {"section without closing bracket", "[MISC\r\nuser=Ace\r\n", "MISC", "user", "Ace"},
        {"key that only starts like another", "[MISC]\r\nusername=Ace\r\n", "MISC", "user", "error"},
        // Quotes: a matching pair goes, everything between stays.
        {"double quotes", "[MISC]\r\nuser=\"Big Ace\"\r\n", "MISC", "user", "Big Ace"},
        {"single quotes", "[MISC]\r\nuser='Big Ace'\r\n", "MISC", "user", "Big Ace"},
        {"quoted blanks stay", "[MISC]\r\nuser= \"  Ace \" \r\n", "MISC", "user", "  Ace "},
        {"quoted leading blanks survive the cut", "[MISC]\r\nuser=\"  Ace\"\r\n", "MISC", "user", "  A", "", 4},
        {"mismatched quotes stay", "[MISC]\r\nuser=\"Ace'\r\n", "MISC", "user", "\"Ace'"},
        {"one quote alone stays", "[MISC]\r\nuser=\"\r\n", "MISC", "user", "\""},
        {"empty quotes", "[MISC]\r\nuser=\"\"\r\n", "MISC", "user", ""},
        // Cuts at max - 1 characters, counted as characters, not bytes.
        {"60 characters, max 61", sixty, "G", "p", kSixty, "", 61},
        {"60 characters, max 60", sixty, "G", "p", kSixty.substr(0, 59), "", 60},
        {"max 2", sixty, "G", "p", "C", "", 2},
        {"max 1", sixty, "G", "p", "", "", 1},
        {"max 0", sixty, "G", "p", "", "", 0},
        {"negative max", sixty, "G", "p", "", "", -5},
        {"cut after an umlaut", "[MISC]\r\nuser=J\xFCrgen\r\n", "MISC", "user", "Jür", "", 4},
        {"cut after a euro sign", euro, "MISC", "user", "a€", "", 3},
        {"cut before a euro sign", euro, "MISC", "user", "a", "", 2},
        // Encodings.
        {"Windows-1252 umlauts", "[MISC]\r\nuser=J\xF6rg K\xFChn\r\n", "MISC", "user", "Jörg Kühn"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[MISC]\r\nuser=J\xC3\xB6rg\r\n", "MISC", "user", "Jörg"},
        {"Windows-1252 bytes in a UTF-8 file", "\xEF\xBB\xBF[MISC]\r\nuser=J\xF6rg\r\n", "MISC", "user", "Jörg"},
        {"name outside the code page", misc, "MISC", "Дм", "error"},
        {"names that cannot be written are never found", "[MISC]\r\n=x\r\n;a=1\r\na=b=c\r\n", "MISC", " ", "error"},
        {"key with ;", "[MISC]\r\n;a=1\r\n", "MISC", ";a", "error"},
        {"key with =", "[MISC]\r\na=b=c\r\n", "MISC", "a=b", "error"},
        {"a [ inside a value opens nothing", "[MISC]\r\nx=[GAMEDIR]\r\nuser=Ace\r\n", "MISC", "user", "Ace"},
        // clang-format on
    };
    for (const auto& c : cases) {
        plant(c.file);
        EXPECT_EQ(GetPPS(c.cat, c.cle, c.def, c.max, ini), c.expected) << c.what;
    }
}

TEST_F(SettingsFile, WritesLikeWindowsAndKeepsEveryOtherByte) {
    struct Case {
        const char* what;
        std::optional<std::string> before; // nullopt: no file yet
        std::vector<SettingWrite> writes;
        std::string reason; // empty: the write succeeds
        std::string after;  // for refusals, the file stays as it was
    };
    const std::string misc = "[MISC]\r\nuser=Ace\r\n";
    const std::string refused = "Ungültiger Abschnitts- oder Schlüsselname";
    const std::string lineBreak = "Der Wert enthält einen Zeilenumbruch";
    const std::string invalid = "Der Wert enthält ungültige Zeichen";
    const std::vector<Case> cases = {
        // clang-format off
        {"creates file, sections and keys; replaces in place", std::nullopt,
         {{"MISC", "firstuse", "yes"}, {"GAMEDIR", "maps", "C:\\HL\\valve\\maps"},
          {"MISC", "user", "Ace"}, {"MISC", "firstuse", "no"}}, "",
         "[MISC]\r\nfirstuse=no\r\nuser=Ace\r\n[GAMEDIR]\r\nmaps=C:\\HL\\valve\\maps\r\n"},
        {"another spelling replaces the same entry", "[GAMEDIR]\r\n[MISC]\r\ntfc=true\r\n",
         {{"Misc", "TFC", "false"}}, "", "[GAMEDIR]\r\n[MISC]\r\ntfc=false\r\n"},
        {"blanks around names are not stored", std::nullopt, {{" MISC ", "\tuser ", "Ace"}}, "", misc},
        {"LF lines stay LF, the new line gets CRLF",
         "; by hand\n\n[MISC]\n  firstuse = yes\nextra=1\n\n[Other]\nfoo = bar\n; end\n",
         {{"misc", "FIRSTUSE", "no"}, {"MISC", "user", "Ace"}, {"Other", "foo", "baz"}}, "",
         "; by hand\n\n[MISC]\nfirstuse=no\nextra=1\nuser=Ace\r\n\n[Other]\nfoo=baz\n; end\n"},
        {"lone CR lines keep their ends", "[MISC]\ra=1\rb=2", {{"MISC", "a", "3"}}, "", "[MISC]\ra=3\rb=2"},
        {"new key goes below the last key, above closing comments",
         "[MISC]\r\na=1\r\n; about b\r\n\r\n[X]\r\n", {{"MISC", "b", "2"}}, "",
         "[MISC]\r\na=1\r\nb=2\r\n; about b\r\n\r\n[X]\r\n"},
        {"new key in a section of comments only", "[MISC]\r\n; none yet\r\n", {{"MISC", "b", "2"}}, "",
         "[MISC]\r\nb=2\r\n; none yet\r\n"},
        {"a rewritten last line without end gets CR LF", "[MISC]\r\nuser=Ace", {{"MISC", "user", "Bee"}}, "",
         "[MISC]\r\nuser=Bee\r\n"},
        {"header without line end gets one", "[MISC]", {{"MISC", "user", "Ace"}}, "", misc},
        {"last line without end, new section", "[A]\nx=1", {{"MISC", "user", "Ace"}}, "", "[A]\nx=1\r\n" + misc},
        {"undefined Windows-1252 bytes survive", "[X]\r\nraw=\x81\x8D\x8F\x90\x9D\r\n",
         {{"MISC", "user", "Ace"}}, "", "[X]\r\nraw=\x81\x8D\x8F\x90\x9D\r\n" + misc},
        {"umlauts are stored as Windows-1252", std::nullopt,
         {{"MISC", "user", "Jörg Kühn"}, {"MISC", "company", "Die Größten"}}, "",
         "[MISC]\r\nuser=J\xF6rg K\xFChn\r\ncompany=Die Gr\xF6\xDF" "ten\r\n"},
        {"text outside Windows-1252 turns the file into UTF-8", "[MISC]\r\nuser=J\xF6rg\r\n",
         {{"GAMEDIR", "maps", "/home/Дм/maps"}}, "",
         "\xEF\xBB\xBF[MISC]\r\nuser=J\xC3\xB6rg\r\n[GAMEDIR]\r\nmaps=/home/Дм/maps\r\n"},
        {"only a later write of the batch needs UTF-8", "[MISC]\r\nuser=J\xF6rg\r\n",
         {{"MISC", "company", "Clan"}, {"GAMEDIR", "maps", "/home/Дм/maps"}}, "",
         "\xEF\xBB\xBF[MISC]\r\nuser=J\xC3\xB6rg\r\ncompany=Clan\r\n[GAMEDIR]\r\nmaps=/home/Дм/maps\r\n"},
        // Refused: nothing of the batch is written.
        {"value with a lone CR", misc, {{"MISC", "user", "a\rb"}}, lineBreak, misc},
        {"value with an LF and a section", misc, {{"MISC", "user", "Ace\n[GAMEDIR]\nprogram=evil.exe"}}, lineBreak, misc},
        {"value with an overlong CR LF", misc, {{"MISC", "user", "a\xC0\x8D\xC0\x8Ax=y"}}, invalid, misc},
        {"value with NUL", misc, {{"MISC", "user", std::string("a\0b", 3)}}, invalid, misc},
        {"key with =", misc, {{"MISC", "us=er", "x"}}, refused, misc},
        {"section with ]", misc, {{"MI]SC", "user", "x"}}, refused, misc},
        {"section with [", misc, {{"[MISC", "user", "x"}}, refused, misc},
        {"key with a line break", misc, {{"MISC", "us\rer", "x"}}, refused, misc},
        {"empty section", misc, {{"", "user", "x"}}, refused, misc},
        {"blank key", misc, {{"MISC", " \t ", "x"}}, refused, misc},
        {"key starting with ;", misc, {{"MISC", " ;user", "x"}}, refused, misc},
        {"second write of a batch bad", misc, {{"MISC", "user", "Bee"}, {"MISC", "", "x"}}, refused, misc},
        // clang-format on
    };
    for (const auto& c : cases) {
        plant(c.before);
        const WriteResult result = WritePPSBatch(c.writes, ini);
        EXPECT_EQ(result.reason, c.reason) << c.what;
        EXPECT_EQ(result.ok, c.reason.empty()) << c.what;
        EXPECT_EQ(c.before || result.ok ? readBytes(ini) : "", c.after) << c.what;
    }
}

TEST(DescribeError, EveryReasonIsGerman) {
    // No code reaches the player in the system's English.
    for (int code = 1; code < 200; ++code) {
        const std::error_code error(code, std::generic_category());
        EXPECT_NE(describeError(error), error.message()) << code;
    }
    EXPECT_EQ(describeError(std::error_code(98765, std::generic_category())),
              "Unbekannter Systemfehler (Nummer 98765)");
}

#ifndef _WIN32

std::string expectRefused(const std::string& ini, const std::string& reason) {
    const std::string before = readBytes(ini);
    const WriteResult result = WritePPS("MISC", "user", "Bee", ini);
    if (result.ok || result.reason != reason)
        return "expected \"" + reason + "\", got \"" + result.reason + "\"; ";
    return readBytes(ini) == before ? "" : "file changed; ";
}

#endif

TEST_F(SettingsFile, PermissionsAreKeptAndRespected) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no owner permission modes "
                    "(its read-only attribute: settings_windows_test.cpp)";
#else
    const std::string report = test::asPlayer(folder.path(), [&] {
        std::string failures;
        const auto perms = [&] { return fs::status(ini).permissions() & fs::perms::mask; };
        // A private file stays private, a shared one shared.
        for (const auto mode : {fs::perms::owner_read | fs::perms::owner_write,
                                fs::perms::owner_read | fs::perms::owner_write |
                                    fs::perms::group_read | fs::perms::others_read}) {
            writeBytes(ini, "[MISC]\r\nuser=Ace\r\n");
            fs::permissions(ini, mode);
            if (!WritePPS("MISC", "user", "Bee", ini).ok || perms() != mode)
                failures += "mode not kept; ";
        }
        // A read-only file is not replaced behind the player's back.
        fs::permissions(ini, fs::perms::owner_read);
        failures += expectRefused(ini, "Die Datei ist schreibgeschützt");
        // A file that cannot be read is never replaced: its other lines would be lost.
        fs::permissions(ini, fs::perms::owner_write);
        failures += expectRefused(ini, "Zugriff verweigert");
        fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
        // A folder the player may not write.
        fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
        failures += expectRefused(ini, "Zugriff verweigert");
        fs::permissions(folder.path(), fs::perms::owner_all);
        return failures;
    });
    EXPECT_EQ(report, "");
    // Not even root replaces a file nobody may write, as Windows refuses a
    // read-only file to an administrator.
    writeBytes(ini, "[MISC]\r\nuser=Ace\r\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(expectRefused(ini, "Die Datei ist schreibgeschützt"), "");
#endif
}

TEST_F(SettingsFile, WhatOthersPlantInTheFolderIsIgnoredAndSwept) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need administrator rights on Windows";
#else
    const std::string victim = folder.file("victim");
    writeBytes(victim, "keep");
    fs::create_directory(folder.file("orvo.ini.tmp-dir"));
    for (const std::string name : {"orvo.ini.tmp-1234-0", "orvo.ini.tmp-aaaaaaaaaaaa"})
        fs::create_symlink(victim, folder.file(name));
    writeBytes(folder.file("orvo.ini.tmp-killed"), "half a save");
    writeBytes(folder.file("orvo.cfg.tmp-abc"), "another file's save");
    write("MISC", "user", "Ace");
    EXPECT_EQ(readBytes(victim), "keep");
    EXPECT_EQ(readBytes(ini), "[MISC]\r\nuser=Ace\r\n");
    EXPECT_FALSE(fs::is_symlink(ini));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"orvo.cfg.tmp-abc", "orvo.ini", "orvo.ini.lock",
                                              "orvo.ini.tmp-dir", "victim"}));
#endif
}

TEST_F(SettingsFile, SymlinkedFileIsWrittenThrough) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need administrator rights on Windows";
#else
    fs::create_directory(folder.file("real"));
    const std::string target = folder.file("real/settings.ini");
    writeBytes(target, "[MISC]\r\nuser=Ace\r\n");
    fs::create_symlink("real/settings.ini", ini);
    write("MISC", "company", "Clan");
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(readBytes(target), "[MISC]\r\nuser=Ace\r\ncompany=Clan\r\n");
    EXPECT_EQ(get("MISC", "company"), "Clan");
#endif
}

// Only a regular file of sane size is read; nothing else is replaced, and a
// failed write leaves no temporary file behind.
TEST_F(SettingsFile, OnlyRegularFilesOfSaneSizeAreReadOrReplaced) {
    const struct {
        const char* what;
        std::function<void()> make;
        std::string reason;
    } cases[] = {
        {"folder", [&] { fs::create_directory(ini); }, "Der Name gehört zu einem Ordner"},
#ifndef _WIN32
        {"FIFO", [&] { ASSERT_EQ(mkfifo(ini.c_str(), 0600), 0); },
         "Der Name gehört zu keiner gewöhnlichen Datei"},
        {"device", [&] { fs::create_symlink("/dev/null", ini); },
         "Der Name gehört zu keiner gewöhnlichen Datei"},
#endif
        {"oversized file",
         [&] {
             writeBytes(ini, "[MISC]\r\nuser=Ace\r\n");
             fs::resize_file(ini, kLargestReadFile + 1);
         },
         "Die Datei ist zu groß"},
    };
    for (const auto& c : cases) {
        plant(std::nullopt);
        c.make();
        EXPECT_EQ(get("MISC", "user"), "error") << c.what;
        const WriteResult result = WritePPS("MISC", "user", "Bee", ini);
        EXPECT_EQ(result.reason, c.reason) << c.what;
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(ini)) &&
                     fs::file_size(ini) < kLargestReadFile)
            << c.what << ": replaced";
    }
    EXPECT_EQ(WritePPS("MISC", "user", "Bee", folder.file("no/such/orvo.ini")).reason,
              "Der Ordner existiert nicht");
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);
    plant("[MISC]\r\nuser=Ace\r\n");
    fs::resize_file(ini, kLargestReadFile);
    EXPECT_EQ(get("MISC", "user"), "Ace") << "a file of the largest size is read";
}

TEST_F(SettingsFile, TwoProgramsSavingAtOnceLoseNothing) {
    constexpr int kKeys = 300;
    const auto writeAll = [&](const std::string& prefix) {
        int failed = 0;
        for (int i = 0; i < kKeys; ++i)
            failed +=
                WritePPS("MISC", prefix + std::to_string(i), std::to_string(i), ini).ok ? 0 : 1;
        return failed;
    };
#ifdef _WIN32
    // No fork here; the lock is taken on a handle of its own for every write, and
    // two handles exclude each other even in one process: threads stand in.
    std::atomic<int> failed = 0;
    std::vector<std::thread> writers;
    for (const char* prefix : {"a", "b"})
        writers.emplace_back([&, prefix] { failed += writeAll(prefix); });
    for (auto& writer : writers)
        writer.join();
    EXPECT_EQ(failed, 0);
#else
    std::vector<pid_t> children;
    for (const char* prefix : {"a", "b"}) {
        const pid_t pid = fork();
        if (pid == 0)
            _exit(writeAll(prefix) == 0 ? 0 : 1);
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
#endif
    int missing = 0;
    for (const char* prefix : {"a", "b"})
        for (int i = 0; i < kKeys; ++i)
            missing += get("MISC", prefix + std::to_string(i)) == std::to_string(i) ? 0 : 1;
    EXPECT_EQ(missing, 0);
}

} // namespace
} // namespace gravelock
