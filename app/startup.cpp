#include "app/startup.h"
#include "core/game_watch.h"
#include "core/platform.h"

#include "frame/app_context.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <clocale>

namespace gravelock {

namespace {

// The shipped template: share/gravelock/ beside the bin/ folder of the
// executable (also in an unpacked package), else wherever the system keeps
// program data. When none exists the expected one is named, so the failure
// tells where it is missing.
QString templateFile(const QDir& executableFolder) {
    QString installed =
        QDir::cleanPath(executableFolder.filePath(QStringLiteral("../share/gravelock/orvo.ini")));
    if (QFileInfo::exists(installed))
        return installed;
    const QString system = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                  QStringLiteral("gravelock/orvo.ini"));
    return system.isEmpty() ? installed : system;
}

} // namespace

SettingsSituation findSettingsSituation(const QString& commandLineFile) {
    const QDir folder(QCoreApplication::applicationDirPath());
    SettingsSituation s;
    if (!commandLineFile.isEmpty())
        s.commandLineFile = QFileInfo(commandLineFile).absoluteFilePath().toStdString();
    s.executableFolder = folder.absolutePath().toStdString();
    s.iniBesideExecutable = QFileInfo(folder.filePath(QStringLiteral("orvo.ini"))).isFile();
    // Probed only for a portable copy: an installed program never writes beside itself.
    std::string ignored;
    s.executableFolderWritable =
        s.iniBesideExecutable && folderAcceptsNewFiles(s.executableFolder, ignored);
    s.userFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    s.templateFile = templateFile(folder).toStdString();
    return s;
}

SettingsLocation locateSettings(const CommandLine& commandLine) {
    return decideSettingsLocation(findSettingsSituation(commandLine.settingsFile));
}

QString lastStartLog() {
    const std::string folder = playerStateFolder(
        hostPlatform(), qEnvironmentVariable("XDG_STATE_HOME").toStdString(),
        QDir::homePath().toStdString(), qEnvironmentVariable("LOCALAPPDATA").toStdString());
    if (folder.empty())
        return {};
    return QDir::toNativeSeparators(
        QDir(QString::fromStdString(folder)).filePath(QString::fromLatin1(kLastStartLogName)));
}

GermanQtTexts::GermanQtTexts()
    : found_(translator_.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                              QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {}

void GermanQtTexts::install() {
    if (found_)
        QCoreApplication::installTranslator(&translator_);
}

void prepareApplication() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication::setApplicationName(kProgramTitle);
    // Wayland docks tie the window to the menu entry by this name, X11 ones by
    // the window class, which is the application name (StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.gravelock.gravelock"));
    // A hidden main window waiting for the configuration dialog must not end
    // the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

GermanSystemLocale::GermanSystemLocale()
    : wasSet_(qEnvironmentVariableIsSet("LC_ALL")), previous_(qgetenv("LC_ALL")) {
    qputenv("LC_ALL", "de_DE.UTF-8");
}

void GermanSystemLocale::restore() {
    if (wasSet_)
        qputenv("LC_ALL", previous_);
    else
        qunsetenv("LC_ALL");
    std::setlocale(LC_ALL, "");
}

} // namespace gravelock
