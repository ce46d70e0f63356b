// The settings file orvo.ini: an INI file read and written the way the Windows
// profile functions do, so that files written by hand or by the Windows build
// read the same everywhere.
#pragma once

#include "file_io.h"

#include <cstdint>
#include <string>

namespace gravelock {

// A read buffer large enough for any path: for values that must never be cut.
inline constexpr std::int32_t kUncut = 32768;

// Reads key `cle` of section `cat` (names matched without regard to case).
// Returns the stored value cut to `max` - 1 characters, or `def` (cut the same
// way) when the file, the section or the key is missing. An empty value is a
// value, not a missing key.
std::string GetPPS(const std::string& cat, const std::string& cle, const std::string& def,
                   std::int32_t max, const std::string& file);

// Writes `value` under `key` in `section`, creating the file, the section or the
// key when missing, and replacing an existing value where it stands. Every other
// line of the file stays as it was. The file is replaced atomically; a failure
// leaves the previous file whole and is returned.
WriteResult WritePPS(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file);

} // namespace gravelock
