#include "uFormParts.h"

#include "uBaseWire.h"
#include "uFormats.h"
#include "uSegment.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace corvadel {

void AddLabelledFields(QBoxLayout *row, const std::vector<std::pair<const char *, QWidget *>> &fields)
{
    for (const auto &[caption, field] : fields) {
        auto *label = new QLabel(QLatin1String(caption));
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field);
    }
}

int FieldWidthFor(const QLineEdit &field, const QString &text)
{
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    const QMargins margins = field.textMargins();
    // A line edit keeps two pixels of its own on each side of the text.
    const int contents = field.fontMetrics().horizontalAdvance(text) + 4 + margins.left() + margins.right();
    return field.style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(contents, field.sizeHint().height()), &field)
        .width();
}

void ForgetLayoutSizes(QWidget &root)
{
    for (QWidget *child : root.findChildren<QWidget *>())
        child->updateGeometry();
    for (QLayout *layout : root.findChildren<QLayout *>())
        layout->invalidate();
    if (QLayout *layout = root.layout())
        layout->invalidate();
}

QString GeneralText(double value)
{
    return QString::fromStdString(FloatToStr(value));
}

QStringList SegmentHeaders()
{
    // The total weight of a segment's wires over its length: pounds.
    return {"#", "From", "To", "Length (ft)", "Weight (lbs)"};
}

std::vector<QStringList> SegmentRows(const TBaseWire *span)
{
    std::vector<QStringList> rows;
    if (!span)
        return rows;
    for (const TBaseSegment *segment : span->Segments)
        rows.push_back({QString::number(segment->StartPoint), QString::fromStdString(SegmentPointName(segment->StartPoint)),
                        QString::fromStdString(SegmentPointName(segment->EndPoint)), GeneralText(segment->Length),
                        GeneralText(segment->Weight())});
    return rows;
}

} // namespace corvadel
