#include "advanced/command_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gravelock;

namespace {

TEST(VideoLine, EverySwitchAndTypedTextAsTyped) {
    VideoOptions o;
    o.playerShadows = o.decals = o.maxBrightness = o.rSpeeds = o.reflectiveTextures = true;
    o.console = o.noIntro = o.developer = o.additional = true;
    o.renderer = Renderer::Direct3D;
    o.display = DisplayMode::FullScreen;
    o.resolution = "800x600";
    o.additionalText = "-nojoy  -numericping ";
    EXPECT_EQ(
        buildVideoLine(o).line,
        " +r_shadows 1 +r_decals 1 +r_fullbright 1 +r_speeds 1 +r_mirroralpha 1 -console"
        " -d3d -full -vid_config_y 800 -vid_config_x 600 -nojoy  -numericping  -nointro -dev");

    // An entry must match exactly; a ticked but empty extra still adds its blank.
    VideoOptions odd;
    odd.renderer = Renderer::Software;
    odd.resolution = "640x480 ";
    odd.additional = true;
    const GeneratedLine got = buildVideoLine(odd);
    EXPECT_EQ(got.line,
              " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0 -soft ");
    EXPECT_TRUE(got.problems.empty());
}

TEST(ClientLine, EveryBoxTicked) {
    ClientOptions o;
    o.allowDownload = o.allowUpload = o.hiModels = o.deltaCompressionOff = true;
    o.spectator = o.ipxOn = o.tcpIpOn = o.preload = true;
    o.model = "Gordon";
    o.name = "Big Ace";
    o.maxFrameRate = "60";
    o.address = "10.0.0.1:27016";
    // Delta, IPX and TCP/IP name the opposite of the game's switch.
    EXPECT_EQ(buildClientLine(o).line,
              " +model Gordon +cl_allowdownload 1 +cl_allowupload 1 +cl_himodels 1 +c_deltas 0"
              " +spectator 1 -noipx 0 -noip 0 -precache 1 +name Big Ace +fps_modem 60"
              " -connect 10.0.0.1:27016");
}

TEST(ClientLine, UntickedBoxesStillWriteTheirSwitch) {
    ClientOptions none;
    const GeneratedLine got = buildClientLine(none);
    EXPECT_EQ(got.line,
              " +cl_allowdownload 0 +cl_allowupload 0 +cl_himodels 0 +c_deltas 1 +spectator 0"
              " -noipx 1 -noip 1 -precache 0 +name  +fps_modem  -connect ");
    EXPECT_EQ(got.problems, std::vector<std::string>{"Bitte wähle ein Modell aus"});
}

TEST(SoundLine, VolumesAndCdTrack) {
    const std::string base = " +bgmvolume 0 +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0";
    SoundOptions o;
    EXPECT_EQ(buildSoundLine(o).line, base + " +volume  +suitvolume ");
    o.gameVolume = o.suitVolume = "0"; // moved back to 0 is not missing
    o.cd = CdTrackMode::PlayOnce;
    o.track = "12";
    EXPECT_EQ(buildSoundLine(o).line, base + " +volume 0 +suitvolume 0 +cd play 12");
    EXPECT_TRUE(buildSoundLine(o).problems.empty());
    // CD audio drops the music mute; "no track" ignores the chosen track.
    o.cdAudio = o.hiQuality = o.eax = o.a3d = o.noSound = true;
    o.cd = CdTrackMode::NoTrack;
    EXPECT_EQ(buildSoundLine(o).line,
              " +hisound 1 +s_eax 1 +s_a3d 1 +nosound 1 +volume 0 +suitvolume 0");
}

TEST(SoundLine, LoopPlaysTheChosenTrackAndMissingVolumesAreNamed) {
    SoundOptions o;
    o.cd = CdTrackMode::Loop;
    o.track = "7";
    const GeneratedLine got = buildSoundLine(o);
    EXPECT_EQ(got.line, " +bgmvolume 0 +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume "
                        " +suitvolume  +cd loop 7");
    EXPECT_EQ(got.problems,
              (std::vector<std::string>{"Choose sound volume!", "Choose HEV suit volume!"}));
}

TEST(Lists, OfferedEntriesInOrder) {
    const std::vector<std::string> tracks = {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",
                                             "10", "11", "12", "13", "14", "15", "16", "17", "18"};
    EXPECT_EQ(cdTracks(), tracks);
    EXPECT_EQ(skillLevels(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(resolutions(), (std::vector<std::string>{"320x200", "400x300", "512x384", "640x480",
                                                       "800x600", "1024x768"}));
    EXPECT_EQ(playerModels(), (std::vector<std::string>{"Barney", "Scientist", "Skeleton", "Helmet",
                                                        "Gordon", "Gina", "Cannibal", "Robo"}));
}

TEST(MiscLine, NothingTicked) {
    EXPECT_EQ(buildMiscLine({}),
              " -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0"
              " +violence_ablood 0 +violence_agibs 0 -skill  +fakelag  +fakeloss ");
}

TEST(MiscLine, WithEverything) {
    MiscOptions all;
    all.deathmatch = all.coop = all.humanBlood = all.humanGibs = true;
    all.alienBlood = all.alienGibs = true;
    all.skill = "5";
    all.fakeLag = "10";
    all.fakeLoss = "3";
    EXPECT_EQ(buildMiscLine(all),
              " -deathmatch 1 -coop 1 +violence_hblood 1 +violence_hgibs 1 +violence_ablood 1"
              " +violence_agibs 1 -skill 5 +fakelag 10 +fakeloss 3");
}

} // namespace
