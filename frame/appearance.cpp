#include "frame/appearance.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>

namespace gravelock {

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
