// A file list filtered by a pattern (matched without regard to case), sorted by
// name. A folder that does not exist gives an empty list.
#pragma once

#include <QListWidget>
#include <QString>

namespace gravelock {

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    // Lists the folder at once, so the list is complete when this returns.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The selected file's name with extension, without folder; empty when none.
    QString selectedFileName() const;

private:
    void refresh();

    QString pattern_ = QStringLiteral("*.*");
    QString folder_;
};

} // namespace gravelock
