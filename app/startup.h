// What the start finds on this machine for the settings location rule.
#pragma once

#include "core/settings_location.h"

#include <QByteArray>
#include <QString>

namespace gravelock {

// The executable's folder, its orvo.ini, the per-user configuration folder and
// the shipped template, for `commandLineFile` (empty when not given).
SettingsSituation findSettingsSituation(const QString& commandLineFile);

// Qt formats the file dialog's dates and sizes with the system locale, which
// QLocale::setDefault does not reach and which Qt reads once, while the
// application object is built. Made before that object, this makes that reading
// German; restore() afterwards hands the player's own locale back to the C
// library and to the game the player starts.
class GermanSystemLocale {
public:
    GermanSystemLocale();
    void restore();

private:
    bool wasSet_;
    QByteArray previous_;
};

} // namespace gravelock
