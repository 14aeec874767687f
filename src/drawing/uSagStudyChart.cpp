#include "uSagStudyChart.h"

#include "uDesignChecks.h"
#include "uResultQuantities.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace corvadel {

namespace {

constexpr int White = ColorOf(255, 255, 255);
constexpr int TextColor = ColorOf(0, 0, 0);
constexpr int AxisColor = ColorOf(96, 96, 96);
constexpr int GridColor = ColorOf(220, 220, 220);
constexpr int MarkColor = ColorOf(120, 70, 0);
constexpr int TextSize = 8; // points

TFontSpec Font(int color, int style = 0)
{
    TFontSpec font;
    font.Name = "Arial";
    font.Size = TextSize;
    font.Style = style;
    font.Color = color;
    return font;
}

// A step of 1, 2 or 5 times a power of ten giving about `count` intervals.
double NiceStep(double range, int count)
{
    if (range <= 0)
        return 1;
    const double raw = range / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

// One of the stacked panels: a quantity over the SAG, with a limit line.
struct TPanel {
    std::string Caption;
    std::function<double(const TSagStudyPoint &)> Value;
    double Limit = 0; // 0 = none
    std::string LimitCaption;
    int Digits = 0; // of the tick labels
};

class TChart
{
public:
    TChart(TCanvas &canvas, const TSagStudy &study)
        : Canvas(canvas)
        , Study(study)
    {
        Canvas.SetFont(Font(TextColor));
        LineHeight = Canvas.TextExtent("Ag").Height + 2;
        SagFrom = study.Points.front().SAG;
        SagTo = study.Points.back().SAG;
    }

    void Paint(const std::string &title)
    {
        const std::vector<TPanel> panels = {
            {"Max. Wire Load (lbs)", [](const TSagStudyPoint &p) { return p.MaxWireLoad; }, Study.BreakingStrength,
             Study.StrandName.empty() ? "" : "breaking strength of " + Study.StrandName},
            {"Largest Base Moment (ft-lbs)", [](const TSagStudyPoint &p) { return p.MaxBaseMoment; },
             Study.SmallestAllowable, "smallest allowable base moment"},
            {"Highest Attachment Height above Pole Base (ft)",
             [](const TSagStudyPoint &p) { return p.MaxAttachmentHeight; }, 0, "", 1},
        };
        Canvas.SetFont(Font(TextColor, TFontSpec::Bold));
        Canvas.TextOut(Left(), 4, title);
        Canvas.SetFont(Font(TextColor));
        const int top = 4 + 2 * LineHeight;
        const int bottom = Canvas.Height() - 4 - 3 * LineHeight;
        const int count = int(panels.size());
        const int pitch = (bottom - top) / count;
        for (int i = 0; i < count; ++i)
            PaintPanel(panels[size_t(i)], top + i * pitch + LineHeight, top + (i + 1) * pitch - LineHeight / 2,
                       i + 1 == count);
        MarkEnteredSAGs(top, bottom);
        Canvas.SetFont(Font(TextColor, TFontSpec::Bold));
        Canvas.SetBrush(White);
        Canvas.TextOut(Left(), Canvas.Height() - 4 - LineHeight, Study.Sentence());
    }

private:
    TCanvas &Canvas;
    const TSagStudy &Study;
    int LineHeight = 12;
    double SagFrom = 0;
    double SagTo = 1;

    int Left() const { return std::max(60, Canvas.Width() / 12); }
    int Right() const { return Canvas.Width() - 16; }

    int X(double sag) const
    {
        const double span = SagTo > SagFrom ? SagTo - SagFrom : 1;
        return Left() + int(std::lround((sag - SagFrom) / span * (Right() - Left())));
    }

    void PaintPanel(const TPanel &panel, int top, int bottom, bool withSAGAxis)
    {
        double highest = panel.Limit;
        for (const TSagStudyPoint &point : Study.Points)
            if (point.Calculated)
                highest = std::max(highest, panel.Value(point));
        const double step = NiceStep(highest > 0 ? highest : 1, 4);
        const double ceiling = std::max(step, std::ceil(highest * 1.05 / step) * step);
        const auto y = [&](double value) { return bottom - int(std::lround(value / ceiling * (bottom - top))); };

        if (Study.HasBand) {
            Canvas.SetBrush(StudyBandColor);
            Canvas.FillRect(X(Study.BandFrom), top, std::max(X(Study.BandTo), X(Study.BandFrom) + 2), bottom);
        }
        Canvas.SetFont(Font(TextColor));
        Canvas.SetBrush(White);
        Canvas.TextOut(Left(), top - LineHeight - 1, panel.Caption);
        for (double tick = 0; tick <= ceiling + step / 2; tick += step) {
            Canvas.SetPen(GridColor, 1, TPenStyle::Solid);
            Canvas.Line(Left(), y(tick), Right(), y(tick));
            const std::string label = GroupedText(tick, panel.Digits);
            const TSize size = Canvas.TextExtent(label);
            Canvas.TextOut(Left() - size.Width - 4, y(tick) - size.Height / 2, label);
        }
        if (withSAGAxis)
            SAGAxis(bottom);
        Canvas.SetPen(AxisColor, 1, TPenStyle::Solid);
        Canvas.Line(Left(), top, Left(), bottom);
        Canvas.Line(Left(), bottom, Right(), bottom);
        if (panel.Limit > 0) {
            Canvas.SetPen(StudyLimitColor, 2, TPenStyle::Dashed);
            Canvas.Line(Left(), y(panel.Limit), Right(), y(panel.Limit));
            const std::string caption = panel.LimitCaption + " " + GroupedText(panel.Limit, 0);
            Canvas.SetFont(Font(StudyLimitColor));
            const TSize size = Canvas.TextExtent(caption);
            Canvas.TextOut(Right() - size.Width - 2, y(panel.Limit) - size.Height - 2, caption);
        }
        Curve(panel, y);
    }

    template<class Y>
    void Curve(const TPanel &panel, const Y &y)
    {
        Canvas.SetPen(StudyCurveColor, 2, TPenStyle::Solid);
        std::vector<TPoint> run;
        const auto flush = [&] {
            if (run.size() > 1)
                Canvas.Polyline(run);
            run.clear();
        };
        for (const TSagStudyPoint &point : Study.Points) {
            if (!point.Calculated) {
                flush();
                continue;
            }
            run.push_back({X(point.SAG), y(panel.Value(point))});
        }
        flush();
    }

    void SAGAxis(int bottom)
    {
        const double step = NiceStep(SagTo - SagFrom, 8);
        Canvas.SetFont(Font(TextColor));
        Canvas.SetBrush(White);
        Canvas.SetPen(AxisColor, 1, TPenStyle::Solid);
        for (double tick = std::ceil(SagFrom / step) * step; tick <= SagTo + step * 1e-6; tick += step) {
            Canvas.Line(X(tick), bottom, X(tick), bottom + 4);
            const std::string label = FixedText(tick, 15, step < 1 ? 1 : 0);
            const TSize size = Canvas.TextExtent(label);
            Canvas.TextOut(X(tick) - size.Width / 2, bottom + 5, label);
        }
        const std::string caption = "Target SAG (ft)";
        const TSize size = Canvas.TextExtent(caption);
        Canvas.TextOut((Left() + Right() - size.Width) / 2, bottom + 5 + LineHeight, caption);
    }

    // The entered SAGs the results are for, across every panel.
    void MarkEnteredSAGs(int top, int bottom)
    {
        struct TMark {
            const char *Name;
            double SAG;
        };
        std::vector<TMark> marks = {{"Max. SAG", Study.MaxSAG}};
        if (Study.MinSAG > 0 && Study.MinSAG < Study.MaxSAG)
            marks.insert(marks.begin(), {"Min. SAG", Study.MinSAG});
        Canvas.SetFont(Font(MarkColor));
        Canvas.SetBrush(White);
        int textRight = -1;
        for (const TMark &mark : marks) {
            if (mark.SAG < SagFrom || mark.SAG > SagTo)
                continue;
            Canvas.SetPen(MarkColor, 1, TPenStyle::Dotted);
            Canvas.Line(X(mark.SAG), top, X(mark.SAG), bottom);
            const std::string label = std::string(mark.Name) + " " + NumericText(mark.SAG) + " ft";
            const TSize size = Canvas.TextExtent(label);
            // Two marks close together: the second label goes right of the first.
            const int x = std::max(X(mark.SAG) - size.Width / 2, textRight + 8);
            Canvas.TextOut(std::min(x, Right() - size.Width), top - LineHeight, label);
            textRight = x + size.Width;
        }
    }
};

} // namespace

void PaintSagStudy(TCanvas &canvas, const TSagStudy &study, const std::string &title)
{
    canvas.SetBrush(White);
    canvas.FillRect(0, 0, canvas.Width(), canvas.Height());
    if (study.Points.empty()) {
        canvas.SetFont(Font(TextColor));
        const std::string note = study.Sentence();
        const TSize size = canvas.TextExtent(note);
        canvas.TextOut((canvas.Width() - size.Width) / 2, (canvas.Height() - size.Height) / 2, note);
        return;
    }
    TChart(canvas, study).Paint(title);
}

} // namespace corvadel
