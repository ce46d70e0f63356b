#include "frame/splash.h"

#include "frame/app_context.h"
#include "frame/controls.h"
#include "frame/menu_window.h"
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
    Timer1->setInterval(kShowMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &SplashWindow::tick);
    Timer1->start();

    centreOnScreen(this);
}

void SplashWindow::tick() {
    Timer1->stop();
    const bool firstUse = getPPS(context_, setting::firstuse, "error") == "yes";
    context_.windows().show(firstUse ? windowName::firstuse1 : windowName::sp);
    context_.windows().unload(windowName::splash);
}

} // namespace gravelock
