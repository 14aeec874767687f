// The result window's Profile tab and the warnings under the results.
#include "DisplayResultFRM.h"
#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uLoadedProfileWidget.h"
#include "uWires.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace corvadel;

namespace {

class ProfileTab : public ::testing::Test {
protected:
    TGlobalSetting Settings;
    TWireConfigurationList Project{Settings.Parameters};
    std::unique_ptr<TfrmDisplayResult> Window;

    void Open()
    {
        Window = std::make_unique<TfrmDisplayResult>(Project, Settings);
    }
    template<class Widget>
    Widget *Child(const char *name)
    {
        auto *found = Window->findChild<Widget *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    const std::optional<TLoadedProfileScene> &Scene() { return Child<TLoadedProfileWidget>("pbLoadedProfile")->Scene(); }
};

TEST_F(ProfileTab, FollowsTheSpanSelectorAndTheSagTab)
{
    ASSERT_TRUE(Project.Open(CORVADEL_SOURCE_DIR "/examples/wye.xml"));
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    Open();
    auto *spans = Child<QComboBox>("cbSpanList");
    ASSERT_EQ(spans->count(), 3);
    EXPECT_FALSE(Scene().has_value()) << "painted only once the page is open";

    Child<QTabWidget>("pcResultPages")->setCurrentIndex(1);
    ASSERT_TRUE(Scene().has_value());
    EXPECT_EQ(Scene()->Shape.SpanNumber, 1);
    EXPECT_NE(Scene()->Text.Title.find("span 1, Max. SAG"), std::string::npos) << Scene()->Text.Title;

    spans->setCurrentIndex(2);
    auto *sag = Child<QTabBar>("tbSAG");
    ASSERT_EQ(sag->count(), 2);
    sag->setCurrentIndex(1);
    ASSERT_TRUE(Scene().has_value());
    EXPECT_EQ(Scene()->Shape.SpanNumber, 3);
    EXPECT_NE(Scene()->Text.Title.find("span 3, Min. SAG"), std::string::npos) << Scene()->Text.Title;
    // The minimum-SAG wire: its pole attachments as the result records them.
    const TWireConfigurationResult *min = Project.Objects(0)->Results.FindByAtMaxSAG(false);
    ASSERT_NE(min, nullptr);
    EXPECT_NEAR(Scene()->Shape.Start.Attachment, min->PoleResults.FindByPoleNumber(3)->AttachmentElevation, 1e-9);
    Window->grab(); // paints without trouble
}

TEST_F(ProfileTab, WarningsStandUnderTheResultsOfTheirSequence)
{
    const auto add = [this](double maxSAG, double minSAG, double t) {
        TWireConfiguration *sequence = Project.AddSequence(stSimple);
        sequence->Spans.SetLengthOf(1, 100);
        sequence->SetWireWeight(1);
        sequence->SetMaxSAG(maxSAG);
        sequence->SetMinSAG(minSAG);
        sequence->Elevations.SetValueOf("T", t);
    };
    add(3, 2, 0); // sound
    add(3, 1, 2); // the minimum SAG lies below the poles' difference
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    Open();
    Window->show();
    auto *warnings = Child<QPlainTextEdit>("memPlausibility");
    EXPECT_FALSE(warnings->isVisible());

    Child<QComboBox>("cbSequenceList")->setCurrentIndex(1);
    EXPECT_TRUE(warnings->isVisible());
    EXPECT_TRUE(warnings->toPlainText().contains("minimum SAG of 1.00 ft could not be calculated; only the maximum-SAG "
                                          "results are shown."))
        << warnings->toPlainText().toStdString();
    EXPECT_TRUE(warnings->toPlainText().contains("the pole attachments alone differ by 2.00 ft"));
    EXPECT_EQ(Child<QTabBar>("tbSAG")->count(), 1);
}

} // namespace
