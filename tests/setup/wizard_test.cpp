#include "core/ui/widgets.h"
#include "setup/wizard_pages.h"
#include "setup_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

const std::string kShipped = "[MISC]\r\nfirstuse=yes\r\n";

// A program path far beyond the 99 characters of a short read.
const QString kLongProgram =
    QStringLiteral("C:\\Program Files (x86)\\Steam\\steamapps\\common\\Half-Life Game Of The Year "
                   "Edition\\Deutsche Version\\hl.exe");

QStringList gameDirKeysInFileOrder(const QByteArray& bytes) {
    QStringList keys;
    bool inGameDir = false;
    for (const QByteArray& line : bytes.split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        if (text.startsWith('['))
            inGameDir = text.compare("[GAMEDIR]", Qt::CaseInsensitive) == 0;
        else if (inGameDir && text.contains('='))
            keys << text.section('=', 0, 0);
    }
    return keys;
}

FirstuseconfigWindow* openConfigPage(SetupFixture& f) {
    f.windows().show("firstuseconfig");
    return f.find<FirstuseconfigWindow>("firstuseconfig");
}

} // namespace

class WizardTest : public QObject {
    Q_OBJECT

private slots:
    void wholeWizardFromTheShippedFile() {
        SetupFixture f(kShipped);
        auto* page1 = qobject_cast<Firstuse1Window*>(f.windows().show("firstuse1"));
        QVERIFY(page1);
        QCOMPARE(page1->windowTitle(), QStringLiteral("Willkommen im Gravelock !"));
        QCOMPARE(page1->Label1->text(), QStringLiteral("Du startes das Programm zum ersten mal.          Das ist eine Wizzard einführung !"));
        QCOMPARE(page1->Label2->text(), QStringLiteral("Drücke \"Weiter\""));
        QVERIFY(!page1->Picture1->pixmap().isNull());
        QVERIFY2(clippedCaptions(page1).isEmpty(), qPrintable(clippedCaptions(page1).join(", ")));
        page1->cmdNext->click();
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded("firstuse1"));

        auto* page2 = f.find<Firstuse2Window>("firstuse2");
        QVERIFY(page2 && page2->isVisible());
        QCOMPARE(page2->windowTitle(), QStringLiteral("Name und Firma"));
        QVERIFY2(clippedCaptions(page2).isEmpty(), qPrintable(clippedCaptions(page2).join(", ")));
        page2->cmdNext->click();
        QCOMPARE(f.app.messages.shown.back().title, QStringLiteral("Nickname"));
        page2->txtNick->setText("Jörg");
        page2->cmdNext->click();
        QCOMPARE(f.app.messages.shown.back().title, QStringLiteral("Organisation"));
        QCOMPARE(f.app.setting("MISC", "user"), "<missing>");
        page2->txtClan->setText("Die Schrotflinten");
        page2->cmdNext->click();
        TestApp::settle();
        QCOMPARE(f.app.setting("MISC", "user"), "Jörg");
        QCOMPARE(f.app.setting("MISC", "company"), "Die Schrotflinten");
        QVERIFY(!f.windows().isLoaded("firstuse2"));

        auto* page3 = f.find<FirstuseconfigWindow>("firstuseconfig");
        QVERIFY(page3 && page3->isVisible());
        QCOMPARE(page3->windowTitle(), QStringLiteral("Konfiguration"));
        QVERIFY2(clippedCaptions(page3).isEmpty(), qPrintable(clippedCaptions(page3).join(", ")));
        for (QLineEdit* box : {page3->program, page3->txtMaps, page3->TFCmaps})
            QCOMPARE(box->text(), QStringLiteral("error"));
        QVERIFY(!page3->chkTFC->isChecked());
        QVERIFY(!page3->TFCmaps->isEnabled());
        page3->program->setText(kLongProgram);
        page3->txtMaps->setText("C:\\HL\\valve\\maps");
        page3->chkTFC->click();
        QVERIFY(page3->TFCmaps->isEnabled());
        page3->TFCmaps->setText("C:\\HL\\tfc\\maps");
        const auto messagesBefore = f.app.messages.shown.size();
        page3->cmdFinish->click();
        TestApp::settle();
        QCOMPARE(f.app.messages.shown.size(), messagesBefore);
        QVERIFY(!f.windows().isLoaded("firstuseconfig"));
        QCOMPARE(f.app.setting("MISC", "firstuse"), "yes");

