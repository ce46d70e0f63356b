// Watching a started game on systems other than Windows: its output goes to the
// log file, and a thread of its own waits for its end.
#include "core/file_io.h"
#include "core/game_watch_launch.h"
#include "core/platform_file.h"
#include "core/text.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace gravelock::detail {
namespace {

// The end of what the game wrote after the header, read through the watcher's
// own descriptor: a later start may have replaced the file by then.
void readTail(const OutputLog& log, GameEnd& end) {
    struct stat info {};
    if (::fstat(log.fd, &info) != 0)
        return;
    const long long size = info.st_size;
    const long long tailSize = static_cast<long long>(kOutputTailBytes);
    const long long begin = std::max(log.headerSize, size - tailSize);
    end.outputTail.assign(static_cast<std::size_t>(std::max(0LL, size - begin)), '\0');
    std::size_t got = 0;
    while (got < end.outputTail.size()) {
        const ssize_t n = ::pread(log.fd, end.outputTail.data() + got, end.outputTail.size() - got,
                                  static_cast<off_t>(begin) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    end.outputTail.resize(got);
    end.outputKept = true;
    end.outputCut = begin > log.headerSize;
}

std::string signalName(int number) {
    struct Named {
        int number;
        const char* name;
    };
    static constexpr Named kNames[] = {
        {SIGSEGV, "SIGSEGV"}, {SIGABRT, "SIGABRT"}, {SIGKILL, "SIGKILL"}, {SIGTERM, "SIGTERM"},
        {SIGBUS, "SIGBUS"},   {SIGFPE, "SIGFPE"},   {SIGILL, "SIGILL"},   {SIGINT, "SIGINT"},
        {SIGHUP, "SIGHUP"},   {SIGPIPE, "SIGPIPE"}, {SIGQUIT, "SIGQUIT"}, {SIGTRAP, "SIGTRAP"}};
    for (const Named& named : kNames)
        if (named.number == number)
            return named.name;
    return {};
}

} // namespace

OutputLog openOutputLog(const StartWatch& watch, const StartRequest& request) {
    if (watch.outputLog.empty())
        return {};
    std::error_code error;
    std::filesystem::create_directories(pathFromUtf8(watch.outputLog).parent_path(), error);
    // A new file each start: a game still running from the last start keeps
    // writing to its own, now nameless, file.
    ::unlink(watch.outputLog.c_str());
    const int fd = ::open(watch.outputLog.c_str(), O_RDWR | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0)
        return {};
    const std::string header = logHeader(request.commandText, request.workingFolder);
    if (!platform::writeAll(fd, header)) {
        ::close(fd);
        return {};
    }
    return {fd, static_cast<long long>(header.size())};
}

void watchProcess(int pid, OutputLog log, const std::string& program, const StartWatch& watch) {
    const auto started = std::chrono::steady_clock::now();
    std::thread([pid, log, program, watch, started] {
        int status = 0;
        pid_t waited = -1;
        while ((waited = ::waitpid(pid, &status, 0)) == -1 && errno == EINTR) {
        }
        GameEnd end;
        end.after = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - started);
        end.program = program;
        if (waited == pid && WIFSIGNALED(status)) {
            end.how = GameEnd::How::Signal;
            end.number = WTERMSIG(status);
            end.signalName = signalName(WTERMSIG(status));
        } else if (waited == pid && WIFEXITED(status)) {
            end.number = WEXITSTATUS(status);
        }
        if (log.fd >= 0) {
            end.log = watch.outputLog;
            readTail(log, end);
        }
        if (waited == pid && watch.failedEarly && endedEarly(end, watch.window))
            watch.failedEarly(end);
        // Last, so a reader who sees this line knows the watch is over.
        if (log.fd >= 0) {
            platform::writeAll(log.fd, logFooter(end));
            ::close(log.fd);
        }
    }).detach();
}

} // namespace gravelock::detail
