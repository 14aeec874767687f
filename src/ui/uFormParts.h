// Pieces more than one window builds its form from: rows of labelled
// fields, and rows that more than one grid lists.
#pragma once

#include <QStringList>

#include <utility>
#include <vector>

class QBoxLayout;
class QWidget;

namespace corvadel {

class TBaseWire;

// Each field after its caption, the caption its buddy.
void AddLabelledFields(QBoxLayout *row, const std::vector<std::pair<const char *, QWidget *>> &fields);
// The general number format.
QString GeneralText(double value);
// A span's segments: start point, from, to, length and weight.
std::vector<QStringList> SegmentRows(const TBaseWire *span);

} // namespace corvadel
