// The settings file on Windows: drive-letter paths, paths with umlauts handed
// over as UTF-8, and the read-only attribute.
#include "core/settings.h"
#include "core/text.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/windows_api.h"

namespace gravelock {
namespace {

namespace fs = std::filesystem;

TEST(WindowsSettingsFile, WindowsPathsReachTheNamedFile) {
    test::TempFolder folder;
    ASSERT_EQ(folder.file("x").substr(1, 2), ":\\") << "a drive-letter path";
    struct Case {
        const char* what;
        std::string subfolder;   // UTF-8, as the program holds it
        std::wstring wideFolder; // the same name as the system spells it
    };
    const std::vector<Case> cases = {
        {"blanks and umlauts", "Spiele Größe Übel", L"Spiele Gr\u00f6\u00dfe \u00dcbel"},
        {"outside Windows-1252", "Дмитрий", L"\u0414\u043c\u0438\u0442\u0440\u0438\u0439"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string dir = pathToUtf8(folder.path()) + "\\" + c.subfolder;
        fs::create_directories(pathFromUtf8(dir));
        const std::string ini = dir + "\\orvo.ini";
        ASSERT_TRUE(WritePPS("GAMEDIR", "program", "C:\\HL\\hl.exe", ini).ok);
        EXPECT_EQ(GetPPS("gamedir", "PROGRAM", "error", 100, ini), "C:\\HL\\hl.exe");
        // The file is where the system looks for that name, not under a mangled one.
        EXPECT_TRUE(fs::exists(folder.path() / c.wideFolder / L"orvo.ini"));
    }
}

TEST(WindowsSettingsFile, ReadOnlyFileIsRefusedAndKeptWhole) {
    test::TempFolder folder;
    const std::string ini = folder.file("orvo.ini");
    ASSERT_TRUE(WritePPS("MISC", "user", "Ace", ini).ok);
    const std::string before = test::readBytes(ini);
    const std::wstring wide = pathFromUtf8(ini).wstring();
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));

    const WriteResult result = WritePPS("MISC", "user", "Bee", ini);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "Die Datei ist schreibgeschützt");
    EXPECT_EQ(test::readBytes(ini), before);
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);

    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
} // namespace gravelock
