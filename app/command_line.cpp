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

const QCommandLineOption kQuery(QStringLiteral("query"),
                                QStringLiteral("Fragt den Server <Adresse>[:Port] (Port 27015, "
                                               "wenn keiner genannt ist) und gibt JSON aus."),
                                QStringLiteral("Adresse"));
const QCommandLineOption kPlayers(QStringLiteral("players"),
                                  QStringLiteral("Mit --query: auch die Spieler."));
const QCommandLineOption kRules(QStringLiteral("rules"),
                                QStringLiteral("Mit --query: auch die Regeln des Servers."));
const QCommandLineOption kLan(QStringLiteral("lan"),
                              QStringLiteral("Sucht Server im lokalen Netz und gibt JSON aus."));
const QCommandLineOption kServers(QStringLiteral("servers"),
                                  QStringLiteral("Holt die Serverliste aus dem Internet, fragt "
                                                 "jeden Server und gibt JSON aus."));
const QCommandLineOption kGame(QStringLiteral("game"),
                               QStringLiteral("Mit --servers: nur Server dieses Spiels "
                                              "(valve oder tfc)."),
                               QStringLiteral("Spiel"));
const QCommandLineOption kTimeout(QStringLiteral("timeout"),
                                  QStringLiteral("Wartezeit je Anfrage in Millisekunden (bei "
                                                 "--lan: wie lange gesammelt wird)."),
                                  QStringLiteral("ms"));

// Options Qt's window system reads itself, which the application object takes
// off the command line when it is made, and whether a value follows each.
struct WindowSystemOption {
    const char* name;
    bool takesValue;
};
constexpr WindowSystemOption kWindowSystemOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"reverse", false},
    {"session", true},         {"display", true},
    {"geometry", true},        {"style", true},
    {"stylesheet", true},      {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"visual", true},          {"dialogs", false},
    {"fontengine", false}};

const WindowSystemOption* windowSystemOption(const QString& name) {
    for (const WindowSystemOption& option : kWindowSystemOptions)
        if (name == QLatin1String(option.name))
            return &option;
    return nullptr;
}

// `arguments` without the window system's options and their values: the same
// command line whether or not an application object took them already.
QStringList withoutWindowSystemOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        // "-style fusion", "--style fusion" and, as Qt takes them, "-style=fusion".
        const QString name = argument.startsWith(QLatin1String("--")) ? argument.mid(2)
                             : argument.startsWith(QLatin1Char('-'))  ? argument.mid(1)
                                                                      : QString();
        const QString bare = name.section(QLatin1Char('='), 0, 0);
        const bool joined = bare != name;
        const WindowSystemOption* option = windowSystemOption(name);
        const bool known =
            joined ? bare == QLatin1String("style") || bare == QLatin1String("stylesheet")
                   : option != nullptr;
        if (i == 0 || !known) {
            kept.append(argument);
            continue;
        }
        if (!joined && option->takesValue)
            ++i;
    }
    return kept;
}

void describe(QCommandLineParser& parser) {
    // "-platform" is one option, as Qt's own options are spelled, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Gravelock: Starter und Einstellungen für Half-Life und Team Fortress "
                       "Classic."));
    parser.addOptions(
        {kHelp, kVersion, kSettings, kQuery, kPlayers, kRules, kLan, kServers, kGame, kTimeout});
}

// The server questions, checked together: one question, and only the
// options that belong to it. False with `error` set for a wrong combination.
bool readServerOptions(const QCommandLineParser& parser, CommandLine& result) {
    const int questions =
        int(parser.isSet(kQuery)) + int(parser.isSet(kLan)) + int(parser.isSet(kServers));
    const auto wrong = [&](const QString& why) {
        result.action = CommandLine::Action::Error;
        result.error = why;
        return false;
    };
    if (questions > 1)
        return wrong(QStringLiteral("Nur eine von --query, --lan und --servers auf einmal."));
    if (questions == 0) {
        for (const auto* option : {&kPlayers, &kRules, &kGame, &kTimeout})
            if (parser.isSet(*option))
                return wrong(QStringLiteral("--%1 gehört zu --query, --lan oder --servers.")
                                 .arg(option->names().constFirst()));
        return true;
    }
    if (parser.isSet(kQuery)) {
        result.action = CommandLine::Action::Query;
        result.server = parser.value(kQuery).trimmed();
        if (result.server.isEmpty())
            return wrong(QStringLiteral("--query braucht eine Serveradresse."));
    } else if (parser.isSet(kLan)) {
        result.action = CommandLine::Action::Lan;
    } else {
        result.action = CommandLine::Action::Servers;
    }
    if ((parser.isSet(kPlayers) || parser.isSet(kRules)) && !parser.isSet(kQuery))
        return wrong(QStringLiteral("--players und --rules gehören zu --query."));
    if (parser.isSet(kGame)) {
        if (!parser.isSet(kServers))
            return wrong(QStringLiteral("--game gehört zu --servers."));
        result.game = parser.value(kGame);
        if (result.game != QLatin1String("valve") && result.game != QLatin1String("tfc"))
            return wrong(
                QStringLiteral("--game kennt nur valve und tfc, nicht „%1“.").arg(result.game));
    }
    if (parser.isSet(kTimeout)) {
        bool ok = false;
        result.timeoutMs = parser.value(kTimeout).toInt(&ok);
        if (!ok || result.timeoutMs < 1 || result.timeoutMs > 60000)
            return wrong(QStringLiteral("--timeout braucht Millisekunden von 1 bis 60000, nicht "
                                        "„%1“.")
                             .arg(parser.value(kTimeout)));
    }
    result.players = parser.isSet(kPlayers);
    result.rules = parser.isSet(kRules);
    return true;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    CommandLine result;
    if (!parser.parse(withoutWindowSystemOptions(arguments))) {
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
    if (result.action == CommandLine::Action::Run && !readServerOptions(parser, result))
        return result;
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
