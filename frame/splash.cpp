#include "frame/splash.h"

#include "frame/controls.h"
#include "frame/twips.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QResource>

namespace gravelock {

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Form1"));
    setClientSizeTwips(this, 9165, 5385);

    Logo = makeControl<QLabel>(this, "Logo", 0, 0, 9165, 5400);
    // Raw pixels need no decoder before the first paint; Qt's own reader stays
    // the fallback.
    const QString logoFile = QStringLiteral(":/pictures/splash_logo.ppm");
    const QByteArray logoBytes = QResource(logoFile).uncompressedData();
    const QImage logo = imageFromPpm(logoBytes);
    Logo->setPixmap(logo.isNull() ? QPixmap(logoFile) : QPixmap::fromImage(logo));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    // A coarse timer may fire up to 5% early or late; the wait is meant to be exact.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(kShowMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &SplashWindow::tick);
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The three seconds count from when the logo is on the screen.
    if (!shownOnce_) {
        shownOnce_ = true;
        Timer1->start();
    }
}

void SplashWindow::tick() {
    Timer1->stop();
    emit timeUp();
}

QImage imageFromPpm(QByteArrayView bytes) {
    qsizetype at = 0;
    // The format's white space: blank, tab, line feed, vertical tab, form feed, CR.
    const auto blankAt = [&] {
        return at < bytes.size() && (bytes[at] == ' ' || (bytes[at] >= '\t' && bytes[at] <= '\r'));
    };
    // A decimal number up to 65535 after white space; -1 when there is none.
    const auto number = [&]() -> int {
        if (!blankAt())
            return -1;
        while (blankAt())
            ++at;
        int value = -1;
        while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9' && value < 65536)
            value = (value < 0 ? 0 : value * 10) + (bytes[at++] - '0');
        return value <= 65535 ? value : -1;
    };
    if (!bytes.startsWith("P6"))
        return {};
    at = 2;
    const int width = number();
    const int height = number();
    const int maximum = number();
    // Exactly one white-space character ends the header.
    if (width <= 0 || height <= 0 || maximum != 255 || !blankAt())
        return {};
    ++at;
    const qsizetype lineBytes = qsizetype{width} * 3;
    if (bytes.size() - at < lineBytes * height)
        return {};
    return QImage(reinterpret_cast<const uchar*>(bytes.data() + at), width, height, lineBytes,
                  QImage::Format_RGB888);
}

} // namespace gravelock
