#include "uSagStudyWidget.h"

#include "uPainterCanvas.h"
#include "uSagStudyChart.h"

#include <QPainter>

namespace corvadel {

TSagStudyWidget::TSagStudyWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("pbSagStudy");
    setMinimumSize(480, 360);
}

void TSagStudyWidget::SetStudy(TSagStudy study, std::string title)
{
    FStudy = std::move(study);
    Title = std::move(title);
    update();
}

void TSagStudyWidget::paintEvent(QPaintEvent *)
{
    if (!FStudy)
        return;
    QPainter painter(this);
    TPainterCanvas canvas(painter, width(), height());
    PaintSagStudy(canvas, *FStudy, Title);
}

} // namespace corvadel
