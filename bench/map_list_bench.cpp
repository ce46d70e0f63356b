// The main window over a maps folder against the floor of listing and sorting
// the folder's names. "window DIR": ms from loading `sp` to its first complete
// paint, and peak kB; "list DIR": ms to list and sort the names with Qt's plain
// tools. One figure per process, so peak memory belongs to one task.
#include "app/gravelock_app.h"
#include "app/window_id.h"
#include "bench_clock.h"
#include "core/setting_keys.h"
#include "frame/appearance.h"

#include <QApplication>
#include <QDirIterator>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

using namespace gravelock;

namespace {

double listAndSort(const QString& folder, qsizetype& count) {
    const double start = bench::nowMs();
    QStringList names;
    QDirIterator it(folder, {QStringLiteral("*.bsp")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    names.sort(Qt::CaseInsensitive);
    count = names.size();
    return bench::nowMs() - start;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "window") != 0 && std::strcmp(argv[1], "list") != 0)) {
        std::fprintf(stderr, "usage: map_list_bench window|list MAPS_FOLDER\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "list") == 0) {
        qsizetype count = 0;
        listAndSort(folder, count); // the folder in the system's cache, as for the window
        const double ms = listAndSort(folder, count);
        std::printf("%.1f %ld %lld\n", ms, bench::peakKilobytes(), static_cast<long long>(count));
        return 0;
    }

    useDesignFont();
    QTemporaryDir dir;
    const std::string ini = dir.filePath(QStringLiteral("orvo.ini")).toStdString();
    WritePPSBatch({setting::tfc("true"), setting::maps(folder.toStdString())}, ini);
    // The folder read once, keeping nothing, so it is in the system's cache.
    long long count = 0;
    for (QDirIterator it(folder, QDir::Files); it.hasNext(); it.next())
        ++count;
    QtMessageBoxes messages;
    QtFileDialogs files;
    SystemGameStarter starter;
    Gravelock program(Settings(ini), messages, files, starter, [] {});

    bench::FirstPaint painted;
    const double start = bench::nowMs();
    program.context().windows().show(WindowId::sp);
    painted.wait();
    std::printf("%.1f %ld %lld\n", bench::nowMs() - start, bench::peakKilobytes(), count);
    return 0;
}
