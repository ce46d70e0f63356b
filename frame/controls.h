// The control makers every window uses: each control gets its design name as
// objectName and its place in twips, always in the order name, caption,
// position.
#pragma once

#include "frame/twips.h"

#include <QString>
#include <string_view>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace gravelock {

// Qt text from the rules' UTF-8 strings.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <class Control>
Control* makeControl(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    placeTwips(control, left, top, width, height);
    return control;
}

// Plain text: a caption that comes from the player (a clan name such as "<b>")
// must never turn into markup.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                  int width, int height);
QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height);
QRadioButton* makeOptionButton(QWidget* parent, const char* name, const QString& caption, int left,
                               int top, int width, int height);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height);
QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height);

template <class Control> Control* withTip(Control* control, const QString& tip) {
    control->setToolTip(tip);
    return control;
}

// An enabled text box has the window background colour, a disabled one the
// grey of a scroll bar.
void setTextBoxEnabled(QLineEdit* box, bool enabled);

} // namespace gravelock
