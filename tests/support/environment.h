// What rule tests need of the process and its system, the same on every system.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gravelock::test {

// The variable's value; nullopt when it is not set.
std::optional<std::string> environmentVariable(const std::string& name);

// Sets the variable for this process and every program it starts; nullopt
// removes it.
void setEnvironmentVariable(const std::string& name, const std::optional<std::string>& value);

// Sets (or removes) a variable for one scope and puts back what was there.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(std::string name, const std::optional<std::string>& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// What the stand-in game recorded, as the game reads its arguments: one per
// line where the system hands a program a list; where it hands over one
// command line (Windows), that line split by the C runtime's rules, without
// the program.
std::vector<std::string> recordedArguments(const std::string& record);

#ifndef _WIN32
// Runs `body` in a child process as an unprivileged player (root gives up its
// rights first, handing `folder` to that player), so that permission rules
// hold under CI's root too. Returns what the body reported; empty means all held.
std::string asPlayer(const std::filesystem::path& folder, const std::function<std::string()>& body);
#endif

} // namespace gravelock::test
