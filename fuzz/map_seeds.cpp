// Writes a few small maps into the folder given, as the map fuzzer's seeds.
#include "maps/sample_map.h"

#include <fstream>
#include <string>

using namespace gravelock::sample;

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    SampleMap rooms;
    rooms.entities = entityText({{{"classname", "worldspawn"},
                                  {"message", "Seed"},
                                  {"wad", "\\half-life\\valve\\halflife.wad;/home/m/x.wad"},
                                  {"skyname", "desert"}},
                                 {{"classname", "info_player_deathmatch"}},
                                 {{"classname", "info_player_teamspawn"}}});
    rooms.addBox(0, 0, 0, 64, 64, 64);
    rooms.addBox(64, 0, 0, 128, 32, 64);
    SampleMap bare;
    bare.entities = "{ message \"bare words\" }";
    int n = 0;
    for (const SampleMap* map : {&rooms, &bare}) {
        std::ofstream out(folder + "/seed" + std::to_string(n++) + ".bsp", std::ios::binary);
        out << map->bytes();
    }
    return 0;
}
