#include "uHelpContext.h"

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace corvadel;

namespace {

struct HelpRequests : testing::Test {
    std::vector<std::pair<QWidget *, int>> Shown;
    void SetUp() override
    {
        SetHelpService([this](QWidget *from, int context) { Shown.emplace_back(from, context); });
    }
    void TearDown() override { SetHelpService(nullptr); }
};

} // namespace

TEST_F(HelpRequests, AFieldAsksForTheTopicOfTheWindowItSitsIn)
{
    QDialog window;
    SetHelpContext(&window, hcWires);
    auto *field = new QLineEdit(&window);
    RequestHelp(field);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].first, field);
    EXPECT_EQ(Shown[0].second, hcWires);
}

TEST_F(HelpRequests, TheInnermostWindowWithAContextWins)
{
    QDialog outer;
    SetHelpContext(&outer, hcMain);
    auto *inner = new QWidget(&outer);
    SetHelpContext(inner, hcResult);
    auto *field = new QLineEdit(inner);
    EXPECT_EQ(HelpContextOf(field), hcResult);
    QWidget loose;
    EXPECT_EQ(HelpContextOf(&loose), hcContents);
}

TEST(HelpWithoutService, DoesNothing)
{
    QWidget window;
    RequestHelp(&window); // must not throw or crash
    EXPECT_EQ(HelpContextOf(&window), hcContents);
}
