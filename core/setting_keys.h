// Every key of orvo.ini, declared once: its section, its name, the length it
// is read to and what a read gives when it is missing. Reads and writes both go
// through these; no other file spells a section or a key.
#pragma once

#include "core/settings.h"

#include <cstdint>
#include <string>

namespace gravelock {

struct SettingKey {
    const char* section;
    const char* key;
    // Folders and program paths are read uncut: an install path can be longer
    // than any fixed buffer, and a cut one would name the wrong program or put
    // a file somewhere else.
    std::int32_t maxLength;
    // What a read gives for a missing key. The windows show it as it is (the
    // player sees "error" in a box), so it marks the gap without a message.
    const char* missing;

    // The same key read with another mark for a missing value.
    constexpr SettingKey missingAs(const char* mark) const {
        return {section, key, maxLength, mark};
    }
    // A write of `value` to this key, for a batch.
    SettingWrite operator()(std::string value) const { return {section, key, std::move(value)}; }
};

namespace setting {

inline constexpr const char* kMissing = "error";

inline constexpr SettingKey firstuse{"MISC", "firstuse", 100, kMissing};
inline constexpr SettingKey tfc{"MISC", "tfc", 100, kMissing};
inline constexpr SettingKey user{"MISC", "user", 100, kMissing};
inline constexpr SettingKey company{"MISC", "company", 100, kMissing};

inline constexpr SettingKey program{"GAMEDIR", "program", kUncut, kMissing};
inline constexpr SettingKey maps{"GAMEDIR", "maps", kUncut, kMissing};
inline constexpr SettingKey tfcmaps{"GAMEDIR", "tfcmaps", kUncut, kMissing};
// The server maker's own mark, which it tells apart from a folder really named
// "error".
inline constexpr SettingKey valve{"GAMEDIR", "valve", kUncut, "error!"};
inline constexpr SettingKey tfcdir{"GAMEDIR", "tfcdir", kUncut, kMissing};
inline constexpr SettingKey dds{"GAMEDIR", "dds", kUncut, kMissing};
// "no" starts a Steam copy directly; anything else (nothing at all too) through its Steam.
inline constexpr SettingKey steam{"GAMEDIR", "steam", 100, ""};

// The main window's start passes no program rather than a made-up one, and the
// server start marks a missing program as it marks a missing folder.
inline constexpr SettingKey programForStart = program.missingAs("");
inline constexpr SettingKey programForServer = program.missingAs(valve.missing);

} // namespace setting
} // namespace gravelock
