// The starting size of a window.
#pragma once

#include <QSize>

class QWidget;

namespace corvadel {

// A window's design size; with "Resize Form" scaled by the screen's logical
// dots per inch over 96, so a larger system font gets a larger window.
QSize DesignSize(const QWidget &window, int width, int height, bool resizeForm);
// The main window's size at its first start: most of the screen's
// `available` area, never more than a comfortable working size nor less
// than `minimum`.
QSize FirstWindowSize(const QSize &available, const QSize &minimum);

} // namespace corvadel
