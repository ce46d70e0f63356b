// A fresh folder per test, removed afterwards, and whole-file helpers.
#pragma once

#include <filesystem>
#include <string>

namespace gravelock::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // A path inside the folder, as UTF-8 text.
    std::string file(const std::string& name) const;

private:
    std::filesystem::path path_;
};

void writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);

} // namespace gravelock::test
