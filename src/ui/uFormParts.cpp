#include "uFormParts.h"

#include "uBaseWire.h"
#include "uFormats.h"
#include "uSegment.h"

#include <QBoxLayout>
#include <QLabel>

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

QString GeneralText(double value)
{
    return QString::fromStdString(FloatToStr(value));
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
