#include "advanced/command_lines.h"

#include <gtest/gtest.h>

#include <string>

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
