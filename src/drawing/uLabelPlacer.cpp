#include "uLabelPlacer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>

namespace corvadel {

namespace {

TBox Grown(const TBox &box, int by)
{
    return {box.Left - by, box.Top - by, box.Right + by, box.Bottom + by};
}

} // namespace

bool TBox::Overlaps(const TBox &other) const
{
    return Left < other.Right && other.Left < Right && Top < other.Bottom && other.Top < Bottom;
}

bool TBox::Crosses(TPoint a, TPoint b) const
{
    // The segment clipped to the box's pixels (Liang-Barsky): it crosses when
    // some part of it is left.
    const double left = Left, right = Right - 1, top = Top, bottom = Bottom - 1;
    if (right < left || bottom < top)
        return false;
    const double dx = b.X - a.X;
    const double dy = b.Y - a.Y;
    double from = 0, to = 1;
    const auto clip = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double t = q / p;
        if (p < 0)
            from = std::max(from, t);
        else
            to = std::min(to, t);
        return from <= to;
    };
    return clip(-dx, a.X - left) && clip(dx, right - a.X) && clip(-dy, a.Y - top) && clip(dy, bottom - a.Y);
}

namespace {

// Offsets `pitch` apart with a length above `from` (0: from the centre) and
// up to `to`, nearest first; of equal length, upward and leftward first.
std::vector<TPoint> MakeRing(int from, int to, int pitch)
{
    std::vector<TPoint> offsets;
    const int64_t inner = int64_t(from) * from, outer = int64_t(to) * to;
    for (int dy = -to / pitch * pitch; dy <= to; dy += pitch)
        for (int dx = -to / pitch * pitch; dx <= to; dx += pitch) {
            const int64_t length = int64_t(dx) * dx + int64_t(dy) * dy;
            if (length <= outer && (from == 0 || length > inner))
                offsets.push_back({dx, dy});
        }
    std::stable_sort(offsets.begin(), offsets.end(), [](TPoint a, TPoint b) {
        return int64_t(a.X) * a.X + int64_t(a.Y) * a.Y < int64_t(b.X) * b.X + int64_t(b.Y) * b.Y;
    });
    return offsets;
}

// The same rings come back for every page and every repaint: the last few
// are kept.
std::shared_ptr<const std::vector<TPoint>> Ring(int from, int to, int pitch)
{
    struct TMade {
        int From, To, Pitch;
        std::shared_ptr<const std::vector<TPoint>> Offsets;
    };
    static std::deque<TMade> made;
    for (const TMade &ring : made)
        if (ring.From == from && ring.To == to && ring.Pitch == pitch)
            return ring.Offsets;
    constexpr size_t Kept = 8;
    if (made.size() == Kept)
        made.pop_front();
    made.push_back({from, to, pitch, std::make_shared<const std::vector<TPoint>>(MakeRing(from, to, pitch))});
    return made.back().Offsets;
}

} // namespace

TLabelPlacer::TLabelPlacer(TSize picture, int step, int reach, int farStep, int gap)
    : Picture {0, 0, picture.Width, picture.Height}, Gap(gap), Reach(reach), FarStep(farStep),
      Near(Ring(0, reach, std::max(step, 1)))
{
}

void TLabelPlacer::AddLine(TPoint a, TPoint b, int owner)
{
    Lines.push_back({a, b, owner});
}

void TLabelPlacer::AddPolyline(const std::vector<TPoint> &points, int owner)
{
    for (size_t i = 1; i < points.size(); ++i)
        AddLine(points[i - 1], points[i], owner);
}

void TLabelPlacer::AddBox(const TBox &box)
{
    Boxes.push_back(box);
}

bool TLabelPlacer::Free(const TBox &box, int owner) const
{
    if (box.Left < Picture.Left || box.Top < Picture.Top || box.Right > Picture.Right || box.Bottom > Picture.Bottom)
        return false;
    const TBox kept = Grown(box, Gap);
    for (const TBox &other : Boxes)
        if (kept.Overlaps(other))
            return false;
    for (const TLine &line : Lines)
        if ((owner == 0 || line.Owner != owner) && kept.Crosses(line.A, line.B))
            return false;
    return true;
}

std::optional<TPoint> TLabelPlacer::TryPlace(TPoint preferred, TSize size, int owner)
{
    if (auto at = FirstFree(*Near, preferred, size, owner))
        return at;
    if (FarStep <= 0)
        return std::nullopt;
    // Near the preferred place finely, then anywhere on the picture
    // coarsely: a crowded drawing puts a label farther off rather than over
    // a line. Worked out only for a drawing that needs it.
    if (!Far)
        Far = Ring(Reach, std::max(Picture.Right, Picture.Bottom), FarStep);
    return FirstFree(*Far, preferred, size, owner);
}

std::optional<TPoint> TLabelPlacer::FirstFree(const std::vector<TPoint> &offsets, TPoint preferred, TSize size,
                                              int owner)
{
    for (const TPoint offset : offsets) {
        const TPoint at {preferred.X + offset.X, preferred.Y + offset.Y};
        const TBox box = TBox::At(at, size);
        if (Free(box, owner)) {
            Boxes.push_back(box);
            return at;
        }
    }
    return std::nullopt;
}

TPoint TLabelPlacer::Place(TPoint preferred, TSize size, int owner)
{
    if (const auto at = TryPlace(preferred, size, owner))
        return *at;
    const TPoint inside {std::clamp(preferred.X, 0, std::max(0, Picture.Right - size.Width)),
                         std::clamp(preferred.Y, 0, std::max(0, Picture.Bottom - size.Height))};
    Boxes.push_back(TBox::At(inside, size));
    return inside;
}

} // namespace corvadel
