#include "core/ui/widgets.h"
#include "fakes.h"
#include "server/dm_window.h"
#include "server/server_windows.h"
#include "temp_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

const std::string kProgram = "C:\\Program Files (x86)\\Sierra\\Half-Life\\hl.exe";

struct Fixture {
    Fixture() {
        QDir(app.folder()).mkpath("valve/maps");
        app.touch({"valve/maps/crossfire.bsp", "valve/maps/Bounce.BSP", "valve/maps/readme.txt"});
        app.writeSettings("[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=" + kProgram +
                          "\r\nmaps=" + valve().toStdString() +
                          "maps\r\nvalve=" + valve().toStdString() + "\r\n");
        registerServerWindows(app.context.windows());
        app.context.windows().add("sp", [](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName("sp");
            return w;
        });
    }
    DMWindow* open() {
        app.context.windows().show("DM");
        return app.context.windows().find<DMWindow>("DM");
    }
    QString valve() const { return app.path("valve") + "/"; }
    QString cfg() const { return valve() + "orvo.cfg"; }
    std::string cfgBytes() const { return readBytes(cfg().toStdString()); }

    TestApp app;
};

const std::string kInitialLines = "mp_fraglimit 0\r\nmaxplayers 32\r\nsv_gravity 800\r\n"
                                  "sv_maxspectators 0\r\n";

} // namespace

class DMWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designState() {
        Fixture f;
        DMWindow* dm = f.open();
        QCOMPARE(dm->windowTitle(), QStringLiteral("Half-Life Deathmatch Maker"));
        QCOMPARE(dm->centralWidget()->size(), QSize(439, 568));
        QCOMPARE(dm->Command1->geometry(), QRect(320, 536, 105, 25));
        QCOMPARE(dm->passwordvalue->geometry(), QRect(320, 88, 89, 19));
        QCOMPARE(dm->param->geometry(), QRect(8, 400, 417, 129));
        QVERIFY2(clippedCaptions(dm).isEmpty(), qPrintable(clippedCaptions(dm).join(", ")));

