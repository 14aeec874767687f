// Where the labels of a drawing go: each as near the place its table gives
// it as it can be without covering another label, a line or a disc, and
// inside the picture.
#pragma once

#include "uCanvas.h"

#include <memory>
#include <optional>
#include <vector>

namespace corvadel {

// A box on the picture; Right and Bottom lie just outside it.
struct TBox {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    static TBox At(TPoint topLeft, TSize size) { return {topLeft.X, topLeft.Y, topLeft.X + size.Width, topLeft.Y + size.Height}; }
    bool Overlaps(const TBox &other) const;
    // Whether the segment a-b passes through the box.
    bool Crosses(TPoint a, TPoint b) const;
};

class TLabelPlacer
{
public:
    // Candidate places are tried `step` pixels apart out to `reach`, then,
    // when `farStep` is not 0, that far apart anywhere on the picture. A
    // label keeps `gap` pixels from what it must not cover.
    TLabelPlacer(TSize picture, int step, int reach, int farStep = 0, int gap = 1);

    // `owner` 0 is a line no label may cover; a label of the same owner may
    // (an elevation bracket's letter sits on its own bracket).
    void AddLine(TPoint a, TPoint b, int owner = 0);
    void AddPolyline(const std::vector<TPoint> &points, int owner = 0);
    void AddBox(const TBox &box);

    // The top-left corner for a label of `size` nearest `preferred` that is
    // free; the label is an obstacle from then on. Where no place within
    // reach is free, the preferred one, kept inside the picture.
    TPoint Place(TPoint preferred, TSize size, int owner = 0);
    // The same, or nothing (and no obstacle) when no place is free.
    std::optional<TPoint> TryPlace(TPoint preferred, TSize size, int owner = 0);

private:
    struct TLine {
        TPoint A;
        TPoint B;
        int Owner;
    };

    TBox Picture;
    int Gap;
    int Reach;
    int FarStep;
    std::shared_ptr<const std::vector<TPoint>> Near; // offsets to try, nearest first
    std::shared_ptr<const std::vector<TPoint>> Far;
    std::vector<TLine> Lines;
    std::vector<TBox> Boxes;

    bool Free(const TBox &box, int owner) const;
    std::optional<TPoint> FirstFree(const std::vector<TPoint> &offsets, TPoint preferred, TSize size, int owner);
};

} // namespace corvadel
