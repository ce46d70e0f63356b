// The advanced options window `frmAdvanced`: five tabs of options, a generate
// button per group that writes a partial command line into a label, and a last
// tab that joins them behind the program path and starts the game.
#pragma once

#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace gravelock {

class AppContext;
struct ClientOptions;
struct GeneratedLine;
struct MiscOptions;
struct SoundOptions;
struct VideoOptions;

class FrmAdvancedWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmAdvancedWindow(AppContext& context);

    QTabWidget* SSTab1 = nullptr;

    // "Video"
    QGroupBox* Frame1 = nullptr;
    QListWidget* lstResol = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* chkPlShadows = nullptr;
    QCheckBox* chkDecals = nullptr;
    QCheckBox* chkMaxBrightness = nullptr;
    QCheckBox* chkRSpeeds = nullptr;
    QCheckBox* chkRefTex = nullptr;
    QCheckBox* chkConsole = nullptr;
    QCheckBox* chkDev = nullptr;
    QCheckBox* chkNoIntro = nullptr;
    QGroupBox* Frame3 = nullptr;
    QPushButton* cmdGenerate = nullptr;
    QLabel* lblCommandLine = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* optSoftware = nullptr;
    QRadioButton* optD3D = nullptr;
    QRadioButton* optOpenGL = nullptr;
    QGroupBox* Frame5 = nullptr;
    QCheckBox* chkAdditional = nullptr;
    QLineEdit* txtAdditional = nullptr;
    QGroupBox* Frame6 = nullptr;
    QRadioButton* optFullScrn = nullptr;
    QRadioButton* optWinMode = nullptr;

    // "Audio"
    QGroupBox* Frame11 = nullptr;
    QPushButton* cmdSndGen = nullptr;
    QLabel* lblSndCommandLine = nullptr;
    QGroupBox* Frame10 = nullptr;
    QRadioButton* optNoTrack = nullptr;
    QRadioButton* optLoop = nullptr;
    QRadioButton* optPlayOnce = nullptr;
    QListWidget* lstCDTrack = nullptr;
    QGroupBox* Frame9 = nullptr;
    QSlider* HEVSuit = nullptr;
    QLabel* lblHEVSuit = nullptr;
    QGroupBox* Frame8 = nullptr;
    QSlider* GameAudio = nullptr;
    QLabel* lblGameSound = nullptr;
    QGroupBox* Frame7 = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* chkToggleSound = nullptr;
    QCheckBox* chkA3D = nullptr;
    QCheckBox* chkEAX = nullptr;
    QCheckBox* chkHiQualitySound = nullptr;
    QCheckBox* chkCDAudio = nullptr;

    // "Spieler"
    QGroupBox* Frame23 = nullptr;
    QPushButton* cmdClientGenerate = nullptr;
    QLabel* lblClientCommandLine = nullptr;
    QGroupBox* Frame22 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* txtMaxFRate = nullptr;
    QGroupBox* Frame21 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* txtName = nullptr;
    QGroupBox* Frame20 = nullptr;
    QListWidget* lstModel = nullptr;
    QGroupBox* Frame19 = nullptr;
    QLineEdit* txtIP = nullptr;
    QGroupBox* Frame18 = nullptr;
    QCheckBox* chkPreLoad = nullptr;
    QCheckBox* chkTCPIPOn = nullptr;
    QCheckBox* chkIPXOn = nullptr;
    QCheckBox* chkSpecMode = nullptr;
    QCheckBox* chkDelta = nullptr;
    QCheckBox* chkHIMod = nullptr;
    QCheckBox* chkUpload = nullptr;
    QCheckBox* chkAllowDownload = nullptr;

    // "Misc."
    QGroupBox* Frame16 = nullptr;
    QPushButton* cmdMiscGenerate = nullptr;
    QLabel* lblMiscCommandLine = nullptr;
    QGroupBox* Frame14 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* Skill = nullptr;
    QGroupBox* Frame12 = nullptr;
    QCheckBox* chkDMOn = nullptr;
    QCheckBox* chkCoop = nullptr;
    QCheckBox* chkHBlood = nullptr;
    QCheckBox* chkHGibs = nullptr;
    QCheckBox* chkABlood = nullptr;
    QCheckBox* chkAGibs = nullptr;
    QGroupBox* Frame15 = nullptr;
    QSlider* FakePacketSlider = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* lblFakePacketLoss = nullptr;
    QGroupBox* Frame13 = nullptr;
    QSlider* FakeLagSlider = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblFakeLag = nullptr;

    // "Starten"
    QGroupBox* Frame24 = nullptr;
    QPushButton* Command1 = nullptr;
    QGroupBox* Frame17 = nullptr;
    QPushButton* cmdFullGen = nullptr;
    QLabel* lblFullCommandLine = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileitmORVO = nullptr;

private:
    void buildVideoTab(QWidget* page);
    void buildAudioTab(QWidget* page);
    void buildPlayerTab(QWidget* page);
    void buildMiscTab(QWidget* page);
    void buildStartTab(QWidget* page);
    void buildMenu();
    void load();

    VideoOptions videoOptions() const;
    ClientOptions clientOptions() const;
    SoundOptions soundOptions() const;
    MiscOptions miscOptions() const;
    // Shows the generator's problems, then puts its line into the label.
    void showGenerated(const GeneratedLine& generated, QLabel* target);

    void generateVideo();
    void generateClient();
    void generateSound();
    void generateMisc();
    void generateFull();
    void startGame();

    AppContext& context_;
};

} // namespace gravelock
