// The player's own key for the Steam Web API's server list. It is never
// shipped and never printed; it lives in the per-user configuration folder
// (the folder of a per-user orvo.ini), readable by the player alone.
#pragma once

#include "core/file_io.h"

#include <string>

namespace gravelock::servers {

// `userFolder` is the per-user configuration folder, in Qt
// QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).

// The key file in `userFolder`.
std::string apiKeyFile(const std::string& userFolder);

// GRAVELOCK_STEAM_KEY when set and not blank (for scripts), else the key file
// in `userFolder`; blanks around it dropped. Empty when there is none or it
// does not look like a key.
std::string readApiKey(const std::string& userFolder);

// Writes the key file (mode 0600) through the safe writer, creating the folder
// when needed. An empty key removes the file.
WriteResult writeApiKey(const std::string& userFolder, const std::string& key);

} // namespace gravelock::servers
