#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>

namespace gravelock {

namespace {

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("Zeigt diese Hilfe an."));
const QCommandLineOption kVersion({QStringLiteral("v"), QStringLiteral("version")},
                                  QStringLiteral("Zeigt die Versionsnummer an."));
const QCommandLineOption kSettings(QStringLiteral("settings"),
                                   QStringLiteral("Nimmt <Datei> als Einstellungsdatei, statt "
                                                  "der neben dem Programm oder der persönlichen."),
                                   QStringLiteral("Datei"));

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Gravelock: Starter und Einstellungen für Half-Life und Team Fortress "
                       "Classic."));
    parser.addOptions({kHelp, kVersion, kSettings});
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.action = CommandLine::Action::Error;
        result.error = parser.errorText();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Action::Error;
        result.error = QStringLiteral("Unerwartetes Argument: %1.")
                           .arg(parser.positionalArguments().constFirst());
        return result;
    }
    if (parser.isSet(kHelp))
        result.action = CommandLine::Action::Help;
    else if (parser.isSet(kVersion))
        result.action = CommandLine::Action::Version;
    result.settingsFile = parser.value(kSettings);
    if (result.action == CommandLine::Action::Run && parser.isSet(kSettings) &&
        result.settingsFile.isEmpty()) {
        result.action = CommandLine::Action::Error;
        result.error = QStringLiteral("--settings braucht einen Dateinamen.");
    }
    return result;
}

QString commandLineHelp(const QString& settingsFile, bool createdOnFirstStart) {
    QCommandLineParser parser;
    describe(parser);
    QString text = parser.helpText();
    text += QStringLiteral("\nEinstellungsdatei: %1\n").arg(QDir::toNativeSeparators(settingsFile));
    if (createdOnFirstStart)
        text += QStringLiteral("(wird beim ersten Start aus der Vorlage angelegt)\n");
    return text;
}

QString versionText() {
    return QStringLiteral("Gravelock %1\n").arg(QStringLiteral(GRAVELOCK_VERSION));
}

} // namespace gravelock
