// What every map list shows of its maps: a tooltip on each row, and a context
// menu item that opens the map info window on the selected map.
#pragma once

#include <QString>

class QAction;

namespace gravelock {

class AppContext;
class FileListBox;

// The tooltip of one map file, read afresh.
QString mapToolTipOf(const QString& path);

// Returns the menu item, "&Karteninfo ...", which acts on the selected row.
QAction* showMapInfoOn(FileListBox* list, AppContext& context);

} // namespace gravelock
