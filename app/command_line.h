// The program's command line: --help, --version and --settings FILE.
#pragma once

#include <QString>
#include <QStringList>

namespace gravelock {

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString settingsFile; // --settings, empty when not given
    QString error;        // German, for Error
    // For Error: every unknown option is one of Qt's window system (-platform,
    // -style ...), which the application object takes off the command line.
    bool onlyWindowSystemOptions = false;
};

// `arguments` as QCoreApplication::arguments() gives them: the program first.
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
