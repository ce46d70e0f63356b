// Starting a program on Windows: CreateProcessW with the command line verbatim.
#include "core/file_io.h"
#include "core/start_game_launch.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <system_error>

namespace gravelock::detail {
namespace {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

} // namespace

StartResult launch(const StartRequest& request) {
    const std::string game = absoluteProgram(request);
    // Through Steam, Steam is started; it starts the game itself.
    const std::wstring program =
        widen(request.route.via == StartVia::Direct ? game : request.route.program);
    // The game parses its own command line: hand the arguments over verbatim.
    std::wstring commandLine = widen(windowsCommandLine(request, game));
    const std::wstring folder = widen(request.workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(request.windowStyle == WindowStyle::MinimisedWithFocus
                                                ? SW_SHOWMINIMIZED
                                                : SW_SHOWMAXIMIZED);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        const auto error =
            std::error_code(static_cast<int>(GetLastError()), std::system_category());
        return {false, request.program, describeError(error)};
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return {true, request.program, {}};
}

} // namespace gravelock::detail
