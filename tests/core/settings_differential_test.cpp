// GetPPS and WritePPS against the system's own profile functions, on the same
// bytes. Rows where the two part are listed below with the reason, and a
// listed row must still differ, so that a list never outlives its reason.
#include "core/settings.h"
#include "core/text.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <map>

#include "core/windows_api.h"

namespace gravelock {
namespace {

std::wstring wide(const std::string& utf8) {
    return pathFromUtf8(utf8).wstring();
}

std::string narrow(const std::wstring& text) {
    return pathToUtf8(std::filesystem::path(text));
}

// The system's read, through a buffer of `max` characters.
std::string systemRead(const std::string& section, const std::string& key, const std::string& def,
                       int max, const std::string& file) {
    std::wstring buffer(static_cast<std::size_t>(max), L'\0');
    const DWORD count =
        GetPrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), wide(def).c_str(),
                                 buffer.data(), static_cast<DWORD>(max), wide(file).c_str());
    buffer.resize(count);
    return narrow(buffer);
}

struct ReadCase {
    std::string what;
    std::string content;
    std::string section, key;
    int max = 100;
    std::string def = "error";
};

struct WriteCase {
    std::string what;
    std::string content; // empty: no file
    std::string section, key, value;
};

// Where Wine is not Windows, so the comparison says nothing about Windows.
// Wine parses the whole file and writes it out again; Windows edits the lines.
const std::map<std::string, std::string> kWineIsNotWindows = {
    {"new key after the last key line, before blank lines",
     "Wine drops blank lines when it writes the file; Windows keeps them"},
    {"untouched lines keep their bytes",
     "Wine writes every line anew as name=value; Windows leaves other lines alone"},
    {"value with blanks", "Wine drops the leading blanks of a written value; Windows keeps them"},
    {"new key before trailing comments",
     "Wine puts a new key after the section's comments; Windows after its last key line"},
    {"new key in a section of comments only",
     "Wine puts a new key after the section's comments; Windows right below the header"},
    {"LF file", "Wine writes every line with CR LF; Windows leaves LF lines as they are"},
};

// Where this program parts from the system on purpose.
const std::map<std::string, std::string> kDeliberate = {
    {"section without closing bracket",
     "a header that lost its bracket still opens its section, so hand-edited keys stay found; "
     "Wine skips the line (unverified on Windows)"},
};

bool listed(const std::string& what) {
    return kWineIsNotWindows.count(what) || kDeliberate.count(what);
}

void expectAgreement(const std::string& what, const std::string& ours, const std::string& system) {
    if (listed(what))
        EXPECT_NE(ours, system) << what << ": agrees now, take it off its list";
    else
        EXPECT_EQ(ours, system) << what;
}

class SettingsDifferential : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string oursFile = folder.file("ours.ini");
    std::string systemFile = folder.file("system.ini");

    void lay(const std::string& content) {
        std::error_code ignored;
        std::filesystem::remove(oursFile, ignored);
        std::filesystem::remove(systemFile, ignored);
        if (!content.empty()) {
            test::writeBytes(oursFile, content);
            test::writeBytes(systemFile, content);
        }
    }
};

