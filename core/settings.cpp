#include "core/settings.h"

#include "core/file_io.h"
#include "core/text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace gravelock {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// A line this program adds ends the Windows way, whatever the others use.
constexpr std::string_view kNewLineEnd = "\r\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

// One line of the file with its own line end: CR LF, LF, a lone CR, or none
// at the end of the file.
struct Line {
    std::string_view text;
    std::string_view end;
};

// The first CR or LF at or after `pos`. Eight bytes at a time: a writer
// splits every line of the file, and this keeps that near a plain read.
std::size_t findLineEnd(std::string_view s, std::size_t pos) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101;
        constexpr std::uint64_t kHighs = 0x8080808080808080;
        // High bit set in the lowest zero byte of v (higher ones may be false).
        const auto zeroBytes = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
        for (; pos + 8 <= s.size(); pos += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, s.data() + pos, 8);
            const std::uint64_t hits =
                zeroBytes(word ^ (kOnes * '\n')) | zeroBytes(word ^ (kOnes * '\r'));
            if (hits != 0)
                return pos + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
        }
    }
    while (pos < s.size() && s[pos] != '\r' && s[pos] != '\n')
        ++pos;
    return pos;
}

std::optional<Line> nextLine(std::string_view content, std::size_t& pos) {
    if (pos >= content.size())
        return std::nullopt;
    const std::size_t stop = findLineEnd(content, pos);
    std::size_t endLength = 0;
    if (stop < content.size())
        endLength =
            content[stop] == '\r' && stop + 1 < content.size() && content[stop + 1] == '\n' ? 2 : 1;
    const Line line{content.substr(pos, stop - pos), content.substr(stop, endLength)};
    pos = stop + endLength;
    return line;
}

// What a line of the file is, read the way the Windows profile functions read
// it. Reading and writing both ask this, so they always agree on a line.
enum class LineKind { SectionHead, KeyLine, Comment, Other };

struct ClassifiedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;  // the section's or the key's, blanks trimmed
    std::string_view value; // a key line's, blanks trimmed
};

ClassifiedLine classifyLine(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty())
        return {};
    if (trimmed.front() == ';')
        return {LineKind::Comment, {}, {}};
    if (trimmed.front() == '[') {
        const std::string_view inside = trimmed.substr(1);
        return {LineKind::SectionHead, trimBlanks(inside.substr(0, inside.find(']'))), {}};
    }
    const auto eq = trimmed.find('=');
    if (eq == std::string_view::npos)
        return {};
    return {LineKind::KeyLine, trimBlanks(trimmed.substr(0, eq)),
            trimBlanks(trimmed.substr(eq + 1))};
}

bool isSection(const ClassifiedLine& line, std::string_view name) {
    return line.kind == LineKind::SectionHead && sameName(line.name, name);
}

// A value enclosed in a matching pair of quotes reads without them, blanks
// inside kept: that is how a value keeps its leading or trailing blanks.
std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The file's content without its byte-order mark, and which encoding it uses.
struct Content {
    std::string_view text;
    bool utf8 = false;
};

Content splitEncoding(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        return {bytes.substr(kUtf8Bom.size()), true};
    return {bytes, false};
}

std::optional<std::string> toFileEncoding(std::string_view utf8, bool fileIsUtf8) {
    if (fileIsUtf8)
        return std::string(utf8);
    return utf8ToCp1252(utf8);
}

std::string fromFileEncoding(std::string_view bytes, bool fileIsUtf8) {
    // A hand-edited UTF-8 file may still hold Windows-1252 bytes.
    if (fileIsUtf8 && isValidUtf8(bytes))
        return std::string(bytes);
    return cp1252ToUtf8(bytes);
}

// Whether only blanks stand between the start of its line and `at`.
bool startsLine(std::string_view content, std::size_t at) {
    while (at > 0 && isBlank(content[at - 1]))
        --at;
    return at == 0 || content[at - 1] == '\n' || content[at - 1] == '\r';
}

