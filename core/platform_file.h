// The file operations whose system calls differ between Windows and the rest:
// one function each, so that the rules above them stay portable.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace gravelock::platform {

enum class FileKind { missing, regular, directory, other };

// What `path` names, links followed. A failing look-up sets `error`.
FileKind fileKind(const std::string& path, std::error_code& error);

// The bytes of a regular file. A path that is missing or names no regular file
// (FIFO, device, folder) gives `kind` accordingly and no bytes; a file larger
// than `limit` sets `error` to file_too_large without reading it. The file is
// opened without blocking and checked once open, so a FIFO put in its place
// meanwhile cannot hang the caller.
struct FileRead {
    FileKind kind = FileKind::missing;
    std::string bytes;
    std::error_code error;
};
FileRead readRegularFile(const std::string& path, std::uint64_t limit);

// An exclusive lock on a lock file, created when missing (never through a
// link), held until destroyed. The system drops it when the holder dies.
class FileLock {
public:
    static FileLock acquire(const std::string& lockPath, std::error_code& error);
    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();
    bool held() const { return handle_ != kNone; }

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
};

// Creates a new file `prefix` + random characters, exclusively and never
// through a link, so nobody can plant a file or link there beforehand. Writes
// `bytes`, gives the file the permission bits (and, where allowed, the owner)
// of `likeFile` when that exists, and flushes it to the disk. Returns the name
// created; on failure nothing is left behind.
std::string writeExclusiveFile(const std::string& prefix, const std::string& bytes,
                               const std::string& likeFile, std::error_code& error);

// Random characters for names nobody can guess, and how many names a creation
// tries before it gives up.
std::string randomSuffix();
inline constexpr int kNameAttempts = 100;

// Puts `source` in the place of `target` in one step.
void replaceByRename(const std::string& source, const std::string& target, std::error_code& error);

// Whether this process may write the existing file `path`. A file without any
// write permission is refused even to root, as Windows refuses a read-only
// file to an administrator.
bool mayWrite(const std::string& path);

#ifndef _WIN32
// Writes all of `bytes` to the descriptor, through short writes and
// interruptions.
bool writeAll(int fd, const std::string& bytes);
#endif

// The portable condition of a system error; Windows error codes become the
// errno values they mean, so one table of reasons serves every platform.
std::error_condition portableCondition(const std::error_code& error);

} // namespace gravelock::platform
