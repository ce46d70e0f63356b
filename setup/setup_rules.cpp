#include "setup/setup_rules.h"

#include "core/setting_keys.h"
#include "core/text.h"

#include <cctype>

namespace gravelock {
namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

bool startsWithDrive(const std::string& s) {
    return s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':';
}

// "C:", "C:\", "C:/", "/" and "\" are roots.
bool isRoot(const std::string& path) {
    if (path.size() == 1)
        return isSeparator(path[0]);
    if (startsWithDrive(path))
        return path.size() == 2 || (path.size() == 3 && isSeparator(path[2]));
    return false;
}

// A path for comparing: forward slashes, and a drive letter in one case.
std::string comparable(std::string path) {
    for (char& c : path)
        if (c == '\\')
            c = '/';
    if (startsWithDrive(path))
        for (char& c : path)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
}

std::string withoutTrailingSeparators(std::string path) {
    while (!path.empty() && isSeparator(path.back()))
        path.pop_back();
    return path;
}

// Everything up to the last separator, which stays; a bare drive ("C:hl.exe")
// is its own folder, and a bare name has none.
std::string folderOf(const std::string& path) {
    const auto last = path.find_last_of("/\\");
    if (last != std::string::npos)
        return path.substr(0, last + 1);
    return startsWithDrive(path) ? path.substr(0, 2) : std::string();
}

} // namespace

bool tfcTicked(const std::string& stored) {
    return stored == "true";
}

std::string tfcValue(bool ticked) {
    return ticked ? "true" : "false";
}

std::optional<SetupMessage> namePageProblem(const std::string& nick, const std::string& clan) {
    if (nick.empty())
        return SetupMessage{"Bitte gib einen Spitznamen oder deinen Namen ein", "Nickname"};
    if (clan.empty())
        return SetupMessage{"Bitte trage eine Firma oder den Clannamen ein !", "Organisation"};
    return std::nullopt;
}

std::vector<SettingWrite> namePageWrites(const std::string& nick, const std::string& clan) {
    return {setting::user(nick), setting::company(clan)};
}

std::vector<SettingWrite> wizardFolderWrites(const GameFolders& folders) {
    std::vector<SettingWrite> writes{setting::tfc(tfcValue(folders.tfc))};
    if (folders.tfc)
        writes.push_back(setting::tfcmaps(folders.tfcmaps));
    writes.push_back(setting::program(folders.program));
    writes.push_back(setting::maps(folders.maps));
    return writes;
}

std::optional<SetupMessage> wizardFolderProblem(const GameFolders& folders) {
    if (folders.program.empty())
        return SetupMessage{"You must specify where is orvo.exe", {}};
    if (folders.maps.empty())
        return SetupMessage{"Du must den Half-Life Ordner festlegen !", {}};
    if (folders.tfc && folders.tfcmaps.empty())
        return SetupMessage{"Du must festlegen wo Team Fortess Classic installierd ist, oder "
                            "schalte die checkbox aus !",
                            {}};
    return std::nullopt;
}

std::optional<SetupMessage> programPathProblem(const std::string& program, bool namesFile) {
    if (namesFile)
        return std::nullopt;
    const std::string pick = "Bitte wähle das Spielprogramm (hl.exe) mit „Durchsuchen“.";
    if (program.empty())
        return SetupMessage{"Es ist kein Spielprogramm angegeben.\n\n" + pick, {}};
    return SetupMessage{"Das Spielprogramm „" + program + "“ gibt es nicht.\n\n" + pick, {}};
}

std::vector<SettingWrite> derivedFolderWrites(const std::string& tfc, const std::string& maps,
                                              const std::string& tfcmaps,
                                              const std::string& program) {
    // "…\valve\maps" less "maps" keeps its trailing separator; dropLastCharacters
    // gives an empty text for shorter values.
    return {setting::valve(dropLastCharacters(withoutTrailingSeparators(maps), 4)),
            setting::tfcdir(tfcTicked(tfc)
                                ? dropLastCharacters(withoutTrailingSeparators(tfcmaps), 4)
                                : std::string()),
            setting::dds(folderOf(program))};
}

