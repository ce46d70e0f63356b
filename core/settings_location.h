// Where the settings file orvo.ini lives: decided once at start from the
// command line and what lies beside the executable, then handed to the context.
#pragma once

#include "core/file_io.h"

#include <optional>
#include <string>

namespace gravelock {

// What the start finds; every path is UTF-8 and empty when there is none.
struct SettingsSituation {
    std::string commandLineFile{}; // --settings FILE
    std::string executableFolder{};
    bool iniBesideExecutable = false;
    bool executableFolderWritable = false;
    std::string userFolder{};   // the platform's per-user configuration folder
    std::string templateFile{}; // the shipped orvo.ini with firstuse=yes
};

enum class SettingsOrigin { CommandLine, BesideExecutable, PerUser, Nowhere };

struct SettingsLocation {
    SettingsOrigin origin = SettingsOrigin::Nowhere;
    std::string file;
    // Copied to `file` when that does not exist yet; empty: start with an empty file.
    std::string seedFile;
    // For Nowhere: a German sentence naming the folder and the reason.
    std::string problem;
};

// The command line wins; then an orvo.ini beside the executable, as long as its
// folder can be written (a portable copy); then the per-user file. A read-only
// copy beside the executable seeds the per-user file instead of the template, so
// a prepared copy on a read-only medium keeps its settings.
SettingsLocation decideSettingsLocation(const SettingsSituation& situation);

// Whether a new file can be made in `folder`: the settings file is replaced
// through a temporary file beside it. Tries it, leaving nothing behind.
bool folderAcceptsNewFiles(const std::string& folder, std::string& reason);

// Makes sure the decided file exists: creates its folder and copies the seed
// (or writes an empty file) when it is missing. An existing file is never
// touched. A failure names the folder and the reason in German.
WriteResult createSettingsFile(const SettingsLocation& location);

// Why the settings file cannot be read (German), or nullopt when it can. A
// missing file is no problem: it reads as empty. Anything else the reader
// would quietly take for an empty file is one.
std::optional<std::string> settingsReadProblem(const std::string& file);

} // namespace gravelock
