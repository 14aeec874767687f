#include "uDrawingArea.h"

#include "uGlobalSettings.h"
#include "uGraphics.h"
#include "uQtCanvas.h"
#include "uWires.h"

#include <QPainter>

#include <cmath>

namespace corvadel {

TDrawingArea::TDrawingArea(const TGlobalSetting &settings, QWidget *parent)
    : QWidget(parent)
    , Settings(settings)
{
    setObjectName(QStringLiteral("imgSpanWire"));
    setMinimumSize(200, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TDrawingArea::Show(int sequence, int mode, int span)
{
    Sequence = sequence;
    Mode = mode;
    Span = span;
    update();
}

void TDrawingArea::SetStartPicture(const QImage &picture)
{
    StartPicture = picture;
    update();
}

void TDrawingArea::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    TQtCanvas canvas(std::max(1, int(std::lround(width() * ratio))), std::max(1, int(std::lround(height() * ratio))));
    TGraphics graphics(Settings, canvas);
    graphics.Project = Project;
    graphics.SmallestFontSize = TGraphics::ScreenFontSize * ratio;
    graphics.ClearImage();
    if (Project && Project->FindByNumber(Sequence)) {
        if (Mode < 0)
            graphics.DrawSpanProfile(Sequence, Span);
        else
            graphics.DrawSequence(Mode, Sequence, 0);
    }
    const bool drawn = Project && Project->FindByNumber(Sequence);
    QImage picture = canvas.Picture();
    picture.setDevicePixelRatio(ratio);
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
    if (!drawn && !StartPicture.isNull()) {
        const QSize size = StartPicture.size().scaled(this->size(), Qt::KeepAspectRatio).boundedTo(StartPicture.size());
        painter.drawImage(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size), StartPicture);
    }
}

} // namespace corvadel
