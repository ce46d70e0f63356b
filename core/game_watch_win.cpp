// Watching a started game on Windows: the game has no console, so only its
// exit status is watched, on a thread of its own.
#include "core/game_watch_launch.h"
#include "core/text.h"
#include "core/windows_api.h"

#include <filesystem>
#include <fstream>
#include <thread>

namespace gravelock::detail {

void writeLogHeader(const StartWatch& watch, const StartRequest& request) {
    if (watch.outputLog.empty())
        return;
    const std::filesystem::path log = pathFromUtf8(watch.outputLog);
    std::error_code error;
    std::filesystem::create_directories(log.parent_path(), error);
    std::ofstream out(log, std::ios::binary | std::ios::trunc);
    out << logHeader(request.commandText, request.workingFolder);
}

void watchProcess(void* process, const std::string& program, const StartWatch& watch) {
    const auto started = std::chrono::steady_clock::now();
    std::thread([process, program, watch, started] {
        const bool ended = WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0;
        DWORD code = 0;
        const bool known = ended && GetExitCodeProcess(process, &code);
        CloseHandle(process);
        if (!known)
            return;
        GameEnd end;
        end.after = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - started);
        end.program = program;
        end.number = static_cast<long long>(code);
        // Only soon after the start: later, another start may own the log.
        if (!watch.outputLog.empty() && end.after < watch.window) {
            end.log = watch.outputLog;
            std::ofstream out(pathFromUtf8(watch.outputLog), std::ios::binary | std::ios::app);
            out << logFooter(end);
        }
        if (watch.failedEarly && endedEarly(end, watch.window))
            watch.failedEarly(end);
    }).detach();
}

} // namespace gravelock::detail
