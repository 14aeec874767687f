#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace corvadel {
namespace {

using test::MakeSignal;

struct TypeCase {
    int Type;
    std::string Name;
    std::vector<std::array<int, 3>> Spans; // number, from node, to node
    std::vector<std::pair<int, bool>> Poles;
    std::vector<std::string> Points;
    std::string Flags;
    int PoleDistances;
};

const std::vector<TypeCase> &TypeCases()
{
    static const std::vector<TypeCase> cases = {
        { 1, "Simple", { { 1, 2, 1 } }, { { 1, false }, { 2, false } }, { "PV", "P1", "P2", "T" }, "YNNNNNN", 1 },
        { 2, "WYE", { { 1, 1, 100 }, { 2, 2, 100 }, { 3, 3, 100 } },
            { { 1, false }, { 2, false }, { 3, false }, { 100, true } }, { "PV", "P1", "P2", "T", "P3", "U" },
            "YYNNNNN", 3 },
        { 3, "H", { { 1, 1, 100 }, { 2, 2, 100 }, { 3, 101, 100 }, { 4, 3, 101 }, { 5, 4, 101 } },
            { { 1, false }, { 2, false }, { 3, false }, { 100, true }, { 101, true }, { 4, false } },
            { "PV", "P1", "P2", "T", "P3", "U", "C", "P4", "V" }, "YNYNYNN", 6 },
        { 4, "Delta",
            { { 1, 1, 100 }, { 2, 101, 100 }, { 3, 102, 100 }, { 4, 3, 102 }, { 5, 101, 102 }, { 6, 2, 101 } },
            { { 1, false }, { 2, false }, { 3, false }, { 100, true }, { 101, true }, { 102, true } },
            { "PV", "P1", "P2", "P3", "U", "C", "V", "D" }, "NNNNYYN", 3 },
        { 5, "Hybrid",
            { { 1, 1, 100 }, { 2, 2, 100 }, { 3, 101, 100 }, { 4, 3, 101 }, { 5, 102, 101 }, { 6, 4, 102 },
                { 7, 5, 102 } },
            { { 1, false }, { 2, false }, { 3, false }, { 100, true }, { 101, true }, { 4, false }, { 102, true },
                { 5, false } },
            { "PV", "P1", "P2", "T", "P3", "U", "C", "P4", "V", "D", "P5", "Y" }, "YNNYYYN", 7 },
        { 6, "Box",
            { { 1, 1, 100 }, { 2, 101, 100 }, { 3, 102, 100 }, { 4, 3, 102 }, { 5, 103, 102 }, { 6, 4, 103 },
                { 7, 101, 103 }, { 8, 2, 101 } },
            { { 1, false }, { 2, false }, { 3, false }, { 100, true }, { 101, true }, { 4, false }, { 102, true },
                { 103, true } },
            { "PV", "P1", "P2", "T", "P3", "U", "C", "P4", "V", "D", "G" }, "NNNNYYY", 6 },
    };
    return cases;
}

TEST(SequenceCreation, EachTypeHasItsTopologyAndTheSettingsDefaults)
{
    const TTARVOParameters parameters;
    for (const TypeCase &expected : TypeCases()) {
        SCOPED_TRACE(expected.Name);
        const TWireConfiguration sequence(expected.Type, parameters);

        EXPECT_EQ(sequence.SequenceType, expected.Type);
        EXPECT_EQ(sequence.Identification, expected.Name);
        EXPECT_EQ(sequence.Number, 0);
        EXPECT_EQ(sequence.DisplayName(), "0 - " + expected.Name);

        ASSERT_EQ(sequence.Spans.Count(), static_cast<int>(expected.Spans.size()));
        for (int i = 0; i < sequence.Spans.Count(); ++i) {
            const TBaseWire *span = sequence.Spans.Objects(i);
            EXPECT_EQ(span->Number, expected.Spans[i][0]);
            EXPECT_EQ(span->FromNode, expected.Spans[i][1]);
            EXPECT_EQ(span->ToNode, expected.Spans[i][2]);
            EXPECT_EQ(span->Length, 0);
            EXPECT_TRUE(span->UniformWeight);
            ASSERT_EQ(span->Segments.Count(), 1);
            EXPECT_DOUBLE_EQ(span->Segments.First()->UnitWeight(), 1) << "default wire weight reaches the span";
        }

        ASSERT_EQ(sequence.Poles.Count(), static_cast<int>(expected.Poles.size()));
        for (int i = 0; i < sequence.Poles.Count(); ++i) {
            EXPECT_EQ(sequence.Poles.Objects(i)->Number, expected.Poles[i].first);
            EXPECT_EQ(sequence.Poles.Objects(i)->IsRing, expected.Poles[i].second);
        }

        ASSERT_EQ(sequence.Elevations.Count(), static_cast<int>(expected.Points.size()));
        for (int i = 0; i < sequence.Elevations.Count(); ++i) {
            EXPECT_EQ(sequence.Elevations.Objects(i)->Name, expected.Points[i]);
            EXPECT_EQ(sequence.Elevations.Objects(i)->Value, 0);
        }
        EXPECT_EQ(sequence.Elevations.EnteredFlags, expected.Flags);

        ASSERT_EQ(sequence.PoleDistances.Count(), expected.PoleDistances);
        for (int i = 0; i < expected.PoleDistances; ++i) {
            EXPECT_EQ(sequence.PoleDistances.Objects(i)->Index, i);
            EXPECT_EQ(sequence.PoleDistances.Objects(i)->Distance, 0);
        }

        EXPECT_EQ(sequence.MinSAG, 0);
        EXPECT_EQ(sequence.MaxSAG, 0);
        EXPECT_DOUBLE_EQ(sequence.MinClearance, 20.6);
        EXPECT_EQ(sequence.WireWeight, 1);
        EXPECT_FALSE(sequence.VariableWires);
        EXPECT_FALSE(sequence.BoxWarp);
        EXPECT_TRUE(sequence.IsModified());
        EXPECT_TRUE(sequence.Errors.Empty());
        EXPECT_TRUE(sequence.Results.Empty());
    }
}

TEST(SequenceCreation, TopologyTableNamesTheFileElementAndPoleSpans)
{
    const std::vector<std::pair<std::string, std::array<int, 5>>> expected = {
        { "SIMPLE_SEQUENCE", { 1, 1, 0, 0, 0 } },
        { "WYE_SEQUENCE", { 1, 2, 3, 0, 0 } },
        { "H_SEQUENCE", { 1, 2, 4, 5, 0 } },
        { "DELTA_SEQUENCE", { 1, 6, 4, 0, 0 } },
        { "HYBRID_SEQUENCE", { 1, 2, 4, 6, 7 } },
        { "BOX_SEQUENCE", { 1, 8, 4, 6, 0 } },
    };
    for (int type = 1; type <= 6; ++type) {
        SCOPED_TRACE(type);
        const TSequenceTopology &shape = Topology(type);
        EXPECT_EQ(shape.ElementName, expected[type - 1].first);
        EXPECT_EQ(SequenceTypeOfElement(shape.ElementName), type);
        for (int pole = 1; pole <= 5; ++pole) {
            EXPECT_EQ(shape.SpanOfPole(pole), expected[type - 1].second[pole - 1]);
            // A pole that starts a span is a pole of the type, and the span starts there.
            if (const int span = shape.SpanOfPole(pole); span != 0 && type != stSimple) {
                EXPECT_EQ(shape.Spans[span - 1].FromNode, pole);
            }
        }
    }
    EXPECT_EQ(SequenceTypeOfElement("TARVO_CONFIGURATIONS"), 0);
}

TEST(SequenceCreation, UnknownTypeCodeGivesAnEmptySequenceInsteadOfFailing)
{
    const TTARVOParameters parameters;
    for (int type : { 0, 7, -1 }) {
        const TWireConfiguration sequence(type, parameters);
        EXPECT_TRUE(sequence.Spans.Empty());
        EXPECT_TRUE(sequence.PoleDistances.Empty());
        EXPECT_TRUE(sequence.Elevations.Empty());
    }
}

TEST(SequenceCreation, SettingsChooseVariableWiresAndWarp)
{
    TTARVOParameters parameters;
    parameters.VariableWire = true;
    parameters.Warp = true;
    parameters.WireWeight = 2.5;
    const TWireConfiguration box(stBox, parameters);
    EXPECT_TRUE(box.VariableWires);
    EXPECT_TRUE(box.BoxWarp);
    for (const TBaseWire *span : box.Spans) {
        EXPECT_FALSE(span->UniformWeight);
        EXPECT_DOUBLE_EQ(span->Segments.First()->UnitWeight(), 2.5);
    }
}

class SequenceEditing : public ::testing::Test
{
protected:
    TTARVOParameters Parameters;
    TWireConfiguration Sequence { stWYE, Parameters };

