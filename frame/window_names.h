// The design names of the program's windows, which are also their objectNames
// and their keys in the window registry.
#pragma once

#include <QString>

namespace gravelock::windowName {

inline const QString splash = QStringLiteral("splash");
inline const QString sp = QStringLiteral("sp");
inline const QString firstuse1 = QStringLiteral("firstuse1");
inline const QString firstuse2 = QStringLiteral("firstuse2");
inline const QString firstuseconfig = QStringLiteral("firstuseconfig");
inline const QString firstusedone = QStringLiteral("firstusedone");
inline const QString config = QStringLiteral("config");
inline const QString DM = QStringLiteral("DM");
inline const QString MapCycle = QStringLiteral("MapCycle");
inline const QString frmAdvanced = QStringLiteral("frmAdvanced");
inline const QString connect = QStringLiteral("connect");
inline const QString frmAbout = QStringLiteral("frmAbout");
inline const QString secret = QStringLiteral("secret");
inline const QString mapinfo = QStringLiteral("mapinfo");

} // namespace gravelock::windowName
