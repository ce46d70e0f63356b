#include "frame/app_context.h"

#include "core/text.h"
#include "frame/window_names.h"

#include <QDir>
#include <QFileInfo>

namespace gravelock {

AppContext::AppContext(std::string settingsFile, MessageBoxes& messages, FileDialogs& files,
                       GameStarter& starter, const Volumes& volumes, std::function<void()> quit)
    : settingsFile_(std::move(settingsFile)), messages_(messages), files_(files), starter_(starter),
      volumes_(volumes), quit_(std::move(quit)), registry_(*this) {
    QObject::connect(&registry_, &WindowRegistry::nothingVisible, &registry_, [this] { quit_(); });
}

AppContext::~AppContext() {
    registry_.destroyAll();
}

QString AppContext::programFolder() const {
    return QFileInfo(QString::fromStdString(settingsFile_)).absolutePath();
}

std::string AppContext::getPPS(const std::string& cat, const std::string& cle,
                               const std::string& def, std::int32_t max) const {
    return GetPPS(cat, cle, def, max, settingsFile_);
}

QString AppContext::readSetting(const std::string& cat, const std::string& cle,
                                const std::string& def, std::int32_t max) const {
    return QString::fromStdString(getPPS(cat, cle, def, max));
}

bool AppContext::writeSetting(QWidget* parent, const std::string& section, const std::string& key,
                              const QString& value) {
    const WriteResult result = WritePPS(section, key, value.toStdString(), settingsFile_);
    if (result)
        return true;
    message(parent,
            QStringLiteral("Die Einstellungen konnten nicht gespeichert werden.\n\n"
                           "Datei: %1\nGrund: %2.")
                .arg(QDir::toNativeSeparators(QString::fromStdString(settingsFile_)),
                     QString::fromStdString(result.reason)),
            kProgramTitle, MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

MsgResult AppContext::message(QWidget* parent, const QString& text, const QString& title,
                              MsgButtons buttons, MsgIcon icon) {
    return message(parent, Message{text, title, buttons, icon, false});
}

MsgResult AppContext::message(QWidget* parent, Message m) {
    if (m.title.isEmpty())
        m.title = kProgramTitle;
    return messages_.show(parent, m);
}

std::optional<QString> AppContext::openFile(QWidget* parent, const QString& title,
                                            const QString& filter) {
    return files_.openFile(parent, title, filter);
}

bool AppContext::startGame(QWidget* parent, const QString& commandText, int windowStyle) {
    const StartResult result = starter_.start(commandText.toStdString(), windowStyle);
    if (result.ok)
        return true;
    const QString program = result.program.empty()
                                ? QStringLiteral("(keins)")
                                : QDir::toNativeSeparators(QString::fromStdString(result.program));
    message(parent,
            QStringLiteral("Das Spiel konnte nicht gestartet werden.\n\n"
                           "Programm: %1\nGrund: %2.\n\n"
                           "Prüfe den Programmpfad unter Setup > Konfiguration.")
                .arg(program, QString::fromStdString(result.reason)),
            kProgramTitle, MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

void AppContext::returnToMainWindow(QWidget* tool) {
    registry_.unload(tool->objectName());
    registry_.show(windowName::sp);
}

void AppContext::quit() {
    quit_();
}

} // namespace gravelock
