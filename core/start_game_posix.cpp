// Starting a program on systems other than Windows: posix_spawn, no shell.
#include "core/file_io.h"
#include "core/start_game_launch.h"

#include <cerrno>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace gravelock::detail {
namespace {

// This process's environment, with the route's WINEPREFIX in place of the one
// inherited.
std::vector<std::string> environmentFor(const StartRoute& route) {
    std::vector<std::string> variables;
    for (char** v = environ; *v; ++v)
        if (route.winePrefix.empty() || std::string_view(*v).substr(0, 11) != "WINEPREFIX=")
            variables.emplace_back(*v);
    if (!route.winePrefix.empty())
        variables.push_back("WINEPREFIX=" + route.winePrefix);
    return variables;
}

} // namespace

StartResult launch(const StartRequest& request) {
    const std::string program = absoluteProgram(request);
    // Wine reads the Windows program itself, so that one needs no execute bit,
    // and a start through Steam never runs the program itself.
    if (request.route.via == StartVia::Direct && !request.wine.needed &&
        access(program.c_str(), X_OK) != 0)
        return {false, request.program, "Die Datei ist nicht ausführbar"};
    std::vector<std::string> args = startArguments(request, program);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!request.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, request.workingFolder.c_str());
    std::vector<std::string> variables = environmentFor(request.route);
    std::vector<char*> envp;
    envp.reserve(variables.size() + 1);
    for (auto& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int rc =
        posix_spawn(&pid, args.front().c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return {false, request.program,
                describeError(std::error_code(rc, std::generic_category()))};

    // Nobody waits for the game; a small thread collects its exit so that no
    // zombie stays behind.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
        }
    }).detach();
    return {true, request.program, {}};
}

} // namespace gravelock::detail
