#include "servers/api_key.h"

#include "core/platform.h"
#include "core/text.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace gravelock::servers {

namespace fs = std::filesystem;

namespace {

// A Web API key is 32 hexadecimal digits; anything else in the file (a
// pasted line with blanks, a stray text) is not sent anywhere.
std::string cleanKey(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    if (text.empty() || text.size() > 64)
        return {};
    for (const char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return {};
    return std::string(text);
}

} // namespace

std::string apiKeyFile(const std::string& userFolder) {
    return pathToUtf8(pathFromUtf8(userFolder) / "steam-web-api.key");
}

std::string readApiKey(const std::string& userFolder) {
    if (std::string key = cleanKey(environmentVariable("GRAVELOCK_STEAM_KEY")); !key.empty())
        return key;
    if (userFolder.empty())
        return {};
    std::error_code error;
    const auto bytes = readWholeFile(apiKeyFile(userFolder), error);
    return bytes ? cleanKey(*bytes) : std::string();
}

WriteResult writeApiKey(const std::string& userFolder, const std::string& key) {
    const std::string file = apiKeyFile(userFolder);
    const fs::path path = pathFromUtf8(file);
    std::error_code error;
    if (key.empty()) {
        fs::remove(path, error);
        return error ? WriteResult::failure(describeError(error)) : WriteResult::success();
    }
    const std::string clean = cleanKey(key);
    if (clean.empty())
        return WriteResult::failure(
            "Das ist kein Schlüssel der Steam-Web-API (32 Hexadezimalziffern)");
    fs::create_directories(path.parent_path(), error);
    if (error)
        return WriteResult::failure(describeError(error));
    // The safe writer keeps the permission bits of the file it replaces: an
    // empty file readable by the player alone goes first, so the key never
    // lies in a file others may read.
    if (!fs::exists(path, error)) {
        std::ofstream created(path, std::ios::binary | std::ios::app);
        if (!created)
            return WriteResult::failure("Die Schlüsseldatei kann nicht angelegt werden");
    }
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace,
                    error);
    if (error)
        return WriteResult::failure(describeError(error));
    return replaceFileAtomically(file, clean + "\n");
}

} // namespace gravelock::servers
