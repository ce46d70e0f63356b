// Many fake game servers and their master in one process on 127.0.0.1, for
// the bench and for trying the program by hand:
//   gravelock-fake-servers COUNT MAX_DELAY_MS LOSS_PERCENT PAGE_SIZE
// prints the master's port, then serves until it is ended.
#include "fake_game_servers.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>

using namespace gravelock;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s COUNT MAX_DELAY_MS LOSS_PERCENT PAGE_SIZE\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[1]);
    const int delay = std::atoi(argv[2]);
    const double loss = std::atof(argv[3]) / 100;
    const auto pageSize = static_cast<std::size_t>(std::atoi(argv[4]));
    // One socket per server.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    test::FakeGameServers fakes;
    std::vector<servers::Endpoint> list;
    for (int i = 0; i < count; ++i) {
        test::FakeServerBehaviour b;
        b.info.name = "Fake " + std::to_string(i);
        b.info.map = i % 2 ? "2fort" : "crossfire";
        b.info.game = i % 2 ? "tfc" : "valve";
        b.info.description = i % 2 ? "Team Fortress Classic" : "Half-Life";
        b.info.players = i % 17;
        b.info.maxPlayers = 16 + i % 17;
        b.infoChallenge = i % 4 == 0;
        b.form = i % 7 == 0    ? test::FakeServerBehaviour::InfoForm::Old
                 : i % 11 == 0 ? test::FakeServerBehaviour::InfoForm::Both
                               : test::FakeServerBehaviour::InfoForm::Current;
        b.maxDelayMs = delay;
        b.loss = loss;
        b.splitRules = i % 3 == 0;
        b.details.players = {{"Spieler", i, 10.0f}};
        b.details.rules = {{"mp_timelimit", "30"}, {"sv_gravity", "800"}};
        const quint16 port = fakes.addServer(b);
        if (port == 0) {
            std::fprintf(stderr, "no port for server %d\n", i);
            return 1;
        }
        list.push_back({0x7F000001, port});
    }
    std::printf("%u\n", static_cast<unsigned>(fakes.addMaster(list, pageSize)));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
