// The file operations on POSIX systems.
#include "core/platform_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gravelock::platform {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

} // namespace

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

FileRead readRegularFile(const std::string& path, std::uint64_t limit) {
    FileRead read;
    read.kind = fileKind(path, read.error);
    if (read.error || read.kind != FileKind::regular)
        return read;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        read.error = lastError();
        if (read.error == std::errc::no_such_file_or_directory) {
            read.error.clear();
            read.kind = FileKind::missing;
        }
        return read;
    }
    struct stat facts {};
    if (::fstat(fd, &facts) != 0) {
        read.error = lastError();
    } else if (!S_ISREG(facts.st_mode)) {
        read.kind = S_ISDIR(facts.st_mode) ? FileKind::directory : FileKind::other;
    } else if (static_cast<std::uint64_t>(facts.st_size) > limit) {
        read.error = std::make_error_code(std::errc::file_too_large);
    } else {
        // The size may change while reading; read to the end, never past the limit.
        read.bytes.resize(static_cast<std::size_t>(facts.st_size) + 1);
        std::size_t done = 0;
        for (;;) {
            if (done == read.bytes.size()) {
                if (read.bytes.size() > limit) {
                    read.error = std::make_error_code(std::errc::file_too_large);
                    break;
                }
                read.bytes.resize(read.bytes.size() * 2);
            }
            const ssize_t n = ::read(fd, read.bytes.data() + done, read.bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                read.error = lastError();
                break;
            }
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        read.bytes.resize(done);
        if (done > limit)
            read.error = std::make_error_code(std::errc::file_too_large);
    }
    ::close(fd);
    if (read.error || read.kind != FileKind::regular)
        read.bytes.clear();
    return read;
}

FileLock FileLock::acquire(const std::string& lockPath, std::error_code& error) {
    error.clear();
    constexpr int kFlags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(lockPath.c_str(), O_RDWR | kFlags, 0666);
    if (fd < 0 && errno == EACCES) // another player's lock file: reading is enough for flock
        fd = ::open(lockPath.c_str(), O_RDONLY | kFlags, 0666);
    if (fd < 0) {
        error = lastError();
        return {};
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error = lastError();
            ::close(fd);
            return {};
        }
    }
    FileLock lock;
    lock.handle_ = fd;
    return lock;
}

FileLock::~FileLock() {
    if (handle_ != kNone)
        ::close(static_cast<int>(handle_)); // closing releases the lock
}

std::string writeExclusiveFile(const std::string& prefix, const std::string& bytes,
                               const std::string& likeFile, std::error_code& error) {
    error.clear();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = prefix + randomSuffix();
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            error = lastError();
            return {};
        }
        if (!writeAll(fd, bytes))
            error = errno != 0 ? lastError() : std::make_error_code(std::errc::io_error);
        struct stat like {};
        if (!error && ::stat(likeFile.c_str(), &like) == 0 && S_ISREG(like.st_mode)) {
            // Owner first: a change of owner clears set-id bits that fchmod restores.
            if (::fchown(fd, like.st_uid, like.st_gid) != 0) {
                // Only the owner's own files are kept when we may not give them away.
            }
            if (::fchmod(fd, like.st_mode & 07777) != 0)
                error = lastError();
        }
        if (!error && ::fsync(fd) != 0)
            error = lastError();
        if (::close(fd) != 0 && !error)
            error = lastError();
        if (error) {
            ::unlink(name.c_str());
            return {};
        }
        return name;
    }
    error = std::make_error_code(std::errc::file_exists);
    return {};
}

void replaceByRename(const std::string& source, const std::string& target, std::error_code& error) {
    error.clear();
    // Without a sync of the folder a crash may keep the old file: still whole.
    if (::rename(source.c_str(), target.c_str()) != 0)
        error = lastError();
}

bool mayWrite(const std::string& path) {
    struct stat facts {};
    if (::stat(path.c_str(), &facts) == 0 && (facts.st_mode & 0222) == 0)
        return false;
    return ::access(path.c_str(), W_OK) == 0;
}

std::error_condition portableCondition(const std::error_code& error) {
    return error.default_error_condition();
}

} // namespace gravelock::platform
