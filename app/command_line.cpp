#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>

#include <algorithm>

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

// Options Qt's window system reads itself.
const QStringList kWindowSystemOptions = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("reverse"),
    QStringLiteral("session"),         QStringLiteral("display"),
    QStringLiteral("geometry"),        QStringLiteral("style"),
    QStringLiteral("stylesheet"),      QStringLiteral("widgetcount"),
    QStringLiteral("nograb"),          QStringLiteral("dograb"),
    QStringLiteral("visual"),          QStringLiteral("dialogs"),
    QStringLiteral("fontengine")};

void describe(QCommandLineParser& parser) {
    // "-platform" is one option, as Qt's own options are spelled, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
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
        const QStringList unknown = parser.unknownOptionNames();
        result.onlyWindowSystemOptions =
            !unknown.isEmpty() && std::all_of(unknown.begin(), unknown.end(), [](const QString& o) {
                return kWindowSystemOptions.contains(o);
            });
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

QString commandLineHelp(const QString& settingsFile, bool createdOnFirstStart,
                        const QString& lastStartLog) {
    QCommandLineParser parser;
    describe(parser);
    QString text = parser.helpText();
    text += QStringLiteral("\nEinstellungsdatei: %1\n").arg(QDir::toNativeSeparators(settingsFile));
    if (createdOnFirstStart)
        text += QStringLiteral("(wird beim ersten Start aus der Vorlage angelegt)\n");
    if (!lastStartLog.isEmpty())
        text += QStringLiteral("Ausgabe des letzten Spielstarts: %1\n")
                    .arg(QDir::toNativeSeparators(lastStartLog));
    return text;
}

QString versionText() {
    return QStringLiteral("Gravelock %1\n").arg(QStringLiteral(GRAVELOCK_VERSION));
}

} // namespace gravelock
