#include "start_game.h"

#include "file_io.h"
#include "text.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
extern char** environ;
#endif

namespace gravelock {

CommandParts splitCommandText(const std::string& commandText,
                              const std::function<bool(const std::string&)>& isFile) {
    if (!commandText.empty() && commandText.front() == '"') {
        const auto close = commandText.find('"', 1);
        if (close == std::string::npos)
            return {commandText.substr(1), {}};
        return {commandText.substr(1, close - 1), commandText.substr(close + 1)};
    }
    // Longest first: the end of the text, then each blank from the right. No
    // file name is longer than kLongestPath, which keeps the search linear.
    constexpr std::size_t kLongestPath = 4096;
    std::size_t end = commandText.size();
    if (end > kLongestPath)
        end = commandText.rfind(' ', kLongestPath);
    while (end > 0 && end != std::string::npos) {
        const std::string head = commandText.substr(0, end);
        if (isFile(head))
            return {head, commandText.substr(end)};
        const auto blank = commandText.rfind(' ', end - 1);
        if (blank == std::string::npos)
            break;
        end = blank;
    }
    const auto firstBlank = commandText.find(' ');
    if (firstBlank == std::string::npos)
        return {commandText, {}};
    return {commandText.substr(0, firstBlank), commandText.substr(firstBlank)};
}

std::vector<std::string> splitArguments(const std::string& arguments) {
    std::vector<std::string> result;
    std::string current;
    for (const char c : arguments) {
        if (c == ' ' || c == '\t') {
            if (!current.empty())
                result.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        result.push_back(std::move(current));
    return result;
}

namespace {

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(pathFromUtf8(path), error);
}

StartResult failed(const std::string& program, std::string reason) {
    return {false, program, std::move(reason)};
}

#ifdef _WIN32
std::wstring widen(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

StartResult launch(const CommandParts& parts, int windowStyle) {
    std::wstring program = widen(parts.program);
    // The game parses its own command line: hand the arguments over verbatim.
    std::wstring commandLine = L"\"" + program + L"\"" + widen(parts.arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle == kMinimisedWithFocus ? SW_SHOWMINIMIZED
                                                                                 : SW_SHOWMAXIMIZED);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        const auto error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
        return failed(parts.program, describeError(error));
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return {true, parts.program, {}};
}
#else
StartResult launch(const CommandParts& parts, int /*windowStyle: no such thing here*/) {
    if (access(parts.program.c_str(), X_OK) != 0)
        return failed(parts.program, "Die Datei ist nicht ausführbar");

    std::vector<std::string> args = splitArguments(parts.arguments);
    args.insert(args.begin(), parts.program);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, parts.program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (rc != 0)
        return failed(parts.program, describeError(std::error_code(rc, std::generic_category())));

    // Nobody waits for the game; a small thread collects its exit so that no
    // zombie stays behind.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
        }
    }).detach();
    return {true, parts.program, {}};
}
#endif

} // namespace

StartResult StartGame(const std::string& commandText, int windowStyle) {
    const CommandParts parts = splitCommandText(commandText, isRegularFile);
    if (parts.program.empty())
        return failed(parts.program, "Es ist kein Programm angegeben");
    std::error_code error;
    const auto status = std::filesystem::status(pathFromUtf8(parts.program), error);
    if (!std::filesystem::exists(status))
        return failed(parts.program, "Das Programm wurde nicht gefunden");
    if (std::filesystem::is_directory(status))
        return failed(parts.program, "Das ist ein Ordner, kein Programm");
    return launch(parts, windowStyle);
}

} // namespace gravelock
