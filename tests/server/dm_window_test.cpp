#include "fakes.h"
#include "frame/file_list_box.h"
#include "server/dm_window.h"
#include "temp_folder.h"

#include <QtTest>
#include <QtWidgets>

using namespace gravelock;
using namespace gravelock::test;

namespace {

const std::string kProgram = "C:\\Program Files (x86)\\Sierra\\Half-Life\\hl.exe";
const std::string kInitialLines = "mp_fraglimit 0\r\nmp_timelimit 0\r\nmaxplayers 32\r\n"
                                  "sv_gravity 800\r\nsv_maxspectators 0\r\n";

struct Fixture {
    Fixture() {
        app.touch({"valve/maps/crossfire.bsp"});
        app.writeSettings("[GAMEDIR]\r\nprogram=" + kProgram + "\r\nmaps=" + valve().toStdString() +
                          "maps\r\nvalve=" + valve().toStdString() + "\r\n");
    }
    QString valve() const { return app.path("valve") + "/"; }
    QString cfg() const { return valve() + "orvo.cfg"; }
    std::string cfgBytes() const { return readBytes(cfg().toStdString()); }

    TestApp app;
};

} // namespace

class DMWindowTest : public QObject {
    Q_OBJECT

private slots:
    void saveThenStartWithTheChosenMap() {
        Fixture f;
        DMWindow dm(f.app.context);
        writeBytes(f.cfg().toStdString(), "sv_cheats 1\r\nalt\r\n");
        dm.password->click();
        QVERIFY(dm.passwordvalue->isEnabled());
        dm.passwordvalue->setText("geheim");
        dm.password->click(); // unticked again: the text stays but is not written
        QVERIFY(!dm.passwordvalue->isEnabled());
        QCOMPARE(dm.passwordvalue->text(), QStringLiteral("geheim"));
        dm.falldamage->click();
        dm.partyname->setText("Runde");
        dm.save->click();
        const std::string lines = "mp_falldamage 0\r\nfalldamage 1\r\n" + kInitialLines;
        QCOMPARE(f.cfgBytes(), lines + "hostname \"Runde\"\r\n");

        dm.cmdMapSel->click(); // nothing selected: nothing happens
        dm.Command1->click();  // written even so, but nothing to start
        QCOMPARE(f.cfgBytes(), lines + "Hostname \"Runde\"\r\n");
        const auto& shown = f.app.messages.shown;
        QCOMPARE(shown.size(), size_t(2));
        QCOMPARE(shown[0].text, "Deine Orvo.cfg wird nun gesichert in " + f.valve());
        QCOMPARE(shown[1].text, QStringLiteral("Bitte selektiere eine Karte"));
        QVERIFY(f.app.starter.starts.empty());

        QVERIFY(dm.maps->selectFileName("crossfire.bsp"));
        dm.cmdMapSel->click();
        dm.Command1->click();
        QCOMPARE(f.app.starter.starts.size(), size_t(1));
        QCOMPARE(f.app.starter.starts[0].commandText,
                 kProgram + " +deathmatch 1 +maxplayers 32 -console +map crossfire");
        QCOMPARE(f.app.starter.starts[0].windowStyle, WindowStyle::MaximisedWithFocus);

        // The mended boxes: slots on the command line, time limit, server download
        // switch, and a password that locks the server in both variants.
        dm.maxplayersvalue->setText("16");
        dm.timelimitvalue->setText("20");
        dm.dl->click();
        dm.password->click();
        dm.partyname->setText("LAN Party");
        dm.Command1->click();
        QCOMPARE(f.app.starter.starts.back().commandText,
                 kProgram + " +deathmatch 1 +maxplayers 16 -console +map crossfire");
        QCOMPARE(f.cfgBytes(), "sv_allowdownload 1\r\nmp_falldamage 0\r\nfalldamage 1\r\n"
                               "mp_fraglimit 0\r\nmp_timelimit 20\r\nmaxplayers 16\r\n"
                               "sv_gravity 800\r\nsv_maxspectators 0\r\n"
                               "Hostname \"LAN Party\"\r\nsv_password \"geheim\"\r\n");
    }

    // Every number box refuses what is no whole number, naming itself; nothing
    // is written or started.
    void numberBoxesRefuseWhatIsNoNumber() {
        Fixture f;
        DMWindow dm(f.app.context);
        dm.SelMap->setText("crossfire");
        const std::vector<std::pair<QLineEdit*, QString>> boxes = {
            {dm.maxplayersvalue, "33"}, {dm.sv_gravityvalue, "-800"}, {dm.maxspectatorsvalue, "x"},
            {dm.fraglimitvalue, ""},    {dm.timelimitvalue, "1.5"},   {dm.maxpingvalue, "5 0"},
        };
        const QStringList named = {"Max. Spieler", "Gravity",    "Max spectators",
                                   "Frag limit",   "Zeit Limit", "Max. ping"};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const auto& [box, text] = boxes[i];
            const QString before = box->text();
            box->setText(text);
            for (QPushButton* button : {dm.save, dm.Command1}) {
                button->click();
                const Message& m = f.app.messages.shown.back();
                QVERIFY2(m.text.contains("„" + named[static_cast<qsizetype>(i)] + "“"),
                         qPrintable(m.text));
                QCOMPARE(m.icon, MsgIcon::Information);
            }
            box->setText(before);
        }
        QCOMPARE(f.app.messages.shown.size(), boxes.size() * 2);
        QVERIFY(!QFile::exists(f.cfg()));
        QVERIFY(f.app.starter.starts.empty());
    }

    void refusedSettingsWriteAndStartNothing() {
        Fixture f;
        DMWindow dm(f.app.context);
        dm.SelMap->setText("crossfire");
        dm.maxplayersvalue->setText(" ");
        dm.Command1->click();
        dm.maxplayersvalue->setText("8");
        dm.partyname->setText(QStringLiteral("Runde Ω"));
        dm.Command1->click();
        const auto& shown = f.app.messages.shown;
        QCOMPARE(shown.size(), size_t(2));
        QCOMPARE(shown[0].title, QStringLiteral("Spieleranzahl")); // start's wording
        QCOMPARE(shown[1].icon, MsgIcon::Exclamation);
        QVERIFY(shown[1].text.contains(QStringLiteral("„Ω“")));
        QVERIFY(!QFile::exists(f.cfg()));
        QVERIFY(f.app.starter.starts.empty());
    }

    void unwritableFileIsReportedAndNothingStarts_data() {
        QTest::addColumn<QString>("valveLine");
        QTest::addColumn<QString>("path");
        QTest::newRow("valve missing") << QString() << QStringLiteral("error!orvo.cfg");
        QTest::newRow("folder gone") << QStringLiteral("valve=<folder>/gone/\r\n")
                                     << QStringLiteral("<folder>/gone/orvo.cfg");
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
        DMWindow dm(f.app.context);
        dm.SelMap->setText("crossfire");
        dm.save->click();
        dm.Command1->click();
        QDir::setCurrent(previous);

        QCOMPARE(f.app.messages.shown.size(), size_t(2));
        for (const Message& m : f.app.messages.shown) {
            QCOMPARE(m.icon, MsgIcon::Critical);
            QVERIFY2(m.text.contains(QDir::toNativeSeparators(path)), qPrintable(m.text));
        }
        QVERIFY(f.app.starter.starts.empty());
        QVERIFY(std::filesystem::is_empty(work.path()));
    }
};

QTEST_MAIN(DMWindowTest)
#include "dm_window_test.moc"
