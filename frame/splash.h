// The borderless start window: the logo, and a timer that signals when its
// three seconds are up. What follows is for the program's flow to decide.
#pragma once

#include <QByteArrayView>
#include <QTimer>
#include <QWidget>

class QImage;
class QLabel;

namespace gravelock {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 3000;

    SplashWindow();

    QLabel* Logo = nullptr;
    QTimer* Timer1 = nullptr;

    // The single tick of Timer1.
    void tick();

signals:
    void timeUp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool shownOnce_ = false;
};

// A binary PPM as the picture tools write it: "P6", width, height and 255,
// separated by white space, then the pixels. The image refers to `bytes`
// without decoding them, so `bytes` must outlive it. Anything else (comments in
// the header, 16-bit samples, missing pixels) gives a null image.
QImage imageFromPpm(QByteArrayView bytes);

} // namespace gravelock
