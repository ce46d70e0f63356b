#include "advanced/command_lines.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using namespace gravelock;

namespace {

// Fragments joined the way the generators join them: no separator.
std::string join(std::initializer_list<std::string> fragments) {
    std::string line;
    for (const std::string& f : fragments)
        line += f;
    return line;
}

const std::string kVideoBase = join(
    {" +r_shadows 0", " +r_decals 0", " +r_fullbright 0", " +r_speeds 0", " +r_mirroralpha 0"});

// The window's state right after load: Software selected, nothing else.
VideoOptions videoAfterLoad() {
    VideoOptions o;
    o.renderer = Renderer::Software;
    return o;
}

struct VideoCase {
    const char* name;
    std::function<void(VideoOptions&)> change;
    std::string line;
    std::vector<std::string> problems;
};

TEST(VideoLine, BuildsEachCase) {
    const std::vector<VideoCase> cases{
        {"after load", [](VideoOptions&) {}, kVideoBase + " -soft", {kChooseResolution}},
        {"every switch on",
         [](VideoOptions& o) {
             o.playerShadows = o.decals = o.maxBrightness = o.rSpeeds = o.reflectiveTextures = true;
             o.console = o.noIntro = o.developer = true;
             o.renderer = Renderer::Direct3D;
             o.display = DisplayMode::Windowed;
             o.resolution = "800x600";
             o.additional = true;
             o.additionalText = "-nojoy  -numericping ";
         },
         join({" +r_shadows 1", " +r_decals 1", " +r_fullbright 1", " +r_speeds 1",
               " +r_mirroralpha 1", " -console", " -d3d", " -win",
               " -vid_config_y 800 -vid_config_x 600", " -nojoy  -numericping ", " -nointro",
               " -dev"}),
         {}},
        {"OpenGL full screen",
         [](VideoOptions& o) {
             o.renderer = Renderer::OpenGL;
             o.display = DisplayMode::FullScreen;
             o.resolution = "320x200";
         },
         kVideoBase + " -gl -full -vid_config_y 320 -vid_config_x 200",
         {}},
        {"no renderer chosen",
         [](VideoOptions& o) {
             o.renderer = Renderer::None;
             o.resolution = "640x480";
         },
         kVideoBase + " -vid_config_y 640 -vid_config_x 480",
         {}},
        {"additional ticked but empty: one blank",
         [](VideoOptions& o) {
             o.additional = true;
             o.resolution = "640x480";
         },
         kVideoBase + " -soft -vid_config_y 640 -vid_config_x 480 ",
         {}},
        {"additional text kept while unticked is not used",
         [](VideoOptions& o) {
             o.additionalText = "-nojoy";
             o.resolution = "640x480";
         },
         kVideoBase + " -soft -vid_config_y 640 -vid_config_x 480",
         {}},
        {"resolution text must match exactly",
         [](VideoOptions& o) { o.resolution = "640x480 "; },
         kVideoBase + " -soft",
         {}},
    };
    for (const VideoCase& c : cases) {
        VideoOptions o = videoAfterLoad();
        c.change(o);
        const GeneratedLine got = buildVideoLine(o);
        EXPECT_EQ(got.line, c.line) << c.name;
        EXPECT_EQ(got.problems, c.problems) << c.name;
    }
}

TEST(VideoLine, EveryResolutionWritesWidthThenHeightOnce) {
    for (const std::string& entry : resolutions()) {
        const auto x = entry.find('x');
        const std::string fragment =
            " -vid_config_y " + entry.substr(0, x) + " -vid_config_x " + entry.substr(x + 1);
        VideoOptions o = videoAfterLoad();
        o.resolution = entry;
        const std::string line = buildVideoLine(o).line;
        EXPECT_EQ(line, kVideoBase + " -soft" + fragment) << entry;
        EXPECT_EQ(line.find("-vid_config_y"), line.rfind("-vid_config_y")) << entry;
    }
    EXPECT_EQ(resolutions().size(), 6u);
}

struct ClientCase {
    const char* name;
    ClientOptions options;
    std::string line;
    std::vector<std::string> problems;
};

TEST(ClientLine, BuildsEachCase) {
    ClientOptions example;
    example.model = "Gordon";
    example.name = "Ace";
    example.maxFrameRate = "60";

    ClientOptions everything = example;
    everything.allowDownload = everything.allowUpload = everything.hiModels = true;
    everything.deltaCompressionOff = everything.spectator = everything.ipxOn = true;
    everything.tcpIpOn = everything.preload = true;
    everything.name = "Big Ace";
    everything.address = "10.0.0.1:27016";

    ClientOptions noModel;

    const std::vector<ClientCase> cases{
        {"design example",
         example,
         join({" +model Gordon", " +cl_allowdownload 0", " +cl_allowupload 0", " +cl_himodels 0",
               " +c_deltas 1", " +spectator 0", " -noipx 1", " -noip 1", " -precache 0",
               " +name Ace", " +fps_modem 60", " -connect "}),
         {}},
        // Delta, IPX and TCP/IP name the opposite of the game's switch.
        {"every box ticked, inverted switches, name with a blank",
         everything,
         join({" +model Gordon", " +cl_allowdownload 1", " +cl_allowupload 1", " +cl_himodels 1",
               " +c_deltas 0", " +spectator 1", " -noipx 0", " -noip 0", " -precache 1",
               " +name Big Ace", " +fps_modem 60", " -connect 10.0.0.1:27016"}),
         {}},
        {"no model, empty texts",
         noModel,
         join({" +cl_allowdownload 0", " +cl_allowupload 0", " +cl_himodels 0", " +c_deltas 1",
               " +spectator 0", " -noipx 1", " -noip 1", " -precache 0", " +name ", " +fps_modem ",
               " -connect "}),
         {kChooseModel}},
    };
    for (const ClientCase& c : cases) {
        const GeneratedLine got = buildClientLine(c.options);
        EXPECT_EQ(got.line, c.line) << c.name;
        EXPECT_EQ(got.problems, c.problems) << c.name;
    }
}

const std::string kSoundBase =
    join({" +bgmvolume 0", " +hisound 0", " +s_eax 0", " +s_a3d 0", " +nosound 0"});

struct SoundCase {
    const char* name;
    std::function<void(SoundOptions&)> change;
    std::string line;
    std::vector<std::string> problems;
};

TEST(SoundLine, BuildsEachCase) {
    const auto volumes = [](SoundOptions& o) {
        o.gameVolume = "7";
        o.suitVolume = "3";
    };
    const std::vector<SoundCase> cases{
        {"after load",
         [](SoundOptions&) {},
         kSoundBase + " +volume  +suitvolume ",
         {kChooseSoundVolume, kChooseSuitVolume}},
        {"volumes 7 and 3", volumes, kSoundBase + " +volume 7 +suitvolume 3", {}},
        {"volumes moved back to 0 are not missing",
         [](SoundOptions& o) { o.gameVolume = o.suitVolume = "0"; },
         kSoundBase + " +volume 0 +suitvolume 0",
         {}},
        {"only the suit volume missing",
         [](SoundOptions& o) { o.gameVolume = "10"; },
         kSoundBase + " +volume 10 +suitvolume ",
         {kChooseSuitVolume}},
        {"every box ticked: CD audio drops the music mute",
         [&](SoundOptions& o) {
             volumes(o);
             o.cdAudio = o.hiQuality = o.eax = o.a3d = o.noSound = true;
         },
         " +hisound 1 +s_eax 1 +s_a3d 1 +nosound 1 +volume 7 +suitvolume 3",
         {}},
        {"play once with a track",
         [&](SoundOptions& o) {
             volumes(o);
             o.cd = CdTrackMode::PlayOnce;
             o.track = "12";
         },
         kSoundBase + " +volume 7 +suitvolume 3 +cd play 12",
         {}},
        {"loop without a track",
         [&](SoundOptions& o) {
             volumes(o);
             o.cd = CdTrackMode::Loop;
         },
         kSoundBase + " +volume 7 +suitvolume 3 +cd loop ",
         {}},
        {"no CD track ignores the selected track",
         [&](SoundOptions& o) {
             volumes(o);
             o.cd = CdTrackMode::NoTrack;
             o.track = "4";
         },
         kSoundBase + " +volume 7 +suitvolume 3",
         {}},
    };
    for (const SoundCase& c : cases) {
        SoundOptions o;
        c.change(o);
        const GeneratedLine got = buildSoundLine(o);
        EXPECT_EQ(got.line, c.line) << c.name;
        EXPECT_EQ(got.problems, c.problems) << c.name;
    }
}

TEST(MiscLine, AfterLoadAndWithEverything) {
    MiscOptions afterLoad;
    afterLoad.fakeLag = afterLoad.fakeLoss = "0";
    EXPECT_EQ(buildMiscLine(afterLoad),
              join({" -deathmatch 0", " -coop 0", " +violence_hblood 0", " +violence_hgibs 0",
                    " +violence_ablood 0", " +violence_agibs 0", " -skill ", " +fakelag 0",
                    " +fakeloss 0"}));

    MiscOptions all;
    all.deathmatch = all.coop = all.humanBlood = all.humanGibs = all.alienBlood = all.alienGibs =
        true;
    all.skill = "5";
    all.fakeLag = "10";
    all.fakeLoss = "3";
    EXPECT_EQ(buildMiscLine(all),
              join({" -deathmatch 1", " -coop 1", " +violence_hblood 1", " +violence_hgibs 1",
                    " +violence_ablood 1", " +violence_agibs 1", " -skill 5", " +fakelag 10",
                    " +fakeloss 3"}));
}

TEST(FullLine, AccumulatesBehindWhatTheLabelShows) {
    EXPECT_EQ(joinFullCommandLine("P", "", "", "", ""), "P");
    const std::string once = joinFullCommandLine("P", " V", " S", " M", " C");
    EXPECT_EQ(once, "P V S M C");
    EXPECT_EQ(joinFullCommandLine(once, " V", " S", " M", " C"), "P V S M C V S M C");
}

TEST(ConnectCommand, JoinsTypedTextUnchanged) {
    struct Case {
        std::string program, address, port, command;
    };
    const std::vector<Case> cases{
        {"G", "", "27015", "G -console +connect :27015"},
        {"G", "10.0.0.1", "27015", "G -console +connect 10.0.0.1:27015"},
        {"G", "my server", "27015", "G -console +connect my server:27015"},
        {"G", "10.0.0.1", "abc", "G -console +connect 10.0.0.1:abc"},
        {"error", "a", "", "error -console +connect a:"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(buildConnectCommand(c.program, c.address, c.port), c.command) << c.address;
}

} // namespace
