// Where a caption is wider than its design box with this platform's font, so
// no text is clipped: the caption takes a second line where the box is tall
// enough, else the box widens into free space of its frame, and only then the
// font gets smaller, for every caption of that frame alike.
#pragma once

#include <QStringList>

class QWidget;

namespace gravelock {

void fitCaptions(QWidget* window);

// Names of the controls in `window` whose caption does not fit their box.
QStringList clippedCaptions(QWidget* window);

} // namespace gravelock
