#include "core/file_names.h"

#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace gravelock {

namespace {

// The lower case of the capitals in the Latin, Greek and Cyrillic blocks; other
// characters compare by their own code.
char16_t lowered(char16_t c) {
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return char16_t(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return char16_t(c + 0x50);
    if (c == 0x130)
        return u'i';
    // Latin Extended-A: capital and small alternate, except where the run breaks.
    if (c >= 0x100 && c <= 0x17F) {
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x178)
            return 0xFF;
        if (c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        return (c % 2 == (oddPairs ? 1 : 0)) ? char16_t(c + 1) : c;
    }
    return c;
}

std::string asciiLowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool matchesFilePattern(std::u16string_view name, std::u16string_view pattern) {
    // Greedy match with one back-up point: the last '*' seen.
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::u16string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || lowered(pattern[p]) == lowered(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::u16string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool fileNameBefore(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = lowered(a[i]);
        const char16_t y = lowered(b[i]);
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

std::optional<std::filesystem::path> entryNamed(const std::filesystem::path& folder,
                                                const std::string& name, EntryKind kind) {
    namespace fs = std::filesystem;
    const auto fits = [kind](const fs::path& p) {
        std::error_code error;
        return kind == EntryKind::Folder ? fs::is_directory(p, error)
                                         : fs::is_regular_file(p, error);
    };
    if (const fs::path exact = folder / pathFromUtf8(name); fits(exact))
        return exact;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    const std::string wanted = asciiLowered(name);
    for (; !error && it != fs::directory_iterator(); it.increment(error))
        if (asciiLowered(pathToUtf8(it->path().filename())) == wanted && fits(it->path()))
            return it->path();
    return std::nullopt;
}

} // namespace gravelock
