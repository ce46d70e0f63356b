#include "core/ui/widgets.h"
#include "setup/config_window.h"
#include "setup_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

const QString kLongMaps = QStringLiteral(
    "D:\\Spiele\\Valve Software\\Half-Life Game Of The Year Edition\\Deutsche Version\\valve\\maps");

std::string configured(const std::string& tfcLine) {
    return "[MISC]\r\nfirstuse=no\r\n" + tfcLine +
           "\r\n[GAMEDIR]\r\nprogram=C:\\HL\\hl.exe\r\nmaps=" + kLongMaps.toStdString() +
           "\r\ntfcmaps=C:\\HL\\tfc\\maps\r\nvalve=C:\\HL\\valve\\\r\n";
}

ConfigWindow* openDialog(SetupFixture& f) {
    return qobject_cast<ConfigWindow*>(f.windows().show("config"));
}

} // namespace

class ConfigWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designAndLoad_data() {
        QTest::addColumn<QString>("tfcLine");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("true") << "tfc=true" << true;
        QTest::newRow("TRUE") << "tfc=TRUE" << false;
        QTest::newRow("false") << "tfc=false" << false;
        QTest::newRow("missing") << "" << false;
    }
    void designAndLoad() {
        QFETCH(QString, tfcLine);
        QFETCH(bool, ticked);
        SetupFixture f(configured(tfcLine.toStdString()));
        ConfigWindow* dialog = openDialog(f);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Configuration"));
        QCOMPARE(dialog->frmHLC->title(), QStringLiteral("Half-Life :"));
        QCOMPARE(dialog->Label1->text(), QStringLiteral("Program :"));
        QCOMPARE(dialog->tfcCaption->text(), QStringLiteral("TFC Karten Ordner :"));
        QCOMPARE(dialog->chkTFC->text(), QStringLiteral("&Team Fortess Classic installiert"));
        QCOMPARE(dialog->frmTFC->title(), QStringLiteral("Team Fortress Classic "));
        QCOMPARE(dialog->cmdOK->toolTip(), QStringLiteral("Saves parameters in \"orvo.ini\""));
        QVERIFY(dialog->cmdOK->isDefault());
        QVERIFY2(clippedCaptions(dialog).isEmpty(), qPrintable(clippedCaptions(dialog).join(", ")));

        QCOMPARE(dialog->program->text(), QStringLiteral("C:\\HL\\hl.exe"));
        QCOMPARE(dialog->txtMaps->text(), kLongMaps); // whole, not 99 characters
        QCOMPARE(dialog->TFCmaps->text(), QStringLiteral("C:\\HL\\tfc\\maps"));
        QCOMPARE(dialog->chkTFC->isChecked(), ticked);
        QCOMPARE(dialog->TFCmaps->isEnabled(), ticked);
        dialog->chkTFC->click();
        QCOMPARE(dialog->TFCmaps->isEnabled(), !ticked);
        QVERIFY(dialog->cmdTFCMaps->isEnabled());
    }

    void okWritesEverythingAndBringsBackTheMainWindow_data() {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("maps");
        QTest::addColumn<QString>("tfcmaps");
        QTest::addColumn<QString>("valve");
        QTest::addColumn<QString>("tfcdir");
        QTest::addColumn<QString>("dds");
        QTest::newRow("moved install") << true << "E:\\Neu\\hl.exe" << "E:\\Neu\\valve\\maps"
                                       << "E:\\Neu\\tfc\\maps" << "E:\\Neu\\valve\\"
                                       << "E:\\Neu\\tfc\\" << "E:\\Neu\\";
        QTest::newRow("unticked still writes tfcmaps")
            << false << "/g/hl.exe" << "/g/valve/maps" << "/g/tfc/maps" << "/g/valve/" << "" << "/g/";
        QTest::newRow("empty values") << false << "" << "" << "" << "" << "" << "";
    }
    void okWritesEverythingAndBringsBackTheMainWindow() {
        QFETCH(bool, tick);
        QFETCH(QString, program);
        QFETCH(QString, maps);
        QFETCH(QString, tfcmaps);
        QFETCH(QString, valve);
        QFETCH(QString, tfcdir);
        QFETCH(QString, dds);
        SetupFixture f(configured(""));
        ConfigWindow* dialog = openDialog(f);
        dialog->chkTFC->setChecked(tick);
        dialog->program->setText(program);
        dialog->txtMaps->setText(maps);
        dialog->TFCmaps->setText(tfcmaps);
        dialog->cmdOK->click();
        TestApp::settle();
        QVERIFY(f.app.messages.shown.empty());
        QCOMPARE(f.app.setting("MISC", "tfc"), tick ? "true" : "false");
        QCOMPARE(f.app.setting("GAMEDIR", "program"), program.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "maps"), maps.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "tfcmaps"), tfcmaps.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "valve"), valve.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "tfcdir"), tfcdir.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "dds"), dds.toStdString());
        QVERIFY(!f.windows().isLoaded("config"));
        QVERIFY(f.visible("sp"));
    }

    void longPathsSurviveOk() {
        SetupFixture f(configured("tfc=true"));
        openDialog(f)->cmdOK->click();
        QCOMPARE(f.app.setting("GAMEDIR", "maps"), kLongMaps.toStdString());
        QCOMPARE(f.app.setting("GAMEDIR", "valve"), kLongMaps.chopped(4).toStdString());
    }

    void cancelLeavesTheFileUntouched() {
        SetupFixture f(configured("tfc=true"));
        const QByteArray before = f.settingsBytes();
        ConfigWindow* dialog = openDialog(f);
        dialog->program->setText("changed");
        dialog->chkTFC->click();
        QTest::keyClick(dialog->program, Qt::Key_Escape); // not bound
        QVERIFY(f.windows().isLoaded("config"));
        dialog->Command3->click();
        TestApp::settle();
        QCOMPARE(f.settingsBytes(), before);
        QVERIFY(!f.windows().isLoaded("config"));
        QVERIFY(f.visible("sp"));
    }

    void bringsBackAHiddenMainWindowWithoutReloading() {
        SetupFixture f(configured(""));
        QWidget* sp = f.windows().load("sp");
        openDialog(f)->Command3->click();
        TestApp::settle();
        QCOMPARE(f.windows().find("sp"), sp);
        QVERIFY(sp->isVisible());
    }

    void enterInATextBoxSaves() {
        SetupFixture f(configured("tfc=true"));
        ConfigWindow* dialog = openDialog(f);
        dialog->txtMaps->setText("/neu/valve/maps");
        QTest::keyClick(dialog->txtMaps, Qt::Key_Return);
        QCOMPARE(f.app.setting("GAMEDIR", "maps"), "/neu/valve/maps");
        QVERIFY(f.visible("sp"));
    }

    void closeBoxBringsNothingBack() {
        SetupFixture f(configured("tfc=true"));
        openDialog(f)->close();
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded("sp"));
        QCOMPARE(f.app.quitCount, 1);
    }

    void programPickerOfTheDialog() {
        SetupFixture f(configured("tfc=true"));
        ConfigWindow* dialog = openDialog(f);
        dialog->Command2->click(); // cancelled
        QCOMPARE(f.app.files.requests.back().title, QStringLiteral("Half-Life Anwendung (Pfand) endern"));
        QCOMPARE(f.app.files.requests.back().filter,
                 QStringLiteral("Half-Life Anwendung (Hl.exe) ([hH][lL].[eE][xX][eE])"));
        QCOMPARE(dialog->program->text(), QStringLiteral("C:\\HL\\hl.exe"));
        f.app.files.replies = {QStringLiteral("/spiele/hl/hl.exe")};
        dialog->Command2->click();
        QCOMPARE(dialog->program->text(), QDir::toNativeSeparators("/spiele/hl/hl.exe"));
    }

    void failedWriteKeepsTheDialogOpen() {
        SetupFixture f(configured("tfc=true"));
        ConfigWindow* dialog = openDialog(f);
        f.breakSettingsFile();
        dialog->cmdOK->click();
        TestApp::settle();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Critical);
        QVERIFY(dialog->isVisible());
        QVERIFY(!f.windows().isLoaded("sp"));
    }
};

QTEST_MAIN(ConfigWindowTest)
#include "config_window_test.moc"
