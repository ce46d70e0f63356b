#include "core/file_io.h"

#include "core/platform_file.h"
#include "core/text.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <utility>

namespace gravelock {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";

// Reasons by portable condition; the system's own texts are English.
const std::array<std::pair<std::errc, const char*>, 30> kReasons = {{
    {std::errc::permission_denied, "Zugriff verweigert"},
    {std::errc::operation_not_permitted, "Zugriff verweigert"},
    {std::errc::no_such_file_or_directory, "Der Ordner existiert nicht"},
    {std::errc::no_space_on_device, "Der Datenträger ist voll"},
    {std::errc::read_only_file_system, "Der Datenträger ist schreibgeschützt"},
    {std::errc::is_a_directory, "Der Name gehört zu einem Ordner"},
    {std::errc::not_a_directory, "Ein Teil des Pfades ist kein Ordner"},
    {std::errc::filename_too_long, "Der Pfad ist zu lang"},
    {std::errc::executable_format_error, "Die Datei ist kein startbares Programm"},
    {std::errc::argument_list_too_long, "Die Befehlszeile ist zu lang"},
    {std::errc::file_too_large, "Die Datei ist zu groß"},
    {std::errc::file_exists, "Die Datei existiert bereits"},
    {std::errc::too_many_symbolic_link_levels, "Zu viele symbolische Verknüpfungen im Pfad"},
    {std::errc::io_error, "Fehler beim Lesen oder Schreiben des Datenträgers"},
    {std::errc::not_enough_memory, "Nicht genug Arbeitsspeicher"},
    {std::errc::too_many_files_open, "Zu viele offene Dateien"},
    {std::errc::too_many_files_open_in_system, "Zu viele offene Dateien"},
    {std::errc::text_file_busy, "Die Datei wird gerade benutzt"},
    {std::errc::device_or_resource_busy, "Die Datei wird gerade benutzt"},
    {std::errc::resource_unavailable_try_again,
     "Das System ist ausgelastet, bitte erneut versuchen"},
    {std::errc::cross_device_link, "Die Datei liegt auf einem anderen Datenträger"},
    {std::errc::invalid_argument, "Der Name ist ungültig"},
    {std::errc::no_such_device, "Das Laufwerk ist nicht bereit"},
    {std::errc::no_such_device_or_address, "Das Gerät existiert nicht"},
    {std::errc::directory_not_empty, "Der Ordner ist nicht leer"},
    {std::errc::interrupted, "Der Vorgang wurde unterbrochen"},
    {std::errc::value_too_large, "Die Datei ist zu groß"},
    {std::errc::operation_not_supported, "Der Datenträger unterstützt das nicht"},
    {std::errc::function_not_supported, "Der Datenträger unterstützt das nicht"},
    {std::errc::timed_out, "Zeitüberschreitung beim Zugriff"},
}};

// Removes temporary files that writes of `path` left behind when they were
// killed. Only safe while every writer of `path` is excluded.
void removeLeftoverTemporaries(const std::string& path) {
    const fs::path target = pathFromUtf8(resolveLinks(path));
    const std::string prefix = pathToUtf8(target.filename()) + std::string(kTemporaryMark);
    std::error_code error;
    for (fs::directory_iterator
             it(target.parent_path().empty() ? "." : target.parent_path(), error),
         end;
         !error && it != end; it.increment(error)) {
        const std::string name = pathToUtf8(it->path().filename());
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        // A folder of that name is not ours to remove; a planted link goes, its target stays.
        std::error_code ignored;
        const auto status = it->symlink_status(ignored);
        if (fs::is_regular_file(status) || fs::is_symlink(status))
            fs::remove(it->path(), ignored);
    }
}

} // namespace

std::string describeError(const std::error_code& error) {
    const std::error_condition condition = platform::portableCondition(error);
    for (const auto& [errc, reason] : kReasons)
        if (condition == errc)
            return reason;
    return "Unbekannter Systemfehler (Nummer " + std::to_string(error.value()) + ")";
}

std::optional<std::string> readWholeFile(const std::string& path, std::error_code& error) {
    platform::FileRead read = platform::readRegularFile(path, kLargestReadFile);
    error = read.error;
    if (error || read.kind != platform::FileKind::regular)
        return std::nullopt;
    return std::move(read.bytes);
}

std::string resolveLinks(const std::string& path) {
    fs::path current = pathFromUtf8(path);
    // Linux gives up after 40 links; so does this, leaving the error to the write.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)) || error)
            break;
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            break;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return pathToUtf8(current);
}

WriteResult replaceFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string target = resolveLinks(path);
    std::error_code error;
    switch (platform::fileKind(target, error)) {
    case platform::FileKind::directory:
        return WriteResult::failure(describeError(std::make_error_code(std::errc::is_a_directory)));
    case platform::FileKind::other:
        return WriteResult::failure("Der Name gehört zu keiner gewöhnlichen Datei");
    case platform::FileKind::regular:
        if (!platform::mayWrite(target))
            return WriteResult::failure("Die Datei ist schreibgeschützt");
        break;
    case platform::FileKind::missing:
        if (error)
            return WriteResult::failure(describeError(error));
        break;
    }

    const std::string tmp =
        platform::writeExclusiveFile(target + std::string(kTemporaryMark), bytes, target, error);
    if (error)
        return WriteResult::failure(describeError(error));
    platform::replaceByRename(tmp, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(pathFromUtf8(tmp), ignored);
        return WriteResult::failure(describeError(error));
    }
    return WriteResult::success();
}

WriteResult
rewriteFileLocked(const std::string& path,
                  const std::function<std::string(const std::optional<std::string>&)>& change) {
    const std::string target = resolveLinks(path);
    std::error_code error;
    const platform::FileLock lock = platform::FileLock::acquire(target + ".lock", error);
    if (error)
        return WriteResult::failure(describeError(error));
    removeLeftoverTemporaries(target);
    const auto bytes = readWholeFile(target, error);
    if (error)
        return WriteResult::failure(describeError(error));
    return replaceFileAtomically(target, change(bytes));
}

} // namespace gravelock
