// Renders every window of the program to PNG, on the offscreen platform, with a
// sample settings file and sample map folders:
//   gravelock-screenshots OUTPUT_FOLDER
#include "app/gravelock_app.h"
#include "app/startup.h"
#include "app/unattended_services.h"
#include "core/setting_keys.h"
#include "frame/appearance.h"
#include "maps/map_info_window.h"
#include "maps/sample_map.h"
#include "servers/server_table_model.h"
#include "servers/servers_window.h"
#include "setup/game_search_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

using namespace gravelock;

// Message boxes are answered at once and listed, so loads never block.
class ListedMessages final : public MessageBoxes {
public:
    MsgResult show(QWidget*, const Message& m) override {
        std::printf("  message: %s / %s\n", qPrintable(m.title), qPrintable(m.text));
        return MsgResult::Ok;
    }
};

void touch(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

void write(const QString& path, const std::string& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Two maps with insides: one with the game's overview picture and a
// description, one that gets its floor plan drawn.
void writeSampleMaps(const QString& valve) {
    sample::SampleMap crossfire;
    const auto rooms = sample::addSampleLevel(crossfire, 7);
    crossfire.entities = sample::entityText(
        {{{"classname", "worldspawn"},
          {"message", "Crossfire (\xDC"
                      "bungsversion)"},
          {"wad", "\\sierra\\half-life\\valve\\halflife.wad;\\sierra\\half-life\\valve\\"
                  "xeno.wad;C:\\wads\\mein_zeug.wad"},
          {"skyname", "desert"}},
         {{"classname", "info_player_deathmatch"}},
         {{"classname", "info_player_deathmatch"}},
         {{"classname", "info_player_start"}}});
    write(valve + QStringLiteral("/maps/crossfire.bsp"), crossfire.bytes());
    write(valve + QStringLiteral("/maps/crossfire.txt"),
          "Zwei Basen, ein Bunker und viel Platz f\xFCr Raketen.\r\n"
          "F\xFCr 8 bis 16 Spieler.\r\n");
    write(valve + QStringLiteral("/halflife.wad"), "wad");
    write(valve + QStringLiteral("/xeno.wad"), "wad");

    // The overview as the game's overview maker leaves it: rooms seen from above.
    QImage overview(512, 384, QImage::Format_RGB32);
    overview.fill(QColor(16, 24, 32));
    QPainter painter(&overview);
    painter.scale(512.0 / 2560, 384.0 / 1920);
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        const auto& r = rooms[i];
        painter.fillRect(QRectF(QPointF(r[0], 1920 - r[3]), QPointF(r[2], 1920 - r[1])),
                         QColor::fromHsv(static_cast<int>(90 + 12 * i), 120, 170));
    }
    painter.end();
    QDir().mkpath(valve + QStringLiteral("/overviews"));
    overview.save(valve + QStringLiteral("/overviews/crossfire.bmp"), "BMP");

    sample::SampleMap datacore;
    sample::addSampleLevel(datacore, 3);
    datacore.entities = sample::entityText(
        {{{"classname", "worldspawn"}, {"message", "Datenkern"}, {"wad", "halflife.wad"}},
         {{"classname", "info_player_deathmatch"}}});
    write(valve + QStringLiteral("/maps/datacore.bsp"), datacore.bytes());
}

std::string sampleInstall(const QTemporaryDir& dir) {
    const QString root = dir.filePath(QStringLiteral("Half-Life"));
    QDir().mkpath(root + QStringLiteral("/valve/maps"));
    QDir().mkpath(root + QStringLiteral("/tfc/maps"));
    for (const char* map : {"crossfire.bsp", "datacore.bsp", "stalkyard.bsp", "bounce.bsp",
                            "snark_pit.bsp", "undertow.bsp", "Gasworks.BSP"})
        touch(root + QStringLiteral("/valve/maps/") + QLatin1String(map));
    for (const char* map : {"2fort.bsp", "well.bsp", "rock2.bsp"})
        touch(root + QStringLiteral("/tfc/maps/") + QLatin1String(map));
    touch(root + QStringLiteral("/hl.exe"));
    writeSampleMaps(root + QStringLiteral("/valve"));
    QFile cycle(root + QStringLiteral("/valve/mapcycle.txt"));
    if (cycle.open(QIODevice::WriteOnly))
        cycle.write("crossfire\r\nstalkyard\r\nundertow\r\n");

    std::string ini = dir.filePath(QStringLiteral("orvo.ini")).toStdString();
    const std::string r = root.toStdString();
    WritePPSBatch({setting::firstuse("no"), setting::tfc("true"), setting::user("Jörg Kühn"),
                   setting::company("Die Schrotflinten"), setting::program(r + "/hl.exe"),
                   setting::maps(r + "/valve/maps"), setting::tfcmaps(r + "/tfc/maps"),
                   setting::valve(r + "/valve/")},
                  ini);
    return ini;
}

// The server list as a refresh leaves it. Every sample is on this machine: the
// selected row's players and rules are asked for, and nothing may go elsewhere.
void fillServerList(servers::ServersWindow& window) {
    using servers::ServerInfo;
    const auto info = [](const char* address, const char* name, const char* map, const char* game,
                         int players, int max, int bots, bool password, int ping) {
        ServerInfo i;
        i.address = address;
        i.name = name;
        i.map = map;
        i.game = game;
        i.players = players;
        i.maxPlayers = max;
        i.bots = bots;
        i.password = password;
        i.pingMs = ping;
        return i;
    };
    const std::vector<ServerInfo> internet = {
        info("127.0.0.1:27015", "Die Schrotflinten | 2fort rund um die Uhr", "2fort", "tfc", 14, 24,
             0, false, 38),
        info("127.0.0.1:27016", "Crossfire-Freunde [DE]", "crossfire", "valve", 9, 16, 3, false,
             24),
        info("127.0.0.1:27017", "Übungsplatz <b>Kühn</b>", "well", "tfc", 2, 12, 0, true, 51),
        info("127.0.0.1:27018", "Stalkyard Nacht", "stalkyard", "valve", 0, 10, 0, false, 97),
        info("127.0.0.1:27019", "Rock2 Clanwar", "rock2", "tfc", 20, 20, 0, true, 63),
        info("127.0.0.1:27020", "Undertow 24/7", "undertow", "valve", 4, 8, 0, false, 142),
    };
    // The player's own tabs fill from the (empty) book when first shown: before the samples.
    for (const servers::Source source :
         {servers::Source::Favourites, servers::Source::History, servers::Source::Internet})
        window.tabSources->setCurrentIndex(static_cast<int>(source));
    for (const ServerInfo& i : internet)
        window.model(servers::Source::Internet).answer(i);
    window.model(servers::Source::Lan)
        .answer(info("127.0.0.1:27021", "Jörgs LAN", "bounce", "valve", 3, 8, 0, false, 1));
    window.model(servers::Source::Favourites).answer(internet[0]);
    window.model(servers::Source::Favourites)
        .answer(info("127.0.0.1:27022", "", "", "tfc", 0, 0, 0, false, -1));
    window.model(servers::Source::Favourites).noAnswer("127.0.0.1:27022");
    window.model(servers::Source::History).answer(internet[1]);
    window.grdServers[0]->selectRow(
        window.model(servers::Source::Internet).shownIndexOf(internet[0].address));
    window.showDetails(QStringLiteral("127.0.0.1:27015"),
                       {{{"Kühn", 31, 1520.0F}, {"Gordon", 12, 610.0F}, {"[DS] Heavy", 7, 95.0F}},
                        {{"mp_timelimit", "30"},
                         {"mp_teamplay", "1"},
                         {"sv_maxspeed", "320"},
                         {"tfc_clanbattle", "0"}}});
}

bool save(QWidget* widget, const QString& path) {
    QApplication::processEvents();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// The message of a game that ends right after its start, as a player without
// Wine's 32-bit half sees it.
bool saveEarlyEndMessage(const QString& out) {
    GameEnd end;
    end.number = 1;
    end.after = std::chrono::milliseconds(800);
    end.program = "/home/jörg/Spiele/Half-Life/hl.exe";
    end.log = "/home/jörg/.local/state/gravelock/last-start.log";
    end.outputKept = true;
    end.outputTail = "wine: created the configuration directory '/home/jörg/.wine'\n"
                     "it looks like wine32 is missing, you should install it.\n"
                     "multiarch needs to be enabled first.  as root, please\n"
                     "execute \"dpkg --add-architecture i386 && apt-get update &&\n"
                     "apt-get install wine32:i386\"\n"
                     "wine: could not load kernel32.dll, status c0000135\n";
    const PlayerMessage m = earlyEndMessage(end);
    const auto box = QtMessageBoxes::build(
        nullptr, Message{QString::fromStdString(m.text), QString::fromStdString(m.title),
                         MsgButtons::Ok, MsgIcon::Critical, false});
    box->show();
    return save(box.get(), out + QStringLiteral("/message-game-ended.png"));
}

} // namespace

int main(int argc, char** argv) {
    // A 1280 × 1024 screen: large enough for every window at 100 %, and the
    // screen on which large scale factors must still fit.
    QTemporaryDir screenDir;
    const QString screenFile = screenDir.filePath(QStringLiteral("screen.json"));
    QFile screen(screenFile);
    if (screen.open(QIODevice::WriteOnly))
        screen.write(R"({"screens": [{"name": "Screen", "x": 0, "y": 0, "width": 1280,
                         "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screen.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screenFile));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    GermanQtTexts qtTexts;
    qtTexts.install();
    useDesignFont();
    if (argc != 2) {
        std::fprintf(stderr, "usage: gravelock-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    QTemporaryDir dir;
    ListedMessages messages;
    NoFiles files;
    NoStart starter;
    // The player's own Web API key stays out of the pictures.
    Gravelock program(
        Settings(sampleInstall(dir)), messages, files, starter, [] {},
        dir.filePath(QStringLiteral("keys")).toStdString());
    WindowRegistry& windows = program.context().windows();

    QFile captions(out + QStringLiteral("/captions.txt"));
    captions.open(QIODevice::WriteOnly);
    QTextStream captionList(&captions);

    bool ok = true;
    for (const WindowId id : windows.ids()) {
        QWidget* window = windows.show(id);
        if (!window)
            continue;
        const QString name = window->objectName();
        std::printf("%s\n", qPrintable(name));
        // The search list is filled by "Suchen"; here with two sample installs.
        if (auto* search = qobject_cast<GameSearchWindow*>(window))
            search->offer({{"/home/jörg/.steam/steam/steamapps/common/Half-Life/hl.sh",
                            "/home/jörg/.steam/steam/steamapps/common/Half-Life/valve/maps",
                            "/home/jörg/.steam/steam/steamapps/common/Half-Life/tfc/maps", true},
                           {"/home/jörg/.wine/drive_c/Sierra/Half-Life/hl.exe",
                            "/home/jörg/.wine/drive_c/Sierra/Half-Life/valve/maps", "", false}});
        if (auto* list = qobject_cast<servers::ServersWindow*>(window))
            fillServerList(*list);
        window->show();
        // The map info window once with a drawn floor plan, once with an overview.
        if (auto* info = qobject_cast<MapInfoWindow*>(window)) {
            const QString maps = dir.filePath(QStringLiteral("Half-Life/valve/maps/"));
            info->showMap(maps + QStringLiteral("crossfire.bsp"));
            ok =
                save(window, out + QLatin1Char('/') + name + QStringLiteral("-overview.png")) && ok;
            info->showMap(maps + QStringLiteral("datacore.bsp"));
        }
        captionList << name << ": \"" << window->windowTitle() << "\"\n";
        const QString base = out + QLatin1Char('/') + name;
        if (auto* tabs = window->findChild<QTabWidget*>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                ok = save(window, base + QStringLiteral("-tab%1.png").arg(i + 1)) && ok;
            }
        } else {
            ok = save(window, base + QStringLiteral(".png")) && ok;
        }
        if (auto* main = qobject_cast<QMainWindow*>(window)) {
            for (QMenu* menu : main->menuBar()->findChildren<QMenu*>()) {
                if (menu->objectName().isEmpty()) // the menu bar's own overflow menu
                    continue;
                menu->popup(window->mapToGlobal(QPoint(0, 0)));
                ok = save(menu, base + QStringLiteral("-menu-") + menu->objectName() +
                                    QStringLiteral(".png")) &&
                     ok;
                menu->hide();
            }
        }
        windows.unload(id);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ok = saveEarlyEndMessage(out) && ok;
    return ok ? 0 : 1;
}
