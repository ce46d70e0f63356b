// The five tabs of the advanced options window `frmAdvanced`. Each tab owns
// its design-named controls and reads them into its options; the window wires
// the generate buttons and joins the lines.
#pragma once

#include "advanced/command_lines.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;

namespace gravelock {

// Every tab page has the same size, and tells the tab widget so, which then
// sizes itself around it.
class AdvancedTab : public QWidget {
public:
    AdvancedTab();
    QSize sizeHint() const override { return minimumSize(); }
};

// "Video"
class VideoTab : public AdvancedTab {
public:
    VideoTab();
    VideoOptions options() const;

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
};

// "Audio"
class AudioTab : public AdvancedTab {
public:
    AudioTab();
    SoundOptions options() const;

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
};

// "Spieler"
class PlayerTab : public AdvancedTab {
public:
    PlayerTab();
    ClientOptions options() const;

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
};

// "Misc."
class MiscTab : public AdvancedTab {
public:
    MiscTab();
    MiscOptions options() const;

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
};

// "Starten"
class StartTab : public AdvancedTab {
public:
    StartTab();

    QGroupBox* Frame24 = nullptr;
    QPushButton* Command1 = nullptr;
    QGroupBox* Frame17 = nullptr;
    QPushButton* cmdFullGen = nullptr;
    QLabel* lblFullCommandLine = nullptr;
};

} // namespace gravelock
