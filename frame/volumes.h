// The volumes a folder picker offers: the drives on Windows, the mounted
// volumes elsewhere. Behind an interface so that tests can list their own
// folders and a volume that is not ready.
#pragma once

#include <QList>
#include <QString>

namespace gravelock {

struct Volume {
    QString root;  // the volume's root folder, e.g. "C:/" or "/media/usb"
    QString label; // may be empty
};

class Volumes {
public:
    virtual ~Volumes() = default;
    // The root folder's volume first.
    virtual QList<Volume> mounted() const = 0;
    // Asked when the player picks a volume: a medium may have gone since listing.
    virtual bool isReady(const QString& root) const = 0;
    // Where a picker opens when its opener names no folder: the player's home,
    // where Linux games live; on Windows the root of the current drive.
    virtual QString startFolder() const = 0;
};

class SystemVolumes final : public Volumes {
public:
    QList<Volume> mounted() const override;
    bool isReady(const QString& root) const override;
    QString startFolder() const override;
};

} // namespace gravelock
