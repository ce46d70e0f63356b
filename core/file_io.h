// Reading and safely replacing whole files, with failures described for the player.
#pragma once

#include <optional>
#include <string>
#include <system_error>

namespace gravelock {

// The outcome of a write: on failure, a German sentence naming the reason.
struct WriteResult {
    bool ok = true;
    std::string reason;

    static WriteResult success() { return {}; }
    static WriteResult failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// A German description of a system error, for messages shown to the player.
std::string describeError(const std::error_code& error);

// The whole file as bytes; nullopt when it does not exist. A file that exists
// but cannot be read (or is a folder) sets `error`.
std::optional<std::string> readWholeFile(const std::string& path, std::error_code& error);

// Replaces the file with `bytes` through a temporary file in the same folder and
// a rename, so that a crash or a full disk leaves the old file or the new one,
// never a torn one.
WriteResult replaceFileAtomically(const std::string& path, const std::string& bytes);

} // namespace gravelock
