// What the start finds on this machine for the settings location rule.
#pragma once

#include "app/command_line.h"
#include "core/settings_location.h"

#include <QByteArray>
#include <QString>
#include <QTranslator>

namespace gravelock {

// The executable's folder, its orvo.ini, the per-user configuration folder and
// the shipped template, for `commandLineFile` (empty when not given).
SettingsSituation findSettingsSituation(const QString& commandLineFile);

// The settings location rule on this machine for `commandLine`; the per-user
// folder is named after the application.
SettingsLocation locateSettings(const CommandLine& commandLine);

// Where the game's output of the last start goes, in the player's state
// folder; empty when the system names none.
QString lastStartLog();

// Qt's own texts (standard buttons, file dialog, command-line errors) in
// German, like the windows: read once, installed on whichever application
// object the start makes.
class GermanQtTexts {
public:
    GermanQtTexts();
    bool found() const { return found_; }
    // On the application object that exists now.
    void install();

private:
    QTranslator translator_;
    bool found_;
};

// What every start sets on the application object before its first window:
// German for what Qt formats itself, the program's name, and an end only when
// the program decides it.
void prepareApplication();

// Qt formats the file dialog's dates and sizes with the system locale, which
// QLocale::setDefault does not reach and which Qt reads once, while the
// application object is built. Made before that object, this makes that reading
// German; restore() afterwards hands the player's own locale back to the C
// library and to the game the player starts.
class GermanSystemLocale {
public:
    GermanSystemLocale();
    void restore();

private:
    bool wasSet_;
    QByteArray previous_;
};

} // namespace gravelock
