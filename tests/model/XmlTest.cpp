#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvadel {
namespace {

using test::MakeComposition;
using test::MakeSignal;
using test::SegmentRows;
using test::ThroughText;

std::vector<std::string> ChildNames(const TXMLBaseObject &node)
{
    std::vector<std::string> names;
    for (const auto &child : node.Children)
        names.emplace_back(child->Name);
    return names;
}

TEST(SignalElement, WritesEveryFieldInOrderAndReadsItBack)
{
    TBaseSignal source;
    source.Number = 2;
    source.IsSignal = true;
    source.SignalType = "S3";
    source.Code = "X012";
    source.Material = "Poly <UV>";
    source.LensSize = 12;
    source.Sections = 3;
    source.SimpleDeadLoad = 41.5;
    source.Height = 3.25;
    source.SimpleAreaFactor = 7.2;
    source.Distance = 33.3;
    source.Weight = 41.5;
    source.AreaMultiplier = 0.5;
    source.LoadMultiplier = 1.25;

    const auto element = source.ToXML();
    EXPECT_EQ(ChildNames(*element),
        (std::vector<std::string> { "SIGNAL_NUMBER", "IS_SIGNAL", "SIGNAL_TYPE", "SIGNAL_CODE", "SIGNAL_MATERIAL",
            "SIGNAL_DESCRIPTION", "SIGNAL_LENS_SIZE", "SIGNAL_SECTIONS", "SIGNAL_SIMPLE_DEAD_LOAD", "SIGNAL_HANGER",
            "SIGNAL_HEIGHT", "SIGNAL_SIMPLE_AREA_FACTOR", "SIGNAL_SIGN_AREA", "SIGNAL_DISTANCE", "SIGNAL_WEIGHT",
            "SIGNAL_AREA_MULTIPLIER", "SIGNAL_LOAD_MULTIPLIER" }));
    EXPECT_EQ(TXMLBaseObject::ChildValue(*element, "IS_SIGNAL"), "Y");
    EXPECT_EQ(TXMLBaseObject::ChildValue(*element, "SIGNAL_DISTANCE"), "33.3");

    TBaseSignal read;
    read.FromXML(*ThroughText(source.ToXML()));
    EXPECT_EQ(read.ToXML()->AsText(), element->AsText());
    EXPECT_EQ(read.Material, "Poly <UV>");
    EXPECT_EQ(read.Description, "");
    EXPECT_FALSE(read.IsModified()) << "readers assign directly";
}

TEST(SignalElement, LowerCaseFlagAndUnknownChildren)
{
    TXMLBaseObject element("SIGNAL");
    element.AddChild("IS_SIGNAL", "y");
    element.AddChild("SIGNAL_COLOUR", "red");
    TBaseSignal read;
    read.FromXML(element);
    EXPECT_TRUE(read.IsSignal);
    EXPECT_EQ(read.LoadMultiplier, 1);
}

TEST(SignalElement, MalformedNumberNamesElementAndText)
{
    TXMLBaseObject element("SIGNAL");
    element.AddChild("SIGNAL_DISTANCE", "12..5");
    TBaseSignal read;
    try {
        read.FromXML(element);
        FAIL() << "no error raised";
    } catch (const EConvertError &error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("SIGNAL_DISTANCE"), std::string::npos) << message;
        EXPECT_NE(message.find("12..5"), std::string::npos) << message;
    }
}

TEST(SegmentElement, CarriesItsStartPointAndCompositions)
{
    TBaseSegment source;
    source.StartPoint = 2;
    source.Compositions.Add(MakeComposition("W1", 1.5, 2));
    source.Compositions.Add(MakeComposition("W2", 0.8, 1));
    source.Compositions.Last()->SetDescription("messenger");
    const auto element = source.ToXML();
    EXPECT_EQ(ChildNames(*element), (std::vector<std::string> { "SEGMENT_NUMBER", "COMPOSITION", "COMPOSITION" }));
    EXPECT_EQ(ChildNames(*element->Children[1]),
        (std::vector<std::string> { "WIRE_CODE", "WIRE_TYPE", "WIRE_DESCRIPTION", "WIRE_WEIGHT", "WIRE_OCCURRENCE" }));

    TBaseSegment read;
    read.StartPoint = 2;
    read.Compositions.Add(MakeComposition("OLD", 9, 9));
    read.FromXML(*ThroughText(source.ToXML()));
    ASSERT_EQ(read.Compositions.Count(), 2);
    EXPECT_EQ(read.ToXML()->AsText(), element->AsText());
    EXPECT_EQ(read.Compositions.Last()->SegmentNumber, 2);
    EXPECT_EQ(read.Compositions.Last()->Description, "messenger");
    EXPECT_EQ(read.Compositions.First()->Description, "");
}

class SequenceElement : public ::testing::Test
{
protected:
    TTARVOParameters Parameters;

