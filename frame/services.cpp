#include "frame/services.h"

#include <QFileDialog>
#include <QMessageBox>

namespace gravelock {

std::unique_ptr<QMessageBox> QtMessageBoxes::build(QWidget* parent, const Message& message) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setText(message.text);
    box->setWindowTitle(message.title);
    switch (message.icon) {
    case MsgIcon::None:
        box->setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Exclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Critical:
        box->setIcon(QMessageBox::Critical);
        break;
    }
    if (message.buttons == MsgButtons::OkCancel) {
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    box->setDefaultButton(QMessageBox::Ok);
    if (message.systemModal)
        box->setWindowModality(Qt::ApplicationModal);
    return box;
}

MsgResult QtMessageBoxes::show(QWidget* parent, const Message& message) {
    return build(parent, message)->exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

std::optional<QString> QtFileDialogs::openFile(QWidget* parent, const QString& title,
                                               const QString& filter, const QString& folder) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace gravelock
