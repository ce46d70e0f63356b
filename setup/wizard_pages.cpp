#include "setup/wizard_pages.h"

#include "app/window_id.h"
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
    return makePicture(page, "Picture1", QStringLiteral(":/pictures/wizard%1.jpg").arg(number), 120,
                       120, 2250, 3900);
}

QPushButton* pageButton(QWidget* page, const char* name, const QString& caption, int left) {
    return makeButton(page, name, caption, left, kButtonTop, kButtonWidth, kButtonHeight);
}

// Page texts hang from their top edge, not centred in their box.
QLabel* pageLabel(QWidget* page, const char* name, const QString& caption, int top, int height,
                  bool wrap = false) {
    auto* label = makeLabel(page, name, caption, kContentLeft, top, kContentWidth, height);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

const QString kNextCaption = QStringLiteral("&Weiter >");
const QString kPrevCaption = QStringLiteral("< &Zurück");

} // namespace

Firstuse1Window::Firstuse1Window(AppContext& context)
    : SetupDialog(context, QStringLiteral("Willkommen im Gravelock !")) {
    setClientSizeTwips(this, kPageWidth, kPageHeight);
    Label1 = pageLabel(this, "Label1",
                       QStringLiteral("Du startes das Programm zum ersten mal.          "
                                      "Das ist eine Wizzard einführung !"),
                       240, 735, true);
    // Narrow enough that the blanks push the second sentence onto its own line.
    placeTwips(Label1, kContentLeft, 240, 3600, 735);
    Label2 = pageLabel(this, "Label2", QStringLiteral("Drücke \"Weiter\""), 1200, 255);
    Picture1 = pagePicture(this, 1);
    cmdNext = pageButton(this, "cmdNext", kNextCaption, kNextLeft);
    cmdNext->setDefault(true);
    connect(cmdNext, &QPushButton::clicked, this, [this] { moveTo(WindowId::firstuse2); });
    fitCaptions(this);
}

Firstuse2Window::Firstuse2Window(AppContext& context)
    : SetupDialog(context, QStringLiteral("Name und Firma")) {
    setClientSizeTwips(this, kPageWidth, kPageHeight);
    Label1 = pageLabel(this, "Label1",
                       QStringLiteral("Trage hier deinen Namen und deine Firma oder Clan ein !!!"),
                       240, 495, true);
    Label2 = pageLabel(this, "Label2", QStringLiteral("Name :"), 960, 255);
    txtNick = makeControl<QLineEdit>(this, "txtNick", kContentLeft, 1230, kContentWidth, 315);
    Label3 = pageLabel(this, "Label3", QStringLiteral("Firma / Clan :"), 1740, 255);
    txtClan = makeControl<QLineEdit>(this, "txtClan", kContentLeft, 2010, kContentWidth, 315);
    Picture1 = pagePicture(this, 2);
    cmdPrev = pageButton(this, "cmdPrev", kPrevCaption, kPrevLeft);
    cmdNext = pageButton(this, "cmdNext", kNextCaption, kNextLeft);
    cmdNext->setDefault(true);
    txtNick->setFocus();
    connect(cmdPrev, &QPushButton::clicked, this, [this] { moveTo(WindowId::firstuse1); });
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
    moveTo(WindowId::firstuseconfig);
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

FirstuseconfigWindow::FirstuseconfigWindow(AppContext& context, FinderEnvironmentSource environment)
    : GameFoldersWindow(context, QStringLiteral("Konfiguration"), wizardTexts(), kContentLeft,
                        kButtonTop, std::move(environment)) {
    setClientSizeTwips(this, kPageWidth, kPageHeight);
    Picture1 = pagePicture(this, 3);
    cmdPrev = pageButton(this, "cmdPrev", kPrevCaption, kPrevLeft);
    cmdPrev->setToolTip(QStringLiteral("Saves parameters in \"orvo.ini\""));
    cmdFinish = pageButton(this, "cmdFinish", kNextCaption, kNextLeft);
    cmdFinish->setDefault(true);

    connect(cmdMaps, &QPushButton::clicked, this, [this] {
        openFolderPicker(WindowId::DirMaps, QStringLiteral("Erstkonfiguration - Kartenauswahl"),
                         CaptionSet::BeforeShowing, txtMaps);
    });
    connect(cmdTFCMaps, &QPushButton::clicked, this, [this] {
        openFolderPicker(WindowId::configtfc, {}, CaptionSet::BeforeShowing, TFCmaps);
    });
    connect(cmdPrev, &QPushButton::clicked, this, [this] { moveTo(WindowId::firstuse2); });
    connect(cmdFinish, &QPushButton::clicked, this, &FirstuseconfigWindow::finish);
    fitCaptions(this);
    loadFolders();
}

void FirstuseconfigWindow::finish() {
    // Written before they are checked: what the player typed is kept even when
    // the page refuses to go on, so a second try starts from it.
    const GameFolders values = folders();
    // An empty path gets the page's own message after the writes.
    if (!values.program.empty())
        if (const auto problem = programPathProblem(values.program, namesFile(values.program))) {
            showMessage(*problem);
            return;
        }
    if (!writeSettings(wizardFolderWrites(values)))
        return;
    if (const auto problem = wizardFolderProblem(values)) {
        showMessage(*problem);
        return;
    }
    moveTo(WindowId::firstusedone);
}

FirstusedoneWindow::FirstusedoneWindow(AppContext& context)
    : SetupDialog(context, QStringLiteral("Konfiguration ")) {
    setClientSizeTwips(this, kPageWidth, kPageHeight);
    Label1 = pageLabel(this, "Label1", QStringLiteral("Fertig !"), 240, 375);
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    Label1->setFont(bold);
    Label2 =
        pageLabel(this, "Label2", QStringLiteral("Der Gravelock ist nun konfiguriert"), 840, 255);
    Label3 = pageLabel(this, "Label3", QStringLiteral("Wird nun gestartet Gravelock."), 1200, 255);
    Translatedby = pageLabel(this, "Translatedby",
                             QStringLiteral("Deutsche Übersetzung: Lukas Brenner"), 3240, 255);
    Picture1 = pagePicture(this, 4);
    cmdFinish = pageButton(this, "cmdFinish", QStringLiteral("&Fertig"), kNextLeft);
    cmdFinish->setDefault(true);
    connect(cmdFinish, &QPushButton::clicked, this, &FirstusedoneWindow::finish);
    fitCaptions(this);
}

void FirstusedoneWindow::finish() {
    const std::string tfc = context_.settings().read(setting::tfc);
    // Whole paths: the folders derived from cut paths would be wrong.
    const std::string maps = context_.settings().read(setting::maps);
    const std::string tfcmaps =
        tfcTicked(tfc) ? context_.settings().read(setting::tfcmaps) : std::string();
    const std::string program = context_.settings().read(setting::program);
    // The configuration is not done while the program is missing: back to its page.
    if (const auto problem = programPathProblem(program, namesFile(program))) {
        showMessage(*problem);
        moveTo(WindowId::firstuseconfig);
        return;
    }
    if (!writeSettings(finishWrites(tfc, maps, tfcmaps, program)))
        return;
    context_.message(this, QStringLiteral("Erstkonfiguration erfolgreich ! Wenn das Programm nicht "
                                          "funktionieren sollte ... dann endere den inhalt der "
                                          "orvo.ini :-)"));
    context_.returnToMainWindow(this);
}

} // namespace gravelock
