// Where a caption is wider than its design box with this platform's font, the
// font of that control is made smaller (and labels wrap), so no text is clipped.
#pragma once

#include <QStringList>

class QWidget;

namespace gravelock {

void fitCaptions(QWidget* window);

// Names of the controls in `window` whose caption does not fit their box.
QStringList clippedCaptions(QWidget* window);

} // namespace gravelock
