#include "about/about_windows.h"
#include "about/clickable_label.h"
#include "about/frm_about_window.h"
#include "about/secret_window.h"
#include "core/ui/widgets.h"
#include "fakes.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

// The about box opened the way the main window's menu does it: shown beside a
// main window that is then disabled.
struct Fixture {
    explicit Fixture(
        const std::string& settings = "[MISC]\r\nuser=Fragmaster\r\ncompany=Die Ratten\r\n") {
        if (!settings.empty())
            app.writeSettings(settings);
        registerAboutWindows(app.context.windows());
        app.context.windows().add(QStringLiteral("sp"), [](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName(QStringLiteral("sp"));
            return w;
        });
        app.context.windows().show(QStringLiteral("sp"));
        app.context.windows().show(QStringLiteral("frmAbout"));
        app.context.windows().setEnabled(QStringLiteral("sp"), false);
    }
    FrmAboutWindow* about() { return app.context.windows().find<FrmAboutWindow>("frmAbout"); }
    QWidget* sp() { return app.context.windows().find(QStringLiteral("sp")); }

    TestApp app;
};

} // namespace

class FrmAboutWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designState() {
        Fixture f;
        FrmAboutWindow* about = f.about();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Über den Gravelock "));
        QCOMPARE(about->Label1->text(), QStringLiteral("Gravelock 2.0"));
        QCOMPARE(
            about->Label2->text(),
            QStringLiteral("Der Karten Starter und Deathmath maker ...      mit extrfunktionen "
                           "für Half-Life"));
        QCOMPARE(about->Label4->text(), QStringLiteral("Diese Kopie ist lizensiert für :"));
        QCOMPARE(about->Label5->text(), QStringLiteral("Offizielle Seiten :"));
        QCOMPARE(about->cmdOK->text(), QStringLiteral("&OK"));
        for (QLabel* inside : {about->Label5, about->Label6, about->Label7})
            QCOMPARE(inside->parentWidget(), about->Picture2);
        QVERIFY(!about->Picture1->pixmap().isNull());
        QVERIFY2(clippedCaptions(about).isEmpty(), qPrintable(clippedCaptions(about).join(", ")));
    }

    void labelsShowTheSettings_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("company");
        QTest::newRow("both keys") << "[MISC]\r\nuser=Fragmaster\r\ncompany=Die Ratten\r\n"
                                   << "Fragmaster"
                                   << "Die Ratten";
        QTest::newRow("no keys") << "[MISC]\r\nfirstuse=no\r\n"
                                 << "error"
                                 << "error";
        QTest::newRow("no file") << ""
                                 << "error"
                                 << "error";
        QTest::newRow("empty values") << "[MISC]\r\nuser=\r\ncompany=\r\n"
                                      << ""
                                      << "";
        QTest::newRow("markup and umlauts shown as typed")
            << "[MISC]\r\nuser=<b>Jörg</b>\r\ncompany=[K&K] Clan\r\n"
            << "<b>Jörg</b>"
            << "[K&K] Clan";
        QTest::newRow("cut to 99 characters") << QString("[MISC]\r\nuser=" + QString(120, 'u') +
                                                         "\r\ncompany=" + QString(99, 'c') + "\r\n")
                                              << QString(99, 'u') << QString(99, 'c');
    }
    void labelsShowTheSettings() {
        QFETCH(QString, settings);
        QFETCH(QString, user);
        QFETCH(QString, company);
        Fixture f(settings.toStdString());
        QCOMPARE(f.about()->lblUser->text(), user);
        QCOMPARE(f.about()->lblComp->text(), company);
        QCOMPARE(f.about()->lblUser->textFormat(), Qt::PlainText);
        QCOMPARE(f.about()->lblComp->textFormat(), Qt::PlainText);
    }

    void clickingTheNicknameShowsTheJokeOnly() {
        Fixture f;
        FrmAboutWindow* about = f.about();
        QTest::mouseClick(about->lblUser, Qt::LeftButton);
        QCOMPARE(f.app.messages.shown.size(), 1u);
        const Message& m = f.app.messages.shown.front();
        QCOMPARE(m.text, QStringLiteral(
                             " It's your name, right ? So why did you click, stupid guy !!! :)"));
        QCOMPARE(m.title, QStringLiteral("Stupid guy"));
        QCOMPARE(m.buttons, MsgButtons::Ok);
        QCOMPARE(m.icon, MsgIcon::Critical);
        QCOMPARE(about->lblUser->text(), QStringLiteral("Fragmaster"));
        QVERIFY(about->isVisible());
        QVERIFY(!f.sp()->isEnabled());

        // Pressing on the nickname and letting go elsewhere is no click.
        QTest::mousePress(about->lblUser, Qt::LeftButton);
        QTest::mouseRelease(about->lblUser, Qt::LeftButton, {}, QPoint(-5, -5));
        // The clan label does nothing.
        QTest::mouseClick(about->lblComp, Qt::LeftButton);
        QCOMPARE(f.app.messages.shown.size(), 1u);
        QVERIFY(!f.app.context.windows().isLoaded(QStringLiteral("secret")));
    }

    void clickingThePictureOpensTheCredits() {
        Fixture f;
        QTest::mouseClick(f.about()->Picture1, Qt::LeftButton);
        auto* secret = f.app.context.windows().find<SecretWindow>(QStringLiteral("secret"));
        QVERIFY(secret);
        QVERIFY(secret->isVisible());
        QVERIFY(!secret->isModal());
        QVERIFY(f.about()->isVisible());
        QVERIFY(!f.sp()->isEnabled());
        QVERIFY(f.app.messages.shown.empty());
    }

    void everyWayOfClosingEnablesTheMainWindow_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cmdOK") << "cmdOK";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("close box") << "close box";
        QTest::newRow("unloaded") << "unload";
    }
    void everyWayOfClosingEnablesTheMainWindow() {
        QFETCH(QString, how);
        Fixture f;
        FrmAboutWindow* about = f.about();
        // Open the credits first: they must outlive the about box.
        QTest::mouseClick(about->Picture1, Qt::LeftButton);
        if (how == "cmdOK")
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        else if (how == "Enter")
            QTest::keyClick(about->cmdOK, Qt::Key_Return);
        else if (how == "close box")
            about->close();
        else
            f.app.context.windows().unload(QStringLiteral("frmAbout"));
        TestApp::settle();

        QVERIFY(!f.app.context.windows().isLoaded(QStringLiteral("frmAbout")));
        QVERIFY(f.sp());
        QVERIFY(f.sp()->isEnabled());
        QVERIFY(f.sp()->isVisible());
        QWidget* secret = f.app.context.windows().find(QStringLiteral("secret"));
        QVERIFY(secret);
        QVERIFY(secret->isVisible());
        QCOMPARE(f.app.quitCount, 0);
    }
};

QTEST_MAIN(FrmAboutWindowTest)
#include "frm_about_window_test.moc"
