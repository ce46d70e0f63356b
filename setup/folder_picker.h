// The folder pickers DirMaps, DirMapsTFC and configtfc: one design, told apart
// by their caption and the texts of the volume-not-ready message. A picker
// writes the folder last opened into the text box its opener handed over.
#pragma once

#include "setup/setup_dialog.h"

#include <QListWidget>
#include <QPointer>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace gravelock {

// A folder list: the open folder's ancestors from the root down, then its
// subfolders, indented. A double click opens the folder under the pointer.
class FolderListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget* parent = nullptr);

    // Opens `folder`; false (and nothing changes) when it cannot be listed.
    bool setPath(const QString& folder);
    // The folder last opened, with native separators.
    QString path() const { return path_; }

private:
    QString path_;
};

struct FolderPickerDesign {
    FolderPickerId id;
    const char* name;
    QString caption;
};

class FolderPickerWindow : public SetupDialog {
    Q_OBJECT
public:
    static FolderPickerDesign dirMaps();
    static FolderPickerDesign dirMapsTFC();
    static FolderPickerDesign configtfc();

    FolderPickerWindow(AppContext& context, const FolderPickerDesign& design);

    // The text box that "&OK" fills; the opener hands it over together with the
    // caption it sets (see GameFoldersWindow::openFolderPicker).
    void setTarget(QLineEdit* box);
    QLineEdit* target() const;

    QComboBox* drve = nullptr;
    FolderListBox* rep = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void volumeChosen(int index);
    void showVolumeOfListedFolder();
    void take();

    FolderPickerId id_;
    QPointer<QLineEdit> target_;
};

} // namespace gravelock
