#include "advanced/command_lines.h"

#include "core/start_game.h"

namespace gravelock {
namespace {

const char* onOff(bool on, const char* whenOn, const char* whenOff) {
    return on ? whenOn : whenOff;
}

// A slider's 0 to 10 as the game's volume of 0 to 1: "7" gives "0.7". Any
// other text (there is none from a slider) goes in as it is.
std::string volumeFraction(const std::string& tenths) {
    if (tenths == "10")
        return "1";
    if (tenths.size() == 1 && tenths[0] >= '1' && tenths[0] <= '9')
        return "0." + tenths;
    return tenths;
}

} // namespace

std::string Resolution::caption() const {
    return std::to_string(width) + "x" + std::to_string(height);
}

const std::vector<Resolution>& resolutions() {
    static const std::vector<Resolution> list{{320, 200}, {400, 300}, {512, 384},
                                              {640, 480}, {800, 600}, {1024, 768}};
    return list;
}

const std::vector<std::string>& playerModels() {
    static const std::vector<std::string> list{"Barney", "Scientist", "Skeleton", "Helmet",
                                               "Gordon", "Gina",      "Cannibal", "Robo"};
    return list;
}

const std::vector<std::string>& cdTracks() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> tracks;
        for (int i = 1; i <= 18; ++i)
            tracks.push_back(std::to_string(i));
        return tracks;
    }();
    return list;
}

const std::vector<std::string>& skillLevels() {
    static const std::vector<std::string> list{"1", "2", "3"};
    return list;
}

GeneratedLine buildVideoLine(const VideoOptions& o) {
    GeneratedLine out;
    std::string& line = out.line;
    line += onOff(o.playerShadows, " +r_shadows 1", " +r_shadows 0");
    line += onOff(o.decals, " +r_decals 1", " +r_decals 0");
    line += onOff(o.maxBrightness, " +r_fullbright 1", " +r_fullbright 0");
    line += onOff(o.rSpeeds, " +r_speeds 1", " +r_speeds 0");
    line += onOff(o.reflectiveTextures, " +r_mirroralpha 1", " +r_mirroralpha 0");
    if (o.console)
        line += " -console";
    if (o.renderer == Renderer::Software)
        line += " -soft";
    if (o.renderer == Renderer::Direct3D)
        line += " -d3d";
    if (o.renderer == Renderer::OpenGL)
        line += " -gl";
    if (o.display == DisplayMode::Windowed)
        line += " -window";
    if (o.display == DisplayMode::FullScreen)
        line += " -full";
    if (o.resolution)
        line += " -w " + std::to_string(o.resolution->width) + " -h " +
                std::to_string(o.resolution->height);
    if (o.additional)
        line += " " + o.additionalText;
    if (o.noIntro)
        line += " -nointro";
    if (o.developer)
        line += " -dev";
    if (!o.resolution)
        out.problems.emplace_back(kChooseResolution);
    return out;
}

GeneratedLine buildClientLine(const ClientOptions& o) {
    GeneratedLine out;
    std::string& line = out.line;
    if (o.model.empty())
        out.problems.emplace_back(kChooseModel);
    else
        line += " +model " + o.model;
    line += onOff(o.allowDownload, " +cl_allowdownload 1", " +cl_allowdownload 0");
    line += onOff(o.allowUpload, " +cl_allowupload 1", " +cl_allowupload 0");
    line += onOff(o.hiModels, " +cl_himodels 1", " +cl_himodels 0");
    // Delta compression, IPX and TCP/IP boxes name the opposite of the game's switch.
    line += onOff(o.deltaCompressionOff, " +c_deltas 0", " +c_deltas 1");
    line += onOff(o.spectator, " +spectator 1", " +spectator 0");
    // -noip and -noipx count by their presence alone: written only to turn off.
    if (!o.ipxOn)
        line += " -noipx";
    if (!o.tcpIpOn)
        line += " -noip";
    line += onOff(o.preload, " -precache 1", " -precache 0");
    line += " +name " + quoteArgument(o.name);
    line += " +fps_modem " + o.maxFrameRate;
    line += " +connect " + o.address;
    return out;
}

GeneratedLine buildSoundLine(const SoundOptions& o) {
    GeneratedLine out;
    std::string& line = out.line;
    if (!o.cdAudio)
        line += " +bgmvolume 0";
    line += onOff(o.hiQuality, " +hisound 1", " +hisound 0");
    line += onOff(o.eax, " +s_eax 1", " +s_eax 0");
    line += onOff(o.a3d, " +s_a3d 1", " +s_a3d 0");
    line += onOff(o.noSound, " +nosound 1", " +nosound 0");
    if (o.gameVolume.empty())
        out.problems.emplace_back(kChooseSoundVolume);
    if (o.suitVolume.empty())
        out.problems.emplace_back(kChooseSuitVolume);
    line += " +volume " + volumeFraction(o.gameVolume);
    line += " +suitvolume " + volumeFraction(o.suitVolume);
    if (o.cd == CdTrackMode::PlayOnce)
        line += " +cd play " + o.track;
    if (o.cd == CdTrackMode::Loop)
        line += " +cd loop " + o.track;
    return out;
}

std::string buildMiscLine(const MiscOptions& o) {
    std::string line;
    line += onOff(o.deathmatch, " +deathmatch 1", " +deathmatch 0");
    line += onOff(o.coop, " +coop 1", " +coop 0");
    line += onOff(o.humanBlood, " +violence_hblood 1", " +violence_hblood 0");
    line += onOff(o.humanGibs, " +violence_hgibs 1", " +violence_hgibs 0");
    line += onOff(o.alienBlood, " +violence_ablood 1", " +violence_ablood 0");
    line += onOff(o.alienGibs, " +violence_agibs 1", " +violence_agibs 0");
    line += " +skill " + o.skill;
    line += " +fakelag " + o.fakeLag;
    line += " +fakeloss " + o.fakeLoss;
    return line;
}

std::string joinFullCommandLine(const std::string& current, const std::string& video,
                                const std::string& sound, const std::string& misc,
                                const std::string& client) {
    return current + video + sound + misc + client;
}

std::string buildConnectCommand(const std::string& program, const std::string& address,
                                const std::string& port) {
    return program + " -console +connect " + address + ":" + port;
}

} // namespace gravelock
