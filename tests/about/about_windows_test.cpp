#include "about/clickable_label.h"
#include "about/credits.h"
#include "about/frm_about_window.h"
#include "about/secret_window.h"
#include "fakes.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;
using namespace gravelock::test;

namespace {

constexpr int kPictureHeight = 212; // 3180 twips

// The about box opened the way the main window's menu does it: shown beside a
// main window that is then disabled.
struct Fixture {
    explicit Fixture(
        const std::string& settings = "[MISC]\r\nuser=Fragmaster\r\ncompany=Die Ratten\r\n") {
        app.writeSettings(settings);
        registerWindows(app.context.windows(), {}, {WindowId::frmAbout, WindowId::secret});
        addPlainWindow(app.context.windows(), WindowId::sp);
        app.context.windows().show(WindowId::sp);
        app.context.windows().show(WindowId::frmAbout);
        app.context.windows().setEnabled(WindowId::sp, false);
    }
    FrmAboutWindow* about() {
        return app.context.windows().find<FrmAboutWindow>(WindowId::frmAbout);
    }
    QWidget* sp() { return app.context.windows().find(WindowId::sp); }
    // The credits with their clock stopped, to be ticked by hand.
    SecretWindow* credits() {
        auto* s = qobject_cast<SecretWindow*>(app.context.windows().show(WindowId::secret));
        s->Timer1->stop();
        return s;
    }

    TestApp app;
};

QString creditsWithLineFeeds() {
    return QString::fromStdString(creditsText())
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class AboutWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void labelsShowTheSettingsAsTyped() {
        const struct {
            std::string settings;
            QString user, company;
        } cases[] = {
            {"[MISC]\r\nfirstuse=no\r\n", "error", "error"},
            {"[MISC]\r\nuser=<b>Jörg</b>" + std::string(120, 'u') + "\r\ncompany=[K&K]\r\n",
             "<b>Jörg</b>" + QString(88, 'u'), "[K&K]"}, // cut to 99 characters
        };
        for (const auto& c : cases) {
            Fixture f(c.settings);
            QCOMPARE(f.about()->lblUser->text(), c.user);
            QCOMPARE(f.about()->lblComp->text(), c.company);
            for (QLabel* label : {static_cast<QLabel*>(f.about()->lblUser), f.about()->lblComp})
                QCOMPARE(label->textFormat(), Qt::PlainText);
        }
    }

    void clickingTheNicknameShowsTheJokeOnly() {
        Fixture f;
        FrmAboutWindow* about = f.about();
        QTest::mouseClick(about->lblUser, Qt::LeftButton);
        QCOMPARE(f.app.messages.shown.size(), 1u);
        const Message& m = f.app.messages.shown.front();
        QCOMPARE(m.text, QStringLiteral(
                             " It's your name, right ? So why did you click, stupid guy !!! :)"));
        QVERIFY(m.title == "Stupid guy" && m.buttons == MsgButtons::Ok &&
                m.icon == MsgIcon::Critical);

        // Pressing on the nickname and letting go elsewhere is no click; the clan does nothing.
        QTest::mousePress(about->lblUser, Qt::LeftButton);
        QTest::mouseRelease(about->lblUser, Qt::LeftButton, {}, QPoint(-5, -5));
        QTest::mouseClick(about->lblComp, Qt::LeftButton);
        QCOMPARE(f.app.messages.shown.size(), 1u);
        QVERIFY(!f.app.context.windows().isLoaded(WindowId::secret));
    }

    void everyWayOfClosingEnablesTheMainWindow_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"cmdOK", "Enter", "close box", "unload"})
            QTest::newRow(how) << how;
    }
    void everyWayOfClosingEnablesTheMainWindow() {
        QFETCH(QString, how);
        Fixture f;
        FrmAboutWindow* about = f.about();
        // The picture opens the credits beside the about box; they must outlive it.
        QTest::mouseClick(about->Picture1, Qt::LeftButton);
        auto* secret = f.app.context.windows().find<SecretWindow>(WindowId::secret);
        QVERIFY(secret && secret->isVisible() && !secret->isModal());
        QVERIFY(!f.sp()->isEnabled());
        if (how == "cmdOK")
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        else if (how == "Enter")
            QTest::keyClick(about->cmdOK, Qt::Key_Return);
        else if (how == "close box")
            about->close();
        else
            f.app.context.windows().unload(WindowId::frmAbout);
        TestApp::settle();

        QVERIFY(!f.app.context.windows().isLoaded(WindowId::frmAbout));
        QVERIFY(f.sp()->isEnabled());
        QVERIFY(f.app.context.windows().find(WindowId::secret)->isVisible());
        QVERIFY(f.app.messages.shown.empty());
        QCOMPARE(f.app.quitCount, 0);
    }

    void creditsFitAndScrollUpFromBelow() {
        Fixture f;
        SecretWindow* s = f.credits();
        QLabel* lbl = s->lbl;
        // The text as written, but the rules of "=" no wider than the picture.
        const QFontMetrics metrics(lbl->font());
        const QStringList lines = lbl->text().split('\n');
        const QStringList written = creditsWithLineFeeds().split('\n');
        QCOMPARE(lines.size(), written.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (written[i].startsWith("===")) {
                QVERIFY2(!lines[i].isEmpty() && written[i].startsWith(lines[i]),
                         qPrintable(lines[i]));
                QVERIFY(metrics.horizontalAdvance(lines[i]) <= s->pict->width());
            } else {
                QCOMPARE(lines[i], written[i]);
            }
        }
        // Sized to the text: no line wraps and no line is cut off.
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= lbl->width(), qPrintable(line));
        QVERIFY(lbl->height() >= lines.size() * metrics.lineSpacing() - metrics.leading());
        const int left = lbl->x();
        QCOMPARE(lbl->y(), kPictureHeight);

        // One round is P + H twips in steps of 27, restarting just past -H.
        const int ticksPerRound = (3180 + lbl->height() * 15) / CreditsScroller::kStep + 1;
        for (int tick = 1; tick < ticksPerRound; ++tick)
            s->scrollCredits();
        QVERIFY(lbl->y() <= -lbl->height() + 2); // less than one step from leaving the picture
        s->scrollCredits();
        QCOMPARE(lbl->y(), kPictureHeight);
        QCOMPARE(lbl->x(), left);
    }

    void command1CopiesTheCreditsAndRestartsTheClock() {
        Fixture f;
        SecretWindow* s = f.credits();
        for (int i = 0; i < 50; ++i)
            s->scrollCredits();
        const QPoint position = s->lbl->pos();
        const QString shown = s->lbl->text();
        s->lbl->setText(QStringLiteral("x"));

        QTest::mouseClick(s->Command1, Qt::LeftButton);
        QCOMPARE(s->lbl->text(), shown);
        QCOMPARE(s->Text1->text(), creditsWithLineFeeds());
        QVERIFY(s->Timer1->isActive());
        QCOMPARE(s->lbl->pos(), position);
        // The running clock scrolls on from there.
        QTRY_VERIFY_WITH_TIMEOUT(s->lbl->y() < position.y(), 5000);
    }
};

QTEST_MAIN(AboutWindowsTest)
#include "about_windows_test.moc"
