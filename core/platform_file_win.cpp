// The file operations on Windows: wide-character calls on UTF-8 paths.
#include "core/platform_file.h"
#include "core/text.h"
#include "core/windows_api.h"

namespace gravelock::platform {

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

} // namespace gravelock::platform
