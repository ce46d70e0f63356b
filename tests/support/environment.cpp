#include "environment.h"

#include "core/platform.h"
#include "core/start_game.h"
#include "core/text.h"

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
#include "core/windows_api.h"
#else
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace gravelock::test {

#ifdef _WIN32
namespace {

std::wstring wide(const std::string& utf8) {
    return pathFromUtf8(utf8).wstring();
}

} // namespace

// The process environment, not the C runtime's copy: that is what a started
// program inherits. Names and values are UTF-8 so umlauts survive.
std::optional<std::string> environmentVariable(const std::string& name) {
    const std::wstring key = wide(name);
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (size == 0)
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                        : std::optional<std::string>("");
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(key.c_str(), value.data(), size);
    value.resize(length);
    return pathToUtf8(value);
}

void setEnvironmentVariable(const std::string& name, const std::optional<std::string>& value) {
    SetEnvironmentVariableW(wide(name).c_str(), value ? wide(*value).c_str() : nullptr);
}

#else
std::optional<std::string> environmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void setEnvironmentVariable(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}

std::string asPlayer(const std::filesystem::path& folder,
                     const std::function<std::string()>& body) {
    constexpr uid_t kNobody = 65534;
    const bool root = geteuid() == 0;
    if (root) {
        if (chown(folder.c_str(), kNobody, kNobody) != 0)
            return "cannot give the folder away";
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (lchown(entry.path().c_str(), kNobody, kNobody) != 0)
                return "cannot give a file away";
    }
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return "no pipe";
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        std::string report;
        if (root && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            report = "cannot drop root";
        else
            report = body();
        if (write(pipeFds[1], report.data(), report.size()) < 0)
            _exit(2);
        _exit(0);
    }
    close(pipeFds[1]);
    std::string report;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        report += " (the player's process failed)";
    return report;
}
#endif

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::string name,
                                                     const std::optional<std::string>& value)
    : name_(std::move(name)), previous_(environmentVariable(name_)) {
    setEnvironmentVariable(name_, value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
    setEnvironmentVariable(name_, previous_);
}

std::vector<std::string> recordedArguments(const std::string& record) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < record.size();) {
        const std::size_t end = std::min(record.find('\n', at), record.size());
        lines.push_back(record.substr(at, end - at));
        at = end + 1;
    }
    if (hostPlatform() != Platform::Windows)
        return lines;
    if (lines.empty())
        return {};
    std::vector<std::string> arguments = splitArguments(lines.front());
    if (!arguments.empty())
        arguments.erase(arguments.begin());
    return arguments;
}

} // namespace gravelock::test
