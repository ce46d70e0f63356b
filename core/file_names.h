// Which files a file list shows and in which order. Names are UTF-16 code units,
// so a list can hand over its strings without converting them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gravelock {

// Whether `name` matches a wildcard pattern ('*' any run of characters, '?' one
// character), without regard to case: "*.bsp" takes "Alpha.BSP".
bool matchesFilePattern(std::u16string_view name, std::u16string_view pattern);

// The list order: by character code after lowering the case, so digits come
// before letters and umlauts after "z"; names that differ only in case keep a
// fixed order (capitals first).
bool fileNameBefore(std::u16string_view a, std::u16string_view b);

enum class EntryKind { File, Folder };

// The file or folder of `folder` called `name` (UTF-8) without regard to ASCII
// case, as installs copied from Windows keep their mixed case; the exact name
// first. Nullopt when there is none of that kind or the folder cannot be read.
std::optional<std::filesystem::path> entryNamed(const std::filesystem::path& folder,
                                                const std::string& name, EntryKind kind);

} // namespace gravelock
