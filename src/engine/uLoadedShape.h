// The loaded wire of one span as a calculated result leaves it: elevations
// along the span, its attachments and where every signal and sign hangs.
#pragma once

#include <optional>
#include <vector>

namespace corvadel {

class TBaseSignal;
class TWireConfiguration;
class TWireConfigurationResult;

struct TShapePoint {
    double Distance = 0; // feet from the start of the span
    double Elevation = 0; // feet
};

struct TLoadedHanger {
    int Number = 0;
    bool IsSignal = true;
    double Distance = 0;   // feet from the start of the span
    double Attachment = 0; // elevation of the wire where it hangs
    double Height = 0;     // feet from the attachment down to its bottom

    double Bottom() const { return Attachment - Height; }
};

// One end of the span: a pole (with its base) or a ring in the air.
struct TSpanEnd {
    int Node = 0;
    bool IsPole = false;
    double Attachment = 0; // elevation
    double Base = 0;       // elevation of the pole base; a ring has none
};

struct TLoadedShape {
    int SpanNumber = 0;
    double Length = 0;
    TSpanEnd Start;
    TSpanEnd End;
    double Pavement = 0;        // elevation PV
    double WireClearance = 0;   // the sequence's minimum clearance to the wire, feet
    double SignalClearance = 0; // minimum clearance below signals and signs, feet
    std::vector<TShapePoint> Points; // by distance, ends and every load included
    TShapePoint Low;
    std::vector<TLoadedHanger> Hangers; // by signal number

    double ClearanceOf(const TLoadedHanger &hanger) const { return hanger.Bottom() - Pavement; }
    // How far the bottom lies below pavement + SignalClearance; 0 when clear.
    double ShortfallOf(const TLoadedHanger &hanger) const;
    // The wire's elevation at a distance, between the neighbouring points.
    double ElevationAt(double distance) const;
};

class TLoadedProfile
{
public:
    // Never more points than this, whatever spacing is asked for.
    static constexpr int MaxPoints = 100000;

    // The shape of span `spanNumber` for `result`, a record of the sequence's
    // last calculation, with points `spacing` feet apart; a Box adjusted for
    // balance has the span at its balanced length. Nothing when the span or
    // its result is missing or the wire carries no tension.
    static std::optional<TLoadedShape> Compute(const TWireConfiguration &sequence,
                                               const TWireConfigurationResult &result, int spanNumber,
                                               double spacing, double signalClearance);
    // A signal's entered height; a sign has none, so the side of a square of
    // its area stands for it.
    static double HangerHeight(const TBaseSignal &signal);
};

} // namespace corvadel
