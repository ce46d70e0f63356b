// What a map costs to look into. "tip": ms for the tooltip of a 5 MB map, as a
// list computes it when first asked (header, entity text, texture look-up).
// "plan": ms to read the floor plan of a 10 MB map near the game's limits,
// and to read and draw it at 100 % and 200 %. Each figure is the median of
// many runs with the file in the system's cache, in processor time of the
// measuring thread.
#include "bench_clock.h"
#include "frame/file_list_box.h"
#include "maps/bsp_reader.h"
#include "maps/map_info_window.h"
#include "maps/map_list_info.h"
#include "maps/sample_map.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <time.h>
#include <vector>

using namespace gravelock;

namespace {

void write(const QString& path, const std::string& bytes) {
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// The thread's own processor time, reads from the system's cache included: on
// a shared machine the wall clock mostly measures the neighbours.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double medianMs(int runs, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = threadMs();
        run();
        times.push_back(threadMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A map of `megabytes` with `boxes` rooms and an entity text of `entities` entities.
std::string bigMap(std::size_t megabytes, int boxes, int entities) {
    sample::SampleMap map;
    std::vector<sample::KeyValues> list{{{"classname", "worldspawn"},
                                         {"message", "Large"},
                                         {"wad", "\\half-life\\valve\\halflife.wad;decals.wad"}}};
    for (int i = 0; i < entities; ++i)
        list.push_back({{"classname", "info_player_deathmatch"},
                        {"origin", std::to_string(i) + " 128 -64"},
                        {"angles", "0 90 0"}});
    map.entities = sample::entityText(list);
    for (int i = 0; i < boxes; ++i) {
        const int column = i % 90;
        const int row = i / 90;
        const auto x = float(column) * 48;
        const auto y = float(row) * 48;
        map.addBox(x, y, 0, x + 40 + float(i % 7), y + 32, 64);
    }
    const std::size_t soFar = map.bytes().size();
    map.textureBytes = megabytes * 1024 * 1024 - std::min(soFar, megabytes * 1024 * 1024);
    return map.bytes();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "tip") != 0 && std::strcmp(argv[1], "plan") != 0)) {
        std::fprintf(stderr, "usage: map_info_bench tip|plan\n");
        return 2;
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString maps = dir.filePath(QStringLiteral("valve/maps"));
    write(dir.filePath(QStringLiteral("valve/halflife.wad")), "wad");
    write(dir.filePath(QStringLiteral("valve/decals.wad")), "wad");

    if (std::strcmp(argv[1], "tip") == 0) {
        write(maps + QStringLiteral("/big.bsp"), bigMap(5, 2000, 2000));
        FileListBox list;
        list.setFolder(maps);
        QString tip;
        const double ms = medianMs(501, [&] {
            list.setToolTipSource(mapToolTipOf); // forgets the tip, so it is read again
            tip = list.toolTipOf(QStringLiteral("big.bsp"));
        });
        std::printf("%.3f %lld\n", ms, static_cast<long long>(QFileInfo(maps + "/big.bsp").size()));
        return tip.isEmpty() ? 1 : 0;
    }

    // 8,000 rooms: 64,000 corners, near the game's limit of 65,535.
    const QString path = maps + QStringLiteral("/big.bsp");
    write(path, bigMap(10, 8000, 200));
    std::size_t lines = 0;
    const double readMs = medianMs(21, [&] {
        std::error_code error;
        auto source = FileSource::open(path.toStdString(), error);
        lines = readFloorPlan(*source).lines.size();
    });
    std::printf("%.1f ", readMs);
    for (const qreal ratio : {1.0, 2.0}) {
        const double ms = medianMs(21, [&] {
            std::error_code error;
            auto source = FileSource::open(path.toStdString(), error);
            const FloorPlan plan = readFloorPlan(*source);
            lines = plan.lines.size();
            drawFloorPlan(plan, QSize(320, 320), ratio, Qt::white, QColor(0, 0, 0, 150));
        });
        std::printf("%.1f ", ms);
    }
    std::printf("%zu %lld\n", lines, static_cast<long long>(QFileInfo(path).size()));
    return 0;
}
