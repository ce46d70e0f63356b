// The file operations every system shares.
#include "core/platform_file.h"
#include "core/text.h"

#include <filesystem>
#include <random>

namespace gravelock::platform {
namespace fs = std::filesystem;

// Twelve characters from 36: guessing the next name is hopeless.
std::string randomSuffix() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string suffix;
    for (int i = 0; i < 12; ++i)
        suffix += kAlphabet[random() % 36];
    return suffix;
}

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
