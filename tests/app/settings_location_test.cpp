#include "core/settings_location.h"
#include "core/text.h"
#include "environment.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace gravelock {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

// The rule joins and shows paths with the system's separator.
std::string native(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

const char* const kUser = "/home/p/.config/Gravelock";
const char* const kUserFile = "/home/p/.config/Gravelock/orvo.ini";
const char* const kTemplate = "/usr/share/gravelock/orvo.ini";

TEST(SettingsLocationRule, PicksTheFileAndItsSeed) {
    using enum SettingsOrigin;
    const struct {
        const char *name, *commandLine, *executableFolder; // commandLine "" when not given
        bool iniBeside, writable;
        const char* userFolder; // "" when the platform names none
        SettingsOrigin origin;
        const char *file, *seed, *problemMentions; // problemMentions "" when none is expected
    } cases[] = {
        // clang-format off
        {"command line wins",          "/tmp/lan.ini", "/opt/g",    true,  true,  kUser, CommandLine,      "/tmp/lan.ini",    kTemplate,            ""},
        {"portable copy",              "",             "/opt/g",    true,  true,  kUser, BesideExecutable, "/opt/g/orvo.ini", "",                   ""},
        {"installed program",          "",             "/usr/bin",  false, false, kUser, PerUser,          kUserFile,         kTemplate,            ""},
        {"writable folder, no ini",    "",             "/home/p/g", false, true,  kUser, PerUser,          kUserFile,         kTemplate,            ""},
        {"read-only copy seeds",       "",             "/media/cd", true,  false, kUser, PerUser,          kUserFile,         "/media/cd/orvo.ini", ""},
        {"read-only copy, no user",    "",             "/media/cd", true,  false, "",    Nowhere,          "",                "",                   "/media/cd ist schreibgeschützt"},
        {"nothing anywhere",           "",             "/usr/bin",  false, false, "",    Nowhere,          "",                "",                   "(/usr/bin) liegt keine orvo.ini"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsLocation location =
            decideSettingsLocation({native(c.commandLine), native(c.executableFolder), c.iniBeside,
                                    c.writable, native(c.userFolder), native(kTemplate)});
        EXPECT_EQ(location.origin, c.origin);
        EXPECT_EQ(location.file, native(c.file));
        EXPECT_EQ(location.seedFile, native(c.seed));
        EXPECT_EQ(location.problem.empty(), *c.problemMentions == '\0') << location.problem;
        EXPECT_NE(location.problem.find(native(c.problemMentions)), std::string::npos)
            << location.problem;
    }
}

// The file on disk: an existing one is never touched, a missing one comes from
// its seed, and every failure names the folder or file and the reason.
class CreatingTheFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::string seed = folder.file("template.ini");

    SettingsLocation perUser(const std::string& file) {
        return {SettingsOrigin::PerUser, file, seed, {}};
    }
};

TEST_F(CreatingTheFile, MissingFileAndFoldersComeFromTheSeedAnExistingFileStays) {
    writeBytes(seed, "[MISC]\nfirstuse=yes\n");
    const std::string existing = folder.file("orvo.ini");
    writeBytes(existing, "[MISC]\nfirstuse=no\n");
    for (const auto& [file, content] :
         {std::pair{folder.file("config/Gravelock/orvo.ini"), "yes"}, std::pair{existing, "no"}}) {
        ASSERT_TRUE(createSettingsFile(perUser(file)));
        EXPECT_EQ(readBytes(file), std::string("[MISC]\nfirstuse=") + content + "\n");
    }
}

TEST_F(CreatingTheFile, FailuresNameWhatAndWhy) {
    fs::create_directories(folder.path() / "dir.ini");
    writeBytes(folder.file("plain"), "");
    const struct {
        const char* name;
        SettingsLocation location;
        std::string mentions;
    } cases[] = {
        {"missing template", perUser(folder.file("a/orvo.ini")), "template.ini"},
        {"folder under a file", perUser(folder.file("plain/orvo.ini")),
         "plain kann nicht angelegt"},
        {"file is a folder", perUser(folder.file("dir.ini")), "ist ein Ordner"},
        {"nowhere", {SettingsOrigin::Nowhere, {}, {}, "kein Ort"}, "kein Ort"},
    };
    for (const auto& c : cases) {
        const WriteResult result = createSettingsFile(c.location);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_NE(result.reason.find(c.mentions), std::string::npos)
            << c.name << ": " << result.reason;
    }
    EXPECT_FALSE(fs::exists(folder.path() / "a" / "orvo.ini"));
}

TEST_F(CreatingTheFile, ProbeTellsWhetherTheFolderTakesNewFiles) {
    std::string reason;
    EXPECT_TRUE(folderAcceptsNewFiles(pathToUtf8(folder.path()), reason));
    EXPECT_TRUE(fs::is_empty(folder.path())) << "the probe leaves nothing behind";
    EXPECT_FALSE(folderAcceptsNewFiles(folder.file("missing"), reason));
    EXPECT_EQ(reason, "Der Ordner existiert nicht");
}

TEST_F(CreatingTheFile, ReadOnlyFolderIsSeenAndReported) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no owner permission modes";
#else
    writeBytes(seed, "[MISC]\nfirstuse=yes\n");
    const fs::path locked = folder.path() / "locked";
    fs::create_directories(locked);
    const std::string report = test::asPlayer(folder.path(), [&] {
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        std::string failures;
        std::string reason;
        if (folderAcceptsNewFiles(locked.string(), reason) || reason != "Zugriff verweigert")
            failures += "probe: " + reason + "; ";
        const WriteResult result = createSettingsFile(perUser((locked / "orvo.ini").string()));
        if (result.reason.find("locked kann nicht geschrieben werden: Zugriff verweigert") ==
            std::string::npos)
            failures += "create: " + result.reason + "; ";
        fs::permissions(locked, fs::perms::owner_all);
        return failures;
    });
    EXPECT_EQ(report, "");
#endif
}

} // namespace
} // namespace gravelock
