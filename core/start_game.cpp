#include "core/start_game.h"

#include "core/file_io.h"
#include "core/platform.h"
#include "core/start_game_launch.h"
#include "core/start_route.h"
#include "core/text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace gravelock {

namespace fs = std::filesystem;

CommandParts splitCommandText(const std::string& commandText,
                              const std::function<bool(const std::string&)>& isFile) {
    if (!commandText.empty() && commandText.front() == '"') {
        const auto close = commandText.find('"', 1);
        if (close == std::string::npos)
            return {commandText.substr(1), {}};
        return {commandText.substr(1, close - 1), commandText.substr(close + 1)};
    }
    // Longest first: the end of the text, then each blank from the right. No
    // file name is longer than kLongestPath, so longer heads are never asked
    // about, and one copy is cut shorter in place: the search stays linear.
    constexpr std::size_t kLongestPath = 4096;
    std::string head = commandText;
    if (head.size() > kLongestPath) {
        const auto blank = commandText.rfind(' ', kLongestPath);
        head.resize(blank == std::string::npos ? 0 : blank);
    }
    while (!head.empty()) {
        if (isFile(head))
            return {head, commandText.substr(head.size())};
        const auto blank = head.rfind(' ', head.size() - 1);
        if (blank == std::string::npos)
            break;
        head.resize(blank);
    }
    const auto firstBlank = commandText.find(' ');
    if (firstBlank == std::string::npos)
        return {commandText, {}};
    return {commandText.substr(0, firstBlank), commandText.substr(firstBlank)};
}

std::vector<std::string> splitArguments(const std::string& arguments) {
    std::vector<std::string> result;
    std::size_t at = 0;
    const std::size_t end = arguments.size();
    const auto isBlank = [&](std::size_t i) {
        return i < end && (arguments[i] == ' ' || arguments[i] == '\t');
    };
    while (true) {
        while (isBlank(at))
            ++at;
        if (at >= end)
            break;
        // One argument: runs until a blank outside quotes. Quotes may open and
        // close anywhere inside it, so "" alone is an empty argument.
        std::string current;
        bool quoted = false;
        while (at < end && (quoted || !isBlank(at))) {
            std::size_t backslashes = 0;
            while (at < end && arguments[at] == '\\') {
                ++backslashes;
                ++at;
            }
            if (at < end && arguments[at] == '"') {
                current.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    current += '"';
                } else if (quoted && at + 1 < end && arguments[at + 1] == '"') {
                    current += '"';
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                current.append(backslashes, '\\');
                if (at < end && (quoted || !isBlank(at)))
                    current += arguments[at++];
            }
        }
        result.push_back(std::move(current));
    }
    return result;
}

std::string quoteArgument(const std::string& text) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there they are doubled, and
        // the quote itself is escaped.
        if (c == '"') {
            quoted.append(2 * backslashes + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // The closing quote follows: trailing backslashes are doubled too.
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return quoted;
}

bool isWindowsProgram(std::string_view firstBytes) {
    return firstBytes.substr(0, 2) == "MZ";
}

WineUse chooseWine(bool systemRunsWindowsPrograms, std::string_view firstBytes,
                   const std::string& pathValue, const std::string& wineOverride,
                   const std::function<bool(const std::string&)>& isExecutable) {
    if (systemRunsWindowsPrograms || !isWindowsProgram(firstBytes))
        return {};
    if (!wineOverride.empty()) {
        const std::string found = wineOverride.find('/') != std::string::npos
                                      ? (isExecutable(wineOverride) ? wineOverride : "")
                                      : findOnPath(wineOverride, pathValue, isExecutable);
        if (found.empty())
            return {true,
                    {},
                    "Das Wine-Programm aus GRAVELOCK_WINE wurde nicht gefunden: " + wineOverride};
        return {true, found, {}};
    }
    const std::string wine = findOnPath("wine", pathValue, isExecutable);
    if (wine.empty())
        return {true, {}, "Wine ist nicht installiert (Paket wine)"};
    return {true, wine, {}};
}

namespace {

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(pathFromUtf8(path), error);
}

std::string firstBytesOf(const std::string& path) {
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    char bytes[2] = {};
    in.read(bytes, sizeof bytes);
    return std::string(bytes, static_cast<std::size_t>(in.gcount()));
}

StartResult failed(const std::string& program, std::string reason) {
    return {false, program, std::move(reason)};
}

} // namespace

namespace detail {

std::string absoluteProgram(const StartRequest& request) {
    std::error_code error;
    const fs::path absolute = fs::absolute(pathFromUtf8(request.program), error);
    return error ? request.program : pathToUtf8(absolute);
}

} // namespace detail

StartRequest makeStartRequest(const std::string& commandText, WindowStyle windowStyle,
                              bool throughSteam) {
    StartRequest request;
    request.commandText = commandText;
    request.windowStyle = windowStyle;
    CommandParts parts = splitCommandText(commandText, isRegularFile);
    request.program = std::move(parts.program);
    request.arguments = std::move(parts.arguments);
    if (request.program.empty() || !isRegularFile(request.program))
        return request;
    request.workingFolder =
        pathToUtf8(pathFromUtf8(detail::absoluteProgram(request)).parent_path());
    request.wine = chooseWine(hostPlatform() == Platform::Windows, firstBytesOf(request.program),
                              environmentVariable("PATH"), environmentVariable("GRAVELOCK_WINE"),
                              isExecutableFile);
    request.route = chooseStartRoute(detail::absoluteProgram(request), request.wine.program,
                                     throughSteam, currentRouteEnvironment());
    return request;
}

StartResult StartGame(const StartRequest& request, const StartWatch& watch) {
    if (request.program.empty())
        return failed(request.program, "Es ist kein Programm angegeben");
    std::error_code error;
    const auto status = fs::status(pathFromUtf8(request.program), error);
    if (!fs::exists(status))
        return failed(request.program, "Das Programm wurde nicht gefunden");
    if (fs::is_directory(status))
        return failed(request.program, "Das ist ein Ordner, kein Programm");
    // Steam starts the game itself: only a direct start needs the game's Wine.
    if (request.route.via == StartVia::Direct && request.wine.needed &&
        request.wine.program.empty())
        return failed(request.program, request.wine.missing);
    return detail::launch(request, watch);
}

} // namespace gravelock
