// Rows that more than one window lists.
#pragma once

#include <QStringList>

#include <vector>

namespace corvadel {

class TBaseWire;

// The general number format.
QString GeneralText(double value);
// A span's segments: start point, from, to, length and weight.
std::vector<QStringList> SegmentRows(const TBaseWire *span);

} // namespace corvadel
