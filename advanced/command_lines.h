// The command lines of the advanced options window and the connect tool, built
// from plain copies of their controls. Every fragment begins with its own blank
// and fragments are joined without separators; typed text goes in as typed.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gravelock {

// A partial command line and the problems to show before it replaces its label,
// in the order they are to be shown.
struct GeneratedLine {
    std::string line{};
    std::vector<std::string> problems;
};

// One entry of the resolution list: its caption is "WIDTHxHEIGHT".
struct Resolution {
    int width;
    int height;
    std::string caption() const;
};

enum class Renderer { None, Software, Direct3D, OpenGL };
enum class DisplayMode { None, FullScreen, Windowed };

struct VideoOptions {
    bool playerShadows = false;      // chkPlShadows
    bool decals = false;             // chkDecals
    bool maxBrightness = false;      // chkMaxBrightness
    bool rSpeeds = false;            // chkRSpeeds
    bool reflectiveTextures = false; // chkRefTex
    bool console = false;            // chkConsole
    bool developer = false;          // chkDev
    bool noIntro = false;            // chkNoIntro
    Renderer renderer = Renderer::None;
    DisplayMode display = DisplayMode::None;
    std::optional<Resolution> resolution{}; // the selected lstResol entry; none when none is
    bool additional = false;                // chkAdditional
    std::string additionalText{}; // txtAdditional, used only while chkAdditional is ticked
};

struct ClientOptions {
    std::string model{}; // selected lstModel entry; empty when none
    bool allowDownload = false;
    bool allowUpload = false;
    bool hiModels = false;
    bool deltaCompressionOff = false; // chkDelta
    bool spectator = false;
    bool ipxOn = false;
    bool tcpIpOn = false;
    bool preload = false;
    std::string name{};
    std::string maxFrameRate{};
    std::string address{};
};

enum class CdTrackMode { None, NoTrack, Loop, PlayOnce };

struct SoundOptions {
    bool cdAudio = false;     // chkCDAudio
    bool hiQuality = false;   // chkHiQualitySound
    bool eax = false;         // chkEAX
    bool a3d = false;         // chkA3D
    bool noSound = false;     // chkToggleSound
    std::string gameVolume{}; // caption of lblGameSound (0 to 10); empty until its slider moved
    std::string suitVolume{}; // caption of lblHEVSuit (0 to 10)
    CdTrackMode cd = CdTrackMode::None;
    std::string track{}; // selected lstCDTrack entry; empty when none
};

struct MiscOptions {
    bool deathmatch = false;
    bool coop = false;
    bool humanBlood = false;
    bool humanGibs = false;
    bool alienBlood = false;
    bool alienGibs = false;
    std::string skill{};    // text of the Skill box, typed or chosen
    std::string fakeLag{};  // caption of lblFakeLag
    std::string fakeLoss{}; // caption of lblFakePacketLoss
};

// Problems the generators report.
inline constexpr const char* kChooseResolution = "Choose a resolution!";
inline constexpr const char* kChooseModel = "Bitte wähle ein Modell aus";
inline constexpr const char* kChooseSoundVolume = "Choose sound volume!";
inline constexpr const char* kChooseSuitVolume = "Choose HEV suit volume!";

// The entries of the window's lists, in their order.
const std::vector<Resolution>& resolutions();
const std::vector<std::string>& playerModels();
const std::vector<std::string>& cdTracks();
const std::vector<std::string>& skillLevels();

GeneratedLine buildVideoLine(const VideoOptions& options);
GeneratedLine buildClientLine(const ClientOptions& options);
GeneratedLine buildSoundLine(const SoundOptions& options);
std::string buildMiscLine(const MiscOptions& options);

// The full line: what the label shows now, then video, sound, misc and client.
// It accumulates on purpose: the head is whatever the label already holds.
std::string joinFullCommandLine(const std::string& current, const std::string& video,
                                const std::string& sound, const std::string& misc,
                                const std::string& client);

// The connect tool's command text: program, console, then "address:port".
std::string buildConnectCommand(const std::string& program, const std::string& address,
                                const std::string& port);

} // namespace gravelock
