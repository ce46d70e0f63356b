#include "frame/controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace gravelock {
namespace {

template <class Control>
Control* makeCaptioned(QWidget* parent, const char* name, const QString& caption, int left, int top,
                       int width, int height) {
    auto* control = makeControl<Control>(parent, name, left, top, width, height);
    control->setText(caption);
    return control;
}

} // namespace

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                  int width, int height) {
    auto* label = makeControl<QLabel>(parent, name, left, top, width, height);
    label->setTextFormat(Qt::PlainText);
    label->setText(caption);
    return label;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height) {
    return makeCaptioned<QCheckBox>(parent, name, caption, left, top, width, height);
}

QRadioButton* makeOptionButton(QWidget* parent, const char* name, const QString& caption, int left,
                               int top, int width, int height) {
    return makeCaptioned<QRadioButton>(parent, name, caption, left, top, width, height);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height) {
    return makeCaptioned<QPushButton>(parent, name, caption, left, top, width, height);
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height) {
    auto* frame = makeControl<QGroupBox>(parent, name, left, top, width, height);
    frame->setTitle(caption);
    return frame;
}

void setTextBoxEnabled(QLineEdit* box, bool enabled) {
    box->setEnabled(enabled);
    QPalette palette = box->palette();
    const QColor colour =
        box->style()->standardPalette().color(enabled ? QPalette::Base : QPalette::Button);
    palette.setColor(QPalette::Active, QPalette::Base, colour);
    palette.setColor(QPalette::Inactive, QPalette::Base, colour);
    palette.setColor(QPalette::Disabled, QPalette::Base, colour);
    box->setPalette(palette);
}

} // namespace gravelock
