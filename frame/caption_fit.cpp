#include "frame/caption_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>

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

// The width a control needs to show its caption on one line, and the width it has.
struct Fit {
    int needed = 0;
    int available = 0;
};

std::optional<Fit> captionFit(QWidget* control) {
    const QFontMetrics metrics(control->font());
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        if (button->text().isEmpty())
            return std::nullopt;
        const int text = metrics.horizontalAdvance(visibleText(button->text()));
        int extra = 0;
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            extra = button->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                    button->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 2;
        } else {
            extra = 8; // the frame of a push button
        }
        return Fit{text + extra, button->width()};
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        if (group->title().isEmpty())
            return std::nullopt;
        return Fit{metrics.horizontalAdvance(visibleText(group->title())) + 12, group->width()};
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->text().isEmpty() || label->wordWrap() || !label->pixmap().isNull())
            return std::nullopt;
        return Fit{metrics.horizontalAdvance(visibleText(label->text())), label->width()};
    }
    return std::nullopt;
}

bool wrappedLabelFits(QLabel* label) {
    return label->heightForWidth(label->width()) <= label->height();
}

} // namespace

void fitCaptions(QWidget* window) {
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        auto fit = captionFit(control);
        if (!fit || fit->needed <= fit->available)
            continue;
        QFont font = control->font();
        // Down to the design's 8 points first, then a little below it.
        while (fit && fit->needed > fit->available && font.pointSizeF() > 6.5) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
            control->setFont(font);
            fit = captionFit(control);
        }
        if (fit && fit->needed > fit->available) {
            if (auto* label = qobject_cast<QLabel*>(control))
                label->setWordWrap(true);
        }
    }
}

QStringList clippedCaptions(QWidget* window) {
    QStringList clipped;
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap()) {
            if (!label->text().isEmpty() && !wrappedLabelFits(label))
                clipped << label->objectName();
            continue;
        }
        const auto fit = captionFit(control);
        if (fit && fit->needed > fit->available)
            clipped << control->objectName();
    }
    return clipped;
}

} // namespace gravelock
