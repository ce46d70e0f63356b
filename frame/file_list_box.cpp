#include "frame/file_list_box.h"

#include "core/file_names.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QStringListModel>
#include <QTextDocument>

#include <algorithm>

namespace gravelock {

namespace {

std::u16string_view units(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

} // namespace

// The names, and each row's tooltip when the view asks for one.
class FileListBox::Names : public QStringListModel {
public:
    explicit Names(FileListBox* list) : QStringListModel(list), list_(list) {}
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::ToolTipRole)
            return list_->toolTipOf(QStringListModel::data(index, Qt::DisplayRole).toString());
        return QStringListModel::data(index, role);
    }

private:
    FileListBox* list_;
};

QStringList listFileNames(const QString& folder, const QString& pattern) {
    QStringList names;
    if (folder.isEmpty())
        return names;
    // Only names are wanted: the iterator reads the folder without collecting
    // file details, which costs more than the names themselves.
    QDirIterator it(folder, QDir::Files);
    const auto wanted = units(pattern);
    while (it.hasNext()) {
        it.next();
        QString name = it.fileName();
        if (matchesFilePattern(units(name), wanted))
            names.append(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return fileNameBefore(units(a), units(b));
    });
    return names;
}

FileListBox::FileListBox(QWidget* parent) : QListView(parent), names_(new Names(this)) {
    setModel(names_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is one line of the same font: measuring each row's text is what
    // makes a long list slow.
    setUniformItemSizes(true);
}

void FileListBox::setPattern(const QString& pattern) {
    pattern_ = pattern;
    refresh();
}

void FileListBox::setFolder(const QString& folder) {
    folder_ = folder;
    refresh();
}

void FileListBox::showFileNames(const QString& folder, const QStringList& names) {
    if (folder != folder_)
        tips_.clear();
    folder_ = folder;
    names_->setStringList(names);
}

QStringList FileListBox::fileNames() const {
    return names_->stringList();
}

bool FileListBox::selectFileName(const QString& name) {
    const int row = static_cast<int>(names_->stringList().indexOf(name));
    if (row < 0)
        return false;
    setCurrentIndex(names_->index(row));
    return true;
}

QString FileListBox::selectedFileName() const {
    const auto rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.constFirst().data().toString();
}

QString FileListBox::filePath(const QString& name) const {
    return QDir(folder_).filePath(name);
}

void FileListBox::setToolTipSource(std::function<QString(const QString& path)> source) {
    tipSource_ = std::move(source);
    tips_.clear();
}

QString FileListBox::toolTipOf(const QString& name) const {
    if (!tipSource_ || name.isEmpty())
        return {};
    const QString path = filePath(name);
    const QFileInfo file(path);
    const QDateTime modified = file.lastModified();
    const qint64 size = file.size();
    auto cached = tips_.constFind(name);
    if (cached != tips_.constEnd() && cached->modified == modified && cached->size == size)
        return cached->text;
    QString text = tipSource_(path);
    // A map's title such as "<b>" must show as typed, not as markup.
    if (Qt::mightBeRichText(text))
        text = Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
    tips_.insert(name, {modified, size, text});
    return text;
}

void FileListBox::refresh() {
    // A new listing may find texture files that were missing before.
    tips_.clear();
    names_->setStringList(listFileNames(folder_, pattern_));
}

} // namespace gravelock
