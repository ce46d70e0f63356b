#include "frame/caption_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <optional>

namespace gravelock {

namespace {

QString visibleText(QString text) {
    // "&&" shows one ampersand; a single "&" marks the shortcut and is not drawn.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

int widestLine(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : visibleText(text).split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

bool isIndicatorButton(QWidget* control) {
    return qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control);
}

// The width a control needs to show its caption, and the width it has.
struct Fit {
    int needed = 0;
    int available = 0;
    bool fits() const { return needed <= available; }
};

std::optional<Fit> captionFit(QWidget* control) {
    const QFontMetrics metrics(control->font());
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        if (button->text().isEmpty())
            return std::nullopt;
        const int lines = static_cast<int>(button->text().count(QLatin1Char('\n'))) + 1;
        if (lines * metrics.lineSpacing() > button->height())
            return Fit{1, 0}; // more lines than the box is tall
        int extra = 8;        // the frame of a push button
        if (isIndicatorButton(button))
            extra = button->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                    button->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 2;
        return Fit{widestLine(metrics, button->text()) + extra, button->width()};
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        if (group->title().isEmpty())
            return std::nullopt;
        return Fit{widestLine(metrics, group->title()) + 12, group->width()};
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return std::nullopt;
        if (label->wordWrap())
            return Fit{label->heightForWidth(label->width()), label->height()};
        return Fit{widestLine(metrics, label->text()), label->width()};
    }
    return std::nullopt;
}

// A check box or option button whose box is tall enough for two lines takes
// its caption on two, broken at the last space that lets both lines fit, so
// the design font keeps its size.
bool wrapButton(QAbstractButton* button) {
    if (!isIndicatorButton(button) || button->text().contains(QLatin1Char('\n')))
        return false;
    const QFontMetrics metrics(button->font());
    if (2 * metrics.lineSpacing() > button->height())
        return false;
    const QString text = button->text();
    for (qsizetype space = text.lastIndexOf(QLatin1Char(' ')); space > 0;
         space = text.lastIndexOf(QLatin1Char(' '), space - 1)) {
        QString wrapped = text;
        wrapped[space] = QLatin1Char('\n');
        button->setText(wrapped);
        if (captionFit(button)->fits())
            return true;
    }
    button->setText(text);
    return false;
}

bool wrapLabel(QLabel* label) {
    if (label->wordWrap())
        return false;
    label->setWordWrap(true);
    if (captionFit(label)->fits())
        return true;
    label->setWordWrap(false);
    return false;
}

// Widens the control to the right into space of its frame that no other
// control takes.
bool widenIntoFreeSpace(QWidget* control, int needed) {
    QWidget* frame = control->parentWidget();
    if (!frame || qobject_cast<QLabel*>(control))
        return false;
    const int margin = control->x() > 0 ? std::min(control->x(), 8) : 0;
    QRect wanted = control->geometry();
    wanted.setWidth(std::min(needed, frame->width() - margin - control->x()));
    if (wanted.width() <= control->width())
        return false;
    for (QWidget* other : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // Hidden controls count too: they keep their place for when they show.
        if (other != control && other->geometry().intersects(wanted) && other->x() > control->x())
            wanted.setRight(std::min(wanted.right(), other->x() - 2));
    }
    if (wanted.width() < needed)
        return false;
    control->setGeometry(wanted);
    return true;
}

// The last resort: a smaller font, down a little below the design's 8 points.
// Returns the size the caption fits at.
qreal shrinkToFit(QWidget* control) {
    QFont font = control->font();
    auto fit = captionFit(control);
    while (fit && !fit->fits() && font.pointSizeF() > 6.5) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        control->setFont(font);
        fit = captionFit(control);
    }
    if (fit && !fit->fits()) {
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setWordWrap(true);
    }
    return font.pointSizeF();
}

bool hasCaption(QWidget* control) {
    return captionFit(control).has_value() && !qobject_cast<QGroupBox*>(control);
}

} // namespace

void fitCaptions(QWidget* window) {
    QHash<QWidget*, qreal> frameSizes; // the smallest size each frame needed
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        auto fit = captionFit(control);
        if (!fit || fit->fits())
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(control); button && wrapButton(button))
            continue;
        if (auto* label = qobject_cast<QLabel*>(control); label && wrapLabel(label))
            continue;
        if (widenIntoFreeSpace(control, fit->needed))
            continue;
        const qreal size = shrinkToFit(control);
        QWidget* frame = control->parentWidget();
        frameSizes[frame] = std::min(frameSizes.value(frame, size), size);
    }
    // Neighbours in one frame share the size the tightest of them needed.
    for (auto it = frameSizes.cbegin(); it != frameSizes.cend(); ++it) {
        for (QWidget* neighbour : it.key()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!hasCaption(neighbour) || neighbour->font().pointSizeF() <= it.value())
                continue;
            QFont font = neighbour->font();
            font.setPointSizeF(it.value());
            neighbour->setFont(font);
        }
    }
}

QStringList clippedCaptions(QWidget* window) {
    QStringList clipped;
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const auto fit = captionFit(control);
        if (fit && !fit->fits())
            clipped << control->objectName();
    }
    return clipped;
}

} // namespace gravelock