        auto* page4 = f.find<FirstusedoneWindow>("firstusedone");
        QVERIFY(page4 && page4->isVisible());
        QCOMPARE(page4->windowTitle(), QStringLiteral("Konfiguration "));
        QVERIFY2(clippedCaptions(page4).isEmpty(), qPrintable(clippedCaptions(page4).join(", ")));
        bool spShownDuringMessage = true;
        f.app.messages.onShow = [&](const Message&) { spShownDuringMessage = f.visible("sp"); };
        page4->cmdFinish->click();
        TestApp::settle();
        QCOMPARE(f.app.messages.shown.back().text, QStringLiteral("Erstkonfiguration erfolgreich ! Wenn das Programm nicht funktionieren sollte ... dann endere den inhalt der orvo.ini :-)"));
        QCOMPARE(f.app.messages.shown.back().title, QStringLiteral("Gravelock"));
        QVERIFY(!spShownDuringMessage);
        QVERIFY(!f.windows().isLoaded("firstusedone"));
        QVERIFY(f.visible("sp"));
        QCOMPARE(f.app.quitCount, 0);

        QCOMPARE(f.app.setting("MISC", "firstuse"), "no");
        QCOMPARE(f.app.setting("MISC", "tfc"), "true");
        QCOMPARE(f.app.setting("GAMEDIR", "program"), kLongProgram.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "valve"), "C:\\HL\\valve\\");
        QCOMPARE(f.app.setting("GAMEDIR", "tfcdir"), "C:\\HL\\tfc\\");
        QCOMPARE(f.app.setting("GAMEDIR", "dds"), kLongProgram.chopped(6).toStdString());
        QCOMPARE(gameDirKeysInFileOrder(f.settingsBytes()),
                 QStringList({"tfcmaps", "program", "maps", "valve", "tfcdir", "dds"}));
    }

    void configPageLoadsTheStoredValues_data() {
        QTest::addColumn<QString>("tfcLine");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("true") << "tfc=true" << true;
        QTest::newRow("key in capitals") << "TFC=true" << true;
        QTest::newRow("True") << "tfc=True" << false;
        QTest::newRow("false") << "tfc=false" << false;
        QTest::newRow("missing") << "" << false;
    }
    void configPageLoadsTheStoredValues() {
        QFETCH(QString, tfcLine);
        QFETCH(bool, ticked);
        SetupFixture f("[MISC]\r\nfirstuse=yes\r\n" + tfcLine.toStdString() +
                       "\r\n[GAMEDIR]\r\nprogram=" + kLongProgram.toStdString() +
                       "\r\nmaps=M\r\ntfcmaps=T\r\n");
        FirstuseconfigWindow* page = openConfigPage(f);
        QCOMPARE(page->program->text(), kLongProgram); // not cut to 99 characters
        QCOMPARE(page->txtMaps->text(), QStringLiteral("M"));
        QCOMPARE(page->TFCmaps->text(), QStringLiteral("T"));
        QCOMPARE(page->chkTFC->isChecked(), ticked);
        QCOMPARE(page->TFCmaps->isEnabled(), ticked);
        QVERIFY(page->cmdTFCMaps->isEnabled());
        page->cmdFinish->click();
        QCOMPARE(f.app.setting("MISC", "tfc"), ticked ? "true" : "false");
        QCOMPARE(f.app.setting("GAMEDIR", "program"), kLongProgram.toStdString());
    }

    void configPageWritesThenChecks_data() {
        QTest::addColumn<bool>("tfc");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("maps");
        QTest::addColumn<QString>("tfcmaps");
        QTest::addColumn<QString>("message"); // empty: moves on
        QTest::addColumn<QString>("storedTfcmaps");
        QTest::newRow("no program") << true << "" << "" << "t" << "You must specify where is orvo.exe" << "t";
        QTest::newRow("ticked, no TFC folder")
            << true << "p" << "m" << ""
            << "Du must festlegen wo Team Fortess Classic installierd ist, oder schalte die checkbox aus !" << "";
        QTest::newRow("unticked keeps the old folder") << false << "p" << "m" << "" << "" << "old";
    }
    void configPageWritesThenChecks() {
        QFETCH(bool, tfc);
        QFETCH(QString, program);
        QFETCH(QString, maps);
        QFETCH(QString, tfcmaps);
        QFETCH(QString, message);
        QFETCH(QString, storedTfcmaps);
        SetupFixture f("[MISC]\r\nfirstuse=yes\r\n[GAMEDIR]\r\ntfcmaps=old\r\n");
        FirstuseconfigWindow* page = openConfigPage(f);
        page->chkTFC->setChecked(tfc);
        page->program->setText(program);
        page->txtMaps->setText(maps);
        page->TFCmaps->setText(tfcmaps);
        page->cmdFinish->click();
        TestApp::settle();
        QCOMPARE(f.app.setting("MISC", "tfc"), tfc ? "true" : "false");
        QCOMPARE(f.app.setting("GAMEDIR", "program"), program.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "maps"), maps.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "tfcmaps"), storedTfcmaps.toStdString());
        if (message.isEmpty()) {
            QVERIFY(f.app.messages.shown.empty());
            QVERIFY(f.visible("firstusedone"));
            QVERIFY(!f.windows().isLoaded("firstuseconfig"));
        } else {
            QCOMPARE(f.app.messages.shown.size(), size_t(1));
            QCOMPARE(f.app.messages.shown[0].text, message);
            QCOMPARE(f.app.messages.shown[0].title, QStringLiteral("Gravelock"));
            QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::None);
            QVERIFY(page->isVisible());
            QVERIFY(!f.windows().isLoaded("firstusedone"));
        }
    }

    void goingBackEmptiesTheNamePage() {
        SetupFixture f(kShipped);
        auto* page2 = qobject_cast<Firstuse2Window*>(f.windows().show("firstuse2"));
        page2->txtNick->setText("Nick");
        page2->txtClan->setText("Clan");
        page2->cmdNext->click();
        TestApp::settle();
        auto* page3 = f.find<FirstuseconfigWindow>("firstuseconfig");
        QCOMPARE(page3->cmdPrev->toolTip(), QStringLiteral("Saves parameters in \"orvo.ini\""));
        page3->program->setText("changed");
        page3->cmdPrev->click();
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded("firstuseconfig"));
        QCOMPARE(f.app.setting("GAMEDIR", "program"), "<missing>");
        page2 = f.find<Firstuse2Window>("firstuse2");
        QVERIFY(page2->isVisible());
        QCOMPARE(page2->txtNick->text(), QString());
        QCOMPARE(page2->txtClan->text(), QString());
        QCOMPARE(f.app.setting("MISC", "user"), "Nick");

        page2->cmdPrev->click();
        TestApp::settle();
        QVERIFY(f.visible("firstuse1"));
        QVERIFY(!f.windows().isLoaded("firstuse2"));
    }

    void keysOnTheNamePage() {
        SetupFixture f(kShipped);
        auto* page2 = qobject_cast<Firstuse2Window*>(f.windows().show("firstuse2"));
        page2->txtNick->setText("Nick");
        page2->txtClan->setText("Clan");
        QTest::keyClick(page2->txtClan, Qt::Key_Escape);
        QVERIFY(f.windows().isLoaded("firstuse2"));
        QTest::keyClick(page2->txtClan, Qt::Key_Return);
        QCOMPARE(f.app.setting("MISC", "company"), "Clan");
        QVERIFY(f.visible("firstuseconfig"));
    }

    void programPickerOfTheWizard() {
        SetupFixture f(kShipped);
        FirstuseconfigWindow* page = openConfigPage(f);
        page->program->setText("kept");
        page->Command2->click(); // cancelled
        QCOMPARE(f.app.files.requests.size(), size_t(1));
        QCOMPARE(f.app.files.requests[0].title, QStringLiteral("Wechsle das Programm"));
        QCOMPARE(f.app.files.requests[0].filter,
                 QStringLiteral("Half-Life Programm (hl.exe) ([hH][lL].[eE][xX][eE])"));
        QCOMPARE(page->program->text(), QStringLiteral("kept"));
        f.app.files.replies = {QStringLiteral("/games/Half-Life/Hl.exe")};
        page->Command2->click();
        QCOMPARE(page->program->text(), QDir::toNativeSeparators("/games/Half-Life/Hl.exe"));
    }

    void failedWritesStayOnThePage() {
        SetupFixture f(kShipped);
        auto* page2 = qobject_cast<Firstuse2Window*>(f.windows().show("firstuse2"));
        FirstuseconfigWindow* page3 = openConfigPage(f);
        auto* page4 = qobject_cast<FirstusedoneWindow*>(f.windows().show("firstusedone"));
        page2->txtNick->setText("Nick");
        page2->txtClan->setText("Clan");
        page3->program->setText("p");
        page3->txtMaps->setText("m");
        f.breakSettingsFile();

        for (QPushButton* button : {page2->cmdNext, page3->cmdFinish, page4->cmdFinish}) {
            const auto before = f.app.messages.shown.size();
            button->click();
            TestApp::settle();
            QCOMPARE(f.app.messages.shown.size(), before + 1); // the write failure only
            QCOMPARE(f.app.messages.shown.back().icon, MsgIcon::Critical);
            QVERIFY(button->window()->isVisible());
        }
        QVERIFY(!f.windows().isLoaded("sp"));
    }
};

QTEST_MAIN(WizardTest)
#include "wizard_test.moc"