// The '[' of the first section header at or after `pos`, or the end. Headers
// are rare, so this jumps from one '[' to the next instead of walking every
// line of the sections that are not asked for.
std::size_t nextHeader(std::string_view content, std::size_t pos) {
    for (; (pos = content.find('[', pos)) != std::string_view::npos; ++pos)
        if (startsLine(content, pos))
            return pos;
    return content.size();
}

// The value of the first line in `content` from `begin` that holds `key`.
// Only a line whose first non-blank byte is the key's first letter, in either
// case, is compared: memchr jumps from one such byte to the next, so the other
// lines of a long section cost next to nothing.
std::optional<std::string_view> findKey(std::string_view content, std::size_t begin,
                                        std::string_view key) {
    constexpr auto npos = std::string_view::npos;
    const char lower = lowerAscii(key.front());
    const char upper = upperAscii(key.front());
    std::size_t nextLower = content.find(lower, begin);
    std::size_t nextUpper = upper == lower ? npos : content.find(upper, begin);
    while (nextLower != nextUpper) { // equal only when both ran out
        const std::size_t at = std::min(nextLower, nextUpper);
        if (sameName(content.substr(at, key.size()), key) && startsLine(content, at)) {
            const auto line = classifyLine(content.substr(at, findLineEnd(content, at) - at));
            if (line.kind == LineKind::KeyLine && sameName(line.name, key))
                return line.value;
        }
        if (at == nextLower)
            nextLower = content.find(lower, at + 1);
        else
            nextUpper = content.find(upper, at + 1);
    }
    return std::nullopt;
}

// The stored value in the file's bytes; the first copy of a section and of a
// key count, as on Windows.
std::optional<std::string_view> findValue(std::string_view content, std::string_view section,
                                          std::string_view key) {
    for (std::size_t pos = nextHeader(content, 0); pos < content.size();) {
        const auto header = nextLine(content, pos);
        if (isSection(classifyLine(header->text), section))
            return findKey(content.substr(0, nextHeader(content, pos)), pos, key);
        pos = nextHeader(content, pos);
    }
    return std::nullopt;
}

std::optional<std::string> storedValue(std::string_view cat, std::string_view cle,
                                       const std::string& file) {
    std::error_code error;
    const auto bytes = readWholeFile(file, error);
    if (!bytes)
        return std::nullopt;
    const Content content = splitEncoding(*bytes);
    const auto section = toFileEncoding(trimBlanks(cat), content.utf8);
    const auto key = toFileEncoding(trimBlanks(cle), content.utf8);
    if (!section || !key)
        return std::nullopt; // a name the file's code page cannot hold is not in it
    // An empty key, one with '=' or a leading ';' never stands in a key line.
    if (key->empty() || key->find('=') != std::string::npos || key->front() == ';')
        return std::nullopt;
    const auto value = findValue(content.text, *section, *key);
    if (!value)
        return std::nullopt;
    return fromFileEncoding(unquote(*value), content.utf8);
}

// The file as editable lines; every line keeps its bytes unless written.
struct Document {
    bool utf8 = false;
    struct EditLine {
        std::string text;
        std::string end;
    };
    std::vector<EditLine> lines;
};

Document parseDocument(std::string_view bytes) {
    const Content content = splitEncoding(bytes);
    Document doc;
    doc.utf8 = content.utf8;
    std::size_t pos = 0;
    while (const auto line = nextLine(content.text, pos))
        doc.lines.push_back({std::string(line->text), std::string(line->end)});
    return doc;
}

// Turns a Windows-1252 document into UTF-8, for text the code page cannot hold.
void convertToUtf8(Document& doc) {
    if (doc.utf8)
        return;
    for (auto& line : doc.lines)
        line.text = cp1252ToUtf8(line.text);
    doc.utf8 = true;
}

std::string serialise(const Document& doc) {
    std::size_t size = doc.utf8 ? kUtf8Bom.size() : 0;
    for (const auto& line : doc.lines)
        size += line.text.size() + line.end.size();
    std::string out;
    out.reserve(size);
    if (doc.utf8)
        out += kUtf8Bom;
    for (const auto& line : doc.lines) {
        out += line.text;
        out += line.end;
    }
    return out;
}

