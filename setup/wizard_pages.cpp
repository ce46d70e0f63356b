#include "setup/wizard_pages.h"

#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace gravelock {
namespace {

// Every page has the same size, its picture on the left and its buttons at the
// bottom right.
constexpr int kPageWidth = 7800;
constexpr int kPageHeight = 4140;
constexpr int kContentLeft = 2520;
constexpr int kContentWidth = 5160;
constexpr int kButtonTop = 3645;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 375;
constexpr int kNextLeft = 6345;
constexpr int kPrevLeft = 4920;

QLabel* pagePicture(QWidget* page, int number) {
    return makePicture(page, "Picture1", QStringLiteral(":/pictures/wizard%1.jpg").arg(number),
                       120, 120, 2250, 3900);
}

QPushButton* pageButton(QWidget* page, const char* name, int left, const QString& caption) {
    auto* button = makeControl<QPushButton>(page, name, left, kButtonTop, kButtonWidth, kButtonHeight);
    button->setText(caption);
    return button;
}

QLabel* pageLabel(QWidget* page, const char* name, int top, int height, const QString& text,
                  bool wrap = false) {
    auto* label = makeControl<QLabel>(page, name, kContentLeft, top, kContentWidth, height);
    label->setText(text);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

const QString kNextCaption = QStringLiteral("&Weiter >");
const QString kPrevCaption = QStringLiteral("< &Zurück");

} // namespace

Firstuse1Window::Firstuse1Window(AppContext& context)
    : SetupDialog(context, QStringLiteral("firstuse1"), QStringLiteral("Willkommen im Gravelock !")) {
    setClientSizeTwips(this, kPageWidth, kPageHeight);
    Label1 = pageLabel(this, "Label1", 240, 735,
                       QStringLiteral("Du startes das Programm zum ersten mal.          "
                                      "Das ist eine Wizzard einführung !"),
                       true);
    // Narrow enough that the blanks push the second sentence onto its own line.
    placeTwips(Label1, kContentLeft, 240, 3600, 735);
    Label2 = pageLabel(this, "Label2", 1200, 255, QStringLiteral("Drücke \"Weiter\""));
    Picture1 = pagePicture(this, 1);
    cmdNext = pageButton(this, "cmdNext", kNextLeft, kNextCaption);
    cmdNext->setDefault(true);
    connect(cmdNext, &QPushButton::clicked, this, [this] { moveTo(QStringLiteral("firstuse2")); });
    fitCaptions(this);
}

Firstuse2Window::Firstuse2Window(AppContext& context)
    : SetupDialog(context, QStringLiteral("firstuse2"), QStringLiteral("Name und Firma")) {
    setClientSizeTwips(this, kPageWidth, kPageHeight);
    Label1 = pageLabel(this, "Label1", 240, 495,
                       QStringLiteral("Trage hier deinen Namen und deine Firma oder Clan ein !!!"),
                       true);
    Label2 = pageLabel(this, "Label2", 960, 255, QStringLiteral("Name :"));
    txtNick = makeControl<QLineEdit>(this, "txtNick", kContentLeft, 1230, kContentWidth, 315);
    Label3 = pageLabel(this, "Label3", 1740, 255, QStringLiteral("Firma / Clan :"));
    txtClan = makeControl<QLineEdit>(this, "txtClan", kContentLeft, 2010, kContentWidth, 315);
    Picture1 = pagePicture(this, 2);
    cmdPrev = pageButton(this, "cmdPrev", kPrevLeft, kPrevCaption);
    cmdNext = pageButton(this, "cmdNext", kNextLeft, kNextCaption);
    cmdNext->setDefault(true);
    txtNick->setFocus();
    connect(cmdPrev, &QPushButton::clicked, this, [this] { moveTo(QStringLiteral("firstuse1")); });
    connect(cmdNext, &QPushButton::clicked, this, &Firstuse2Window::next);
    fitCaptions(this);
}

void Firstuse2Window::next() {
    const std::string nick = txtNick->text().toStdString();
    const std::string clan = txtClan->text().toStdString();
    if (const auto problem = namePageProblem(nick, clan)) {
        showMessage(*problem);
        return;
    }
    if (!writeSettings(namePageWrites(nick, clan)))
        return;
    moveTo(QStringLiteral("firstuseconfig"));
}

namespace {

GameFoldersTexts wizardTexts() {
    return {QStringLiteral("Half-Life "),
            QStringLiteral("Program : "),
            QStringLiteral("TFC Karten Ordner : "),
            QStringLiteral("&Team Fortress Classic ist Installiert"),
            QStringLiteral("Wechsle das Programm"),
            "Half-Life Programm (hl.exe)",
            "hl.exe"};
}

} // namespace

FirstuseconfigWindow::FirstuseconfigWindow(AppContext& context)
    : GameFoldersWindow(context, QStringLiteral("firstuseconfig"), QStringLiteral("Konfiguration"),
                        wizardTexts(), kContentLeft) {
    setClientSizeTwips(this, kPageWidth, kPageHeight);
    Picture1 = pagePicture(this, 3);
    cmdPrev = pageButton(this, "cmdPrev", kPrevLeft, kPrevCaption);
    cmdPrev->setToolTip(QStringLiteral("Saves parameters in \"orvo.ini\""));
    cmdFinish = pageButton(this, "cmdFinish", kNextLeft, kNextCaption);
    cmdFinish->setDefault(true);

    connect(cmdMaps, &QPushButton::clicked, this, [this] {
        openFolderPicker(QStringLiteral("DirMaps"),
                         QStringLiteral("Erstkonfiguration - Kartenauswahl"),
                         CaptionSet::BeforeShowing, txtMaps);
    });
    connect(cmdTFCMaps, &QPushButton::clicked, this, [this] {
        openFolderPicker(QStringLiteral("configtfc"), {}, CaptionSet::BeforeShowing, TFCmaps);
    });
    connect(cmdPrev, &QPushButton::clicked, this, [this] { moveTo(QStringLiteral("firstuse2")); });
    connect(cmdFinish, &QPushButton::clicked, this, &FirstuseconfigWindow::finish);
    fitCaptions(this);
    loadFolders();
}

void FirstuseconfigWindow::finish() {
    // Written before they are checked, as the page always did.
    const GameFolders values = folders();
    if (!writeSettings(wizardFolderWrites(values)))
        return;
    if (const auto problem = wizardFolderProblem(values)) {
        showMessage(*problem);
        return;
    }
    moveTo(QStringLiteral("firstusedone"));
}

FirstusedoneWindow::FirstusedoneWindow(AppContext& context)
    : SetupDialog(context, QStringLiteral("firstusedone"), QStringLiteral("Konfiguration ")) {
    setClientSizeTwips(this, kPageWidth, kPageHeight);
    Label1 = pageLabel(this, "Label1", 240, 375, QStringLiteral("Fertig !"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    Label1->setFont(bold);
    Label2 = pageLabel(this, "Label2", 840, 255, QStringLiteral("Der Gravelock ist nun konfiguriert"));
    Label3 = pageLabel(this, "Label3", 1200, 255, QStringLiteral("Wird nun gestartet Gravelock."));
    Translatedby = pageLabel(this, "Translatedby", 3240, 255,
                             QStringLiteral("Deutsche Übersetzung: Lukas Brenner"));
    Picture1 = pagePicture(this, 4);
    cmdFinish = pageButton(this, "cmdFinish", kNextLeft, QStringLiteral("&Fertig"));
    cmdFinish->setDefault(true);
    connect(cmdFinish, &QPushButton::clicked, this, &FirstusedoneWindow::finish);
    fitCaptions(this);
}

void FirstusedoneWindow::finish() {
    const std::string tfc = context_.getPPS("MISC", "tfc", "error", 100);
    // Whole paths: the folders derived from cut paths would be wrong.
    const std::string maps = context_.getPPS("GAMEDIR", "maps", "error", kUncut);
    const std::string tfcmaps =
        tfcTicked(tfc) ? context_.getPPS("GAMEDIR", "tfcmaps", "error", kUncut) : std::string();
    const std::string program = context_.getPPS("GAMEDIR", "program", "error", kUncut);
    if (!writeSettings(finishWrites(tfc, maps, tfcmaps, program)))
        return;
    context_.message(this, QStringLiteral("Erstkonfiguration erfolgreich ! Wenn das Programm nicht "
                                          "funktionieren sollte ... dann endere den inhalt der "
                                          "orvo.ini :-)"));
    context_.windows().unload(objectName());
    context_.windows().show(QStringLiteral("sp"));
}

} // namespace gravelock