        for (QCheckBox* box : dm->findChildren<QCheckBox*>())
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));

        struct Text {
            QLineEdit* box;
            QString text;
            int maxLength;
        };
        for (const Text& t :
             {Text{dm->maxplayersvalue, "32", 3}, Text{dm->partyname, "Mein - ORVO- Game", 32767},
              Text{dm->sv_gravityvalue, "800", 4}, Text{dm->maxspectatorsvalue, "0", 4},
              Text{dm->fraglimitvalue, "0", 4}, Text{dm->timelimitvalue, "0", 4},
              Text{dm->maxpingvalue, "500", 4}, Text{dm->passwordvalue, "", 8},
              Text{dm->SelMap, "", 32767}}) {
            QCOMPARE(t.box->text(), t.text);
            QCOMPARE(t.box->maxLength(), t.maxLength);
        }
        QVERIFY(!dm->passwordvalue->isEnabled());
        QCOMPARE(dm->passwordvalue->echoMode(), QLineEdit::Normal);

        QCOMPARE(dm->mp_friendlyfire->toolTip(),
                 QStringLiteral("Teammates cannot hurt each other during team play "));
        QCOMPARE(dm->fraglimitvalue->toolTip(),
                 QStringLiteral("Set the frag limit. Type \"0\" for no frag limit"));
        QCOMPARE(dm->Command1->toolTip(),
                 QStringLiteral("Save to \"orvo.cfg\" and launch Half-Life"));
        QCOMPARE(dm->Label2->text(),
                 QStringLiteral("Selektiere hier die erste Karte in deinem  "
                                "Spiel. Dann gib \"orvo.cfg\" in der console ein."));
        QCOMPARE(dm->mnuFile->title(), QStringLiteral("&Datei"));
        QCOMPARE(dm->mnuFileitmORVO->text(), QStringLiteral("&Gravelock"));
        QCOMPARE(dm->mnuFileitmORVO->objectName(), QStringLiteral("mnuFileitmORVO"));

        QStringList listed;
        for (int i = 0; i < dm->maps->count(); ++i)
            listed << dm->maps->item(i)->text();
        QCOMPARE(listed, QStringList({"Bounce.BSP", "crossfire.bsp"}));
    }

    void passwordSwitchKeepsTheText() {
        Fixture f;
        DMWindow* dm = f.open();
        const QColor grey = dm->passwordvalue->palette().color(QPalette::Base);
        dm->password->click();
        QVERIFY(dm->passwordvalue->isEnabled());
        QVERIFY(dm->passwordvalue->palette().color(QPalette::Base) != grey);
        dm->passwordvalue->setText("geheim");
        dm->password->click();
        QVERIFY(!dm->passwordvalue->isEnabled());
        QCOMPARE(dm->passwordvalue->palette().color(QPalette::Base), grey);
        QCOMPARE(dm->passwordvalue->text(), QStringLiteral("geheim"));
        dm->save->click();
        QCOMPARE(f.cfgBytes(), kInitialLines + "hostname Mein - ORVO- Game\r\n");
    }

    void help() {
        Fixture f;
        DMWindow* dm = f.open();
        dm->cmdHelp->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].title, QStringLiteral("Hilfe"));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Information);
        QVERIFY(f.app.messages.shown[0].text.startsWith("Der Half-Life Deathmatch maker erlaubt"));
        QVERIFY(f.app.messages.shown[0].text.endsWith("tippe 'exec orvo.cfg' in der Konsole."));
        QVERIFY(!QFile::exists(f.cfg()));
    }

    void saveWritesTheFileAndSaysWhere() {
        Fixture f;
        DMWindow* dm = f.open();
        writeBytes(f.cfg().toStdString(), "sv_cheats 1\r\nalt\r\n");
        dm->falldamage->click();
        dm->password->click();
        dm->passwordvalue->setText("geheim");
        dm->partyname->setText("Größte Runde");
        dm->save->click();
        QCOMPARE(f.cfgBytes(), "mp_falldamage 0\r\nfalldamage 1\r\n" + kInitialLines +
                                   "hostname Gr\xF6\xDF"
                                   "te Runde\r\nsv_password geheim\r\n");
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].text, "Deine Orvo.cfg wird nun gesichert in " + f.valve());
        QCOMPARE(f.app.messages.shown[0].title, QStringLiteral("Wichtig !"));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Information);
        QVERIFY(f.app.starter.starts.empty());
        QVERIFY(dm->isVisible());
        QVERIFY(dm->falldamage->isChecked());
    }

    void failedCheckWritesAndStartsNothing_data() {
        QTest::addColumn<bool>("start");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("save, no name") << false << "partyname"
                                       << ""
                                       << "Du must einen Spielnamen angeben"
                                       << "Gravelock";
        QTest::newRow("start, no name") << true << "partyname"
                                        << ""
                                        << "Du must den Spielname festlegen"
                                        << "Gravelock";
        QTest::newRow("save, no password") << false << "password"
                                           << ""
                                           << "Password..."
                                           << "Error !";
        QTest::newRow("start, no password") << true << "password"
                                            << ""
                                            << "Password, na was is denn mit ihm los *lol*"
                                            << "Error !";
        QTest::newRow("save, blank name") << false << "partyname"
                                          << " "
                                          << "Du MUST einen SPIELNAMEN ANGEBEN"
                                          << "Spielname";
        QTest::newRow("start, blank name") << true << "partyname"
                                           << " "
                                           << "Du MUST den SPIELNAMEN ANGEBEN"
                                           << "Spielname";
        QTest::newRow("save, blank ping") << false << "maxpingvalue"
                                          << " "
                                          << "Please specify the maximum ping allowed"
                                          << "Max ping";
        QTest::newRow("start, blank ping") << true << "maxpingvalue"
                                           << " "
                                           << "Bitte leg die MAX PING fest"
                                           << "Max Ping";
        QTest::newRow("save, blank players") << false << "maxplayersvalue"
                                             << " "
                                             << "Bitte leg die Spieleranzahl fest !!!"
                                             << "Max Spieler";
        QTest::newRow("start, blank players")
            << true << "maxplayersvalue"
            << " "
            << "Na wenn du alleine spielen willst dann must du mindestens ein Spieler eingeben !"
            << "Spieleranzahl";
    }
    void failedCheckWritesAndStartsNothing() {
        QFETCH(bool, start);
        QFETCH(QString, control);
        QFETCH(QString, value);
        QFETCH(QString, text);
        QFETCH(QString, title);
        Fixture f;
        DMWindow* dm = f.open();
        if (control == "password")
            dm->password->click();
        else
            dm->findChild<QLineEdit*>(control)->setText(value);
        dm->SelMap->setText("crossfire");
        (start ? dm->Command1 : dm->save)->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].text, text);
        QCOMPARE(f.app.messages.shown[0].title, title);
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Information);
        QVERIFY(!QFile::exists(f.cfg()));
        QVERIFY(f.app.starter.starts.empty());
    }

    void textTheFileCannotHoldIsRefused() {
        Fixture f;
        DMWindow* dm = f.open();
        writeBytes(f.cfg().toStdString(), "alt\r\n");
        dm->partyname->setText(QStringLiteral("Runde Ω"));
        dm->SelMap->setText("crossfire");
        for (QPushButton* button : {dm->save, dm->Command1})
            button->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(2));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Exclamation);
        QVERIFY(f.app.messages.shown[0].text.contains(QStringLiteral("„Ω“")));
        QCOMPARE(f.cfgBytes(), std::string("alt\r\n"));
        QVERIFY(f.app.starter.starts.empty());
    }

    void unwritableFileIsReportedAndNothingStarts_data() {
        QTest::addColumn<QString>("valveLine");
        QTest::addColumn<QString>("path");
        QTest::newRow("valve missing") << ""
                                       << "error!orvo.cfg";
        QTest::newRow("valve empty") << "valve=\r\n"
                                     << "orvo.cfg";
        QTest::newRow("folder gone") << "valve=<folder>/gone/\r\n"
                                     << "<folder>/gone/orvo.cfg";
    }
    void unwritableFileIsReportedAndNothingStarts() {
        QFETCH(QString, valveLine);
        QFETCH(QString, path);
        Fixture f;
        valveLine.replace("<folder>", f.app.folder());
        path.replace("<folder>", f.app.folder());
        f.app.writeSettings("[GAMEDIR]\r\nprogram=" + kProgram + "\r\n" + valveLine.toStdString());
        // A stray file would land in the working folder: watch an empty one.
        TempFolder work;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(work.path().string()));
        DMWindow* dm = f.open();
        dm->SelMap->setText("crossfire");
        dm->save->click();
        dm->Command1->click();
        QDir::setCurrent(previous);

        QCOMPARE(f.app.messages.shown.size(), size_t(2));
        for (const Message& m : f.app.messages.shown) {
            QCOMPARE(m.icon, MsgIcon::Critical);
            QVERIFY2(m.text.contains(QDir::toNativeSeparators(path)), qPrintable(m.text));
            QVERIFY(m.text.contains("Grund: "));
        }
        QVERIFY(f.app.starter.starts.empty());
        QVERIFY(std::filesystem::is_empty(work.path()));
    }

    void startWithTheChosenMap() {
        Fixture f;
        DMWindow* dm = f.open();
        dm->cmdMapSel->click(); // nothing selected: nothing happens
        QCOMPARE(dm->Frame1->title(), QStringLiteral("Erste Karten selektierung"));
        QCOMPARE(dm->SelMap->text(), QString());

        dm->maps->setCurrentRow(1);
        dm->cmdMapSel->click();
        QCOMPARE(dm->Frame1->title(), QStringLiteral("Erste Kartenauswahl (crossfire.bsp)"));
        QCOMPARE(dm->SelMap->text(), QStringLiteral("crossfire"));
        QVERIFY2(clippedCaptions(dm).isEmpty(), qPrintable(clippedCaptions(dm).join(", ")));

        dm->password->click();
        dm->passwordvalue->setText("geheim");
        dm->Command1->click();
        QCOMPARE(f.cfgBytes(), kInitialLines + "Hostname Mein - ORVO- Game\r\nPassword geheim\r\n");
        QCOMPARE(f.app.starter.starts.size(), size_t(1));
        QCOMPARE(f.app.starter.starts[0].commandText,
                 kProgram + " +deathmatch 1 -console +map crossfire");
        QCOMPARE(f.app.starter.starts[0].windowStyle, 3);
        QVERIFY(f.app.messages.shown.empty());
        QVERIFY(dm->isVisible());

        dm->SelMap->setText("Bounce.BSP"); // typed by hand: taken as it stands
        dm->Command1->click();
        QCOMPARE(f.app.starter.starts.size(), size_t(2));
        QCOMPARE(f.app.starter.starts[1].commandText,
                 kProgram + " +deathmatch 1 -console +map Bounce.BSP");
    }

    void startWithoutMapWritesButDoesNotStart() {
        Fixture f;
        DMWindow* dm = f.open();
        dm->Command1->click();
        QCOMPARE(f.cfgBytes(), kInitialLines + "Hostname Mein - ORVO- Game\r\n");
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QCOMPARE(f.app.messages.shown[0].text, QStringLiteral("Bitte selektiere eine Karte"));
        QCOMPARE(f.app.messages.shown[0].title, QStringLiteral("Keine Karte selektiert"));
        QCOMPARE(f.app.messages.shown[0].icon, MsgIcon::Exclamation);
        QVERIFY(f.app.starter.starts.empty());
    }

    void menuReturnsToTheMainWindow() {
        Fixture f;
        DMWindow* dm = f.open();
        dm->mnuFileitmORVO->trigger();
        TestApp::settle();
        QVERIFY(f.app.context.windows().find("sp")->isVisible());
        QVERIFY(!f.app.context.windows().isLoaded("DM"));
        QCOMPARE(f.app.quitCount, 0);
        // A new opening starts from the design state.
        QCOMPARE(f.open()->Frame1->title(), QStringLiteral("Erste Karten selektierung"));
    }

    void closingTheLastWindowEndsTheProgram() {
        Fixture f;
        DMWindow* dm = f.open();
        dm->close();
        TestApp::settle();
        QVERIFY(!f.app.context.windows().isLoaded("DM"));
        QCOMPARE(f.app.quitCount, 1);
    }
};

QTEST_MAIN(DMWindowTest)
#include "dm_window_test.moc"
