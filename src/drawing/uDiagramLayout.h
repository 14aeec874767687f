// Where the poles, rings and angle lines of each configuration type lie on
// the picture, and the table of what each type's diagram is made of.
#pragma once

#include "uCanvas.h"

#include <array>
#include <vector>

namespace corvadel {

class TWireConfiguration;

// The lengths (feet) and angles (radians) a diagram is placed with, by span
// number 1..8.
struct TDiagramShape {
    std::array<double, 9> L{};
    std::array<double, 9> A{};
    // The type's fixed shape: placed exactly as drawn on paper even where
    // that differs from the entered plan's conventions.
    bool Standard = false;
};

struct TDiagramPoints {
    std::array<TPoint, 6> Poles{};     // 1..5
    std::array<TPoint, 4> Rings{};     // nodes 100..103
    std::array<TPoint, 9> AngleEnds{}; // far end of the reference line of angle k

    // Nodes outside 1..5 and 100..103 read as the origin.
    TPoint Node(int node) const;
    TPoint &Node(int node);
};

// One coordinate of a label's anchor.
enum class TAnchorBase {
    Mid,      // of the span's two ends, (a + b) div 2
    Node,     // of node `Node`
    AngleEnd, // of the item's angle reference line
    HalfSum,  // (a + b + offset) div 2 over the span's ends
};

struct TAnchor {
    TAnchorBase Base = TAnchorBase::Mid;
    int Offset = 0;
    int Node = 0;
};

enum class TItemKind { Span, Angle };

// A row of a type's table: a span (wire, length label, arrow) or an angle
// (reference line, angle label), drawn in table order.
struct TDiagramItem {
    TItemKind Kind = TItemKind::Span;
    int Number = 0;
    int EndA = 0; // span: the wire's ends; angle: where its line starts (0 = no line)
    int EndB = 0;
    int ArrowOffset = 0;
    TAnchor X;
    TAnchor Y;
    int Align = 0; // 0 left edge, 1 centre, 2 right edge at the anchor
};

struct TBracketItem {
    const char *Name = "";
    int From = 0;
    int To = 0;
    bool Horizontal = true;
    int Dx = 0;
    int Dy = 0;
};

using TPlacer = void (*)(const TDiagramShape &shape, TPoint origin, double scale, TSize image, TDiagramPoints &points);

struct TDiagramTable {
    int Type = 0;
    TPlacer Place = nullptr;
    bool Fitted = true; // scaled into the picture (all but Simple)
    std::vector<double> StandardLengths; // L1.. in feet
    std::vector<double> StandardAngles;  // A1.. in degrees
    std::vector<TDiagramItem> Items;
    std::vector<TBracketItem> Brackets;
};

// nullptr for a type outside 1 to 6.
const TDiagramTable *DiagramTable(int type);

// The lengths and angles to draw: the entered ones, or the standard shape.
TDiagramShape DiagramShape(const TDiagramTable &table, const TWireConfiguration &sequence, bool entered);

// Places a type's points, fitted into a picture of the given size.
class TDiagramLayout
{
public:
    TDiagramLayout(const TDiagramTable &table, const TDiagramShape &shape, TSize image);

    const TDiagramPoints &Points() const { return Placed; }
    double Scale() const { return FitScale; }
    TPoint Origin() const { return FitOrigin; }

    // The label anchor of an item, its offsets times `offsetScale`.
    TPoint Anchor(const TDiagramItem &item, double offsetScale = 1) const;

private:
    TDiagramPoints Placed;
    double FitScale = 1;
    TPoint FitOrigin{};
};

} // namespace corvadel
