#include "frame/file_list_box.h"

#include <QDir>

namespace gravelock {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileListBox::setPattern(const QString& pattern) {
    pattern_ = pattern;
    refresh();
}

void FileListBox::setFolder(const QString& folder) {
    folder_ = folder;
    refresh();
}

QString FileListBox::selectedFileName() const {
    const auto items = selectedItems();
    return items.isEmpty() ? QString() : items.constFirst()->text();
}

void FileListBox::refresh() {
    clear();
    if (folder_.isEmpty())
        return;
    const QDir dir(folder_);
    if (!dir.exists())
        return;
    QStringList files = dir.entryList({pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(files);
}

} // namespace gravelock
