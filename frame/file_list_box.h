// A file list filtered by a pattern (matched without regard to case), sorted by
// name. A folder that does not exist gives an empty list. Built for folders of
// many thousands of files: one string per file and rows of one height.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QListView>
#include <QString>
#include <QStringList>

#include <functional>

class QStringListModel;

namespace gravelock {

class FileListBox : public QListView {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    // Lists the folder at once, so the list is complete when this returns.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }

    // Shows `names` as the files of `folder` without listing the folder: for a
    // list of files kept elsewhere, such as a map cycle. The next setFolder or
    // setPattern lists the folder again.
    void showFileNames(const QString& folder, const QStringList& names);

    // The names shown, top to bottom.
    QStringList fileNames() const;
    // Selects the file as a click on it would; false when it is not listed.
    bool selectFileName(const QString& name);
    // The selected file's name with extension, without folder; empty when none.
    QString selectedFileName() const;
    // The listed file's path in the folder.
    QString filePath(const QString& name) const;

    // Gives every row a tooltip from `source` (called with the file's path),
    // asked only when a tooltip is shown and kept until the file changes or
    // the folder is listed again.
    void setToolTipSource(std::function<QString(const QString& path)> source);
    // A row's tooltip as shown; empty without a source.
    QString toolTipOf(const QString& name) const;

private:
    class Names;
    void refresh();

    struct Tip {
        QDateTime modified;
        qint64 size = -1;
        QString text;
    };

    Names* names_ = nullptr;
    std::function<QString(const QString&)> tipSource_;
    mutable QHash<QString, Tip> tips_;
    QString pattern_ = QStringLiteral("*.*");
    QString folder_;
};

// The names of the files in `folder` matching `pattern`, in list order. Shared
// with the benchmark so it measures what the lists do.
QStringList listFileNames(const QString& folder, const QString& pattern);

} // namespace gravelock
