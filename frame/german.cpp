#include "frame/german.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
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

void useDesignFont() {
    QFont font = QApplication::font();
    const QStringList families = QFontDatabase::families();
    for (const QString& family : {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                  QStringLiteral("DejaVu Sans")}) {
        if (families.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSizeF(8);
    QApplication::setFont(font);
}

} // namespace gravelock
