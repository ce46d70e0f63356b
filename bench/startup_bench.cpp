// Start to first painted window, and peak memory, of one process: "bare" is a
// plain QApplication with one shown QMainWindow, "gravelock" starts as the
// program does (to the splash) and finds its settings as an installed program
// does. Prints "<ms> <peak kB>"; scripts/bench.sh runs it several times from a
// folder of its own and passes the launch time in GRAVELOCK_BENCH_T0.
#include "app/gravelock_app.h"
#include "app/startup.h"
#include "bench_clock.h"

#include <QApplication>
#include <QMainWindow>

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

// The steps of the program's own start from the menu, in its order; kept in
// step with main(). Without arguments there is no terminal pass.
int gravelockStart(char* program, double launch) {
    int argc = 1;
    char* argv[] = {program, nullptr};
    GermanSystemLocale germanSystemLocale;
    GermanQtTexts qtTexts;
    QApplication app(argc, argv);
    germanSystemLocale.restore();
    qtTexts.install();
    prepareApplication();

    const SettingsLocation location = locateSettings(CommandLine{});
    QtMessageBoxes messages;
    if (const WriteResult created = createSettingsFile(location); !created) {
        std::fprintf(stderr, "startup_bench: %s\n", created.reason.c_str());
        return 1;
    }
    bench::FirstPaint painted;
    QtFileDialogs files;
    SystemGameStarter starter;
    Gravelock gravelock(Settings(location.file), messages, files, starter, [] {});
    gravelock.start();
    return report(launch, painted);
}

} // namespace

int main(int argc, char** argv) {
    const double launch = bench::launchMs();
    if (argc == 2 && std::strcmp(argv[1], "bare") == 0)
        return bare(argc, argv, launch);
    if (argc == 2 && std::strcmp(argv[1], "gravelock") == 0)
        return gravelockStart(argv[0], launch);
    std::fprintf(stderr, "usage: startup_bench bare|gravelock\n");
    return 2;
}
