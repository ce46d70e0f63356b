// The program's command line: --help, --version, --settings FILE, and the
// server questions --query, --lan and --servers.
#pragma once

#include <QString>
#include <QStringList>

namespace gravelock {

struct CommandLine {
    enum class Action { Run, Help, Version, Error, Query, Lan, Servers };
    Action action = Action::Run;
    QString settingsFile; // --settings, empty when not given
    QString error;        // German, for Error
    // Query, Lan, Servers:
    QString server;       // --query ADDRESS[:PORT]
    bool players = false; // --players
    bool rules = false;   // --rules
    QString game;         // --game valve|tfc, empty for every game
    int timeoutMs = -1;   // --timeout, -1 when not given
};

// `arguments` as QCoreApplication::arguments() gives them: the program first.
// Qt's window system options (-platform, -style ...) are left to Qt.
CommandLine parseCommandLine(const QStringList& arguments);

// What --help prints: the options, then the settings file in use and the log
// of the last game start.
QString commandLineHelp(const QString& settingsFile, bool createdOnFirstStart,
                        const QString& lastStartLog);

// What --version prints.
QString versionText();

// A bad command line exits with this status, like other command-line programs.
inline constexpr int kUsageError = 2;

} // namespace gravelock
