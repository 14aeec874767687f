#include "uGrid.h"

#include "uBaseWire.h"
#include "uFormats.h"
#include "uSegment.h"

namespace corvadel {

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
