#include "frame/screen_fit.h"

#include "frame/caption_fit.h"

#include <QAbstractItemView>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace gravelock {
namespace {

// Title bar and borders of a usual desktop, before the window is shown and its
// real frame is known.
constexpr int kFrameAllowance = 40;

int scaled(int value, double factor) {
    return static_cast<int>(std::lround(value * factor));
}

void shrink(QWidget* window, double factor) {
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->testAttribute(Qt::WA_SetFont)) {
            QFont font = child->font();
            font.setPointSizeF(font.pointSizeF() * factor);
            child->setFont(font);
        }
        if (child->minimumSize() == child->maximumSize())
            child->setFixedSize(scaled(child->width(), factor), scaled(child->height(), factor));
        child->setGeometry(scaled(child->x(), factor), scaled(child->y(), factor),
                           scaled(child->width(), factor), scaled(child->height(), factor));
    }
    QFont font = window->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    window->setFont(font);
    if (window->minimumSize() == window->maximumSize())
        window->setFixedSize(scaled(window->width(), factor), scaled(window->height(), factor));
    fitCaptions(window);
}

void keepListEdges(QWidget* window, double ratio) {
    if (ratio == std::floor(ratio))
        return;
    if (QLayout* layout = window->layout())
        layout->activate();
    const auto lists = window->findChildren<QAbstractItemView*>();
    for (QAbstractItemView* list : lists) {
        const QPoint end = list->mapTo(window, QPoint(list->width(), list->height()));
        list->resize(list->width() - pixelLineInset(end.x(), ratio),
                     list->height() - pixelLineInset(end.y(), ratio));
    }
}

} // namespace

int pixelLineInset(int edge, double ratio) {
    if (ratio == std::floor(ratio))
        return 0;
    for (int in = 0; in < 4; ++in) {
        const double device = (edge - in - 1) * ratio;
        if (device - std::floor(device) < 0.5)
            return in;
    }
    return 0;
}

double shrinkToFit(int width, int height, int frame, int areaWidth, int areaHeight) {
    if (width <= 0 || height <= 0)
        return 1.0;
    const double across = static_cast<double>(areaWidth - frame) / width;
    const double down = static_cast<double>(areaHeight - frame) / height;
    return std::clamp(std::min(across, down), 0.1, 1.0);
}

void fitToScreen(QWidget* window, const QScreen* screen) {
    if (!screen || window->minimumSize() != window->maximumSize())
        return;
    const QRect area = screen->availableGeometry();
    const double factor = shrinkToFit(window->width(), window->height(), kFrameAllowance,
                                      area.width(), area.height());
    if (factor < 1.0)
        shrink(window, factor);
    keepListEdges(window, screen->devicePixelRatio());
}

} // namespace gravelock
