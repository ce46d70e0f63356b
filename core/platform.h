// The system the program runs on. Rules whose answer depends on it take it as
// a parameter, so that the answer for every system is tested on every system.
#pragma once

namespace gravelock {

enum class Platform { Windows, Posix };

#ifdef _WIN32
inline constexpr Platform kThisPlatform = Platform::Windows;
#else
inline constexpr Platform kThisPlatform = Platform::Posix;
#endif

} // namespace gravelock
