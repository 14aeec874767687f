// Builders and readers shared by the drawing tests: a project, a recording
// canvas, and the poles, rings, wires and arrows found in a recording.
#pragma once

#include "uWires.h"

#include "uGlobalSettings.h"
#include "uGraphics.h"
#include "uRecordingCanvas.h"

#include <QGuiApplication>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvadel::test {

// Lengths and angles (degrees) by span number, starting at span 1.
struct TPlanInput {
    std::vector<double> Lengths;
    std::vector<double> Angles;
};

// Fonts and text measurement need the application object.
inline void EnsureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "drawing_tests";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

inline void SetPlan(TWireConfiguration &sequence, const TPlanInput &plan)
{
    for (size_t i = 0; i < plan.Lengths.size(); ++i)
        sequence.Spans.SetLengthOf(static_cast<int>(i) + 1, plan.Lengths[i]);
    for (size_t i = 0; i < plan.Angles.size(); ++i)
        sequence.Spans.SetAngleOf(static_cast<int>(i) + 1, plan.Angles[i]);
}

// A drawing object on a recording canvas over a project of its own.
class TDrawingBench
{
public:
    explicit TDrawingBench(int width = 586, int height = 240)
        : Project(Settings.Parameters), Canvas(width, height), Graphics(Settings, Canvas)
    {
        Graphics.Project = &Project;
    }

    TGlobalSetting Settings;
    TWireConfigurationList Project;
    TRecordingCanvas Canvas;
    TGraphics Graphics;

    TWireConfiguration &Add(int type, const TPlanInput &plan = {})
    {
        TWireConfiguration &sequence = *Project.AddSequence(type);
        SetPlan(sequence, plan);
        return sequence;
    }

    void Draw(const TWireConfiguration &sequence, int mode = dmAngles, double rotation = 0)
    {
        Canvas.Calls.clear();
        Graphics.DrawSequence(mode, sequence.Number, rotation);
    }
};

// Centres of the discs drawn, keyed "P1".."P5" for poles (pen width 1) and
// "J1".."J4" for rings (pen width 2), read from each circle and its number.
inline std::map<std::string, TPoint> DiscCentres(const TRecordingCanvas &canvas)
{
    std::map<std::string, TPoint> centres;
    const auto &calls = canvas.Calls;
    for (size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].Kind != TCallKind::Ellipse || calls[i + 1].Kind != TCallKind::TextOut)
            continue;
        const TPoint a = calls[i].Points[0];
        const TPoint b = calls[i].Points[1];
        const std::string key = (calls[i].Pen.Width == 2 ? "J" : "P") + calls[i + 1].Text;
        centres[key] = {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
    }
    return centres;
}

struct TSegment {
    TPoint A;
    TPoint B;
};

inline std::vector<TSegment> LinesWithPen(const TRecordingCanvas &canvas, const TPenState &pen)
{
    std::vector<TSegment> lines;
    for (const TCanvasCall &call : canvas.CallsOf(TCallKind::Line))
        if (call.Pen == pen)
            lines.push_back({call.Points[0], call.Points[1]});
    return lines;
}

inline std::vector<TSegment> Wires(const TDrawingBench &bench)
{
    const auto &graphics = bench.Graphics;
    return LinesWithPen(bench.Canvas, {bench.Settings.Colors.WireColor, graphics.WireWidth, TPenStyle::Solid});
}

// Arrow shafts, tail to tip: the solid line drawn just before each head.
inline std::vector<TSegment> ArrowShafts(const TRecordingCanvas &canvas)
{
    std::vector<TSegment> shafts;
    const auto &calls = canvas.Calls;
    for (size_t i = 0; i + 1 < calls.size(); ++i)
        if (calls[i].Kind == TCallKind::Line && calls[i + 1].Kind == TCallKind::Polygon)
            shafts.push_back({calls[i].Points[0], calls[i].Points[1]});
    return shafts;
}

inline double Distance(TPoint a, TPoint b)
{
    return std::hypot(static_cast<double>(a.X - b.X), static_cast<double>(a.Y - b.Y));
}

inline std::string NodeKey(int node)
{
    return node >= 100 ? "J" + std::to_string(node - 99) : "P" + std::to_string(node);
}

} // namespace corvadel::test
