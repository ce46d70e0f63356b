#include "file_io.h"

#include "text.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace gravelock {
namespace fs = std::filesystem;

std::string describeError(const std::error_code& error) {
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return "Zugriff verweigert";
    if (error == std::errc::no_such_file_or_directory)
        return "Der Ordner existiert nicht";
    if (error == std::errc::no_space_on_device)
        return "Der Datenträger ist voll";
    if (error == std::errc::read_only_file_system)
        return "Der Datenträger ist schreibgeschützt";
    if (error == std::errc::is_a_directory)
        return "Der Name gehört zu einem Ordner";
    if (error == std::errc::not_a_directory)
        return "Ein Teil des Pfades ist kein Ordner";
    if (error == std::errc::filename_too_long)
        return "Der Pfad ist zu lang";
    if (error == std::errc::executable_format_error)
        return "Die Datei ist kein startbares Programm";
    return error.message();
}

std::optional<std::string> readWholeFile(const std::string& path, std::error_code& error) {
    error.clear();
    const fs::path p = pathFromUtf8(path);
    const auto status = fs::status(p, error);
    if (error || !fs::exists(status)) {
        if (error == std::errc::no_such_file_or_directory || !fs::exists(status))
            error.clear();
        return std::nullopt;
    }
    if (fs::is_directory(status)) {
        error = std::make_error_code(std::errc::is_a_directory);
        return std::nullopt;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        error = std::error_code(errno != 0 ? errno : EACCES, std::generic_category());
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error = std::make_error_code(std::errc::io_error);
        return std::nullopt;
    }
    return std::move(content).str();
}

namespace {

std::string temporaryNameBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const int pid = _getpid();
#else
    const int pid = static_cast<int>(getpid());
#endif
    fs::path tmp = target;
    tmp += ".tmp-" + std::to_string(pid) + "-" + std::to_string(counter++);
    return pathToUtf8(tmp);
}

// Writes and flushes to the disk; returns the error of the first failing step.
std::error_code writeAndSync(const std::string& path, const std::string& bytes) {
#ifdef _WIN32
    FILE* f = _wfopen(pathFromUtf8(path).c_str(), L"wb");
#else
    FILE* f = std::fopen(path.c_str(), "wb");
#endif
    if (!f)
        return {errno, std::generic_category()};
    std::error_code error;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        error = {errno != 0 ? errno : EIO, std::generic_category()};
    if (!error && std::fflush(f) != 0)
        error = {errno, std::generic_category()};
#ifdef _WIN32
    if (!error && _commit(_fileno(f)) != 0)
        error = {errno, std::generic_category()};
#else
    if (!error && fsync(fileno(f)) != 0)
        error = {errno, std::generic_category()};
#endif
    if (std::fclose(f) != 0 && !error)
        error = {errno, std::generic_category()};
    return error;
}

} // namespace

WriteResult replaceFileAtomically(const std::string& path, const std::string& bytes) {
    const fs::path target = pathFromUtf8(path);
    std::error_code error;
    const auto status = fs::status(target, error);
    if (fs::is_directory(status))
        return WriteResult::failure(describeError(std::make_error_code(std::errc::is_a_directory)));
    // A read-only file (the read-only attribute on Windows) is the player's
    // wish to keep it: the rename below would replace it regardless.
    if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return WriteResult::failure(describeError(std::make_error_code(std::errc::permission_denied)));

    const std::string tmp = temporaryNameBeside(target);
    errno = 0;
    error = writeAndSync(tmp, bytes);
    if (!error) {
        fs::rename(pathFromUtf8(tmp), target, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(pathFromUtf8(tmp), ignored);
        return WriteResult::failure(describeError(error));
    }
    return WriteResult::success();
}

} // namespace gravelock
