#include "setup/folder_picker.h"

#include "frame/app_context.h"
#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "frame/twips.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace gravelock {
namespace {

constexpr int kFolderRole = Qt::UserRole;

std::vector<std::string> rootsOf(const QComboBox* list) {
    std::vector<std::string> roots;
    roots.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i)
        roots.push_back(list->itemData(i).toString().toStdString());
    return roots;
}

} // namespace

FolderListBox::FolderListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(item->data(kFolderRole).toString()); });
}

bool FolderListBox::setPath(const QString& folder) {
    QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    dir.makeAbsolute();
    const QString opened = QDir::cleanPath(dir.absolutePath());

    QStringList chain; // from the root down to the opened folder
    for (QDir up(opened);;) {
        chain.prepend(up.absolutePath());
        if (up.isRoot() || !up.cdUp())
            break;
    }
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto add = [this](const QIcon& icon, const QString& text, const QString& full,
                            int depth) {
        auto* item =
            new QListWidgetItem(icon, QString(qsizetype{depth} * 2, QLatin1Char(' ')) + text, this);
        item->setData(kFolderRole, full);
        return item;
    };

    clear();
    QListWidgetItem* current = nullptr;
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& full = chain.at(depth);
        const QString name = depth == 0 ? QDir::toNativeSeparators(full) : QDir(full).dirName();
        current = add(openIcon, name, full, depth);
    }
    // Folders hidden by a name beginning with a dot are listed after the others;
    // those hidden otherwise (Windows' hidden attribute) stay hidden.
    QFileInfoList subfolders = QDir(opened).entryInfoList(
        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const auto isDotName = [](const QFileInfo& f) { return f.fileName().startsWith(u'.'); };
    subfolders.removeIf([&](const QFileInfo& f) { return f.isHidden() && !isDotName(f); });
    std::stable_partition(subfolders.begin(), subfolders.end(),
                          [&](const QFileInfo& f) { return !isDotName(f); });
    for (const QFileInfo& sub : subfolders)
        add(closedIcon, sub.fileName(), sub.absoluteFilePath(), int(chain.size()));
    setCurrentItem(current);
    path_ = QDir::toNativeSeparators(opened);
    return true;
}

FolderPickerDesign FolderPickerWindow::dirMaps() {
    return {FolderPickerId::DirMaps, QStringLiteral("Half-Life")};
}
FolderPickerDesign FolderPickerWindow::dirMapsTFC() {
    return {FolderPickerId::DirMapsTFC, QStringLiteral("Half-Life")};
}
FolderPickerDesign FolderPickerWindow::configtfc() {
    return {FolderPickerId::Configtfc, QStringLiteral("TFC Karten Ordner")};
}

FolderPickerWindow::FolderPickerWindow(AppContext& context, const FolderPickerDesign& design)
    : SetupDialog(context, design.caption), id_(design.id) {
    setClientSizeTwips(this, 4800, 4380);
    drve = makeControl<QComboBox>(this, "drve", 120, 120, 3120, 315);
    rep = makeControl<FolderListBox>(this, "rep", 120, 540, 3120, 3720);
    Command1 = makeButton(this, "Command1", QStringLiteral("&OK"), 3360, 120, 1320, 375);
    Command1->setDefault(true);
    Command2 = makeButton(this, "Command2", QStringLiteral("&Abrechen"), 3360, 600, 1320, 375);
    setCancelButton(Command2);

    for (const Volume& volume : context_.volumes().mounted())
        drve->addItem(QString::fromStdString(
                          volumeEntry(volume.root.toStdString(), volume.label.toStdString())),
                      volume.root);
    openAt({});

    connect(drve, &QComboBox::currentIndexChanged, this, &FolderPickerWindow::volumeChosen);
    connect(Command1, &QPushButton::clicked, this, &FolderPickerWindow::take);
    connect(Command2, &QPushButton::clicked, this, [this] { context_.windows().unload(this); });
    fitCaptions(this);
}

void FolderPickerWindow::openAt(const QString& openerText) {
    // Only a whole path: a relative text would name a folder of wherever the
    // program happens to run.
    const bool named = QDir::isAbsolutePath(openerText) && rep->setPath(openerText);
    if (!named && !rep->setPath(context_.volumes().startFolder()) && drve->count() > 0)
        rep->setPath(drve->itemData(0).toString());
    showVolumeOfListedFolder();
}

void FolderPickerWindow::volumeChosen(int index) {
    if (index < 0)
        return;
    const QString root = drve->itemData(index).toString();
    if (!context_.volumes().isReady(root)) {
        const PlayerMessage m = volumeNotReadyMessage(id_, root.toStdString());
        context_.message(this,
                         Message{QString::fromStdString(m.text), QString::fromStdString(m.title),
                                 MsgButtons::Ok, MsgIcon::Critical, true});
        showVolumeOfListedFolder();
        return;
    }
    // Always the root, not the folder last used on that volume.
    if (!rep->setPath(root))
        showVolumeOfListedFolder();
}

void FolderPickerWindow::showVolumeOfListedFolder() {
    const std::size_t holding = volumeHolding(rootsOf(drve), rep->path().toStdString());
    const QSignalBlocker quiet(drve);
    drve->setCurrentIndex(holding < std::size_t(drve->count()) ? int(holding) : -1);
}

void FolderPickerWindow::take() {
    // An opener closed meanwhile no longer listens: then nothing is filled.
    if (!rep->path().isEmpty())
        emit folderChosen(QString::fromStdString(pickedFolderText(rep->path().toStdString())));
    context_.windows().unload(this);
}

} // namespace gravelock
