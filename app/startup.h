// What the start finds on this machine for the settings location rule.
#pragma once

#include "core/settings_location.h"

#include <QString>

namespace gravelock {

// The executable's folder, its orvo.ini, the per-user configuration folder and
// the shipped template, for `commandLineFile` (empty when not given).
SettingsSituation findSettingsSituation(const QString& commandLineFile);

} // namespace gravelock
