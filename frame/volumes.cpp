#include "frame/volumes.h"

#include "core/platform.h"

#include <QDir>
#include <QStorageInfo>
#include <algorithm>

namespace gravelock {

QList<Volume> SystemVolumes::mounted() const {
    const QString rootFolder = QStorageInfo::root().rootPath();
    QList<Volume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid())
            continue;
        const Volume volume{storage.rootPath(), storage.name()};
        const bool known = std::any_of(volumes.cbegin(), volumes.cend(),
                                       [&](const Volume& v) { return v.root == volume.root; });
        if (!known)
            volumes.append(volume);
    }
    std::stable_sort(volumes.begin(), volumes.end(), [&](const Volume& a, const Volume& b) {
        if ((a.root == rootFolder) != (b.root == rootFolder))
            return a.root == rootFolder;
        return a.root.compare(b.root, Qt::CaseInsensitive) < 0;
    });
    return volumes;
}

bool SystemVolumes::isReady(const QString& root) const {
    const QStorageInfo storage(root);
    return storage.isValid() && storage.isReady() && QDir(root).exists();
}

QString SystemVolumes::startFolder() const {
    if (hostPlatform() == Platform::Windows)
        return QStorageInfo(QDir::currentPath()).rootPath();
    return QDir::homePath();
}

} // namespace gravelock
