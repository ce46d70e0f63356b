// Reading and safely replacing whole files, with failures described for the player.
#pragma once

#include <cstdint>
#include <functional>
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

// Files the program reads whole are small; anything larger is refused rather
// than read into memory.
inline constexpr std::uint64_t kLargestReadFile = std::uint64_t{16} * 1024 * 1024;

// A German description of a system error, for messages shown to the player.
std::string describeError(const std::error_code& error);

// The whole file as bytes. Nullopt without an error when the path is missing
// or names no regular file (a FIFO, a device or a folder); nullopt with
// `error` set when the file cannot be read or is larger than kLargestReadFile.
std::optional<std::string> readWholeFile(const std::string& path, std::error_code& error);

// The path that a write of `path` replaces: symbolic links followed, so that a
// linked file and its link stay one.
std::string resolveLinks(const std::string& path);

// Replaces the file with `bytes` through a new temporary file in the same
// folder and a rename, so that a crash or a full disk leaves the old file or
// the new one, never a torn one. The temporary file is created exclusively
// under an unguessable name; the replaced file keeps its permission bits and,
// where allowed, its owner; a file the player may not write is not replaced.
WriteResult replaceFileAtomically(const std::string& path, const std::string& bytes);

// Replaces `path` (links followed) with what `change` makes of its bytes
// (nullopt: no file yet), holding the lock file beside it (`.lock` appended,
// never deleted) from the read to the replace, so that read-modify-writes of
// one file never lose each other. Temporaries that killed writes left behind
// are removed first. A file that cannot be read is not replaced, as its other
// contents would be lost.
WriteResult
rewriteFileLocked(const std::string& path,
                  const std::function<std::string(const std::optional<std::string>&)>& change);

} // namespace gravelock
