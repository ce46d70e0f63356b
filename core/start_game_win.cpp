// Starting a program on Windows: CreateProcessW with the command line verbatim.
#include "core/file_io.h"
#include "core/start_game_launch.h"
#include "core/windows_api.h"

#include <system_error>

namespace gravelock::detail {

StartResult launch(const StartRequest& request) {
    const std::string game = absoluteProgram(request);
    // Through Steam, Steam is started; it starts the game itself.
    const std::wstring program =
        win::widen(request.route.via == StartVia::Direct ? game : request.route.program);
    // The game parses its own command line: hand the arguments over verbatim.
    std::wstring commandLine = win::widen(windowsCommandLine(request, game));
    const std::wstring folder = win::widen(request.workingFolder);
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