std::vector<SettingWrite> finishWrites(const std::string& tfc, const std::string& maps,
                                       const std::string& tfcmaps, const std::string& program) {
    std::vector<SettingWrite> writes = derivedFolderWrites(tfc, maps, tfcmaps, program);
    writes.push_back(setting::firstuse("no"));
    return writes;
}

std::vector<SettingWrite> configDialogWrites(const GameFolders& folders) {
    std::vector<SettingWrite> writes{setting::tfc(tfcValue(folders.tfc)),
                                     setting::program(folders.program), setting::maps(folders.maps),
                                     setting::tfcmaps(folders.tfcmaps)};
    for (SettingWrite& derived :
         derivedFolderWrites(tfcValue(folders.tfc), folders.maps, folders.tfcmaps, folders.program))
        writes.push_back(std::move(derived));
    return writes;
}

std::string caseInsensitivePattern(const std::string& pattern) {
    std::string result;
    for (const char c : pattern) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && u < 0x80) {
            result += '[';
            result += static_cast<char>(std::tolower(u));
            result += static_cast<char>(std::toupper(u));
            result += ']';
        } else {
            result += c;
        }
    }
    return result;
}

std::string programFilter(const std::string& description, const std::string& pattern,
                          Platform platform) {
    // xash3d runs the same game folders with the same arguments.
    if (platform == Platform::Windows)
        return description + " (" + pattern + " xash3d.exe)";
    // The native game starts through hl.sh, which readies its libraries for hl_linux.
    const std::string names = pattern + ", hl.sh, hl_linux, xash3d";
    std::string named = description;
    if (const auto at = named.find(pattern); at != std::string::npos)
        named.replace(at, pattern.size(), names);
    else
        named += " (" + names + ")";
    return named + " (" + caseInsensitivePattern(pattern) + " " + caseInsensitivePattern("hl.sh") +
           " " + caseInsensitivePattern("hl_linux") + " " + caseInsensitivePattern("xash3d") + ")";
}

std::string volumeEntry(const std::string& root, const std::string& label) {
    std::string entry;
    if (startsWithDrive(root)) {
        entry = {static_cast<char>(std::tolower(static_cast<unsigned char>(root[0]))), ':'};
    } else {
        entry = root;
        while (entry.size() > 1 && isSeparator(entry.back()))
            entry.pop_back();
    }
    if (!label.empty())
        entry += " [" + label + "]";
    return entry;
}

SetupMessage volumeNotReadyMessage(FolderPickerId picker, const std::string& root) {
    // A drive is named by its letter in capitals and shown with a backslash;
    // any other volume by its root path and the separator of its system.
    std::string d;
    std::string separator = "\\";
    if (startsWithDrive(root)) {
        d = {static_cast<char>(std::toupper(static_cast<unsigned char>(root[0]))), ':'};
    } else {
        d = root;
        while (!d.empty() && isSeparator(d.back()))
            d.pop_back();
        separator = "/";
    }
    const std::string ending = "\n\n...";
    switch (picker) {
    case FolderPickerId::DirMaps:
        return {d + separator + " Nicht Möglich." + ending, "..." + d};
    case FolderPickerId::DirMapsTFC:
        return {d + separator + "Nicht möglich." + ending, "... " + d};
    case FolderPickerId::Configtfc:
        break;
    }
    return {d + separator + "..." + ending, "!!!" + d};
}

std::size_t volumeHolding(const std::vector<std::string>& roots, const std::string& path) {
    const std::string target = comparable(path);
    std::size_t best = roots.size();
    std::size_t bestLength = 0;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        std::string root = comparable(roots[i]);
        if (root.empty())
            continue;
        while (root.size() > 1 && root.back() == '/' && !isRoot(root))
            root.pop_back();
        const bool holds =
            target.compare(0, root.size(), root) == 0 &&
            (target.size() == root.size() || root.back() == '/' || target[root.size()] == '/');
        if (holds && (best == roots.size() || root.size() > bestLength)) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

std::string pickedFolderText(const std::string& path) {
    std::string text = path;
    while (text.size() > 1 && isSeparator(text.back()) && !isRoot(text))
        text.pop_back();
    if (text.size() == 2 && startsWithDrive(text))
        text += '\\';
    return text;
}

} // namespace gravelock
