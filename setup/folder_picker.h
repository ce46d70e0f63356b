// The folder pickers DirMaps, DirMapsTFC and configtfc: one design, told apart
// by their caption and the texts of the volume-not-ready message. A picker
// hands the folder last opened to whoever listens to folderChosen.
#pragma once

#include "setup/setup_dialog.h"

#include <QListWidget>
#include <memory>

class QComboBox;
class QPushButton;

namespace gravelock {

// A folder list: the open folder's ancestors from the root down, then its
// subfolders, indented, those whose names begin with a dot last (games on
// Linux live in them). A double click opens the folder under the pointer.
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
    QString caption;
};

class FolderPickerWindow : public SetupDialog {
    Q_OBJECT
public:
    static FolderPickerDesign dirMaps();
    static FolderPickerDesign dirMapsTFC();
    static FolderPickerDesign configtfc();

    FolderPickerWindow(AppContext& context, const FolderPickerDesign& design);

    // Opens the folder that `openerText` names when it is one; else the
    // volumes' start folder (the player's home, or on Windows the current
    // drive's root). The volume list shows the volume that holds it.
    void openAt(const QString& openerText);

    QComboBox* drve = nullptr;
    FolderListBox* rep = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

signals:
    // "&OK": the folder last opened, as it goes into a text box.
    void folderChosen(const QString& folder);

private:
    void volumeChosen(int index);
    void showVolumeOfListedFolder();
    void take();

    FolderPickerId id_;
};

} // namespace gravelock
