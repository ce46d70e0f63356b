#include "settings.h"

#include "text.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace gravelock {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view s) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// The file as UTF-8 lines, with what is needed to write it back the same way.
struct IniText {
    std::vector<std::string> lines;
    bool utf8 = false; // the file carries a UTF-8 byte-order mark
};

IniText parse(const std::string& bytes) {
    IniText ini;
    std::string_view content = bytes;
    if (content.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        ini.utf8 = true;
        content.remove_prefix(kUtf8Bom.size());
    }
    const std::string text = ini.utf8 ? std::string(content) : cp1252ToUtf8(content);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ini.lines.push_back(std::move(line));
        start = end + 1;
    }
    return ini;
}

std::optional<std::string> sectionName(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    const auto close = line.find(']');
    return std::string(trimBlanks(line.substr(0, close)));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trimBlanks(line.substr(0, eq)), trimBlanks(line.substr(eq + 1))};
}

// Lines [first, last) of the first section named `name`; first is the header.
struct SectionRange {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<SectionRange> findSection(const IniText& ini, std::string_view name) {
    for (std::size_t i = 0; i < ini.lines.size(); ++i) {
        const auto found = sectionName(ini.lines[i]);
        if (!found || !sameName(*found, name))
            continue;
        std::size_t end = i + 1;
        while (end < ini.lines.size() && !sectionName(ini.lines[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const IniText& ini, const SectionRange& section,
                                   std::string_view key) {
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const auto kv = keyLine(ini.lines[i]);
        if (kv && sameName(kv->key, key))
            return i;
    }
    return std::nullopt;
}

// A value enclosed in matching quotes reads without them, as on Windows.
std::string unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

std::optional<std::string> storedValue(const std::string& cat, const std::string& cle,
                                       const std::string& file) {
    std::error_code error;
    const auto bytes = readWholeFile(file, error);
    if (!bytes)
        return std::nullopt;
    const IniText ini = parse(*bytes);
    const auto section = findSection(ini, cat);
    if (!section)
        return std::nullopt;
    const auto line = findKey(ini, *section, cle);
    if (!line)
        return std::nullopt;
    return unquote(keyLine(ini.lines[*line])->value);
}

bool isValidName(std::string_view name) {
    return !trimBlanks(name).empty() &&
           name.find_first_of("\r\n[]=") == std::string_view::npos;
}

} // namespace

std::string GetPPS(const std::string& cat, const std::string& cle, const std::string& def,
                   std::int32_t max, const std::string& file) {
    if (max <= 1)
        return {};
    const std::string value = storedValue(cat, cle, file).value_or(def);
    // The result comes through a buffer that is trimmed of leading blanks.
    const std::string cut = firstCharacters(value, static_cast<std::size_t>(max - 1));
    return cut.substr(std::min(cut.find_first_not_of(' '), cut.size()));
}

WriteResult WritePPS(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) {
    if (!isValidName(section) || !isValidName(key))
        return WriteResult::failure("Ungültiger Abschnitts- oder Schlüsselname");
    if (value.find_first_of("\r\n") != std::string::npos)
        return WriteResult::failure("Der Wert enthält einen Zeilenumbruch");

    std::error_code error;
    const auto bytes = readWholeFile(file, error);
    if (error) // never replace a file whose other lines could not be read
        return WriteResult::failure(describeError(error));
    IniText ini = bytes ? parse(*bytes) : IniText{};

    const std::string newLine = key + "=" + value;
    if (const auto range = findSection(ini, section)) {
        if (const auto line = findKey(ini, *range, key)) {
            const std::string_view old = ini.lines[*line];
            ini.lines[*line] = std::string(trimBlanks(old.substr(0, old.find('=')))) + "=" + value;
        } else {
            std::size_t insertAt = range->end;
            while (insertAt > range->header + 1 && trimBlanks(ini.lines[insertAt - 1]).empty())
                --insertAt;
            ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
        }
    } else {
        ini.lines.push_back("[" + section + "]");
        ini.lines.push_back(newLine);
    }

    std::string text;
    for (const auto& line : ini.lines)
        text += line + "\r\n";

    std::string out;
    if (!ini.utf8) {
        if (auto encoded = utf8ToCp1252(text)) {
            out = std::move(*encoded);
        } else {
            // Keep a path Windows-1252 cannot hold rather than corrupt it: the
            // file becomes UTF-8 with a byte-order mark, which the reader knows.
            ini.utf8 = true;
        }
    }
    if (ini.utf8)
        out = std::string(kUtf8Bom) + text;
    return replaceFileAtomically(file, out);
}

} // namespace gravelock
