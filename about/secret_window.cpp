#include "about/secret_window.h"

#include "frame/appearance.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace gravelock {
namespace {

constexpr int kPictureWidth = 5190;
constexpr int kPictureHeight = 3180;

QFont creditsFont() {
    QFont font;
    setDesignFamily(font);
    font.setPointSizeF(11.25);
    font.setBold(true);
    return font;
}

} // namespace

SecretWindow::SecretWindow(AppContext&) : scroller_(kPictureHeight, 0) {
    setWindowTitle(QStringLiteral("Das schlimme Zeug :-)"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildControls();
    load();
    fitCaptions(this);
}

void SecretWindow::buildControls() {
    setClientSizeTwips(this, 5130, 3120);

    pict = makeControl<QLabel>(this, "pict", 0, 0, kPictureWidth, kPictureHeight);
    pict->setPixmap(QPixmap(QStringLiteral(":/pictures/credits.bmp"))
                        .scaled(pict->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    lbl = new QLabel(pict);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setFont(creditsFont());
    lbl->setTextFormat(Qt::PlainText);
    lbl->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = lbl->palette();
    palette.setColor(QPalette::WindowText, Qt::yellow);
    lbl->setPalette(palette);
    lbl->setAutoFillBackground(false);
    // Sized to its widest line below, so no line ever wraps; a wrapping label is
    // measured by its height rather than by one long line of the whole text.
    lbl->setWordWrap(true);

    // Beyond the right and bottom edges: part of the window, never seen.
    txt = makeControl<QPlainTextEdit>(this, "txt", 5400, 120, 2535, 1935);
    txt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txt->setPlainText(QString::fromStdString(creditsText())
                          .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    Command1 = makeButton(this, "Command1", QStringLiteral("Command1"), 5400, 2280, 1215, 375);
    Text1 = makeControl<QLineEdit>(this, "Text1", 120, 3360, 2535, 285);
    Text1->setText(QStringLiteral("___________________"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);

    connect(Timer1, &QTimer::timeout, this, &SecretWindow::scrollCredits);
    connect(Command1, &QPushButton::clicked, this, &SecretWindow::copyCredits);
}

void SecretWindow::load() {
    showCreditsText();
    // Centred once; the credits only ever move vertically.
    lbl->move((pict->width() - lbl->width()) / 2, pixelsFromTwips(scroller_.top()));
    Timer1->start();
}

void SecretWindow::showCreditsText() {
    const QFontMetrics metrics(lbl->font());
    // Rules of "=" are drawn as wide as the picture allows, so they are not cut
    // at both sides; the text itself (and what Command1 copies) keeps them whole.
    const int rule = std::max(1, (pict->width() - 2 * metrics.averageCharWidth()) /
                                     metrics.horizontalAdvance(QLatin1Char('=')));
    QStringList lines = txt->toPlainText().split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (!line.isEmpty() && line.count(QLatin1Char('=')) == line.size())
            line.truncate(rule);
    }
    lbl->setText(lines.join(QLatin1Char('\n')));
    int width = 0;
    for (const QString& line : std::as_const(lines))
        width = std::max(width, metrics.horizontalAdvance(line));
    width += 2 * metrics.averageCharWidth(); // room for rounding: never wrap
    lbl->resize(width, lbl->heightForWidth(width));
    scroller_.setLabelHeight(twipsFromPixels(lbl->height()));
}

void SecretWindow::scrollCredits() {
    scroller_.tick();
    lbl->move(lbl->x(), pixelsFromTwips(scroller_.top()));
}

void SecretWindow::copyCredits() {
    showCreditsText();
    Timer1->start();
    Text1->setText(txt->toPlainText());
}

} // namespace gravelock
