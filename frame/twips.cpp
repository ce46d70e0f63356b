#include "frame/twips.h"

#include <QWidget>

namespace gravelock {

void placeTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width),
                         pixelsFromTwips(height));
}

void setClientSizeTwips(QWidget* window, int width, int height) {
    window->setFixedSize(pixelsFromTwips(width), pixelsFromTwips(height));
}

} // namespace gravelock
