// The keys of orvo.ini the windows read, each with the length it is read to.
#pragma once

#include "core/settings.h"

#include <cstdint>

namespace gravelock {

struct SettingKey {
    const char* section;
    const char* key;
    // Folders and program paths are read uncut: an install path can be longer
    // than any fixed buffer, and a cut one would name the wrong program or put
    // a file somewhere else.
    std::int32_t maxLength;
};

namespace setting {

inline constexpr SettingKey firstuse{"MISC", "firstuse", 100};
inline constexpr SettingKey tfc{"MISC", "tfc", 100};
inline constexpr SettingKey user{"MISC", "user", 100};
inline constexpr SettingKey company{"MISC", "company", 100};

inline constexpr SettingKey program{"GAMEDIR", "program", kUncut};
inline constexpr SettingKey valve{"GAMEDIR", "valve", kUncut};
inline constexpr SettingKey maps{"GAMEDIR", "maps", kUncut};
inline constexpr SettingKey tfcmaps{"GAMEDIR", "tfcmaps", kUncut};
// "no" starts a Steam copy directly; anything else through its Steam.
inline constexpr SettingKey steam{"GAMEDIR", "steam", 100};

} // namespace setting
} // namespace gravelock
