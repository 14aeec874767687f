// Undo steps kept as the parts of the project they touched: every kind of
// step taken back gives the project's text back byte for byte, and taken
// again the edited text.
#include "ModelTestSupport.h"
#include "uProjectStep.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace corvadel {
namespace {

std::string Text(const TWireConfigurationList &project)
{
    TXMLTextWriter writer(true);
    project.WriteDocument(writer);
    return writer.Text();
}

// The intersection example: three sequences and their combinations.
class ProjectStep : public ::testing::Test
{
protected:
    ProjectStep() { EXPECT_TRUE(Project.Open(CORVADEL_SOURCE_DIR "/examples/intersection.xml")); }

    TTARVOParameters Parameters;
    TWireConfigurationList Project{Parameters};
};

struct TStepCase {
    const char *Name;
    TStepScope Scope;
    std::function<void(TWireConfigurationList &)> Change;
};

TEST_F(ProjectStep, EveryKindTakenBackGivesTheTextBackAndAgainTheEdit)
{
    const TStepCase cases[] = {
        {"length", TStepScope::OfSequence(2), [](auto &p) { p.FindByNumber(2)->Spans.SetLengthOf(1, 321); }},
        {"identification", TStepScope::OfSequence(3),
         [](auto &p) { p.FindByNumber(3)->SetIdentification("Main <St> & 5th"); }},
        {"signal", TStepScope::OfSequence(1),
         [](auto &p) { p.FindByNumber(1)->Spans.First()->AddSignal(test::MakeSignal(12.5)); }},
        {"variable wires", TStepScope::OfSequence(2), [](auto &p) { p.FindByNumber(2)->SetVariableWires(true); }},
        {"combination", TStepScope::OfCombinations(), [](auto &p) { p.Combinations.First()->SetABAngle(33); }},
        {"combination removed", TStepScope::OfCombinations(), [](auto &p) { p.Combinations.DeleteCombination(0); }},
        {"details", TStepScope::OfDetails(),
         [](auto &p) {
             p.SetProjectName("Corner");
             p.SetComments("two\r\nlines");
         }},
        {"added", TStepScope::OfSequenceList(), [](auto &p) { p.AddSequence(stBox); }},
        {"duplicated", TStepScope::OfSequenceList(), [](auto &p) { p.DuplicateSequence(*p.FindByNumber(2)); }},
        {"first removed", TStepScope::OfSequenceList(1), [](auto &p) { p.RemoveSequence(1); }},
        {"middle removed", TStepScope::OfSequenceList(2), [](auto &p) { p.RemoveSequence(2); }},
        {"last removed", TStepScope::OfSequenceList(3), [](auto &p) { p.RemoveSequence(3); }},
    };
    for (const TStepCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TWireConfigurationList project(Parameters);
        ASSERT_TRUE(project.Open(CORVADEL_SOURCE_DIR "/examples/intersection.xml"));
        const std::string original = Text(project);
        TProjectStep step(project, c.Scope);
        c.Change(project);
        step.Finish(project);
        const std::string edited = Text(project);
        ASSERT_TRUE(edited != original);
        EXPECT_TRUE(step.Changed());
        step.Undo(project);
        EXPECT_TRUE(Text(project) == original);
        step.Redo(project);
        EXPECT_TRUE(Text(project) == edited);
        step.Undo(project);
        EXPECT_TRUE(Text(project) == original);
    }
}

TEST_F(ProjectStep, NoChangeIsNoStep)
{
    TProjectStep same(Project, TStepScope::OfSequence(2));
    Project.FindByNumber(2)->Spans.SetLengthOf(1, Project.FindByNumber(2)->Spans.First()->Length);
    same.Finish(Project);
    EXPECT_FALSE(same.Changed());
    TProjectStep none(Project, TStepScope::OfSequenceList(9));
    Project.RemoveSequence(9);
    none.Finish(Project);
    EXPECT_FALSE(none.Changed());
}

// A field commit keeps its one sequence, not the project.
TEST_F(ProjectStep, SequenceStepKeepsOnlyItsSequence)
{
    for (int i = 0; i < 20; ++i)
        Project.DuplicateSequence(*Project.First());
    TProjectStep step(Project, TStepScope::OfSequence(2));
    Project.FindByNumber(2)->SetMaxSAG(9);
    step.Finish(Project);
    EXPECT_LT(step.Bytes(), Text(Project).size() / 5); // two texts of one of 23 sequences
}

TEST_F(ProjectStep, RemovingASequenceItDoesNotNameIsRefused)
{
    TProjectStep step(Project, TStepScope::OfSequence(2));
    Project.RemoveSequence(2);
    EXPECT_THROW(step.Finish(Project), std::logic_error);
    TProjectStep list(Project, TStepScope::OfSequenceList(1));
    Project.RemoveSequence(2);
    EXPECT_THROW(list.Finish(Project), std::logic_error);
}

} // namespace
} // namespace corvadel
