#include "frame/screen_fit.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;

class ScreenFitTest : public QObject {
    Q_OBJECT

private slots:
    void factorKeepsTheWindowInsideTheArea() {
        struct Case {
            int width, height, areaWidth, areaHeight;
            double factor;
        } cases[] = {
            {439, 586, 1280, 1024, 1.0},       // fits: unchanged
            {439, 586, 640, 512, 472.0 / 586}, // 200 % on a 1,024 px screen: the height decides
            {620, 390, 640, 512, 600.0 / 620}, // the width decides
            {0, 0, 640, 512, 1.0},             // no size yet
        };
        for (const Case& c : cases)
            QCOMPARE(shrinkToFit(c.width, c.height, 40, c.areaWidth, c.areaHeight), c.factor);
    }

    // A frame line halfway between device pixels moves in to the next whole one.
    void listEdgesLandOnWholeDevicePixels() {
        struct Case {
            int edge;
            double ratio;
            int inset;
        } cases[] = {
            {117, 1.5, 0},  {116, 1.5, 1},  {117, 1.25, 0}, {118, 1.25, 0},
            {116, 1.25, 2}, {119, 1.25, 1}, {116, 2.0, 0},  {115, 1.0, 0},
        };
        for (const Case& c : cases)
            QCOMPARE(pixelLineInset(c.edge, c.ratio), c.inset);
    }

    // A fixed window taller than the screen shrinks with its controls and their
    // fonts, keeping its proportions and every control inside it.
    void tooLargeWindowShrinksAsAWhole() {
        QWidget window;
        window.setFixedSize(600, 2400);
        auto* list = new QListWidget(&window);
        list->setGeometry(20, 1200, 300, 1000);
        auto* label = new QLabel(QStringLiteral("Karten"), &window);
        label->setGeometry(20, 2300, 200, 40);
        const qreal pointSize = window.font().pointSizeF();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        fitToScreen(&window, QGuiApplication::primaryScreen());
        QVERIFY(window.height() + 40 <= area.height());
        QVERIFY(qAbs(window.height() * 600.0 / window.width() - 2400) < 2400 * 0.01);
        const double factor = window.height() / 2400.0;
        QVERIFY(qAbs(label->y() - 2300 * factor) <= 1);
        QVERIFY(window.rect().contains(list->geometry()));
        QVERIFY(window.rect().contains(label->geometry()));
        QVERIFY(window.font().pointSizeF() < pointSize);
    }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
