#include "platform_file.h"

#include "text.h"

#include <filesystem>
#include <random>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace gravelock::platform {
namespace fs = std::filesystem;

namespace {

// Twelve characters from 36: guessing the next name is hopeless.
std::string randomSuffix() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string suffix;
    for (int i = 0; i < 12; ++i)
        suffix += kAlphabet[random() % 36];
    return suffix;
}

constexpr int kNameAttempts = 100;

} // namespace

FileKind fileKind(const std::string& path, std::error_code& error) {
    error.clear();
    const auto status = fs::status(pathFromUtf8(path), error);
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory ||
        status.type() == fs::file_type::not_found) {
        error.clear();
        return FileKind::missing;
    }
    if (error)
        return FileKind::missing;
    if (fs::is_regular_file(status))
        return FileKind::regular;
    if (fs::is_directory(status))
        return FileKind::directory;
    return FileKind::other;
}

#ifdef _WIN32

namespace {

std::error_code lastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

std::wstring wide(const std::string& utf8) {
    return pathFromUtf8(utf8).wstring();
}

} // namespace

FileRead readRegularFile(const std::string& path, std::uint64_t limit) {
    FileRead read;
    read.kind = fileKind(path, read.error);
    if (read.error || read.kind != FileKind::regular)
        return read;
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        read.error = lastError();
        return read;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        read.kind = FileKind::other;
    } else if (!GetFileSizeEx(file, &size)) {
        read.error = lastError();
    } else if (static_cast<std::uint64_t>(size.QuadPart) > limit) {
        read.error = std::make_error_code(std::errc::file_too_large);
    } else {
        read.bytes.resize(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        while (done < read.bytes.size()) {
            DWORD got = 0;
            if (!ReadFile(file, read.bytes.data() + done,
                          static_cast<DWORD>(read.bytes.size() - done), &got, nullptr)) {
                read.error = lastError();
                break;
            }
            if (got == 0)
                break;
            done += got;
        }
        read.bytes.resize(done);
    }
    CloseHandle(file);
    if (read.error || read.kind != FileKind::regular)
        read.bytes.clear();
    return read;
}

FileLock FileLock::acquire(const std::string& lockPath, std::error_code& error) {
    error.clear();
    HANDLE file =
        CreateFileW(wide(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = lastError();
        return {};
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        error = lastError();
        CloseHandle(file);
        return {};
    }
    FileLock lock;
    lock.handle_ = reinterpret_cast<std::intptr_t>(file);
    return lock;
}

FileLock::~FileLock() {
    if (handle_ != kNone)
        CloseHandle(reinterpret_cast<HANDLE>(handle_)); // closing releases the lock
}

std::string writeExclusiveFile(const std::string& prefix, const std::string& bytes,
                               const std::string& /*likeFile: the rename keeps its rights*/,
                               std::error_code& error) {
    error.clear();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = prefix + randomSuffix();
        HANDLE file = CreateFileW(wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            error = lastError();
            return {};
        }
        std::size_t done = 0;
        while (!error && done < bytes.size()) {
            DWORD wrote = 0;
            if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                           &wrote, nullptr))
                error = lastError();
            done += wrote;
        }
        if (!error && !FlushFileBuffers(file))
            error = lastError();
        if (!CloseHandle(file) && !error)
            error = lastError();
        if (error) {
            DeleteFileW(wide(name).c_str());
            return {};
        }
        return name;
    }
    error = std::make_error_code(std::errc::file_exists);
    return {};
}

void replaceByRename(const std::string& source, const std::string& target, std::error_code& error) {
    error.clear();
    // ReplaceFile keeps the target's rights and attributes; a new target is a move.
    if (ReplaceFileW(wide(target).c_str(), wide(source).c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return;
    if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        error = lastError();
        return;
    }
    if (!MoveFileExW(wide(source).c_str(), wide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = lastError();
}

bool mayWrite(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() != ERROR_ACCESS_DENIED;
    CloseHandle(file);
    return true;
}

std::error_condition portableCondition(const std::error_code& error) {
    struct Meaning {
        DWORD code;
        std::errc condition;
    };
    static constexpr Meaning kMeanings[] = {
        {ERROR_ACCESS_DENIED, std::errc::permission_denied},
        {ERROR_SHARING_VIOLATION, std::errc::permission_denied},
        {ERROR_LOCK_VIOLATION, std::errc::permission_denied},
        {ERROR_FILE_NOT_FOUND, std::errc::no_such_file_or_directory},
        {ERROR_PATH_NOT_FOUND, std::errc::no_such_file_or_directory},
        {ERROR_INVALID_DRIVE, std::errc::no_such_file_or_directory},
        {ERROR_BAD_NETPATH, std::errc::no_such_file_or_directory},
        {ERROR_DISK_FULL, std::errc::no_space_on_device},
        {ERROR_HANDLE_DISK_FULL, std::errc::no_space_on_device},
        {ERROR_WRITE_PROTECT, std::errc::read_only_file_system},
        {ERROR_DIRECTORY, std::errc::not_a_directory},
        {ERROR_FILENAME_EXCED_RANGE, std::errc::filename_too_long},
        {ERROR_BAD_EXE_FORMAT, std::errc::executable_format_error},
        {ERROR_EXE_MACHINE_TYPE_MISMATCH, std::errc::executable_format_error},
        {ERROR_FILE_EXISTS, std::errc::file_exists},
        {ERROR_ALREADY_EXISTS, std::errc::file_exists},
        {ERROR_NOT_ENOUGH_MEMORY, std::errc::not_enough_memory},
        {ERROR_OUTOFMEMORY, std::errc::not_enough_memory},
        {ERROR_INVALID_NAME, std::errc::invalid_argument},
        {ERROR_BAD_PATHNAME, std::errc::invalid_argument},
        {ERROR_NOT_READY, std::errc::no_such_device},
        {ERROR_CRC, std::errc::io_error},
        {ERROR_READ_FAULT, std::errc::io_error},
        {ERROR_WRITE_FAULT, std::errc::io_error},
        {ERROR_TOO_MANY_OPEN_FILES, std::errc::too_many_files_open},
        {ERROR_NOT_SAME_DEVICE, std::errc::cross_device_link},
        {ERROR_DIR_NOT_EMPTY, std::errc::directory_not_empty},
    };
    if (error.category() == std::system_category())
        for (const Meaning& meaning : kMeanings)
            if (static_cast<DWORD>(error.value()) == meaning.code)
                return meaning.condition;
    return error.default_error_condition();
}

#else

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Writes all of `bytes`, through short writes and interruptions.
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

} // namespace

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
        const std::string name = prefix + randomSuffix();
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
    return ::access(path.c_str(), W_OK) == 0;
}

std::error_condition portableCondition(const std::error_code& error) {
    return error.default_error_condition();
}

#endif

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kNone;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        FileLock old(std::move(*this));
        handle_ = other.handle_;
        other.handle_ = kNone;
    }
    return *this;
}

} // namespace gravelock::platform
