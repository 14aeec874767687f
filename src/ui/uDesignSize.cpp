#include "uDesignSize.h"

#include <QWidget>

namespace corvadel {

QSize DesignSize(const QWidget &window, int width, int height, bool resizeForm)
{
    if (!resizeForm)
        return {width, height};
    const double scale = window.logicalDpiX() / 96.0;
    return {int(width * scale), int(height * scale)};
}

QSize FirstWindowSize(const QSize &available, const QSize &minimum)
{
    const QSize most(1400, 900);
    return (available * 0.8).boundedTo(most).expandedTo(minimum);
}

} // namespace corvadel
