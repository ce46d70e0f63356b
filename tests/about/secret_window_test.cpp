#include "about/about_windows.h"
#include "about/credits.h"
#include "about/secret_window.h"
#include "core/ui/widgets.h"
#include "fakes.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// The client area the player sees, in pixels (5130 × 3120 twips).
const QRect kVisible(0, 0, 342, 208);
constexpr int kPictureHeight = 212; // 3180 twips

struct Fixture {
    Fixture() {
        registerAboutWindows(app.context.windows());
        secret = qobject_cast<SecretWindow*>(app.context.windows().show(QStringLiteral("secret")));
    }
    // Ticks by hand from here on.
    void stopTheClock() { secret->Timer1->stop(); }

    TestApp app;
    SecretWindow* secret = nullptr;
};

QString creditsWithLineFeeds() {
    return QString::fromStdString(creditsText())
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class SecretWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designState() {
        Fixture f;
        SecretWindow* s = f.secret;
        QVERIFY(s);
        QCOMPARE(s->windowTitle(), QStringLiteral("Das schlimme Zeug :-)"));
        QCOMPARE(s->size(), kVisible.size());
        QCOMPARE(s->pict->geometry(), QRect(0, 0, 346, kPictureHeight));
        QVERIFY(!s->pict->pixmap().isNull());
        QCOMPARE(s->lbl->parentWidget(), s->pict);
        for (QWidget* hidden : {static_cast<QWidget*>(s->txt), static_cast<QWidget*>(s->Command1),
                                static_cast<QWidget*>(s->Text1)})
            QVERIFY2(!hidden->geometry().intersects(kVisible), qPrintable(hidden->objectName()));
        QCOMPARE(s->Command1->text(), QStringLiteral("Command1"));
        QCOMPARE(s->Text1->text(), QString(19, '_'));
        QCOMPARE(s->txt->toPlainText(), creditsWithLineFeeds());
        QCOMPARE(s->txt->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(s->Timer1->interval(), 10);
        QVERIFY(s->Timer1->isActive());
        QVERIFY2(clippedCaptions(s).isEmpty(), qPrintable(clippedCaptions(s).join(", ")));
    }

    void creditsLabelLooksAsDesigned() {
        Fixture f;
        QLabel* lbl = f.secret->lbl;
        QCOMPARE(lbl->text(), f.secret->txt->toPlainText());
        const QFont font = lbl->font();
        QVERIFY(font.bold());
        QCOMPARE(font.pointSizeF(), 11.25);
        QVERIFY2(QStringList({"Arial", "Liberation Sans", "DejaVu Sans"})
                     .contains(QFontInfo(font).family()),
                 qPrintable(QFontInfo(font).family()));
        QCOMPARE(lbl->palette().color(QPalette::WindowText), QColor(Qt::yellow));
        QVERIFY(!lbl->autoFillBackground());
        QVERIFY(lbl->alignment() & Qt::AlignHCenter);
        // Sized to its text: every line fits on one line, and all lines are there.
        const QFontMetrics metrics(font);
        const QStringList lines = lbl->text().split('\n');
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= lbl->width(), qPrintable(line));
        QVERIFY(lbl->height() >= lines.size() * metrics.lineSpacing() - metrics.leading());
        // Centred in the picture.
        QVERIFY(qAbs(lbl->geometry().center().x() - f.secret->pict->rect().center().x()) <= 1);
    }

    void creditsEnterFromBelowAndStartOver() {
        Fixture f;
        f.stopTheClock();
        QLabel* lbl = f.secret->lbl;
        const int left = lbl->x();
        QCOMPARE(lbl->y(), kPictureHeight);

        // Hidden below the visible area at first; the first line enters on the third tick.
        f.secret->scrollCredits();
        f.secret->scrollCredits();
        QVERIFY(lbl->y() >= kVisible.height());
        f.secret->scrollCredits();
        QVERIFY(lbl->y() < kVisible.height());

        // Round after round, P + H twips in steps of 27, restarting just past -H.
        const int heightTwips = lbl->height() * 15;
        const int ticksPerRound = (3180 + heightTwips) / CreditsScroller::kStep + 1;
        for (int round = 0; round < 2; ++round) {
            int ticks = round == 0 ? 3 : 0;
            int lowest = lbl->y();
            while (lbl->y() != kPictureHeight || ticks == 0) {
                f.secret->scrollCredits();
                ++ticks;
                QVERIFY(ticks <= ticksPerRound);
                if (lbl->y() != kPictureHeight)
                    lowest = lbl->y();
            }
            QCOMPARE(ticks, ticksPerRound);
            QVERIFY(lowest <= -lbl->height() + 2); // less than one step from leaving the picture
            QCOMPARE(lbl->x(), left);
        }
    }

    void theTimerScrolls() {
        Fixture f;
        QTRY_VERIFY_WITH_TIMEOUT(f.secret->lbl->y() < kVisible.height(), 5000);
    }

    void command1CopiesTheCreditsAndRestartsTheClock() {
        Fixture f;
        f.stopTheClock();
        for (int i = 0; i < 50; ++i)
            f.secret->scrollCredits();
        const QPoint position = f.secret->lbl->pos();
        f.secret->lbl->setText(QStringLiteral("x"));

        QTest::mouseClick(f.secret->Command1, Qt::LeftButton);
        QCOMPARE(f.secret->lbl->text(), creditsWithLineFeeds());
        QCOMPARE(f.secret->Text1->text(), creditsWithLineFeeds());
        QVERIFY(f.secret->Timer1->isActive());
        QCOMPARE(f.secret->lbl->pos(), position);
    }
};

QTEST_MAIN(SecretWindowTest)
#include "secret_window_test.moc"
