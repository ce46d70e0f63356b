#include "frame/file_list_box.h"

#include "core/file_names.h"

#include <QDirIterator>
#include <QStringListModel>

#include <algorithm>

namespace gravelock {

namespace {

std::u16string_view units(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

} // namespace

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

FileListBox::FileListBox(QWidget* parent) : QListView(parent), names_(new QStringListModel(this)) {
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

void FileListBox::refresh() {
    names_->setStringList(listFileNames(folder_, pattern_));
}

} // namespace gravelock
