// Pieces more than one window builds its form from: rows of labelled
// fields, and rows that more than one grid lists.
#pragma once

#include <QStringList>

#include <utility>
#include <vector>

class QBoxLayout;
class QLineEdit;
class QWidget;

namespace corvadel {

class TBaseWire;

// Each field after its caption, the caption its buddy.
void AddLabelledFields(QBoxLayout *row, const std::vector<std::pair<const char *, QWidget *>> &fields);
// The width at which a field shows `text` whole, frame and margins included.
int FieldWidthFor(const QLineEdit &field, const QString &text);
// Layouts learn of widgets shown or hidden only when they are next
// activated, later; this has every layout under `root` forget the sizes it
// holds, so that a size hint asked for at once is true.
void ForgetLayoutSizes(QWidget &root);
// The general number format.
QString GeneralText(double value);
// The headers of a span's segment grid, and its rows: start point, from,
// to, length and total weight.
QStringList SegmentHeaders();
std::vector<QStringList> SegmentRows(const TBaseWire *span);

} // namespace corvadel
