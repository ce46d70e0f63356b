#include "about/frm_about_window.h"

#include "about/clickable_label.h"
#include "about/credits.h"
#include "app/window_id.h"
#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace gravelock {
FrmAboutWindow::FrmAboutWindow(AppContext& context) : context_(context) {
    setWindowTitle(QStringLiteral("Über den Gravelock "));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildControls();
    load();
    fitCaptions(this);
}

void FrmAboutWindow::buildControls() {
    setClientSizeTwips(this, 6375, 4215);

    Picture1 = makeControl<ClickableLabel>(this, "Picture1", 240, 240, 1440, 1440);
    Picture1->setPixmap(
        QPixmap(QStringLiteral(":/pictures/about.jpg"))
            .scaled(Picture1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Picture1->setAlignment(Qt::AlignCenter);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Gravelock 2.0"), 1920, 240, 4215, 375);
    QFont title = Label1->font();
    title.setPointSizeF(12);
    title.setBold(true);
    Label1->setFont(title);

    Label2 = makeLabel(this, "Label2",
                       QStringLiteral("Der Karten Starter und Deathmath maker ...      mit "
                                      "extrfunktionen für Half-Life"),
                       1920, 660, 4215, 495);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label3 = makeLabel(this, "Label3",
                       QStringLiteral("Gravelock © 2001 vom Gravelock-Team, für Half-Life, ein "
                                      "Spiel seiner Hersteller."),
                       1920, 1200, 4215, 495);
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label4 = makeLabel(this, "Label4", QStringLiteral("Diese Kopie ist lizensiert für :"), 240,
                       1920, 2775, 255);

    lblUser = makeControl<ClickableLabel>(this, "lblUser", 480, 2280, 2535, 255);
    lblUser->setTextFormat(Qt::PlainText);
    lblUser->setText(QStringLiteral("Name"));
    lblComp = makeLabel(this, "lblComp", QStringLiteral("Firma"), 480, 2580, 2535, 255);

    Picture2 = makeControl<QFrame>(this, "Picture2", 3240, 1920, 2895, 1095);
    Picture2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label5 =
        makeLabel(Picture2, "Label5", QStringLiteral("Offizielle Seiten :"), 120, 120, 2655, 255);
    Label6 = makeLabel(Picture2, "Label6", fromUtf8(kMainSite), 120, 420, 2655, 255);
    Label7 = makeLabel(Picture2, "Label7", fromUtf8(kMirrorSite), 120, 720, 2655, 255);

    cmdOK = makeButton(this, "cmdOK", QStringLiteral("&OK"), 4800, 3600, 1335, 375);
    // The only control that takes the focus, so Enter presses it.
    cmdOK->setAutoDefault(true);
    cmdOK->setDefault(true);
    cmdOK->setFocus();

    connect(lblUser, &ClickableLabel::clicked, this, &FrmAboutWindow::showJoke);
    connect(Picture1, &ClickableLabel::clicked, this, &FrmAboutWindow::showCredits);
    connect(cmdOK, &QPushButton::clicked, this, &FrmAboutWindow::confirm);
}

void FrmAboutWindow::load() {
    lblUser->setText(fromUtf8(context_.settings().read(setting::user)));
    lblComp->setText(fromUtf8(context_.settings().read(setting::company)));
}

void FrmAboutWindow::showJoke() {
    context_.message(
        this, QStringLiteral(" It's your name, right ? So why did you click, stupid guy !!! :)"),
        QStringLiteral("Stupid guy"), MsgButtons::Ok, MsgIcon::Critical);
}

void FrmAboutWindow::showCredits() {
    context_.windows().show(WindowId::secret);
}

void FrmAboutWindow::confirm() {
    context_.windows().setEnabled(WindowId::sp, true);
    context_.windows().unload(this);
}

void FrmAboutWindow::closeEvent(QCloseEvent* event) {
    context_.windows().setEnabled(WindowId::sp, true);
    QWidget::closeEvent(event);
}

} // namespace gravelock
