// The drawing object: plan diagrams of the six configuration types and the
// side view of one span, painted on a borrowed canvas with the colours and
// fonts of the settings.
#pragma once

#include "uCanvas.h"

#include <array>
#include <string>
#include <vector>

namespace corvadel {

class TGlobalSetting;
class TSignalList;
class TWireConfiguration;
class TWireConfigurationList;
struct TDiagramItem;
class TDiagramLayout;
class TLabelPlacer;
struct TDiagramTable;

// Display modes of DrawSequence; any other value draws neither angles nor
// elevation differences.
enum TDisplayMode {
    dmAngles = 0,
    dmElevations = 1,
    dmPlain = 2,
    dmPrint = 99, // angles and elevation differences, for the reports
};

class TGraphics
{
public:
    TGraphics(const TGlobalSetting &settings, TCanvas &canvas);

    TCanvas *Image;
    int PoleWidth = 10;
    int WireWidth = 2;
    TWireConfigurationList *Project = nullptr;
    int PoleHeight = 150;
    bool ShowLabels = true;
    bool StandardShape = false;
    // No text is drawn smaller than this many points: a screen asks for
    // ScreenFontSize (times its pixel ratio) so that labels stay readable in
    // a small window; paper for none.
    double SmallestFontSize = 0;
    static constexpr double ScreenFontSize = 8;

    // The size of the drawing area the diagrams are designed for: there the
    // labels and discs take the settings' font sizes, and they grow and
    // shrink with the picture's size from there.
    static constexpr TSize DesignSize {586, 240};
    static constexpr int DesignFontSize = 6;

    void ClearImage();
    void DrawSequence(int mode, int sequenceNumber, double rotation);
    void DrawSpanProfile(int sequenceNumber, int spanNumber);

    // Drawn to scale from the entered plan rather than in the standard shape.
    bool DrawsToScale(const TWireConfiguration &sequence) const;

    void DrawWire(int x1, int y1, int x2, int y2);
    void DrawPole(int x, int y, int n);
    void DrawRing(int x, int y, int n);
    void DrawText(int x, int y, const std::string &text, int background, const TFontSpec &font);
    void DrawLabel(int x, int y, int alignment, double value, const std::string &name, const TFontSpec &font);
    void DrawAngleReference(int x1, int y1, int x2, int y2);
    void DrawElevationBracket(int x1, int y1, int x2, int y2, int dx, int dy, bool horizontal, const std::string &name,
                              double value);
    void DrawSpanArrow(int x1, int y1, int x2, int y2, int offset);
    void DrawArrowHead(int x, int y, double d);
    void RotateImage(double a);

private:
    const TGlobalSetting &Settings;
    double PictureScale = 1; // of the settings' font sizes, the arrows and the brackets
    double TextScale = 1;    // of the distances labels keep from their lines

    struct TArrowShape {
        TPoint Tail;
        TPoint Tip;
        double Direction = 0;
    };
    struct TDiagramLabel {
        TPoint At; // top-left corner
        std::string Text;
        TFontSpec Font;
    };
    struct TDiagramScene;

    bool ShowsValues() const;
    TFontSpec Sized(const TFontSpec &font) const;
    int LineOffset(int pixels) const;
    int TextOffset(int pixels) const;
    std::string LabelText(const std::string &name, double value) const;
    std::string BracketText(const std::string &name, double value) const;
    TArrowShape ArrowShape(int x1, int y1, int x2, int y2, int offset) const;
    std::array<TPoint, 3> ArrowHead(int x, int y, double d) const;
    static std::vector<TPoint> BracketPath(int x1, int y1, int x2, int y2, int dx, int dy, bool horizontal);
    TPoint BracketTextAt(int x1, int y1, int x2, int y2, int dx, int dy, bool horizontal) const;
    int DiscRadius(const std::string &text, const TFontSpec &font);

    void DrawDiagram(const TWireConfiguration &sequence, bool showAngles, bool showElevations);
    void PlaceLabels(const TWireConfiguration &sequence, const TDiagramTable &table, TDiagramScene &scene);
    void PaintScene(const TWireConfiguration &sequence, const TDiagramTable &table, const TDiagramScene &scene);
    void DrawSpanArrow(const TArrowShape &arrow);
    void PutText(TPoint at, const std::string &text, int background, const TFontSpec &font);
    void DrawDisc(int x, int y, const std::string &text, int outline, int penWidth, int fill, const TFontSpec &font);

    // Span profile.
    int WireHeight() const { return PoleHeight / 10 * 9; }
    void DrawGroundLine(int yG);
    void DrawSpanSignals(int yG, int yW, const TSignalList &hung, double length);
    void DrawSignalDimension(int n, int px, double d, int y);
    void DrawSignalSide(int x, int yG, int yW);
    void DrawSignSide(int x, int yG, int yW);
    void DrawPoleSide(int x, int y, int n);
    void DrawSpanEnd(const TWireConfiguration &sequence, int node, int x, int yG, int yW);
};

} // namespace corvadel
