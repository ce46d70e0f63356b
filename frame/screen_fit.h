// Fixed-size windows on large scale factors and small screens: the design's
// proportions are kept, but no window may reach past the screen's available
// area, and no list box may lose an edge to the pixel grid.
#pragma once

class QScreen;
class QWidget;

namespace gravelock {

// The factor (at most 1) that makes a window of `width` × `height` logical
// pixels, with `frame` pixels of title bar and border, fit into the area.
double shrinkToFit(int width, int height, int frame, int areaWidth, int areaHeight);

// How many logical pixels an edge at logical `edge` (its window's coordinates)
// must move in so that its last pixel line covers a device pixel of its own at
// `ratio` device pixels per logical one: a list's frame line that falls
// halfway between two device pixels is painted over by the list's contents.
int pixelLineInset(int edge, double ratio);

// Shrinks the window, its controls and their fonts by the factor that makes it
// fit the screen's available area, then moves the lower and right edges of its
// list boxes onto whole device pixels. Runs once, before the window is first shown.
void fitToScreen(QWidget* window, const QScreen* screen);

} // namespace gravelock
