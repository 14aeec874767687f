#include "DrawingTestSupport.h"
#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uLoadedProfileView.h"
#include "uResultQuantities.h"
#include "uWires.h"

#include "uQtCanvas.h"

#include <QImage>

#include <gtest/gtest.h>

namespace corvadel {
namespace {

// A level 100 ft span whose one signal hangs at midspan: its bottom lies
// 20.6 ft (the minimum clearance) less `height` above the pavement.
class HungSignal : public ::testing::Test
{
protected:
    // Text needs the application object.
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }

    TTARVOParameters Parameters;
    TWireConfigurationList Project{Parameters};

    std::optional<TLoadedProfileScene> Scene(double height, bool isSignal = true)
    {
        TWireConfiguration *sequence = Project.AddSequence(stSimple);
        sequence->Spans.SetLengthOf(1, 100);
        sequence->SetWireWeight(1);
        sequence->SetMaxSAG(3);
        sequence->SetMinSAG(3);
        auto signal = std::make_unique<TBaseSignal>();
        signal->SetIsSignal(isSignal);
        signal->SetDistance(50);
        signal->SetSimpleDeadLoad(60);
        signal->SetHeight(height);
        signal->SetSignArea(height * height);
        sequence->Spans.FindByNumber(1)->AddSignal(std::move(signal));
        EXPECT_TRUE(TCalculationRun::RunCalculation(Project));
        return LoadedProfileScene(*sequence, true, 1, Parameters.MinSignalClearance, 1200);
    }

    static QImage Picture(const TLoadedProfileScene &scene)
    {
        TQtCanvas canvas(1200, 800);
        PaintLoadedProfile(canvas, scene.Shape, scene.Text);
        return canvas.Picture();
    }

