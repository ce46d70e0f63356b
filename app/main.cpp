#include "app/gravelock_app.h"
#include "frame/german.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gravelock"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/about.jpg")));
    // The program decides itself when it ends: a hidden main window waiting for
    // the configuration dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    gravelock::installGermanQtTexts(app);
    gravelock::useDesignFont();

    gravelock::QtMessageBoxes messages;
    gravelock::QtFileDialogs files;
    gravelock::SystemGameStarter starter;
    gravelock::Gravelock program(gravelock::settingsFileBesideExecutable(), messages, files,
                                 starter, [] { QCoreApplication::exit(0); });
    program.start();
    return QApplication::exec();
}