    void SetUp() override
    {
        Sequence.Spans.SetLengthOf(1, 100);
        Sequence.Spans.FindByNumber(1)->AddSignal(MakeSignal(30));
        Sequence.Spans.FindByNumber(1)->AddSignal(MakeSignal(70));
        Sequence.ClearModified();
    }
    TBaseWire &Span1() { return *Sequence.Spans.FindByNumber(1); }
};

TEST_F(SequenceEditing, AngleChangeNeverMarksButLengthDoes)
{
    Sequence.Spans.SetAngleOf(2, 45);
    EXPECT_EQ(Sequence.Spans.FindByNumber(2)->Angle, 45);
    EXPECT_FALSE(Sequence.IsModified());

    Sequence.Spans.SetLengthOf(2, 80);
    EXPECT_TRUE(Sequence.IsModified());
}

TEST_F(SequenceEditing, SettersMarkOnlyWhenTheValueChanges)
{
    Sequence.SetMinClearance(Sequence.MinClearance);
    Sequence.SetWireWeight(Sequence.WireWeight);
    Sequence.Spans.SetLengthOf(1, 100);
    Sequence.Spans.SetLengthOf(9, 100); // no such span
    EXPECT_FALSE(Sequence.IsModified());

    Sequence.Elevations.SetValueOf("U", 1.5);
    EXPECT_TRUE(Sequence.IsModified());
    Sequence.ClearModified();
    EXPECT_FALSE(Sequence.IsModified());
}

TEST_F(SequenceEditing, WireWeightResetsUniformSpansToOneDefaultComposition)
{
    Span1().Segments.First()->Compositions.Add(test::MakeComposition("W1", 1.5, 2));
    Sequence.SetWireWeight(3);
    for (const TBaseSegment *segment : Span1().Segments) {
        ASSERT_EQ(segment->Compositions.Count(), 1);
        const TSegmentComposition *composition = segment->Compositions.First();
        EXPECT_EQ(composition->WireCode, "FIX");
        EXPECT_EQ(composition->WireType, "FIXED");
        EXPECT_EQ(composition->WireWeight, 3);
        EXPECT_EQ(composition->Occurrence, 1);
    }
    EXPECT_TRUE(Sequence.IsModified());
}

TEST_F(SequenceEditing, WithVariableWiresOnlyLaterDefaultsTakeTheNewWeight)
{
    Sequence.SetVariableWires(true);
    EXPECT_FALSE(Span1().UniformWeight);
    Span1().Segments.First()->Compositions.Add(test::MakeComposition("W1", 1.5, 2));

    Sequence.SetWireWeight(3);
    EXPECT_EQ(Span1().Segments.First()->Compositions.Count(), 2);
    EXPECT_DOUBLE_EQ(Span1().Segments.First()->UnitWeight(), 1 + 3.0);

    Span1().RebuildSegments();
    EXPECT_DOUBLE_EQ(Span1().Segments.First()->UnitWeight(), 3);

    Sequence.SetVariableWires(false);
    EXPECT_TRUE(Span1().UniformWeight);
}

TEST_F(SequenceEditing, SumsOverAllSpans)
{
    auto sign = MakeSignal(20, 10);
    sign->SetLoadMultiplier(2);
    sign->SetAreaMultiplier(3);
    Sequence.Spans.SetLengthOf(3, 50);
    Sequence.Spans.FindByNumber(3)->AddSignal(std::move(sign));
    EXPECT_DOUBLE_EQ(Sequence.Spans.SumDeadLoads(), 40 + 40 + 20);
    EXPECT_DOUBLE_EQ(Sequence.Spans.SumWindAreas(), 5 + 5 + 15);
}

TEST_F(SequenceEditing, TensionReachesEverySpan)
{
    Sequence.Spans.SetTension(1234);
    EXPECT_EQ(Sequence.Spans.Tension, 1234);
    for (const TBaseWire *span : Sequence.Spans)
        EXPECT_EQ(span->Tension, 1234);
    EXPECT_FALSE(Sequence.IsModified());
}

class ProjectTest : public ::testing::Test
{
protected:
    TTARVOParameters Parameters;
    TWireConfigurationList Project { Parameters };

    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (const TWireConfiguration *sequence : Project)
            numbers.push_back(sequence->Number);
        return numbers;
    }
};

