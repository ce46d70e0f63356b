#include "app/gravelock_app.h"

#include "core/settings_location.h"

#include <QDir>
#include <QStandardPaths>

namespace gravelock {

Gravelock::Gravelock(Settings settings, MessageBoxes& messages, FileDialogs& files,
                     GameStarter& starter, std::function<void()> quit, std::string keyFolder)
    : context_(std::move(settings), messages, files, starter, volumes_, std::move(quit)),
      flow_(context_) {
    if (keyFolder.empty()) // the per-user folder, also for a portable copy: the key is the player's
        keyFolder =
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    const servers::ServerListServices services{serverPrompts_, keyFolder, 0, 0};
    registerWindows(context_.windows(), {currentFinderEnvironment, &services});
}

bool Gravelock::start() {
    const std::string& file = context_.settings().file();
    if (const auto problem = settingsReadProblem(file)) {
        context_.message(nullptr,
                         QStringLiteral("Gravelock kann seine Einstellungen nicht lesen und "
                                        "beendet sich. Es wurde nichts verändert.\n\n"
                                        "Datei: %1\nGrund: %2.")
                             .arg(QDir::toNativeSeparators(QString::fromStdString(file)),
                                  QString::fromStdString(*problem)),
                         {}, MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    flow_.start();
    return true;
}

} // namespace gravelock
