// Starting a program on systems other than Windows: posix_spawn, no shell.
#include "core/file_io.h"
#include "core/game_watch_launch.h"
#include "core/start_game_launch.h"

#include <spawn.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace gravelock::detail {

StartResult launch(const StartRequest& request, const StartWatch& watch) {
    const std::string program = absoluteProgram(request);
    // Wine reads the Windows program itself, so that one needs no execute bit.
    std::vector<std::string> args;
    if (request.wine.needed) {
        args = {request.wine.program, program};
    } else {
        if (access(program.c_str(), X_OK) != 0)
            return {false, request.program, "Die Datei ist nicht ausführbar"};
        args = {program};
    }
    for (std::string& a : splitArguments(request.arguments))
        args.push_back(std::move(a));
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!request.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, request.workingFolder.c_str());
    const OutputLog log = openOutputLog(watch, request);
    if (log.fd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, log.fd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, log.fd, STDERR_FILENO);
    }
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args.front().c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        if (log.fd >= 0)
            close(log.fd);
        return {false, request.program,
                describeError(std::error_code(rc, std::generic_category()))};
    }
    watchProcess(pid, log, request.program, watch);
    return {true, request.program, {}};
}

} // namespace gravelock::detail
