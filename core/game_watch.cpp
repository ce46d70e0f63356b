#include "core/game_watch.h"

#include <cstdint>
#include <cstdio>

namespace gravelock {
namespace {

// A message box is no terminal: longer lines are cut.
constexpr std::size_t kLongestShownLine = 160;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Cut to at most `limit` bytes without splitting a UTF-8 character.
std::string cutAtCharacter(std::string line, std::size_t limit) {
    if (line.size() <= limit)
        return line;
    std::size_t end = limit;
    while (end > 0 && isContinuationByte(line[end]))
        --end;
    line.resize(end);
    return line + "…";
}

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

// Drops ESC [ ... final-byte sequences (colours) and every other control
// character but the tab, which becomes a blank.
std::string readable(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto c = static_cast<unsigned char>(raw[i]);
        if (c == 0x1B) {
            if (i + 1 < raw.size() && raw[i + 1] == '[') {
                i += 2;
                while (i < raw.size() && (raw[i] < 0x40 || raw[i] > 0x7E))
                    ++i;
            }
            continue;
        }
        if (c == '\t')
            out += ' ';
        else if (c >= 0x20 && c != 0x7F)
            out += static_cast<char>(c);
    }
    return out;
}

std::string statusText(const GameEnd& end) {
    if (end.how == GameEnd::How::Signal) {
        std::string text = "Signal " + std::to_string(end.number);
        if (!end.signalName.empty())
            text += " (" + end.signalName + ")";
        return text;
    }
    // Windows reports crashes as large codes that only read in hexadecimal.
    if (end.number < 0 || end.number > 255) {
        const auto code = static_cast<std::uint32_t>(end.number);
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
        return "Exit-Status " + std::to_string(code) + " (" + hex + ")";
    }
    return "Exit-Status " + std::to_string(end.number);
}

std::string seconds(std::chrono::milliseconds after) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(after.count()) / 1000.0);
    std::string s = text;
    for (char& c : s)
        if (c == '.')
            c = ',';
    return s;
}

} // namespace

bool endedEarly(const GameEnd& end, std::chrono::milliseconds window) {
    if (end.after >= window)
        return false;
    return end.how == GameEnd::How::Signal || end.number != 0;
}

std::vector<std::string> lastLines(std::string_view tail, bool cut, std::size_t count) {
    if (cut) {
        // The tail begins inside a line; a tail that is one long line keeps it.
        const auto lineEnd = tail.find_first_of("\r\n");
        if (lineEnd != std::string_view::npos)
            tail.remove_prefix(lineEnd + 1);
    }
    std::vector<std::string> lines;
    std::size_t end = tail.size();
    // From the back, so a long output is not taken apart whole.
    while (lines.size() < count && end > 0) {
        const auto before = tail.find_last_of("\r\n", end - 1);
        const std::size_t begin = before == std::string_view::npos ? 0 : before + 1;
        std::string line = readable(tail.substr(begin, end - begin));
        if (!isBlank(line))
            lines.insert(lines.begin(), cutAtCharacter(std::move(line), kLongestShownLine));
        if (before == std::string_view::npos)
            break;
        end = before;
    }
    return lines;
}

PlayerMessage earlyEndMessage(const GameEnd& end) {
    std::string text =
        "Das Spiel hat sich gleich nach dem Start wieder beendet.\n\nProgramm: " + end.program +
        "\nEnde: " + statusText(end);
    if (end.outputKept) {
        const std::vector<std::string> lines = lastLines(end.outputTail, end.outputCut);
        if (lines.empty()) {
            text += "\n\nEs hat nichts ausgegeben.";
        } else {
            text += "\n\nSeine letzten Zeilen:";
            for (const std::string& line : lines)
                text += "\n" + line;
        }
    }
    if (!end.log.empty())
        text += "\n\nAlles steht in " + end.log;
    return {text, "Spiel beendet"};
}

std::string logHeader(const std::string& commandText, const std::string& workingFolder) {
    return "Gravelock startet: " + commandText + "\nOrdner: " + workingFolder + "\n\n";
}

std::string logFooter(const GameEnd& end) {
    return "\nGravelock: Ende nach " + seconds(end.after) + " s, " + statusText(end) + "\n";
}

std::string playerStateFolder(Platform platform, const std::string& xdgStateHome,
                              const std::string& home, const std::string& localAppData) {
    if (platform == Platform::Windows)
        return localAppData.empty() ? std::string() : localAppData + "\\Gravelock";
    // Only an absolute XDG_STATE_HOME counts, as the base directory rules say.
    if (!xdgStateHome.empty() && xdgStateHome.front() == '/')
        return xdgStateHome + "/gravelock";
    return home.empty() ? std::string() : home + "/.local/state/gravelock";
}

} // namespace gravelock