TEST_F(ProjectTest, AddedSequencesTakeTheNextNumber)
{
    EXPECT_EQ(Project.NextNumber(), 1);
    Project.AddSequence(stSimple);
    Project.AddSequence(stBox)->SetNumber(7);
    EXPECT_EQ(Project.AddSequence(stH)->Number, 8);
    EXPECT_EQ(Project.FindByDisplayName("7 - Box"), Project.FindByNumber(7));
    EXPECT_EQ(Project.FindByDisplayName("7 - box"), nullptr);
    EXPECT_EQ(Project.FindByNumber(3), nullptr);
}

TEST_F(ProjectTest, DeletingRenumbersTheSequencesAbove)
{
    for (int type = 1; type <= 4; ++type)
        Project.AddSequence(type);
    Project.ClearModified();

    EXPECT_TRUE(Project.DeleteSequence(2));
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(Project.Objects(1)->SequenceType, stH);
    EXPECT_FALSE(Project.Objects(0)->IsModified());
    EXPECT_TRUE(Project.Objects(1)->IsModified());
    EXPECT_TRUE(Project.Objects(2)->IsModified());
    EXPECT_TRUE(Project.IsModified());
}

TEST_F(ProjectTest, DeletingAMissingNumberStillRenumbers)
{
    for (int type = 1; type <= 3; ++type)
        Project.AddSequence(type);
    Project.Objects(1)->SetNumber(3);
    Project.Objects(2)->SetNumber(4);

    EXPECT_FALSE(Project.DeleteSequence(2));
    EXPECT_EQ(Numbers(), (std::vector<int> { 1, 2, 3 }));
}

