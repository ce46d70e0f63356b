#pragma once

class QApplication;
class QFont;

namespace gravelock {

// Qt's own texts (standard buttons, file dialog) in German, like the windows.
// Returns whether the translation was found.
bool installGermanQtTexts(QApplication& app);

// The font the windows are laid out for: 8 points, Arial-like where installed.
void useDesignFont();

// Gives `font` the first Arial-like family installed; an unknown system keeps
// its own.
void setDesignFamily(QFont& font);

// The program's icon on every window from now on.
void useProgramIcon();

} // namespace gravelock
