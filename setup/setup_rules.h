// What the first-use wizard, the configuration dialog and the pickers produce:
// the settings they write, the checks they make and the texts they show, built
// from plain copies of their controls.
#pragma once

#include "core/platform.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace gravelock {

// One key written to orvo.ini; lists of these keep the order of the writes.
struct SettingWrite {
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const SettingWrite&) const = default;
};

// A message for the player; an empty title shows the program's title.
struct SetupMessage {
    std::string text;
    std::string title;
    bool operator==(const SetupMessage&) const = default;
};

// The four values that the wizard's configuration page and the configuration
// dialog hold.
struct GameFolders {
    bool tfc = false;       // chkTFC
    std::string program;    // program
    std::string maps;       // txtMaps
    std::string tfcmaps;    // TFCmaps
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

// The folders derived from the stored values: valve, tfcdir and dds, in that
// order. A value shorter than the cut gives an empty folder.
std::vector<SettingWrite> derivedFolderWrites(const std::string& tfc, const std::string& maps,
                                              const std::string& tfcmaps,
                                              const std::string& program);

// The wizard's last page: the derived folders, then firstuse = "no".
std::vector<SettingWrite> finishWrites(const std::string& tfc, const std::string& maps,
                                       const std::string& tfcmaps, const std::string& program);

// Configuration dialog: the four values (tfcmaps always), then the derived
// folders, so the game folder follows a moved install.
std::vector<SettingWrite> configDialogWrites(const GameFolders& folders);

// The program picker's filter in Qt's syntax, matching `pattern` without regard
// to case: "Half-Life Programm (hl.exe) ([hH][lL].[eE][xX][eE])". Windows
// matches file names without regard to case by itself and shows the pattern
// as it is: "Half-Life Programm (hl.exe) (hl.exe)".
std::string caseInsensitivePattern(const std::string& pattern);
std::string programFilter(const std::string& description, const std::string& pattern,
                          Platform platform = kThisPlatform);

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
