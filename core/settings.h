// The settings file orvo.ini: an INI file read and written the way the Windows
// profile functions do, so that files written by hand or by the Windows build
// read the same everywhere.
#pragma once

#include "core/file_io.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gravelock {

// A read buffer large enough for any path: for values that must never be cut.
inline constexpr std::int32_t kUncut = 32768;

// One key written to orvo.ini; lists of these keep the order of the writes.
struct SettingWrite {
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const SettingWrite&) const = default;
};

// Reads key `cle` of section `cat` (names matched without regard to case or
// surrounding blanks). Returns the stored value cut to `max` - 1 characters,
// or `def` without its trailing blanks (cut the same way) when the file, the
// section or the key is missing. An empty value is a value, not a missing key.
// A value enclosed in a matching pair of quotes reads without them.
std::string GetPPS(const std::string& cat, const std::string& cle, const std::string& def,
                   std::int32_t max, const std::string& file);

// Writes `value` under `key` in `section`, creating the file, the section or the
// key when missing, and replacing an existing value where it stands. Every other
// line of the file keeps its bytes. A name that could not be found again is
// refused. Writers exclude each other through the lock file beside the settings
// file; the file is replaced atomically, and a failure leaves it whole.
WriteResult WritePPS(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file);

// All `writes` in order, under one lock with one read and one replacement: all
// of them are stored or none.
WriteResult WritePPSBatch(const std::vector<SettingWrite>& writes, const std::string& file);

} // namespace gravelock
