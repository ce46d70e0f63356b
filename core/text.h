// Text helpers shared by the settings file, the game start and the command builders.
// Strings inside the program are UTF-8; files for the game and the settings file
// are Windows-1252.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gravelock {

// Decodes Windows-1252 bytes. The five bytes the code page leaves undefined map to
// the C1 control characters of the same value, so every byte sequence round-trips.
std::string cp1252ToUtf8(std::string_view bytes);

// Whether `text` is well-formed UTF-8: no overlong forms, surrogates or cut
// sequences.
bool isValidUtf8(std::string_view text);

// Encodes UTF-8 as Windows-1252; nullopt when a character has no byte in the
// code page (or the input is not valid UTF-8).
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

// The first character of `utf8` that Windows-1252 cannot hold, for messages.
std::string firstCharacterOutsideCp1252(std::string_view utf8);

// Number of characters (code points) in a UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// The first `count` characters of a UTF-8 text.
std::string firstCharacters(std::string_view utf8, std::size_t count);

// The text without its last `count` characters; empty when it is shorter.
// Used where a fixed ending (".bsp", "maps", "hl.exe") is cut off.
std::string dropLastCharacters(std::string_view utf8, std::size_t count);

// A path from UTF-8 text, on every platform.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string pathToUtf8(const std::filesystem::path& path);

} // namespace gravelock
