#include "advanced/command_lines.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace gravelock;

namespace {

template <typename Options> struct Case {
    const char* name;
    std::function<void(Options&)> change;
    std::string line;
    std::vector<std::string> problems;
};

template <typename Options>
void expectCases(const std::vector<Case<Options>>& cases, Options start,
                 GeneratedLine (*build)(const Options&)) {
    for (const auto& c : cases) {
        Options o = start;
        c.change(o);
        const GeneratedLine got = build(o);
        EXPECT_EQ(got.line, c.line) << c.name;
        EXPECT_EQ(got.problems, c.problems) << c.name;
    }
}

const std::string kVideoBase =
    " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0";

TEST(VideoLine, BuildsEachCase) {
    const std::vector<Case<VideoOptions>> cases{
        {"after load", [](VideoOptions&) {}, kVideoBase + " -soft", {kChooseResolution}},
        {"every switch on",
         [](VideoOptions& o) {
             o.playerShadows = o.decals = o.maxBrightness = o.rSpeeds = o.reflectiveTextures = true;
             o.console = o.noIntro = o.developer = true;
             o.renderer = Renderer::Direct3D;
             o.display = DisplayMode::FullScreen;
             o.resolution = "800x600";
             o.additional = true;
             o.additionalText = "-nojoy  -numericping ";
         },
         " +r_shadows 1 +r_decals 1 +r_fullbright 1 +r_speeds 1 +r_mirroralpha 1 -console -d3d"
         " -full -vid_config_y 800 -vid_config_x 600 -nojoy  -numericping  -nointro -dev",
         {}},
        {"resolution text must match exactly; additional ticked but empty: one blank",
         [](VideoOptions& o) {
             o.resolution = "640x480 ";
             o.additional = true;
         },
         kVideoBase + " -soft ",
         {}},
    };
    VideoOptions afterLoad;
    afterLoad.renderer = Renderer::Software;
    expectCases(cases, afterLoad, buildVideoLine);
}

TEST(ClientLine, BuildsEachCase) {
    const std::vector<Case<ClientOptions>> cases{
        // Delta, IPX and TCP/IP name the opposite of the game's switch.
        {"every box ticked, name with a blank",
         [](ClientOptions& o) {
             o.allowDownload = o.allowUpload = o.hiModels = o.deltaCompressionOff = true;
             o.spectator = o.ipxOn = o.tcpIpOn = o.preload = true;
             o.model = "Gordon";
             o.name = "Big Ace";
             o.maxFrameRate = "60";
             o.address = "10.0.0.1:27016";
         },
         " +model Gordon +cl_allowdownload 1 +cl_allowupload 1 +cl_himodels 1 +c_deltas 0"
         " +spectator 1 -noipx 0 -noip 0 -precache 1 +name Big Ace +fps_modem 60"
         " -connect 10.0.0.1:27016",
         {}},
    };
    expectCases(cases, ClientOptions{}, buildClientLine);
}

const std::string kSoundBase = " +bgmvolume 0 +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0";

TEST(SoundLine, BuildsEachCase) {
    const auto volumes = [](SoundOptions& o) {
        o.gameVolume = "7";
        o.suitVolume = "3";
    };
    const std::vector<Case<SoundOptions>> cases{
        {"after load", [](SoundOptions&) {}, kSoundBase + " +volume  +suitvolume ",
         {kChooseSoundVolume, kChooseSuitVolume}},
        {"volumes moved back to 0 are not missing",
         [](SoundOptions& o) { o.gameVolume = o.suitVolume = "0"; },
         kSoundBase + " +volume 0 +suitvolume 0", {}},
        {"every box ticked: CD audio drops the music mute; no CD track ignores the track",
         [&](SoundOptions& o) {
             volumes(o);
             o.cdAudio = o.hiQuality = o.eax = o.a3d = o.noSound = true;
             o.cd = CdTrackMode::NoTrack;
             o.track = "4";
         },
         " +hisound 1 +s_eax 1 +s_a3d 1 +nosound 1 +volume 7 +suitvolume 3", {}},
        {"play once with a track",
         [&](SoundOptions& o) {
             volumes(o);
             o.cd = CdTrackMode::PlayOnce;
             o.track = "12";
         },
         kSoundBase + " +volume 7 +suitvolume 3 +cd play 12", {}},
    };
    expectCases(cases, SoundOptions{}, buildSoundLine);
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
