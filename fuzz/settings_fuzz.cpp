// Fuzzes the settings reader and the write-then-read round trip: any file
// bytes and any names must neither crash nor lose a value, and a write must
// change nothing but the key it writes.
#include "core/settings.h"
#include "core/text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace {

using namespace gravelock;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "settings fuzz: %s\n", what);
    std::abort();
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// What a read of `key=value` gives back: blanks trimmed, a matching pair of quotes removed.
std::string readBack(std::string_view value) {
    value = trimBlanks(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool sameName(std::string_view a, std::string_view b) {
    a = trimBlanks(a);
    b = trimBlanks(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

const std::string& settingsPath() {
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("gravelock-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return (dir / "orvo.ini").string();
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(24);
    const std::string key = input.ConsumeRandomLengthString(24);
    const std::string value = input.ConsumeRandomLengthString(64);
    const std::string probeSection = input.ConsumeRandomLengthString(24);
    const std::string probeKey = input.ConsumeRandomLengthString(24);
    const int max = input.ConsumeIntegralInRange(-2, 200);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const std::string& ini = settingsPath();
    {
        std::ofstream out(ini, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    // The reader: valid UTF-8, never longer than the buffer allows.
    const std::string got = GetPPS(section, key, "default", max, ini);
    if (!isValidUtf8(got))
        fail("a read returned malformed UTF-8");
    if (characterCount(got) > static_cast<std::size_t>(std::max(max - 1, 0)))
        fail("a read returned more than max - 1 characters");

    const std::string probeBefore = GetPPS(probeSection, probeKey, "\x01missing", kUncut, ini);
    const WriteResult result = WritePPS(section, key, value, ini);
    if (!result.ok) {
        if (result.reason.empty() || !isValidUtf8(result.reason))
            fail("a refusal without a reason");
        if (slurp(ini) != bytes)
            fail("a refused write changed the file");
        return 0;
    }
    if (GetPPS(section, key, "\x01missing", kUncut, ini) != readBack(value))
        fail("a written value did not read back");
    const bool sameEntry = sameName(section, probeSection) && sameName(key, probeKey);
    if (!sameEntry && GetPPS(probeSection, probeKey, "\x01missing", kUncut, ini) != probeBefore)
        fail("a write changed another key");
    return 0;
}
