// Start to first painted window, and peak memory, of one process: "bare" is a
// plain QApplication with one shown QMainWindow, "gravelock" starts as the
// program does (to the splash). Prints "<ms> <peak kB>"; scripts/bench.sh runs
// it several times and passes the launch time in GRAVELOCK_BENCH_T0.
#include "app/gravelock_app.h"
#include "app/startup.h"
#include "bench_clock.h"
#include "core/settings.h"
#include "frame/german.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QMainWindow>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

using namespace gravelock;

namespace {

int report(double launch, bench::FirstPaint& painted) {
    painted.wait();
    std::printf("%.1f %ld\n", bench::nowMs() - launch, bench::peakKilobytes());
    return 0;
}

int bare(int argc, char** argv, double launch) {
    QApplication app(argc, argv);
    bench::FirstPaint painted;
    QMainWindow window;
    window.resize(611, 359);
    window.show();
    return report(launch, painted);
}

// The steps of the program's own start, in its order; kept in step with main().
int gravelockStart(int argc, char** argv, double launch) {
    // A start from the menu: no arguments, so no terminal pass before the window.
    GermanSystemLocale germanSystemLocale;
    QApplication app(argc, argv);
    germanSystemLocale.restore();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication::setApplicationName(kProgramTitle);
    installGermanQtTexts(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon_256.png")));
    QApplication::setQuitOnLastWindowClosed(false);

    QTemporaryDir dir;
    const std::string ini = dir.filePath(QStringLiteral("orvo.ini")).toStdString();
    WritePPS("MISC", "firstuse", "no", ini);
    bench::FirstPaint painted;
    QtMessageBoxes messages;
    QtFileDialogs files;
    SystemGameStarter starter;
    Gravelock program(Settings(ini), messages, files, starter, [] {});
    program.start();
    return report(launch, painted);
}

} // namespace

int main(int argc, char** argv) {
    const double launch = bench::launchMs();
    if (argc == 2 && std::strcmp(argv[1], "bare") == 0)
        return bare(argc, argv, launch);
    if (argc == 2 && std::strcmp(argv[1], "gravelock") == 0)
        return gravelockStart(argc, argv, launch);
    std::fprintf(stderr, "usage: startup_bench bare|gravelock\n");
    return 2;
}
