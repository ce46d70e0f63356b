// The server list window's model and its refresh.
//   server_list_bench model
//     prints: ms to fill 5,000 rows one answer at a time, then the longest of
//     sorting them by each column, of filtering them by text and by checks
//     (each through the model, as the view asks for it).
//   server_list_bench window MASTER_PORT
//     prints: ms until the internet tab's refresh has ended, rows shown, the
//     longest event-loop stall in ms while the answers arrived.
// Every server it asks is a fake on 127.0.0.1.
#include "app/gravelock_app.h"
#include "app/unattended_services.h"
#include "servers/server_table_model.h"
#include "servers/servers_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

using namespace gravelock;
using namespace gravelock::servers;

namespace {

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

template <class F> double timed(F&& f) {
    const double start = nowMs();
    f();
    return nowMs() - start;
}

int model() {
    ServerTableModel m;
    const char* const maps[] = {"2fort", "well", "crossfire", "stalkyard", "rock2", "undertow"};
    const double fill = timed([&] {
        for (int i = 0; i < 5000; ++i) {
            ServerInfo info;
            info.address = "127.0." + std::to_string(i / 250) + "." + std::to_string(i % 250) +
                           ":" + std::to_string(27015 + i % 7);
            info.name = "Server Nr. " + std::to_string((i * 7919) % 5000) + " Übungsplatz";
            info.map = maps[i % 6];
            info.game = i % 3 ? "tfc" : "valve";
            info.players = i % 17;
            info.maxPlayers = 16;
            info.bots = i % 5 == 0 ? 2 : 0;
            info.password = i % 11 == 0;
            info.pingMs = (i * 31) % 300;
            m.answer(info);
        }
    });
    double sort = 0;
    for (int column = 0; column < kColumnCount; ++column)
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder})
            sort = std::max(sort, timed([&] { m.sort(column, order); }));
    double filter = 0;
    ServerFilter f;
    for (const char* text : {"n", "nr. 12", "übung", "zzz", ""}) {
        f.text = text;
        filter = std::max(filter, timed([&] { m.setFilter(f); }));
    }
    f.notEmpty = f.notFull = f.noPassword = true;
    f.game = GameChoice::TeamFortress;
    filter = std::max(filter, timed([&] { m.setFilter(f); }));
    std::printf("%.1f %.1f %.1f\n", fill, sort, filter);
    return m.knownCount() == 5000 ? 0 : 1;
}

class NoMessages final : public MessageBoxes {
public:
    MsgResult show(QWidget*, const Message&) override { return MsgResult::Ok; }
};

int window(const char* masterPort) {
    qputenv("GRAVELOCK_MASTER", QByteArray("127.0.0.1:") + masterPort);
    qunsetenv("GRAVELOCK_STEAM_KEY");
    QTemporaryDir dir;
    NoMessages messages;
    NoFiles files;
    NoStart starter;
    Gravelock program(
        Settings(dir.filePath(QStringLiteral("orvo.ini")).toStdString()), messages, files, starter,
        [] {}, dir.filePath(QStringLiteral("keys")).toStdString());
    auto* list = qobject_cast<ServersWindow*>(program.context().windows().show(WindowId::servers));
    if (!list)
        return 1;
    double stall = 0;
    double lastTick = nowMs();
    int rows = 0;
    // A timer that should fire every millisecond: its longest gap is the
    // longest time the window kept the event loop from running.
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const double t = nowMs();
        stall = std::max(stall, t - lastTick);
        lastTick = t;
        if (list->cmdRefresh->isEnabled()) {
            rows = list->model(Source::Internet).rowCount();
            QApplication::quit();
        }
    });
    const double start = nowMs();
    list->cmdRefresh->click();
    lastTick = nowMs();
    watch.start();
    QApplication::exec();
    std::printf("%.1f %d %.1f\n", nowMs() - start, rows, stall);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "model")
        return model();
    if (mode == "window" && argc == 3)
        return window(argv[2]);
    std::fprintf(stderr, "usage: server_list_bench model | window MASTER_PORT\n");
    return 2;
}
