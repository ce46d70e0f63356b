#include "setup/setup_dialog.h"

#include "frame/app_context.h"
#include "frame/controls.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace gravelock {

SetupDialog::SetupDialog(AppContext& context, const QString& caption) : context_(context) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

void SetupDialog::setCancelButton(QPushButton* button) {
    cancel_ = button;
}

void SetupDialog::keyPressEvent(QKeyEvent* event) {
    // QDialog would reject() on Escape, which hides the window without its
    // cancel handling; here Escape is the cancel button or nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (cancel_ && cancel_->isEnabled())
            cancel_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool SetupDialog::writeSettings(const std::vector<SettingWrite>& writes) {
    return context_.saveSettings(this, writes);
}

void SetupDialog::showMessage(const PlayerMessage& message) {
    context_.message(this, QString::fromStdString(message.text),
                     QString::fromStdString(message.title));
}

void SetupDialog::moveTo(WindowId next) {
    context_.windows().show(next);
    context_.windows().unload(this);
}

bool namesFile(const std::string& path) {
    return !path.empty() && QFileInfo(fromUtf8(path)).isFile();
}

QLabel* makePicture(QWidget* parent, const char* name, const QString& resource, int left, int top,
                    int width, int height) {
    auto* picture = makeControl<QLabel>(parent, name, left, top, width, height);
    picture->setPixmap(QPixmap(resource));
    picture->setScaledContents(true);
    picture->setFrameShape(QFrame::StyledPanel);
    return picture;
}

} // namespace gravelock
