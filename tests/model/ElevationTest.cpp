#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace corvadel {
namespace {

std::vector<std::string> ChildNames(const TXMLBaseObject &node)
{
    std::vector<std::string> names;
    for (const auto &child : node.Children)
        names.emplace_back(child->Name);
    return names;
}

TXMLBaseObject ElevationsElement(const std::vector<std::pair<std::string, std::string>> &children)
{
    TXMLBaseObject node("ELEVATIONS");
    for (const auto &[name, value] : children)
        node.AddChild(name, value);
    return node;
}

class ElevationTest : public ::testing::Test
{
protected:
    TTARVOParameters Parameters;
};

TEST_F(ElevationTest, ADeltaHasNoTPointButKeepsItsLetter)
{
    const TWireConfiguration delta(stDelta, Parameters);
    EXPECT_EQ(delta.Elevations.FindByName("T"), nullptr);
    EXPECT_EQ(delta.Elevations.EnteredFlags, "NNNNYYN");
    EXPECT_EQ(delta.Elevations.EnteredFlag("C"), 'Y');
    EXPECT_EQ(delta.Elevations.EnteredFlag("T"), 'N');
}

TEST_F(ElevationTest, WritingSkipsTheComputedJunctionPoints)
{
    TWireConfiguration box(stBox, Parameters);
    box.Elevations.SetValueOf("PV", 100);
    box.Elevations.SetValueOf("C", -1.25);
    box.Elevations.SetValueOf("T", 3); // computed: not written
    const auto element = box.Elevations.ToXML();
    EXPECT_EQ(element->Name, "ELEVATIONS");
    EXPECT_EQ(ChildNames(*element),
        (std::vector<std::string> { "BE_PV", "BE_P1", "BE_P2", "BE_P3", "ED_C", "BE_P4", "ED_D", "ED_G" }));
    EXPECT_EQ(TXMLBaseObject::ChildValue(*element, "BE_PV"), "100");
    EXPECT_EQ(TXMLBaseObject::ChildValue(*element, "ED_C"), "-1.25");

    box.Elevations.SetEnteredFlags("yNNNYYY");
    EXPECT_EQ(ChildNames(*box.Elevations.ToXML())[3], "ED_T") << "a lower-case y counts as entered";
}

TEST_F(ElevationTest, ReadingMarksExactlyThePointsInTheFile)
{
    TWireConfiguration hybrid(stHybrid, Parameters);
    hybrid.Elevations.FromXML(ElevationsElement({ { "BE_PV", "95.5" }, { "ED_T", "1.5" }, { "ED_Y", "-0.75" } }));
    EXPECT_EQ(hybrid.Elevations.EnteredFlags, "YNNYNNN");
    EXPECT_EQ(hybrid.Elevations.ValueOf("PV"), 95.5);
    EXPECT_EQ(hybrid.Elevations.ValueOf("T"), 1.5);
    EXPECT_EQ(hybrid.Elevations.ValueOf("Y"), -0.75);
    EXPECT_EQ(hybrid.Elevations.ValueOf("C"), 0);
}

TEST_F(ElevationTest, ReadingIgnoresUnknownElementsAndPointsTheTypeLacks)
{
    TWireConfiguration wye(stWYE, Parameters);
    wye.Elevations.SetValueOf("U", 2);
    wye.Elevations.FromXML(ElevationsElement({ { "BE_P4", "12" }, { "BE_P5", "x" }, { "ED_G", "1" }, { "FOO", "3" },
        { "ED_Q", "4" }, { "BE_U", "5" }, { "ED_U", "2" } }));
    EXPECT_EQ(wye.Elevations.Count(), 6);
    EXPECT_EQ(wye.Elevations.ValueOf("U"), 2);
    EXPECT_EQ(wye.Elevations.ValueOf("G"), 0);
    EXPECT_EQ(wye.Elevations.EnteredFlags, "NYNNNNY") << "an ED_ element sets its letter even without its point";

    TXMLBaseObject other("OTHER");
    other.AddChild("BE_PV", "7");
    wye.Elevations.FromXML(other);
    EXPECT_EQ(wye.Elevations.EnteredFlags, "NYNNNNY") << "an element of another name reads nothing";
    EXPECT_EQ(wye.Elevations.ValueOf("PV"), 0);
}

TEST_F(ElevationTest, MalformedValueOfAPointNamesTheElement)
{
    TWireConfiguration simple(stSimple, Parameters);
    try {
        simple.Elevations.FromXML(ElevationsElement({ { "BE_P2", "12,5x" } }));
        FAIL() << "no error raised";
    } catch (const EConvertError &error) {
        EXPECT_NE(std::string(error.what()).find("BE_P2"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("12,5x"), std::string::npos);
    }
}

TEST_F(ElevationTest, ValueLookupsOfMissingPointsAreHarmless)
{
    TWireConfiguration wye(stWYE, Parameters);
    wye.ClearModified();
    EXPECT_EQ(wye.Elevations.ValueOf("G"), 0);
    wye.Elevations.SetValueOf("G", 5);
    EXPECT_FALSE(wye.IsModified());
    wye.Elevations.SetValueOf("P3", 5);
    EXPECT_TRUE(wye.IsModified());
}

TEST_F(ElevationTest, ChangingTheFlagsMarksTheSequence)
{
    TWireConfiguration h(stH, Parameters);
    h.ClearModified();
    h.Elevations.SetEnteredFlags(h.Elevations.EnteredFlags);
    EXPECT_FALSE(h.IsModified());
    h.Elevations.SetEnteredFlags("YYYNYNN");
    EXPECT_TRUE(h.IsModified());
}

TEST_F(ElevationTest, ShortFlagsReadAsNotEntered)
{
    TElevationList list;
    list.EnteredFlags = "YY";
    EXPECT_EQ(list.EnteredFlag("U"), 'Y');
    EXPECT_EQ(list.EnteredFlag("G"), 'N');
    EXPECT_EQ(list.EnteredFlag("PV"), 'N');
}

TEST(PoleList, FindsNodesAndTellsRingsFromPoles)
{
    const TTARVOParameters parameters;
    const TWireConfiguration hybrid(stHybrid, parameters);
    EXPECT_TRUE(hybrid.Poles.IsRingNode(102));
    EXPECT_FALSE(hybrid.Poles.IsRingNode(5));
    EXPECT_FALSE(hybrid.Poles.IsRingNode(103));
    EXPECT_EQ(hybrid.Poles.FindByNumber(4)->Number, 4);
    EXPECT_EQ(hybrid.Poles.FindByNumber(6), nullptr);

    TPoleList copy;
    copy.AddPole(9, false);
    copy.CopyFrom(hybrid.Poles);
    ASSERT_EQ(copy.Count(), hybrid.Poles.Count());
    for (int i = 0; i < copy.Count(); ++i) {
        EXPECT_EQ(copy.Objects(i)->Number, hybrid.Poles.Objects(i)->Number);
        EXPECT_EQ(copy.Objects(i)->IsRing, hybrid.Poles.Objects(i)->IsRing);
    }
}

} // namespace
} // namespace corvadel
