// The command line: how it is parsed, and what the real program answers on the
// terminal without opening a window.
#include "app/command_line.h"
#include "frame/german.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace gravelock;
using Action = CommandLine::Action;

Q_DECLARE_METATYPE(CommandLine::Action)

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(installGermanQtTexts(*qApp)); }

    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("settingsFile");
        QTest::addColumn<QString>("errorMentions");
        QTest::addColumn<bool>("windowSystem");
        QTest::newRow("nothing") << QStringList{} << Action::Run << ""
                                 << "" << false;
        QTest::newRow("settings file")
            << QStringList{"--settings", "/a b/lan.ini"} << Action::Run << "/a b/lan.ini"
            << "" << false;
        QTest::newRow("settings with =")
            << QStringList{"--settings=x.ini"} << Action::Run << "x.ini"
            << "" << false;
        QTest::newRow("help") << QStringList{"--help"} << Action::Help << ""
                              << "" << false;
        QTest::newRow("short help beats settings")
            << QStringList{"-h", "--settings", "x.ini"} << Action::Help << "x.ini"
            << "" << false;
        QTest::newRow("version") << QStringList{"-v"} << Action::Version << ""
                                 << "" << false;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << Action::Error << ""
                                        << "Unbekannte Option 'bogus'" << false;
        QTest::newRow("settings without file") << QStringList{"--settings"} << Action::Error << ""
                                               << "settings" << false;
        QTest::newRow("empty settings file") << QStringList{"--settings="} << Action::Error << ""
                                             << "braucht einen Dateinamen" << false;
        QTest::newRow("stray argument") << QStringList{"map.bsp"} << Action::Error << ""
                                        << "Unerwartetes Argument: map.bsp" << false;
        QTest::newRow("window system option")
            << QStringList{"-platform", "offscreen"} << Action::Error << ""
            << "platform" << true;
        QTest::newRow("window system and unknown")
            << QStringList{"-style", "fusion", "-bogus"} << Action::Error << ""
            << "bogus" << false;
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, settingsFile);
        QFETCH(QString, errorMentions);
        QFETCH(bool, windowSystem);
        arguments.prepend(QStringLiteral("gravelock"));
        const CommandLine parsed = parseCommandLine(arguments);
        QCOMPARE(parsed.action, action);
        if (action != Action::Error)
            QCOMPARE(parsed.settingsFile, settingsFile);
        QVERIFY2(parsed.error.contains(errorMentions), qPrintable(parsed.error));
        QCOMPARE(parsed.onlyWindowSystemOptions, windowSystem);
    }

    // The real executable, with a settings file of its own so nothing of the
    // build folder's copy is touched, on a terminal without a display.
    void program_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help names the file") << QStringList{"--help", "--settings", "@/lan.ini"}
                                             << 0 << "Einstellungsdatei: @/lan.ini"
                                             << "";
        QTest::newRow("help is German") << QStringList{"--help"} << 0 << "Optionen:"
                                        << "";
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << "Gravelock " GRAVELOCK_VERSION "\n"
                                 << "";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << ""
                                        << "Unbekannte Option 'bogus'";
        QTest::newRow("window system option taken")
            << QStringList{"-platform", "offscreen", "-v"} << 0 << "Gravelock"
            << "";
    }
    void program() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        arguments.replaceInStrings(QStringLiteral("@"), dir.path());
        out.replace(QStringLiteral("@"), dir.path());
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(GRAVELOCK_EXECUTABLE), arguments);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        QVERIFY2(QString::fromUtf8(process.readAllStandardOutput()).contains(out), qPrintable(out));
        QVERIFY2(QString::fromUtf8(process.readAllStandardError()).contains(err), qPrintable(err));
        QVERIFY2(QDir(dir.path()).isEmpty(), "--help and --version create nothing");
    }
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
