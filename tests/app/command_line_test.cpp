// The command line: how it is parsed, and what the real program answers on the
// terminal without opening a window.
#include "app/command_line.h"
#include "app/startup.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace gravelock;
using Action = CommandLine::Action;

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(qtTexts.found());
        qtTexts.install();
    }

    void parse() {
        struct Case {
            QStringList arguments;
            Action action;
            QString settingsFile, errorMentions;
        };
        const std::vector<Case> cases = {
            // clang-format off
            {{}, Action::Run, "", ""},
            {{"--settings", "/a b/lan.ini"}, Action::Run, "/a b/lan.ini", ""},
            {{"--settings=x.ini"}, Action::Run, "x.ini", ""},
            {{"--help"}, Action::Help, "", ""},
            {{"-h", "--settings", "x.ini"}, Action::Help, "x.ini", ""}, // short help beats settings
            {{"-v"}, Action::Version, "", ""},
            {{"--bogus"}, Action::Error, "", "Unbekannte Option 'bogus'"},
            {{"--settings"}, Action::Error, "", "settings"},
            {{"--settings="}, Action::Error, "", "braucht einen Dateinamen"},
            {{"map.bsp"}, Action::Error, "", "Unerwartetes Argument: map.bsp"},
            {{"-platform", "offscreen"}, Action::Run, "", ""}, // left to Qt
            {{"-style=fusion", "--settings", "x.ini"}, Action::Run, "x.ini", ""},
            {{"-platform=offscreen"}, Action::Error, "", "platform"}, // not a spelling Qt takes
            {{"-style", "fusion", "-bogus"}, Action::Error, "", "bogus"},
            // clang-format on
        };
        for (const Case& c : cases) {
            const CommandLine parsed = parseCommandLine(QStringList{"gravelock"} + c.arguments);
            const QByteArray what = c.arguments.join(' ').toUtf8();
            QVERIFY2(parsed.action == c.action, what.constData());
            if (c.action != Action::Error)
                QVERIFY2(parsed.settingsFile == c.settingsFile, what.constData());
            QVERIFY2(parsed.error.contains(c.errorMentions), qPrintable(parsed.error));
        }
    }

    // The real executable, with a settings file of its own so nothing of the
    // build folder's copy is touched, on a terminal without a display.
    void program_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        // clang-format off
        QTest::newRow("help names the file") << QStringList{"--help", "--settings", "@/lan.ini"} << 0 << "Einstellungsdatei: @/lan.ini" << "";
        QTest::newRow("help names the game's log") << QStringList{"--help"} << 0 << "last-start.log" << "";
        QTest::newRow("help is German") << QStringList{"--help"} << 0 << "Optionen:" << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Gravelock " GRAVELOCK_VERSION "\n" << "";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "" << "Unbekannte Option 'bogus'";
        QTest::newRow("window system option taken") << QStringList{"-platform", "offscreen", "-v"} << 0 << "Gravelock" << "";
        // clang-format on
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

private:
    GermanQtTexts qtTexts;
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
