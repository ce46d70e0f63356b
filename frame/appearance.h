// How every window looks whatever the system's settings: the design font and
// the program's icon.
#pragma once

class QFont;

namespace gravelock {

// The font the windows are laid out for: 8 points, Arial-like where installed.
void useDesignFont();

// Gives `font` the first Arial-like family installed; an unknown system keeps
// its own.
void setDesignFamily(QFont& font);

// The program's icon on every window from now on.
void useProgramIcon();

} // namespace gravelock
