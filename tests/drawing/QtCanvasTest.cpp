#include "DrawingTestSupport.h"

#include "uQtCanvas.h"
#include "uRotate.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cmath>

namespace corvadel::test {
namespace {

constexpr int White = 0xffffff;
constexpr int Red = 0x0000ff;

// Fonts and text measurement need the application object.
class QtCanvas : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }

    static int CountNot(const TQtCanvas &canvas, int color)
    {
        int count = 0;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                count += canvas.Pixel(x, y) != color;
        return count;
    }
};

TEST_F(QtCanvas, ColoursAreStoredBlueGreenRed)
{
    const QColor color = TQtCanvas::ToQColor(0x00336699);
    EXPECT_EQ(color.red(), 0x99);
    EXPECT_EQ(color.green(), 0x66);
    EXPECT_EQ(color.blue(), 0x33);
    TQtCanvas canvas(4, 4);
    canvas.SetBrush(0x00336699);
    canvas.FillRect(0, 0, 4, 4);
    EXPECT_EQ(canvas.Pixel(3, 3), 0x00336699);
    EXPECT_EQ(canvas.Pixel(4, 0), -1);
}

TEST_F(QtCanvas, FontsTakeFaceSizeAndStyleBits)
{
    const QFont font = TQtCanvas::ToQFont(TFontSpec::FromText("Courier New,8,3,255"));
    EXPECT_EQ(font.family(), "Courier New");
    EXPECT_EQ(font.pointSize(), 8);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    TQtCanvas canvas(100, 40);
    canvas.SetFont(TFontSpec::FromText("Arial,12,0,0"));
    const TSize wide = canvas.TextExtent("L1: 120.00");
    const TSize narrow = canvas.TextExtent("L1");
    EXPECT_GT(wide.Width, narrow.Width);
    EXPECT_GT(narrow.Height, 0);
}

TEST_F(QtCanvas, ShapesCoverTheirBoxWithoutTheRightAndBottomEdges)
{
    TQtCanvas canvas(20, 20);
    canvas.SetBrush(White);
    canvas.FillRect(0, 0, 20, 20);
    canvas.SetPen(Red, 1, TPenStyle::Solid);
    canvas.SetBrush(Red);
    canvas.Rectangle(5, 5, 10, 10);
    EXPECT_EQ(canvas.Pixel(5, 5), Red);
    EXPECT_EQ(canvas.Pixel(9, 9), Red);
    EXPECT_EQ(canvas.Pixel(10, 9), White);
    EXPECT_EQ(canvas.Pixel(9, 10), White);
    EXPECT_EQ(CountNot(canvas, White), 25);
}

// W = 40, H = 20, centre (20, 10); pixel (25, 4) sits 5 right of and 6 above
// the centre. A quarter turn clockwise puts it 6 right of and 5 below:
// trunc(20 + cos(pi/2) * 5 - sin(pi/2) * -6) = 26, trunc(10 + 5 + cos(pi/2) * -6) = 15.
TEST_F(QtCanvas, QuarterTurnMovesAPixelClockwiseAboutTheCentre)
{
    TQtCanvas canvas(40, 20);
    canvas.SetBrush(White);
    canvas.FillRect(0, 0, 40, 20);
    canvas.SetPixel(25, 4, Red);
    canvas.Rotate(Pi / 2, White);
    EXPECT_EQ(canvas.Pixel(26, 15), Red);
    EXPECT_EQ(canvas.Pixel(25, 4), White);
    EXPECT_EQ(CountNot(canvas, White), 1);
}

TEST_F(QtCanvas, PixelsLandingOutsideAreDropped)
{
    TQtCanvas canvas(40, 20);
    canvas.SetBrush(White);
    canvas.FillRect(0, 0, 40, 20);
    canvas.SetPixel(1, 10, Red); // 19 left of the centre: a quarter turn puts it 19 above
    canvas.Rotate(Pi / 2, White);
    EXPECT_EQ(CountNot(canvas, White), 0);
}