TEST_F(ProjectTest, DeletingTheLastSequenceMarksTheProject)
{
    Project.AddSequence(stSimple);
    Project.AddSequence(stSimple);
    Project.ClearModified();
    Project.DeleteSequence(2);
    EXPECT_TRUE(Project.IsModified());
}

TEST_F(ProjectTest, RemovingASequenceUpdatesTheCombinations)
{
    for (int i = 0; i < 4; ++i)
        Project.AddSequence(stWYE);
    auto combination = std::make_unique<TCombination>();
    combination->SetSequenceA(3);
    combination->SetSequenceB(4);
    Project.Combinations.Add(std::move(combination));

    EXPECT_TRUE(Project.RemoveSequence(1));
    EXPECT_EQ(Project.Combinations.First()->SequenceA, 2);
    EXPECT_EQ(Project.Combinations.First()->SequenceB, 3);
}

TEST_F(ProjectTest, DuplicateCopiesEverythingButIdentityErrorsAndResults)
{
    Project.AddSequence(stSimple);
    Project.AddSequence(stSimple);
    TWireConfiguration &source = *Project.AddSequence(stWYE);
    source.SetNumber(3);
    source.SetMaxSAG(4);
    source.SetMinSAG(2);
    source.SetMinClearance(18);
    source.SetWireWeight(1.2);
    source.SetVariableWires(true);
    source.Spans.SetLengthOf(2, 90);
    source.Spans.SetAngleOf(2, 55);
    TBaseWire &span = *source.Spans.FindByNumber(2);
    span.AddSignal(MakeSignal(40, 35, "S1"));
    span.Segments.Last()->Compositions.Add(test::MakeComposition("W2", 0.8, 1));
    source.Elevations.SetValueOf("P3", 101.5);
    source.Elevations.SetEnteredFlags("YNNNNNN");
    source.Errors.AddError("old");
    source.Results.Add(std::make_unique<TWireConfigurationResult>());

    const TWireConfiguration &copy = *Project.DuplicateSequence(source);

    EXPECT_EQ(copy.Number, 4);
    EXPECT_EQ(copy.Identification, "Copy of WYE");
    EXPECT_EQ(copy.DisplayName(), "4 - Copy of WYE");
    EXPECT_EQ(copy.SequenceType, stWYE);
    EXPECT_EQ(copy.MaxSAG, 4);
    EXPECT_EQ(copy.MinSAG, 2);
    EXPECT_EQ(copy.MinClearance, 18);
    EXPECT_EQ(copy.WireWeight, 1.2);
    EXPECT_TRUE(copy.VariableWires);
    EXPECT_TRUE(copy.Errors.Empty());
    EXPECT_TRUE(copy.Results.Empty());
    EXPECT_EQ(copy.PoleDistances.Count(), 3);
    EXPECT_EQ(copy.Poles.Count(), 4);
    EXPECT_TRUE(copy.IsModified());

    const TBaseWire &copied = *copy.Spans.FindByNumber(2);
    EXPECT_EQ(copied.Length, 90);
    EXPECT_EQ(copied.Angle, 55);
    EXPECT_FALSE(copied.UniformWeight);
    ASSERT_EQ(copied.Signals.Count(), 1);
    EXPECT_EQ(copied.Signals.First()->Code, "S1");
    EXPECT_EQ(test::SegmentRows(copied.Segments), test::SegmentRows(span.Segments));
    EXPECT_DOUBLE_EQ(copied.Segments.Last()->UnitWeight(), 1.2 + 0.8);
    EXPECT_EQ(copy.Elevations.ValueOf("P3"), 101.5);
    EXPECT_EQ(copy.Elevations.EnteredFlags, "YNNNNNN");

    // The copy is independent of its source.
    source.Spans.SetLengthOf(2, 10);
    EXPECT_EQ(copied.Signals.Count(), 1);
}

