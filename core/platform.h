// The few facts about the system the program runs on, each behind one function.
#pragma once

#include <string>

namespace gravelock {

// Posix stands for every system that is not Windows.
enum class Platform { Windows, Posix };

Platform hostPlatform();

// Steam's folder as its installer records it for the user (HKCU
// Software\Valve\Steam, SteamPath); empty where there is no such record.
std::string steamPathFromRegistry();

// The environment variable `name` as UTF-8, empty when unset. Windows keeps the
// environment as UTF-16 and is asked in it, so no character is lost to a code page.
std::string environmentVariable(const char* name);

} // namespace gravelock