TEST_F(SettingsDifferential, ReadsAgree) {
    const std::vector<ReadCase> cases = {
        // clang-format off
        {"names in any case", "[MISC]\r\nUser=Ace\r\n", "misc", "USER"},
        {"missing file", "", "MISC", "user"},
        {"missing section", "[X]\r\nuser=Ace\r\n", "MISC", "user"},
        {"missing key", "[MISC]\r\nname=Ace\r\n", "MISC", "user"},
        {"empty value", "[MISC]\r\nuser=\r\n", "MISC", "user"},
        {"blanks around the value", "[MISC]\r\nuser =   Big  Ace  \r\n", "MISC", "user"},
        {"tabs around the value", "[MISC]\r\nuser=\tAce\t\r\n", "MISC", "user"},
        {"blanks around the key", "[MISC]\r\n   user   =Ace\r\n", "MISC", "user"},
        {"blanks around the section name", "[ MISC ]\r\nuser=Ace\r\n", "MISC", "user"},
        {"blanks before the section", "  [MISC]\r\nuser=Ace\r\n", "MISC", "user"},
        {"double quotes", "[MISC]\r\nuser=\"Big Ace\"\r\n", "MISC", "user"},
        {"single quotes", "[MISC]\r\nuser='Big Ace'\r\n", "MISC", "user"},
        {"quoted value keeps inner blanks", "[MISC]\r\nuser=\"  Big Ace  \"\r\n", "MISC", "user"},
        {"one quote only", "[MISC]\r\nuser=\"Big Ace\r\n", "MISC", "user"},
        {"comment line", "[MISC]\r\n;user=Old\r\nuser=Ace\r\n", "MISC", "user"},
        {"semicolon inside the value", "[MISC]\r\nuser=Ace ; clan\r\n", "MISC", "user"},
        {"LF lines", "[MISC]\nuser=Ace\n", "MISC", "user"},
        {"CR lines", "[MISC]\ruser=Ace\rclan=X\r", "MISC", "user"},
        {"lone CR inside a value", "[MISC]\r\nuser=A\rB\r\n", "MISC", "user"},
        {"blanks around the caller's names", "[MISC]\r\nuser=Ace\r\n", " MISC\t", " user "},
        {"no final line end", "[MISC]\r\nuser=Ace", "MISC", "user"},
        {"key twice", "[MISC]\r\nuser=Ace\r\nuser=Bee\r\n", "MISC", "user"},
        {"section twice, key in the first", "[MISC]\r\nuser=Ace\r\n[MISC]\r\nuser=Bee\r\n", "MISC", "user"},
        {"section twice, key in the second", "[MISC]\r\n[X]\r\n[MISC]\r\nuser=Bee\r\n", "MISC", "user"},
        {"line without equals sign", "[MISC]\r\nuser\r\n", "MISC", "user"},
        {"equals sign in the value", "[MISC]\r\nuser=a=b\r\n", "MISC", "user"},
        {"key before any section", "user=Nobody\r\n[MISC]\r\n", "MISC", "user"},
        {"section without closing bracket", "[MISC\r\nuser=Ace\r\n", "MISC", "user"},
        {"buffer of 1", "[MISC]\r\nuser=Ace\r\n", "MISC", "user", 1},
        {"buffer of 2", "[MISC]\r\nuser=Ace\r\n", "MISC", "user", 2},
        {"buffer of the value's size", "[MISC]\r\nuser=Ace\r\n", "MISC", "user", 3},
        {"buffer one more than the value", "[MISC]\r\nuser=Ace\r\n", "MISC", "user", 4},
        {"default cut at 2", "", "MISC", "user", 2, "error"},
        {"default cut at its size", "", "MISC", "user", 5, "error"},
        {"umlaut in the value", "[MISC]\r\nuser=J\xF6rg\r\n", "MISC", "user"},
        // clang-format on
    };
    for (const auto& c : cases) {
        lay(c.content);
        expectAgreement(c.what, GetPPS(c.section, c.key, c.def, c.max, oursFile),
                        systemRead(c.section, c.key, c.def, c.max, systemFile));
    }
}

TEST_F(SettingsDifferential, WritesAgree) {
    const std::vector<WriteCase> cases = {
        // clang-format off
        {"new file", "", "MISC", "user", "Ace"},
        {"replace in any case", "[misc]\r\nUSER=Old\r\nclan=X\r\n", "MISC", "user", "New"},
        {"new key before the next section", "[MISC]\r\nuser=Ace\r\n[GAMEDIR]\r\nmaps=m\r\n", "MISC", "clan", "X"},
        {"new key after the last key line, before blank lines", "[MISC]\r\nuser=Ace\r\n\r\n[GAMEDIR]\r\nmaps=m\r\n", "MISC", "clan", "X"},
        {"new key before trailing comments", "[MISC]\r\nuser=Ace\r\n; end of misc\r\n[GAMEDIR]\r\n", "MISC", "clan", "X"},
        {"new key in a section of comments only", "[MISC]\r\n; none yet\r\n", "MISC", "b", "2"},
        {"header without line end", "[MISC]", "MISC", "user", "Ace"},
        {"new section at the end", "[MISC]\r\nuser=Ace\r\n", "GAMEDIR", "maps", "m"},
        {"new section after a last line without end", "[MISC]\r\nuser=Ace", "GAMEDIR", "maps", "m"},
        {"LF file", "[MISC]\nuser=Ace\nclan=X\n", "MISC", "user", "Bee"},
        {"untouched lines keep their bytes", "[MISC]\r\n  user =  Ace  \r\nclan=X\r\n", "MISC", "clan", "Y"},
        {"replace in the first of two sections", "[MISC]\r\nuser=A\r\n[MISC]\r\nuser=B\r\n", "MISC", "user", "C"},
        {"empty value", "[MISC]\r\nuser=Ace\r\n", "MISC", "user", ""},
        {"value with blanks", "[MISC]\r\nuser=Ace\r\n", "MISC", "user", "  Big Ace  "},
        // clang-format on
    };
    for (const auto& c : cases) {
        lay(c.content);
        const WriteResult result = WritePPS(c.section, c.key, c.value, oursFile);
        EXPECT_TRUE(result.ok) << c.what << ": " << result.reason;
        WritePrivateProfileStringW(wide(c.section).c_str(), wide(c.key).c_str(),
                                   wide(c.value).c_str(), wide(systemFile).c_str());
        expectAgreement(c.what, test::readBytes(oursFile), test::readBytes(systemFile));
    }
}

} // namespace
} // namespace gravelock
