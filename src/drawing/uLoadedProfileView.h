// The "Loaded Profile" view: one span's loaded wire at one SAG case, to scale
// horizontally and exaggerated vertically, with the clearance lines and every
// signal and sign hung at its place. Painted on the drawing canvas (window,
// picture, printed page), filling it.
#pragma once

#include "uCanvas.h"
#include "uLoadedShape.h"

#include <QPointF>
#include <QRectF>

#include <optional>
#include <string>
#include <vector>

namespace corvadel {

// Feet to the rectangle: distances left to right, elevations bottom to top.
class TLoadedProfileLayout
{
public:
    TLoadedProfileLayout(const TLoadedShape &shape, const QRectF &area);

    QPointF ToScreen(double distance, double elevation) const;
    // Pixels per foot of elevation over pixels per foot of distance.
    int Exaggeration() const { return VerticalTimes; }
    double FeetToPixels() const { return Scale; }
    // The band the drawing fits in, inside the margins for the texts.
    QRectF Plot() const { return PlotArea; }

private:
    QRectF PlotArea;
    double Scale = 1;
    int VerticalTimes = 1;
    double Left = 0;   // x of distance 0
    double Bottom = 0; // y of elevation Floor
    double Floor = 0;  // lowest elevation shown
};

struct TLoadedProfileText {
    std::string Title; // "Sequence 1 - Main St, span 2, Max. SAG"
};

// The lines of text beside a signal or sign: its name, bottom elevation and
// clearance, and its shortfall when it hangs too low.
std::vector<std::string> HangerLabel(const TLoadedShape &shape, const TLoadedHanger &hanger);
// Red for a signal or sign below the signal clearance (0x00BBGGRR).
int HangerColor(const TLoadedShape &shape, const TLoadedHanger &hanger);

inline constexpr int ProfileWireColor = ColorOf(0, 60, 200);
inline constexpr int ProfileShortColor = ColorOf(220, 0, 0);
inline constexpr int ProfileTextSize = 8; // points

// Paints the shape over the whole canvas. No text covers another text, a
// signal or a sign: a crowded span's labels stand off in rows below, joined
// to their item by a leader; one with no room left gives only its name, or
// nothing (the printed page's table lists every item). Those that hang too
// low are labelled first.
void PaintLoadedProfile(TCanvas &canvas, const TLoadedShape &shape, const TLoadedProfileText &text);

class TWireConfiguration;

// What one view shows: the span's shape at one SAG case with its title,
// sampled for a drawing `width` pixels wide. Nothing when that case has no
// result or the span does not exist.
struct TLoadedProfileScene {
    TLoadedShape Shape;
    TLoadedProfileText Text;
};
std::optional<TLoadedProfileScene> LoadedProfileScene(const TWireConfiguration &sequence, bool atMaxSAG,
                                                      int spanNumber, double signalClearance, double width);
// Paints the scene, or says on the picture why there is none.
void PaintLoadedProfile(TCanvas &canvas, const std::optional<TLoadedProfileScene> &scene);

} // namespace corvadel