    // A sequence with design data, signals, elevations and, when variable,
    // a segment of two wire kinds on span 1.
    std::unique_ptr<TWireConfiguration> Filled(int type, bool variableWires)
    {
        auto sequence = std::make_unique<TWireConfiguration>(type, Parameters);
        sequence->SetNumber(3);
        sequence->SetIdentification("Main & 5th");
        sequence->SetWireWeight(1.2);
        sequence->SetMinSAG(2.5);
        sequence->SetMaxSAG(4.75);
        sequence->SetMinClearance(17.5);
        sequence->SetVariableWires(variableWires);
        sequence->SetBoxWarp(true);
        int n = 0;
        for (TBaseWire *span : sequence->Spans) {
            span->SetLength(80 + ++n);
            span->SetAngle(30 + n);
            span->AddSignal(MakeSignal(40, 35, "A"));
            span->AddSignal(MakeSignal(20, 50, "B"));
        }
        if (variableWires)
            sequence->Spans.First()->Segments.Objects(1)->Compositions.Add(MakeComposition("W9", 0.3, 2));
        int k = 0;
        for (TBaseElevation *point : sequence->Elevations)
            point->SetValue(point->IsJunction() ? 0.5 * ++k : 100 + ++k);
        return sequence;
    }

    std::unique_ptr<TWireConfiguration> ReadBack(const TWireConfiguration &source)
    {
        auto read = std::make_unique<TWireConfiguration>(source.SequenceType, Parameters);
        read->FromXML(*ThroughText(source.ToXML()));
        return read;
    }
};

TEST_F(SequenceElement, EveryTypeReadsBackAsWritten)
{
    for (bool variable : { false, true }) {
        for (int type = stSimple; type <= stBox; ++type) {
            SCOPED_TRACE(::testing::Message() << "type " << type << " variable " << variable);
            const auto source = Filled(type, variable);
            const auto element = source->ToXML();
            EXPECT_EQ(element->Name, Topology(type).ElementName);

            const auto read = ReadBack(*source);
            EXPECT_EQ(read->ToXML()->AsText(), element->AsText());
            EXPECT_EQ(read->Identification, "Main & 5th");
            EXPECT_EQ(read->Number, 3);
            EXPECT_EQ(read->VariableWires, variable);
            for (int i = 0; i < read->Spans.Count(); ++i) {
                const TBaseWire &span = *read->Spans.Objects(i);
                EXPECT_EQ(SegmentRows(span.Segments), SegmentRows(source->Spans.Objects(i)->Segments));
                EXPECT_EQ(span.Signals.First()->Code, "B");
                EXPECT_EQ(span.Signals.First()->Number, 1);
            }
            EXPECT_DOUBLE_EQ(read->Spans.First()->Segments.Objects(1)->UnitWeight(), variable ? 1.2 + 0.6 : 1.2);
        }
    }
}

TEST_F(SequenceElement, UniformSpansWriteNoSegmentsAndGetDefaultsBack)
{
    const auto source = Filled(stSimple, false);
    const auto element = source->ToXML();
    const TXMLBaseObject *wire = element->FindChild("WIRE");
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->FindChild("SEGMENT"), nullptr);

    const auto read = ReadBack(*source);
    const TBaseWire &span = *read->Spans.First();
    ASSERT_EQ(span.Segments.Count(), 3);
    for (const TBaseSegment *segment : span.Segments) {
        ASSERT_EQ(segment->Compositions.Count(), 1);
        EXPECT_EQ(segment->Compositions.First()->WireCode, "FIX");
        EXPECT_EQ(segment->Compositions.First()->WireWeight, 1.2);
    }
}

TEST_F(SequenceElement, BoxAloneWritesItsWarpFlag)
{
    for (int type = stSimple; type <= stBox; ++type) {
        const auto element = Filled(type, false)->ToXML();
        EXPECT_EQ(element->FindChild("SEQUENCE_BOX_WARP") != nullptr, type == stBox) << type;
    }
    const auto names = ChildNames(*Filled(stBox, false)->ToXML());
    const std::vector<std::string> head(names.begin(), names.begin() + 10);
    EXPECT_EQ(head,
        (std::vector<std::string> { "SEQUENCE_NUMBER", "SEQUENCE_TYPE", "SEQUENCE_ID", "SEQUENCE_WIRE_WEIGHT",
            "SEQUENCE_MIN_SAG", "SEQUENCE_MAX_SAG", "SEQUENCE_MIN_CLEARANCE", "SEQUENCE_VARIABLE_WIRES",
            "SEQUENCE_BOX_WARP", "WIRE" }));
    EXPECT_EQ(names.back(), "ELEVATIONS");
}

TEST_F(SequenceElement, AbsentFieldsKeepTheirCreationValues)
{
    Parameters.Warp = true;
    auto source = Filled(stBox, false);
    source->SetIdentification("");
    source->SetBoxWarp(false);
    const auto written = ThroughText(source->ToXML());
    TXMLBaseObject element(written->Name);
    for (const TXMLBaseObject *child : written->Children)
        if (child->Name != "SEQUENCE_BOX_WARP")
            element.AddChild(std::make_unique<TXMLBaseObject>(*child));

    TWireConfiguration read(stBox, Parameters);
    read.FromXML(element);
    EXPECT_EQ(read.Identification, "Box");
    EXPECT_TRUE(read.BoxWarp);
}

