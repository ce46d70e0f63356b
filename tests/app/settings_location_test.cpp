#include "core/settings_location.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace gravelock {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

struct RuleCase {
    const char* name;
    SettingsSituation situation;
    SettingsOrigin origin;
    std::string file;
    std::string seed;
    std::string problemMentions; // empty: no problem expected
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsLocationRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(SettingsLocationRule, PicksTheFileAndItsSeed) {
    const RuleCase& c = GetParam();
    const SettingsLocation location = decideSettingsLocation(c.situation);
    EXPECT_EQ(location.origin, c.origin);
    EXPECT_EQ(location.file, c.file);
    EXPECT_EQ(location.seedFile, c.seed);
    if (c.problemMentions.empty())
        EXPECT_EQ(location.problem, "");
    else
        EXPECT_NE(location.problem.find(c.problemMentions), std::string::npos) << location.problem;
}

const std::string kTemplate = "/usr/share/gravelock/orvo.ini";

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsLocationRule,
    ::testing::Values(RuleCase{"CommandLineWinsOverEverything",
                               {.commandLineFile = "/tmp/lan.ini",
                                .executableFolder = "/opt/g",
                                .iniBesideExecutable = true,
                                .executableFolderWritable = true,
                                .userFolder = "/home/p/.config/Gravelock",
                                .templateFile = kTemplate},
                               SettingsOrigin::CommandLine,
                               "/tmp/lan.ini",
                               kTemplate,
                               ""},
                      RuleCase{"PortableCopyKeepsItsFile",
                               {.executableFolder = "/opt/g",
                                .iniBesideExecutable = true,
                                .executableFolderWritable = true,
                                .userFolder = "/home/p/.config/Gravelock",
                                .templateFile = kTemplate},
                               SettingsOrigin::BesideExecutable,
                               "/opt/g/orvo.ini",
                               "",
                               ""},
                      RuleCase{"InstalledProgramUsesThePerUserFileFromTheTemplate",
                               {.executableFolder = "/usr/bin",
                                .executableFolderWritable = false,
                                .userFolder = "/home/p/.config/Gravelock",
                                .templateFile = kTemplate},
                               SettingsOrigin::PerUser,
                               "/home/p/.config/Gravelock/orvo.ini",
                               kTemplate,
                               ""},
                      RuleCase{"WritableFolderWithoutIniStillUsesThePerUserFile",
                               {.executableFolder = "/home/p/g",
                                .executableFolderWritable = true,
                                .userFolder = "/home/p/.config/Gravelock",
                                .templateFile = kTemplate},
                               SettingsOrigin::PerUser,
                               "/home/p/.config/Gravelock/orvo.ini",
                               kTemplate,
                               ""},
                      RuleCase{"ReadOnlyCopySeedsThePerUserFile",
                               {.executableFolder = "/media/cd",
                                .iniBesideExecutable = true,
                                .executableFolderWritable = false,
                                .userFolder = "/home/p/.config/Gravelock",
                                .templateFile = kTemplate},
                               SettingsOrigin::PerUser,
                               "/home/p/.config/Gravelock/orvo.ini",
                               "/media/cd/orvo.ini",
                               ""},
                      RuleCase{"ReadOnlyCopyAndNoUserFolderNamesTheFolder",
                               {.executableFolder = "/media/cd",
                                .iniBesideExecutable = true,
                                .executableFolderWritable = false,
                                .templateFile = kTemplate},
                               SettingsOrigin::Nowhere,
                               "",
                               "",
                               "/media/cd ist schreibgeschützt"},
                      RuleCase{"NothingAnywhereNamesTheFolder",
                               {.executableFolder = "/usr/bin", .templateFile = kTemplate},
                               SettingsOrigin::Nowhere,
                               "",
                               "",
                               "(/usr/bin) liegt keine orvo.ini"}),
    [](const ::testing::TestParamInfo<RuleCase>& c) { return std::string(c.param.name); });

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

TEST_F(CreatingTheFile, MissingFileAndFoldersComeFromTheSeed) {
    writeBytes(seed, "[MISC]\nfirstuse=yes\n");
    const std::string file = folder.file("config/Gravelock/orvo.ini");
    ASSERT_TRUE(createSettingsFile(perUser(file)));
    EXPECT_EQ(readBytes(file), "[MISC]\nfirstuse=yes\n");
}

TEST_F(CreatingTheFile, ExistingFileStaysAsItIs) {
    writeBytes(seed, "[MISC]\nfirstuse=yes\n");
    const std::string file = folder.file("orvo.ini");
    writeBytes(file, "[MISC]\nfirstuse=no\n");
    ASSERT_TRUE(createSettingsFile(perUser(file)));
    EXPECT_EQ(readBytes(file), "[MISC]\nfirstuse=no\n");
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

TEST_F(CreatingTheFile, ReadOnlyFolderIsSeenAndReported) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    writeBytes(seed, "[MISC]\nfirstuse=yes\n");
    const fs::path locked = folder.path() / "locked";
    fs::create_directories(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);

    std::string reason;
    EXPECT_FALSE(folderAcceptsNewFiles(locked.string(), reason));
    EXPECT_EQ(reason, "Zugriff verweigert");
    const WriteResult result = createSettingsFile(perUser((locked / "orvo.ini").string()));
    EXPECT_NE(result.reason.find("locked kann nicht geschrieben werden: Zugriff verweigert"),
              std::string::npos)
        << result.reason;

    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_TRUE(folderAcceptsNewFiles(locked.string(), reason));
    EXPECT_TRUE(fs::is_empty(locked)) << "the probe leaves nothing behind";
}

} // namespace
} // namespace gravelock
