// What the first-use wizard, the configuration dialog and the pickers produce:
// the settings they write, the checks they make and the texts they show, built
// from plain copies of their controls.
#pragma once

#include "core/platform.h"
#include "core/player_message.h"
#include "core/settings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace gravelock {

using SetupMessage = PlayerMessage;

// The four values that the wizard's configuration page and the configuration
// dialog hold.
struct GameFolders {
    bool tfc = false;    // chkTFC
    std::string program; // program
    std::string maps;    // txtMaps
    std::string tfcmaps; // TFCmaps
};

// Only the exact text "true" ticks the Team Fortress box.
bool tfcTicked(const std::string& stored);
std::string tfcValue(bool ticked);

// Name page: the first empty field's message, or the two writes.
std::optional<SetupMessage> namePageProblem(const std::string& nick, const std::string& clan);
std::vector<SettingWrite> namePageWrites(const std::string& nick, const std::string& clan);

// Wizard configuration page: the writes (tfcmaps only while ticked), and the
// first check that fails afterwards.
std::vector<SettingWrite> wizardFolderWrites(const GameFolders& folders);
std::optional<SetupMessage> wizardFolderProblem(const GameFolders& folders);

// A program path that names no file would be saved only to fail at every start:
// the message naming it, or nullopt when `namesFile`.
std::optional<SetupMessage> programPathProblem(const std::string& program, bool namesFile);

// The folders derived from the stored values: valve, tfcdir and dds, in that
// order. valve and tfcdir are the maps folders less "maps" (a trailing separator
// typed after it is ignored; a value shorter than the cut gives an empty folder);
// dds is the program's folder with its trailing separator.
std::vector<SettingWrite> derivedFolderWrites(const std::string& tfc, const std::string& maps,
                                              const std::string& tfcmaps,
                                              const std::string& program);

// The wizard's last page: the derived folders, then firstuse = "no".
std::vector<SettingWrite> finishWrites(const std::string& tfc, const std::string& maps,
                                       const std::string& tfcmaps, const std::string& program);

// Configuration dialog: the four values (tfcmaps always), then the derived
// folders, so the game folder follows a moved install.
std::vector<SettingWrite> configDialogWrites(const GameFolders& folders);

// The program picker's filter in Qt's syntax. On Windows the description and the
// pattern as given, plus xash3d.exe; elsewhere the pattern, the native game's
// "hl.sh" and "hl_linux" and "xash3d", named in the description and matched
// without regard to case:
// "Half-Life Programm (hl.exe, hl.sh, hl_linux, xash3d) ([hH][lL].[eE][xX][eE] ...)".
std::string caseInsensitivePattern(const std::string& pattern);
std::string programFilter(const std::string& description, const std::string& pattern,
                          Platform platform = hostPlatform());

// The three folder pickers share one design and differ in texts.
enum class FolderPickerId { DirMaps, DirMapsTFC, Configtfc };

// How a volume is listed: a drive as "c: [LABEL]", any other root by its path,
// with the label in brackets where there is one.
std::string volumeEntry(const std::string& root, const std::string& label);

// The message for a volume that is not ready, naming its root.
SetupMessage volumeNotReadyMessage(FolderPickerId picker, const std::string& root);

// The index of the root that holds `path` (the longest matching root), or
// roots.size() when none does.
std::size_t volumeHolding(const std::vector<std::string>& roots, const std::string& path);

// A picked folder as it goes into a text box: no trailing separator, except
// that a root keeps its own ("C:\", "/").
std::string pickedFolderText(const std::string& path);

} // namespace gravelock
