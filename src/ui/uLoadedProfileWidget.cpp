#include "uLoadedProfileWidget.h"

#include "uPainterCanvas.h"

#include <QPainter>

namespace corvadel {

TLoadedProfileWidget::TLoadedProfileWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("pbLoadedProfile");
    setMinimumSize(480, 300);
}

void TLoadedProfileWidget::SetScene(std::optional<TLoadedProfileScene> scene)
{
    FScene = std::move(scene);
    update();
}

void TLoadedProfileWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TPainterCanvas canvas(painter, width(), height());
    PaintLoadedProfile(canvas, FScene);
}

} // namespace corvadel
