#include "SagStudyQR.h"

#include "uDrawMath.h"
#include "uPageComposer.h"
#include "uSagStudyChart.h"
#include "uWires.h"

#include <memory>

namespace corvadel {

void TqrSagStudyForm::AddPage(TPageSink &sink, const TWireConfigurationList &project, int number)
{
    const TWireConfiguration *sequence = project.FindByNumber(number);
    if (!sequence)
        return;
    const auto study = std::make_shared<const TSagStudy>(
        TSagStudyRun::Compute(*sequence, project.Catalogue(), project.Parameters()));
    const std::string title = "Sequence " + sequence->DisplayName() + ": SAG Study";
    TPageComposer page(sink, Title, true);
    const QRectF body = PageGeometry::Body(true);
    const QRectF box(body.left(), page.Y, body.width(), body.bottom() - page.Y);
    page.Picture({box, {RoundHalfEven(box.width()), RoundHalfEven(box.height())},
                  [study, title](TCanvas &canvas) { PaintSagStudy(canvas, *study, title); }, box});
    page.Frame(box);
    page.Skip(box.height());
    page.Close();
}

} // namespace corvadel