// Where two pixels land on one place, a background pixel scanned later must
// not wipe the drawn one.
TEST_F(QtCanvas, BackgroundIsNeverCarried)
{
    const int size = 30;
    const double angle = 0.3;
    const auto target = [&](int i, int j) {
        const double c = size / 2.0;
        return std::pair{std::trunc(c + std::cos(angle) * (i - c) - std::sin(angle) * (j - c)),
                         std::trunc(c + std::sin(angle) * (i - c) + std::cos(angle) * (j - c))};
    };
    std::map<std::pair<double, double>, std::pair<int, int>> first;
    std::pair<int, int> drawn{-1, -1};
    std::pair<double, double> landing;
    for (int j = 0; j < size && drawn.first < 0; ++j)
        for (int i = 0; i < size && drawn.first < 0; ++i) {
            const auto t = target(i, j);
            if (t.first < 0 || t.second < 0 || t.first >= size || t.second >= size)
                continue;
            if (auto [it, fresh] = first.emplace(t, std::pair{i, j}); !fresh) {
                drawn = it->second;
                landing = t;
            }
        }
    ASSERT_GE(drawn.first, 0) << "no two pixels share a place at this angle";
    TQtCanvas canvas(size, size);
    canvas.SetBrush(White);
    canvas.FillRect(0, 0, size, size);
    canvas.SetPixel(drawn.first, drawn.second, Red);
    canvas.Rotate(angle, White);
    EXPECT_EQ(canvas.Pixel(static_cast<int>(landing.first), static_cast<int>(landing.second)), Red);
}

TEST_F(QtCanvas, RotationFillsWithTheBackgroundGiven)
{
    TQtCanvas canvas(10, 10);
    canvas.SetBrush(Red);
    canvas.FillRect(0, 0, 10, 10);
    canvas.Rotate(Pi / 2, 0x00ff00); // nothing has the background colour: all carried
    // A 10 x 10 picture turned about (5, 5) loses its first row and column
    // off the edge; the places nothing lands on show the background given.
    const int left = CountNot(canvas, Red);
    EXPECT_GT(left, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_TRUE(canvas.Pixel(x, y) == Red || canvas.Pixel(x, y) == 0x00ff00);
}

TEST_F(QtCanvas, DrawnSequenceTurnsAQuarterWithTheGraphics)
{
    TGlobalSetting settings;
    TWireConfigurationList project(settings.Parameters);
    const TWireConfiguration &simple = *project.AddSequence(stSimple);
    TQtCanvas plain(200, 200), turned(200, 200);
    TGraphics drawPlain(settings, plain), drawTurned(settings, turned);
    drawPlain.Project = drawTurned.Project = &project;
    drawPlain.DrawSequence(dmPlain, simple.Number, 0);
    drawTurned.DrawSequence(dmPlain, simple.Number, Pi / 2);
    // The horizontal wire through the centre becomes a vertical one.
    int wireAcross = 0, wireDown = 0;
    for (int k = 60; k < 90; ++k) {
        wireAcross += plain.Pixel(k, 100) == settings.Colors.WireColor || plain.Pixel(k, 99) == settings.Colors.WireColor;
        wireDown += turned.Pixel(100, k) == settings.Colors.WireColor || turned.Pixel(99, k) == settings.Colors.WireColor;
    }
    EXPECT_EQ(wireAcross, 30);
    EXPECT_EQ(wireDown, 30);
}

TEST(RotatePixels, SkipsBackgroundUnderTheMaskAndKeepsEveryOtherPixel)
{
    // Angle 0 maps every pixel onto itself; the alpha byte is masked off, so
    // 0xffffffff is the background 0x00ffffff and is not carried.
    const std::uint32_t background = 0x00ffffff;
    std::uint32_t source[6] = {0xffffffff, 1, 2, 0x00ffffff, 3, 4};
    std::uint32_t target[6] = {9, 9, 9, 9, 9, 9};
    RotatePixels({source, 3, 2, 3}, {target, 3, 2, 3}, 0, background, 0x00ffffff);
    EXPECT_EQ(std::vector<std::uint32_t>(target, target + 6), (std::vector<std::uint32_t>{9, 1, 2, 9, 3, 4}));
}

TEST(RotatePixels, NonFiniteAngleDropsEverything)
{
    std::uint32_t source[4] = {1, 2, 3, 4};
    std::uint32_t target[4] = {};
    RotatePixels({source, 2, 2, 2}, {target, 2, 2, 2}, std::nan(""), 0, 0xffffffff);
    EXPECT_EQ(std::vector<std::uint32_t>(target, target + 4), (std::vector<std::uint32_t>{0, 0, 0, 0}));
}

} // namespace
} // namespace corvadel::test
