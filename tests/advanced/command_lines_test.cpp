#include "advanced/command_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gravelock;

namespace {

using Texts = std::vector<std::string>;

TEST(VideoLine, EverySwitchAndTypedTextAsTyped) {
    VideoOptions all{true, true, true, true, true, true, true, true};
    all.renderer = Renderer::Direct3D;
    all.display = DisplayMode::FullScreen;
    all.resolution = Resolution{800, 600};
    all.additional = true;
    all.additionalText = "-nojoy  -numericping ";
    EXPECT_EQ(buildVideoLine(all).line,
              " +r_shadows 1 +r_decals 1 +r_fullbright 1 +r_speeds 1 +r_mirroralpha 1 -console"
              " -d3d -full -w 800 -h 600 -nojoy  -numericping  -nointro -dev");

    // A ticked but empty extra still adds its blank.
    const GeneratedLine odd = buildVideoLine({.renderer = Renderer::Software,
                                              .display = DisplayMode::Windowed,
                                              .resolution = Resolution{640, 480},
                                              .additional = true,
                                              .additionalText = ""});
    EXPECT_EQ(odd.line, " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0"
                        " -soft -window -w 640 -h 480 ");
    EXPECT_TRUE(odd.problems.empty());
    EXPECT_EQ(buildVideoLine({}).problems, Texts{"Choose a resolution!"});
}

// Each entry of the list, by its caption, gives its own width and height.
TEST(VideoLine, EveryResolutionEntryGivesItsOwnFragment) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"320x200", " -w 320 -h 200"}, {"400x300", " -w 400 -h 300"},
        {"512x384", " -w 512 -h 384"}, {"640x480", " -w 640 -h 480"},
        {"800x600", " -w 800 -h 600"}, {"1024x768", " -w 1024 -h 768"},
    };
    ASSERT_EQ(resolutions().size(), expected.size());
    const std::string base =
        " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(resolutions()[i].caption(), expected[i].first);
        EXPECT_EQ(buildVideoLine({.resolution = resolutions()[i]}).line, base + expected[i].second)
            << expected[i].first;
    }
}

TEST(CommandLines, TabsJoinInTheirOrderAndConnectAddsThePort) {
    EXPECT_EQ(joinFullCommandLine("hl.exe", " -v", " -s", " -m", " -c"), "hl.exe -v -s -m -c");
    EXPECT_EQ(buildConnectCommand("hl.exe", "10.0.0.1", "27016"),
              "hl.exe -console +connect 10.0.0.1:27016");
}

TEST(ClientLine, UntickedBoxesStillWriteTheirSwitch) {
    // Delta, IPX and TCP/IP name the opposite of the game's switch; the two
    // protocol switches count by their presence alone.
    const ClientOptions all{"Gordon", true, true, true,      true, true,
                            true,     true, true, "Big Ace", "60", "10.0.0.1:27016"};
    const GeneratedLine ticked = buildClientLine(all);
    EXPECT_EQ(ticked.line,
              " +model Gordon +cl_allowdownload 1 +cl_allowupload 1 +cl_himodels 1 +c_deltas 0"
              " +spectator 1 -precache 1 +name \"Big Ace\" +fps_modem 60"
              " +connect 10.0.0.1:27016");
    EXPECT_TRUE(ticked.problems.empty());
    const GeneratedLine none = buildClientLine({});
    EXPECT_EQ(none.line,
              " +cl_allowdownload 0 +cl_allowupload 0 +cl_himodels 0 +c_deltas 1 +spectator 0"
              " -noipx -noip -precache 0 +name \"\" +fps_modem  +connect ");
    EXPECT_EQ(none.problems, Texts{"Bitte wähle ein Modell aus"});
    // Only the protocol turned off is named.
    EXPECT_NE(buildClientLine({.ipxOn = true}).line.find(" +spectator 0 -noip -precache"),
              std::string::npos);
    EXPECT_NE(buildClientLine({.tcpIpOn = true}).line.find(" +spectator 0 -noipx -precache"),
              std::string::npos);
    // The name reaches the game as one word, quotes and backslashes included.
    EXPECT_NE(
        buildClientLine({.name = "Ace \"the\" \\o/"}).line.find(" +name \"Ace \\\"the\\\" \\o/\" "),
        std::string::npos);
}

TEST(SoundLine, VolumesCdTrackAndMissingVolumes) {
    using enum CdTrackMode;
    const std::string base = " +bgmvolume 0 +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0";
    const Texts noVolumes = {"Choose sound volume!", "Choose HEV suit volume!"};
    const struct {
        SoundOptions options;
        std::string line;
        Texts problems;
    } cases[] = {
        {{}, base + " +volume  +suitvolume ", noVolumes},
        // Moved back to 0 is not missing.
        {{.gameVolume = "0", .suitVolume = "0", .cd = PlayOnce, .track = "12"},
         base + " +volume 0 +suitvolume 0 +cd play 12",
         {}},
        // The sliders' tenths become the game's fraction of full volume.
        {{.gameVolume = "7", .suitVolume = "10"}, base + " +volume 0.7 +suitvolume 1", {}},
        {{.gameVolume = "", .suitVolume = "", .cd = Loop, .track = "7"},
         base + " +volume  +suitvolume  +cd loop 7",
         noVolumes},
        // CD audio drops the music mute; "no track" ignores the chosen track.
        {{true, true, true, true, true, "0", "0", NoTrack, "12"},
         " +hisound 1 +s_eax 1 +s_a3d 1 +nosound 1 +volume 0 +suitvolume 0",
         {}},
    };
    for (const auto& c : cases) {
        const GeneratedLine got = buildSoundLine(c.options);
        EXPECT_EQ(got.line, c.line);
        EXPECT_EQ(got.problems, c.problems) << c.line;
    }
}

TEST(MiscLine, NothingOrEverythingTicked) {
    EXPECT_EQ(buildMiscLine({}),
              " +deathmatch 0 +coop 0 +violence_hblood 0 +violence_hgibs 0"
              " +violence_ablood 0 +violence_agibs 0 +skill  +fakelag  +fakeloss ");
    EXPECT_EQ(buildMiscLine({true, true, true, true, true, true, "5", "10", "3"}),
              " +deathmatch 1 +coop 1 +violence_hblood 1 +violence_hgibs 1 +violence_ablood 1"
              " +violence_agibs 1 +skill 5 +fakelag 10 +fakeloss 3");
}

} // namespace