// Adds a line after line `after` (or at the top when the file is empty).
void insertLine(Document& doc, std::size_t at, std::string text) {
    if (at > 0 && doc.lines[at - 1].end.empty())
        doc.lines[at - 1].end = kNewLineEnd;
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(at),
                     {std::move(text), std::string(kNewLineEnd)});
}

// One write into the document; names and value are in the file's encoding,
// the names trimmed.
void apply(Document& doc, const std::string& section, const std::string& key,
           const std::string& value) {
    std::size_t header = 0;
    while (header < doc.lines.size() && !isSection(classifyLine(doc.lines[header].text), section))
        ++header;
    if (header == doc.lines.size()) {
        insertLine(doc, doc.lines.size(), "[" + section + "]");
        insertLine(doc, doc.lines.size(), key + "=" + value);
        return;
    }
    // A new key follows the last key line, so comments closing the section stay below.
    std::size_t lastKey = header;
    for (std::size_t i = header + 1; i < doc.lines.size(); ++i) {
        const ClassifiedLine line = classifyLine(doc.lines[i].text);
        if (line.kind == LineKind::SectionHead)
            break;
        if (line.kind != LineKind::KeyLine)
            continue;
        if (sameName(line.name, key)) {
            doc.lines[i].text = std::string(line.name) + "=" + value;
            // Windows ends a rewritten last line too.
            if (doc.lines[i].end.empty())
                doc.lines[i].end = kNewLineEnd;
            return;
        }
        lastKey = i;
    }
    insertLine(doc, lastKey + 1, key + "=" + value);
}

// Why a write cannot be stored so that a read finds it again; empty when it can.
std::string refusal(const SettingWrite& write) {
    constexpr std::string_view kBadNameCharacters("[]=\r\n\0", 6);
    const auto badName = [&](std::string_view name) {
        const std::string_view trimmed = trimBlanks(name);
        return trimmed.empty() ||
               trimmed.find_first_of(kBadNameCharacters) != std::string_view::npos ||
               !isValidUtf8(trimmed);
    };
    if (badName(write.section) || badName(write.key) || trimBlanks(write.key).front() == ';')
        return "Ungültiger Abschnitts- oder Schlüsselname";
    if (write.value.find_first_of("\r\n") != std::string::npos)
        return "Der Wert enthält einen Zeilenumbruch";
    if (write.value.find('\0') != std::string::npos || !isValidUtf8(write.value))
        return "Der Wert enthält ungültige Zeichen";
    return {};
}

} // namespace

std::string GetPPS(const std::string& cat, const std::string& cle, const std::string& def,
                   std::int32_t max, const std::string& file) {
    if (max <= 1)
        return {};
    const auto stored = storedValue(cat, cle, file);
    std::string_view value = def;
    if (stored) {
        value = *stored;
    } else {
        while (!value.empty() && value.back() == ' ')
            value.remove_suffix(1);
    }
    return firstCharacters(value, static_cast<std::size_t>(max - 1));
}

WriteResult WritePPS(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) {
    return WritePPSBatch({{section, key, value}}, file);
}

WriteResult WritePPSBatch(const std::vector<SettingWrite>& writes, const std::string& file) {
    for (const SettingWrite& write : writes)
        if (std::string why = refusal(write); !why.empty())
            return WriteResult::failure(std::move(why));
    if (writes.empty())
        return WriteResult::success();

    return rewriteFileLocked(file, [&](const std::optional<std::string>& bytes) {
        Document doc = bytes ? parseDocument(*bytes) : Document{};
        // Keep text Windows-1252 cannot hold rather than corrupt it: the file
        // becomes UTF-8 with a byte-order mark, which the reader knows.
        const auto fits = [](const SettingWrite& w) {
            return utf8ToCp1252(w.section) && utf8ToCp1252(w.key) && utf8ToCp1252(w.value);
        };
        if (!std::all_of(writes.begin(), writes.end(), fits))
            convertToUtf8(doc);
        for (const SettingWrite& write : writes)
            apply(doc, *toFileEncoding(trimBlanks(write.section), doc.utf8),
                  *toFileEncoding(trimBlanks(write.key), doc.utf8),
                  *toFileEncoding(write.value, doc.utf8));
        return serialise(doc);
    });
}

} // namespace gravelock
