#include "DrawingTestSupport.h"
#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uLoadedProfileView.h"
#include "uResultQuantities.h"
#include "uWires.h"

#include <QImage>
#include <QPainter>

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
        QImage picture(1200, 800, QImage::Format_RGB32);
        QPainter painter(&picture);
        PaintLoadedProfile(painter, QRectF(picture.rect()), scene.Shape, scene.Text);
        return picture;
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
// `pitch` feet; every other one hangs below the signal clearance.
TLoadedShape Hung(double pitch)
{
    TLoadedShape shape;
    shape.Length = 100;
    shape.Start = {1, true, 120, 100};
    shape.End = {2, true, 120, 100};
    shape.Pavement = 100;
    shape.WireClearance = 18;
    shape.SignalClearance = 15;
    shape.Points = {{0, 120}, {100, 120}};
    shape.Low = {0, 120};
    int number = 0;
    for (double distance = pitch / 2; distance < 100; distance += pitch) {
        ++number;
        shape.Hangers.push_back({number, true, distance, 120, number % 2 ? 4.0 : 7.0});
    }
    return shape;
}

TEST(HangerLabels, NeverCoverEachOtherAndTheLowOnesComeFirst)
{
    test::EnsureGuiApplication();
    const QRectF area(0, 0, 1200, 800);
    const QFont font;
    const struct {
        double Pitch;
        bool All; // every label finds room
    } cases[] = {{30, true}, {2.5, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Pitch);
        const TLoadedShape shape = Hung(c.Pitch);
        const auto places = PlaceHangerLabels(shape, area, font);
        if (c.All) {
            EXPECT_EQ(places.size(), shape.Hangers.size());
        }
        int low = 0;
        for (const TLoadedHanger &hanger : shape.Hangers)
            low += shape.ShortfallOf(hanger) > 0;
        ASSERT_GE(places.size(), static_cast<size_t>(low));
        for (size_t i = 0; i < places.size(); ++i) {
            EXPECT_TRUE(area.contains(places[i].Box));
            // The low ones are placed before any other.
            if (i < static_cast<size_t>(low)) {
                EXPECT_GT(shape.ShortfallOf(*places[i].Hanger), 0) << places[i].Hanger->Number;
            }
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(places[i].Box.intersects(places[j].Box))
                    << places[i].Hanger->Number << " and " << places[j].Hanger->Number;
            // Right of its own item, never above its bottom.
            const TLoadedProfileLayout layout(shape, area);
            const QPointF bottom = layout.ToScreen(places[i].Hanger->Distance, places[i].Hanger->Bottom());
            EXPECT_GT(places[i].Box.left(), bottom.x());
            EXPECT_GT(places[i].Box.top(), bottom.y());
        }
    }
}

} // namespace
} // namespace corvadel
