// A stand-in for the game: records the arguments it was started with, one per
// line, into the file named by GRAVELOCK_TEST_RECORD, and the folder it was
// started in into the same name with ".cwd" appended. The record is written
// whole and then renamed, last, so a reader that sees it sees both.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

bool writeFile(const std::string& path, const std::string& text) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && ok;
}

int recordStart(int argc, char** argv) {
    const char* record = std::getenv("GRAVELOCK_TEST_RECORD");
    if (!record)
        return 1;
    std::error_code error;
    const std::u8string cwd = std::filesystem::current_path(error).u8string();
    if (!writeFile(std::string(record) + ".cwd", std::string(cwd.begin(), cwd.end())))
        return 1;
    std::string lines;
    for (int i = 1; i < argc; ++i)
        lines += std::string(argv[i]) + "\n";
    const std::string partial = std::string(record) + ".partial";
    if (!writeFile(partial, lines))
        return 1;
    return std::rename(partial.c_str(), record) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // A failure of its own shows as a missing record, never as an abort.
    try {
        return recordStart(argc, argv);
    } catch (...) {
        return 1;
    }
}
