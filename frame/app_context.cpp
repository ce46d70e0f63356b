#include "frame/app_context.h"

#include <QDir>

namespace gravelock {

AppContext::AppContext(Settings settings, MessageBoxes& messages, FileDialogs& files,
                       GameStarter& starter, const Volumes& volumes, std::function<void()> quit)
    : settings_(std::move(settings)), messages_(messages), files_(files), starter_(starter),
      volumes_(volumes), quit_(std::move(quit)), registry_(*this) {
    QObject::connect(&registry_, &WindowRegistry::nothingVisible, &registry_, [this] { quit_(); });
}

AppContext::~AppContext() {
    registry_.destroyAll();
}

bool AppContext::saveSettings(QWidget* parent, const std::vector<SettingWrite>& writes) {
    const WriteResult result = settings_.writeBatch(writes);
    if (result)
        return true;
    message(parent,
            QStringLiteral("Die Einstellungen konnten nicht gespeichert werden.\n\n"
                           "Datei: %1\nGrund: %2.")
                .arg(QDir::toNativeSeparators(QString::fromStdString(settings_.file())),
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
                                            const QString& filter, const QString& folder) {
    return files_.openFile(parent, title, filter, folder);
}

bool AppContext::startGame(QWidget* parent, const QString& commandText, WindowStyle windowStyle) {
    const auto failedEarly = [relay = gameEnds_, this](const GameEnd& end) {
        relay.post([this, end] {
            const PlayerMessage m = earlyEndMessage(end);
            message(nullptr,
                    Message{QString::fromStdString(m.text), QString::fromStdString(m.title),
                            MsgButtons::Ok, MsgIcon::Critical, false});
        });
    };
    const StartResult result =
        starter_.start(makeStartRequest(commandText.toStdString(), windowStyle,
                                        throughSteamSetting(settings_.read(setting::steam))),
                       failedEarly);
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

void AppContext::returnToMainWindow(QWidget* from) {
    if (flow_)
        flow_->backToMainWindow(from);
    else
        registry_.unload(from);
}

void AppContext::quit() {
    quit_();
}

} // namespace gravelock