    // The colour in the middle of the hanger's box.
    static QColor HangerMiddle(const TLoadedProfileScene &scene, const QImage &picture)
    {
        const TLoadedHanger &hanger = scene.Shape.Hangers.front();
        const TLoadedProfileLayout layout(scene.Shape, QRectF(picture.rect()));
        const QPointF middle = layout.ToScreen(hanger.Distance, hanger.Attachment - hanger.Height / 2);
        return picture.pixelColor(middle.toPoint());
    }
};

TEST_F(HungSignal, BelowTheSignalClearanceItIsRedWithItsShortfall)
{
    for (bool isSignal : {true, false}) {
        SCOPED_TRACE(isSignal ? "signal" : "sign");
        Project.FreeAll();
        const auto scene = Scene(7, isSignal); // bottom 13.6 ft up: 1.4 ft short of 15 ft
        ASSERT_TRUE(scene.has_value());
        const TLoadedHanger &hanger = scene->Shape.Hangers.front();
        EXPECT_NEAR(scene->Shape.ClearanceOf(hanger), 13.6, 1e-6);
        EXPECT_EQ(HangerLabel(scene->Shape, hanger).back(), "short 1.40 ft");
        const QColor middle = HangerMiddle(*scene, Picture(*scene));
        EXPECT_GT(middle.red(), 200);
        EXPECT_LT(middle.green(), 120);
    }
}

TEST_F(HungSignal, ClearOfTheSignalClearanceItIsNotRed)
{
    const auto scene = Scene(4); // bottom 16.6 ft up
    ASSERT_TRUE(scene.has_value());
    const TLoadedHanger &hanger = scene->Shape.Hangers.front();
    EXPECT_EQ(scene->Shape.ShortfallOf(hanger), 0);
    const auto label = HangerLabel(scene->Shape, hanger);
    EXPECT_EQ(label, (std::vector<std::string>{"Signal 1", "bottom " + NumericText(hanger.Bottom()) + " ft",
                                               "clear 16.60 ft"}));
    const QColor middle = HangerMiddle(*scene, Picture(*scene));
    EXPECT_LT(middle.red(), 100) << middle.name().toStdString();
}

TEST_F(HungSignal, ExaggerationIsTheLargestThatFits)
{
    const auto scene = Scene(4);
    ASSERT_TRUE(scene.has_value());
    for (const QRectF area : {QRectF(0, 0, 1200, 800), QRectF(0, 0, 600, 900), QRectF(10, 20, 3000, 400)}) {
        const TLoadedProfileLayout layout(scene->Shape, area);
        const QRectF plot = layout.Plot();
        const QPointF start = layout.ToScreen(0, scene->Shape.Start.Attachment);
        const QPointF end = layout.ToScreen(scene->Shape.Length, scene->Shape.End.Attachment);
        // Horizontally to scale across the plot, vertically inside it.
        EXPECT_NEAR(end.x() - start.x(), scene->Shape.Length * layout.FeetToPixels(), 1e-9);
        EXPECT_LE(end.x() - start.x(), plot.width() + 1e-9);
        EXPECT_GE(layout.ToScreen(0, scene->Shape.Pavement).y(), plot.top());
        EXPECT_LE(layout.ToScreen(0, scene->Shape.Pavement).y(), plot.bottom() + 1e-9);
        EXPECT_GE(start.y(), plot.top());
        EXPECT_GE(layout.Exaggeration(), 1);
    }
}

// A level wire at 120 ft over pavement at 100 ft with signals every
// `pitch` feet; every other one hangs below the signal clearance, and the
// last is a sign right above the clearance captions at the end.
TLoadedShape Hung(double pitch)
{
    TLoadedShape shape;
    shape.Length = 100;
    shape.Start = {1, true, 120, 100};
    shape.End = {2, true, 120, 100};
    shape.Pavement = 100;
    shape.WireClearance = 18;
    shape.SignalClearance = 15;
    for (int i = 0; i <= 200; ++i)
        shape.Points.push_back({i * 0.5, 120});
    shape.Low = {0, 120};
    int number = 0;
    for (double distance = pitch / 2; distance < 100; distance += pitch) {
        ++number;
        shape.Hangers.push_back({number, true, distance, 120, number % 2 ? 4.0 : 7.0});
    }
    shape.Hangers.push_back({number + 1, false, 97, 120, 3});
    return shape;
}

struct TTextBox {
    std::string Text;
    QRectF Box;
};

// The box of every text written, by the recording canvas's metric.
std::vector<TTextBox> TextBoxes(const TRecordingCanvas &canvas)
{
    std::vector<TTextBox> boxes;
    for (const TCanvasCall &call : canvas.CallsOf(TCallKind::TextOut)) {
        const int size = call.Font.Size;
        boxes.push_back({call.Text, QRectF(call.Points[0].X, call.Points[0].Y,
                                            static_cast<int>(call.Text.size()) * TRecordingCanvas::CharWidth * size / 6,
                                            TRecordingCanvas::TextHeight * size / 6)});
    }
    return boxes;
}

TEST(HangerLabels, CoverNoTextSignalOrSignAndTheLowOnesComeFirst)
{
    const struct {
        double Pitch;
        bool All; // every signal and sign gets its whole label
    } cases[] = {{30, true}, {10, false}, {2.5, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Pitch);
        const TLoadedShape shape = Hung(c.Pitch);
        TRecordingCanvas canvas(1200, 800);
        PaintLoadedProfile(canvas, shape, {"Sequence 1 - Main St, span 1, Max. SAG"});
        const auto texts = TextBoxes(canvas);
        const QRectF picture(0, 0, 1200, 800);
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_TRUE(picture.contains(texts[i].Box)) << texts[i].Text;
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(texts[i].Box.intersects(texts[j].Box)) << texts[i].Text << " and " << texts[j].Text;
            for (const TCanvasCall &item : canvas.CallsOf(TCallKind::Rectangle)) {
                const QRectF drawn(QPointF(item.Points[0].X, item.Points[0].Y),
                                   QPointF(item.Points[1].X, item.Points[1].Y));
                EXPECT_FALSE(texts[i].Box.intersects(drawn)) << texts[i].Text;
            }
        }
        // The captions of the lines are always written.
        for (const char *caption : {"Pavement 100.00 ft", "Min Clearance 18.00 ft", "Min Signal Clearance 15.00 ft"})
            EXPECT_NE(canvas.FindText(caption), nullptr) << caption;
        int named = 0, whole = 0;
        std::vector<int> order;
        for (const auto &text : texts) {
            if (text.Text.starts_with("Signal ") || text.Text.starts_with("Sign ")) {
                ++named;
                order.push_back(std::stoi(text.Text.substr(text.Text.find(' ') + 1)));
            }
            whole += text.Text.starts_with("clear ");
        }
        if (c.All) {
            EXPECT_EQ(whole, static_cast<int>(shape.Hangers.size()));
        }
        EXPECT_GT(named, 0);
        // Those that hang too low (odd numbers here) are labelled before any other.
        bool otherSeen = false;
        for (int number : order) {
            const bool low = shape.ShortfallOf(shape.Hangers[static_cast<size_t>(number - 1)]) > 0;
            EXPECT_FALSE(low && otherSeen) << number;
            otherSeen = otherSeen || !low;
        }
    }
}

} // namespace
} // namespace corvadel
