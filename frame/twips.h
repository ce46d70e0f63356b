// The design measures in twips; 15 twips are one pixel at normal screen
// settings. Every conversion between the two lives here.
#pragma once

class QWidget;

namespace gravelock {

constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel, negative positions too, so a control moving
// in steps finer than a pixel moves evenly on both sides of zero.
constexpr int pixelsFromTwips(int value) {
    return value >= 0 ? (value + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-value + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int twipsFromPixels(int value) {
    return value * kTwipsPerPixel;
}

// Places a control at left, top, width, height given in twips.
void placeTwips(QWidget* control, int left, int top, int width, int height);

// Fixes a window's client area to width × height twips.
void setClientSizeTwips(QWidget* window, int width, int height);

} // namespace gravelock