TEST_F(ProjectTest, ModifiedRollsUpFromCombinationsAndDetails)
{
    Project.AddSequence(stSimple);
    Project.Combinations.Add(std::make_unique<TCombination>());
    Project.ClearModified();
    EXPECT_FALSE(Project.IsModified());

    Project.Combinations.First()->SetABAngle(30);
    EXPECT_TRUE(Project.IsModified());
    Project.ClearModified();

    Project.SetAuthor("");
    EXPECT_FALSE(Project.IsModified());
    Project.SetAuthor("J. Doe");
    EXPECT_TRUE(Project.IsModified());
}

TEST_F(ProjectTest, CloseEmptiesTheProjectButKeepsTheDetails)
{
    Project.AddSequence(stSimple);
    Project.Combinations.Add(std::make_unique<TCombination>());
    Project.FileName = "job.xml";
    Project.SetProjectName("Main St");

    Project.Close();
    EXPECT_TRUE(Project.Empty());
    EXPECT_TRUE(Project.Combinations.Empty());
    EXPECT_EQ(Project.FileName, "");
    EXPECT_EQ(Project.ProjectName, "Main St");
    EXPECT_FALSE(Project.IsModified());

    Project.ResetDetails();
    EXPECT_EQ(Project.ProjectName, "");
    EXPECT_TRUE(Project.ProjectDate.SameDay(TDateTime::Now()));
    EXPECT_EQ(Project.LastRevision, Project.ProjectDate);
}

} // namespace
} // namespace corvadel
