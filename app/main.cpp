#include "app/command_line.h"
#include "app/gravelock_app.h"
#include "app/server_commands.h"
#include "app/startup.h"
#include "core/console.h"
#include "core/settings_location.h"
#include "frame/appearance.h"

#include <QApplication>
#include <QFileInfo>

namespace {

using namespace gravelock;

// Answers --help, --version and a bad command line on the terminal, without a
// window. Returns the exit status, or -1 when the program is to run.
int answerOnTerminal(const CommandLine& commandLine) {
    switch (commandLine.action) {
    case CommandLine::Action::Run:
        return -1;
    case CommandLine::Action::Query:
    case CommandLine::Action::Lan:
    case CommandLine::Action::Servers:
        return runServerCommand(commandLine);
    case CommandLine::Action::Help: {
        const SettingsLocation location = locateSettings(commandLine);
        const bool fresh = location.origin != SettingsOrigin::Nowhere &&
                           !QFileInfo::exists(QString::fromStdString(location.file));
        const QString file = location.origin == SettingsOrigin::Nowhere
                                 ? QString::fromStdString(location.problem)
                                 : QString::fromStdString(location.file);
        printToTerminal(commandLineHelp(file, fresh, lastStartLog()).toStdString(), false);
        return 0;
    }
    case CommandLine::Action::Version:
        printToTerminal(versionText().toStdString(), false);
        return 0;
    case CommandLine::Action::Error:
        printToTerminal(QStringLiteral("gravelock: %1\nMehr dazu: gravelock --help\n")
                            .arg(commandLine.error)
                            .toStdString(),
                        true);
        return kUsageError;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    // Dates and sizes Qt formats itself (the file dialog) read German like the windows.
    GermanSystemLocale germanSystemLocale;
    GermanQtTexts qtTexts;
    // --help, --version and the server questions are answered before a window
    // system is needed, so they work on a terminal without a display too. A
    // start from the menu has no arguments and goes straight to the first window.
    CommandLine commandLine;
    if (argc > 1) {
        QCoreApplication terminal(argc, argv);
        QCoreApplication::setApplicationName(kProgramTitle);
        germanSystemLocale.restore();
        qtTexts.install();
        commandLine = parseCommandLine(QCoreApplication::arguments());
        if (commandLine.action != CommandLine::Action::Run)
            return answerOnTerminal(commandLine);
    }

    QApplication app(argc, argv);
    germanSystemLocale.restore();
    qtTexts.install();
    prepareApplication();
    const SettingsLocation location = locateSettings(commandLine);

    QtMessageBoxes messages;
    if (const WriteResult created = createSettingsFile(location); !created) {
        useProgramIcon();
        messages.show(nullptr, Message{QStringLiteral("Gravelock findet keinen Ort für seine "
                                                      "Einstellungen und beendet sich. Es wurde "
                                                      "nichts verändert.\n\n%1")
                                           .arg(QString::fromStdString(created.reason)),
                                       kProgramTitle, MsgButtons::Ok, MsgIcon::Critical});
        return 1;
    }

    QtFileDialogs files;
    SystemGameStarter starter(lastStartLog().toStdString());
    Gravelock program(Settings(location.file), messages, files, starter,
                      [] { QCoreApplication::exit(0); });
    if (!program.start())
        return 1;
    return QApplication::exec();
}
