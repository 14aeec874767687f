// The "Loaded Profile" view: one span's loaded wire at one SAG case, to scale
// horizontally and exaggerated vertically, with the clearance lines and every
// signal and sign hung at its place. Paints on any QPainter (window, picture,
// printed page) inside the rectangle it is given.
#pragma once

#include "uLoadedShape.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>

#include <string>
#include <vector>

class QPainter;

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
struct THangerLabelPlace {
    const TLoadedHanger *Hanger;
    QRectF Box;
};
// Where the labels of the signals and signs go when the shape is painted in
// `area` with `font`: none covers another or a drawn item, so on a crowded
// span a label moves down below its neighbour's and one with no room left
// is not written (the printed page's table lists every item). Those that
// hang too low are placed first.
std::vector<THangerLabelPlace> PlaceHangerLabels(const TLoadedShape &shape, const QRectF &area, const QFont &font);
// Red for a signal or sign below the signal clearance.
QColor HangerColor(const TLoadedShape &shape, const TLoadedHanger &hanger);

inline const QColor ProfileWireColor{0, 60, 200};
inline const QColor ProfileShortColor{220, 0, 0};

void PaintLoadedProfile(QPainter &painter, const QRectF &area, const TLoadedShape &shape,
                        const TLoadedProfileText &text);

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
void PaintLoadedProfile(QPainter &painter, const QRectF &area, const std::optional<TLoadedProfileScene> &scene);

} // namespace corvadel
