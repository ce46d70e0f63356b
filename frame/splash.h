// The borderless start window: shows the logo for three seconds, then opens the
// first-use wizard or the main window.
#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

namespace gravelock {

class AppContext;

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 3000;

    explicit SplashWindow(AppContext& context);

    QLabel* Logo = nullptr;
    QTimer* Timer1 = nullptr;

    // The single tick of Timer1.
    void tick();

private:
    AppContext& context_;
};

} // namespace gravelock
