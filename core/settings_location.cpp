#include "core/settings_location.h"

#include "core/text.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace gravelock {
namespace fs = std::filesystem;

namespace {

std::string fileIn(const std::string& folder) {
    return pathToUtf8(pathFromUtf8(folder) / "orvo.ini");
}

std::string folderOf(const std::string& file) {
    return pathToUtf8(pathFromUtf8(file).parent_path().make_preferred());
}

std::string shown(const std::string& path) {
    return pathToUtf8(pathFromUtf8(path).make_preferred());
}

} // namespace

SettingsLocation decideSettingsLocation(const SettingsSituation& s) {
    if (!s.commandLineFile.empty())
        return {SettingsOrigin::CommandLine, s.commandLineFile, s.templateFile, {}};

    const std::string beside = fileIn(s.executableFolder);
    if (s.iniBesideExecutable && s.executableFolderWritable)
        return {SettingsOrigin::BesideExecutable, beside, {}, {}};

    if (!s.userFolder.empty()) {
        const std::string seed = s.iniBesideExecutable ? beside : s.templateFile;
        return {SettingsOrigin::PerUser, fileIn(s.userFolder), seed, {}};
    }

    const std::string reason =
        s.iniBesideExecutable
            ? "Der Ordner " + shown(s.executableFolder) + " ist schreibgeschützt"
            : "Neben dem Programm (" + shown(s.executableFolder) + ") liegt keine orvo.ini";
    return {SettingsOrigin::Nowhere,
            {},
            {},
            reason + ", und das System nennt keinen persönlichen Ordner für Einstellungen."};
}

bool folderAcceptsNewFiles(const std::string& folder, std::string& reason) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path probe = pathFromUtf8(folder) / (".gravelock-probe-" + std::to_string(stamp) +
                                                   "-" + std::to_string(counter++));
    errno = 0;
    bool made = false;
    {
        std::ofstream out(probe, std::ios::binary);
        made = out.is_open();
    }
    if (!made) {
        reason =
            describeError(std::error_code(errno != 0 ? errno : EACCES, std::generic_category()));
        return false;
    }
    std::error_code ignored;
    fs::remove(probe, ignored);
    return true;
}

WriteResult createSettingsFile(const SettingsLocation& location) {
    if (location.origin == SettingsOrigin::Nowhere)
        return WriteResult::failure(location.problem);

    const fs::path file = pathFromUtf8(location.file);
    std::error_code error;
    const auto status = fs::status(file, error);
    if (fs::is_directory(status))
        return WriteResult::failure(shown(location.file) + " ist ein Ordner, keine Datei.");
    if (fs::exists(status))
        return WriteResult::success();

    const std::string folder = folderOf(location.file);
    fs::create_directories(file.parent_path(), error);
    if (error)
        return WriteResult::failure("Der Ordner " + folder +
                                    " kann nicht angelegt werden: " + describeError(error) + ".");

    std::string bytes;
    if (!location.seedFile.empty()) {
        const auto seed = readWholeFile(location.seedFile, error);
        if (!seed)
            return WriteResult::failure(
                "Die Vorlage " + shown(location.seedFile) + " kann nicht gelesen werden: " +
                (error ? describeError(error) : std::string("Die Datei fehlt")) + ".");
        bytes = *seed;
    }
    const WriteResult written = replaceFileAtomically(location.file, bytes);
    if (!written)
        return WriteResult::failure("In den Ordner " + folder +
                                    " kann nicht geschrieben werden: " + written.reason + ".");
    return WriteResult::success();
}

std::optional<std::string> settingsReadProblem(const std::string& file) {
    std::error_code error;
    if (readWholeFile(file, error))
        return std::nullopt;
    if (error)
        return describeError(error);
    std::error_code ignored;
    if (fs::exists(pathFromUtf8(file), ignored))
        return "Das ist keine gewöhnliche Datei";
    return std::nullopt;
}

} // namespace gravelock
