#include "frame/splash.h"

#include "frame/app_context.h"
#include "frame/controls.h"
#include "frame/german.h"
#include "frame/twips.h"
#include "frame/window_names.h"

#include <QLabel>
#include <QPixmap>

namespace gravelock {

SplashWindow::SplashWindow(AppContext& context)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), context_(context) {
    setObjectName(windowName::splash);
    setWindowTitle(QStringLiteral("Form1"));
    setClientSizeTwips(this, 9165, 5385);

    Logo = makeControl<QLabel>(this, "Logo", 0, 0, 9165, 5400);
    Logo->setPixmap(QPixmap(QStringLiteral(":/pictures/splash_logo.png")));

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
    // Every window after the splash shows text in the design font; the splash
    // itself is only a picture, so the font list is loaded while it is up.
    useDesignFont();
    const bool firstUse = context_.settings().read(setting::firstuse, "error") == "yes";
    context_.windows().show(firstUse ? windowName::firstuse1 : windowName::sp);
    context_.windows().unload(windowName::splash);
}

} // namespace gravelock