TEST_F(SequenceElement, StrayElementsAreSkipped)
{
    TXMLBaseObject element("WYE_SEQUENCE");
    element.AddChild("SEQUENCE_TYPE", "6"); // cannot change the spans the element name made
    element.AddChild("WIRE")->AddChild("WIRE_LENGTH", "50"); // no number
    TXMLBaseObject *unknownSpan = element.AddChild("WIRE");
    unknownSpan->AddChild("WIRE_NUMBER", "7");
    unknownSpan->AddChild("WIRE_LENGTH", "60");
    TXMLBaseObject *span = element.AddChild("WIRE");
    span->AddChild("WIRE_NUMBER", "2");
    span->AddChild("WIRE_LENGTH", "70");
    TXMLBaseObject *segment = span->AddChild("SEGMENT");
    segment->AddChild("SEGMENT_NUMBER", "5"); // no such segment
    segment->AddChild("COMPOSITION")->AddChild("WIRE_WEIGHT", "9");
    element.AddChild("NOTES", "ignored");

    TWireConfiguration read(stWYE, Parameters);
    read.FromXML(element);
    EXPECT_EQ(read.SequenceType, stWYE);
    EXPECT_EQ(read.Spans.Count(), 3);
    EXPECT_EQ(read.Spans.FindByNumber(1)->Length, 0);
    EXPECT_EQ(read.Spans.FindByNumber(2)->Length, 70);
    EXPECT_DOUBLE_EQ(read.Spans.FindByNumber(2)->Segments.SumWeights(), 70);
    // Each is named, so that nobody saves the project unaware of what it lost.
    EXPECT_EQ(read.SkippedOnRead,
              (std::vector<std::string>{
                  "a WIRE element without WIRE_NUMBER was skipped",
                  "WIRE_NUMBER 7 names no span (spans 1 to 3); the element was skipped",
                  "span 2: SEGMENT_NUMBER 5 names no segment (segments 0 to 0); its wire weights were skipped"}));
}

TEST_F(SequenceElement, SegmentWithoutCompositionsStaysUsable)
{
    TXMLBaseObject wire("WIRE");
    wire.AddChild("WIRE_NUMBER", "1");
    wire.AddChild("WIRE_LENGTH", "40");
    wire.AddChild("SEGMENT")->AddChild("SEGMENT_NUMBER", "0");

    TWireConfiguration read(stSimple, Parameters);
    read.SetVariableWires(true);
    read.Spans.First()->FromXML(wire);
    EXPECT_TRUE(read.Spans.First()->Segments.First()->Compositions.Empty());

    read.SetVariableWires(false);
    ASSERT_EQ(read.Spans.First()->Segments.First()->Compositions.Count(), 1);
    EXPECT_DOUBLE_EQ(read.Spans.First()->Segments.SumWeights(), 40);
}

TEST_F(SequenceElement, SegmentsListedBeforeTheirSignalsStillFitTheChain)
{
    const auto source = Filled(stSimple, true);
    const auto written = ThroughText(source->ToXML());
    // The same element with the signals of its span moved after the segments.
    TXMLBaseObject element(written->Name);
    for (const TXMLBaseObject *child : written->Children) {
        if (child->Name != "WIRE") {
            element.AddChild(std::make_unique<TXMLBaseObject>(*child));
            continue;
        }
        TXMLBaseObject *wire = element.AddChild(child->Name);
        for (const bool signals : { false, true })
            for (const TXMLBaseObject *item : child->Children)
                if ((item->Name == "SIGNAL") == signals)
                    wire->AddChild(std::make_unique<TXMLBaseObject>(*item));
    }
    ASSERT_EQ(element.Children[8]->Children.back()->Name, "SIGNAL");

    TWireConfiguration read(stSimple, Parameters);
    read.FromXML(element);
    EXPECT_EQ(read.ToXML()->AsText(), source->ToXML()->AsText());
}

TEST(CombinationElement, RoundTrip)
{
    TCombination source;
    source.Number = 4;
    source.PoleA = 2;
    source.SequenceA = 1;
    source.PoleB = 3;
    source.SequenceB = 2;
    source.ABAngle = 97.5;
    source.RotateA();
    source.Results.Add(std::make_unique<TCombinationResult>());
    const auto element = source.ToXML();
    EXPECT_EQ(ChildNames(*element),
        (std::vector<std::string> { "COMBINATION_NUMBER", "POLE_A", "SEQUENCE_A", "POLE_B", "SEQUENCE_B", "AB_ANGLE",
            "ROTATION_ONE", "ROTATION_TWO" }));

    TCombination read;
    read.FromXML(*ThroughText(source.ToXML()));
    EXPECT_EQ(read.ToXML()->AsText(), element->AsText());
    EXPECT_NEAR(read.RotationOne, Pi / 2, 1e-13) << "15 significant digits in the file";
    EXPECT_TRUE(read.Results.Empty());

    TCombination untouched;
    untouched.FromXML(TXMLBaseObject("SEQUENCE"));
    EXPECT_EQ(untouched.ToXML()->AsText(), TCombination().ToXML()->AsText());
}

} // namespace
} // namespace corvadel
