#include "frame/german.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace gravelock {

bool installGermanQtTexts(QApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

void setDesignFamily(QFont& font) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                  QStringLiteral("DejaVu Sans")}) {
        if (installed.contains(family)) {
            font.setFamily(family);
            return;
        }
    }
}

void useDesignFont() {
    QFont font = QApplication::font();
    setDesignFamily(font);
    font.setPointSizeF(8);
    QApplication::setFont(font);
}

void useProgramIcon() {
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon_256.png")));
}

} // namespace gravelock
