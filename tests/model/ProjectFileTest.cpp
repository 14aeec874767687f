#include "../support/NamedCase.h"
#include "../support/SampleSignals.h"
#include "../support/ScratchFolder.h"
#include "uGlobalSettings.h"
#include "uSequenceNumbering.h"
#include "uWires.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <csignal>
#include <sys/resource.h>

using namespace corvadel;
using corvadel::test::ScratchFolder;

namespace corvadel {
void PrintTo(const TReadNote &note, std::ostream *out)
{
    *out << "{\"" << note.Text << "\", \"" << note.Heading << "\", \"" << note.Ending << "\"}";
}
} // namespace corvadel

namespace {

const std::string GoldenPath = std::string(CORVADEL_SOURCE_DIR) + "/tests/data/golden/wye.xml";

TDateTime Date(int year, int month, int day)
{
    TDateTime date;
    date.Year = year;
    date.Month = month;
    date.Day = day;
    return date;
}

using test::SignalHead;

std::unique_ptr<TBaseSignal> NoLeftTurnSign(double distance)
{
    auto sign = std::make_unique<TBaseSignal>();
    sign->SetSignalType("No Left Turn");
    sign->SetCode("R3-2");
    sign->SetDescription("30 x 36 in, <left lane>");
    sign->SetSignArea(7.5);
    sign->SetWeight(1.2);
    sign->SetHanger(6);
    sign->SetSimpleDeadLoad(15);
    sign->SetSimpleAreaFactor(0.75);
    sign->SetDistance(distance);
    sign->SetLoadMultiplier(2);
    return sign;
}

class ProjectFile : public ::testing::Test
{
protected:
    // The project of the golden file: one WYE with a signal head and a sign.
    void BuildWye(TWireConfigurationList &project) const
    {
        project.SetProjectName("Main St & 5th Ave");
        project.SetAuthor("R. Lindqvist");
        project.SetComments("Span wire replacement.\r\nPoles to be field verified.");
        project.SetProjectDate(Date(2024, 3, 7));
        project.LastRevision = Date(2024, 3, 9);
        TWireConfiguration *wye = project.AddSequence(stWYE);
        wye->SetIdentification("NE corner");
        wye->SetWireWeight(0.273);
        wye->SetMinSAG(3);
        wye->SetMaxSAG(4.5);
        wye->SetMinClearance(17.5);
        wye->Spans.SetLengthOf(1, 120);
        wye->Spans.SetLengthOf(2, 95);
        wye->Spans.SetLengthOf(3, 80);
        wye->Spans.SetAngleOf(1, 45);
        wye->Spans.SetAngleOf(2, 60);
        wye->Elevations.SetValueOf("PV", 100);
        wye->Elevations.SetValueOf("P1", 100.5);
        wye->Elevations.SetValueOf("P2", 99.8);
        wye->Elevations.SetValueOf("P3", 100.2);
        wye->Elevations.SetValueOf("T", 0.4);
        wye->Elevations.SetValueOf("U", -0.3);
        TBaseWire *span = wye->Spans.FindByNumber(1);
        span->AddSignal(NoLeftTurnSign(62.5));
        span->AddSignal(SignalHead(40));
    }

    std::string SaveText(TWireConfigurationList &project, const std::string &name = "job.xml") const
    {
        EXPECT_TRUE(project.Save(Folder.Path(name)));
        return Folder.Read(name);
    }

    TGlobalSetting Settings;
    ScratchFolder Folder;
};

TEST_F(ProjectFile, NewProjectWritesOnlyTheDatesOfItsDetails)
{
    TWireConfigurationList project(Settings.Parameters);
    project.SetProjectDate(Date(2024, 1, 5));
    project.LastRevision = Date(2023, 12, 31);

    EXPECT_EQ(SaveText(project),
        "<XML>\r\n<TARVO_CONFIGURATIONS>\r\n<PROJECT_DETAIL>\r\n"
        "\r\n<PROJECT_DATE>01/05/2024</PROJECT_DATE>\r\n\r\n\r\n"
        "<LAST_REVISION>12/31/2023</LAST_REVISION>\r\n"
        "</PROJECT_DETAIL>\r\n</TARVO_CONFIGURATIONS>\r\n</XML>\r\n");
}

TEST_F(ProjectFile, WyeProjectMatchesTheGoldenFileByteForByte)
{
    TWireConfigurationList project(Settings.Parameters);
    BuildWye(project);

    EXPECT_EQ(SaveText(project), ScratchFolder::ReadBytes(GoldenPath));
}

TEST_F(ProjectFile, GoldenFileReadAndWrittenAgainIsUnchanged)
{
    TWireConfigurationList project(Settings.Parameters);
    ASSERT_TRUE(project.Open(GoldenPath));
    EXPECT_FALSE(project.IsModified());

    EXPECT_EQ(SaveText(project), ScratchFolder::ReadBytes(GoldenPath));
}

TEST_F(ProjectFile, OpenReadsEveryStoredField)
{
    TWireConfigurationList written(Settings.Parameters);
    BuildWye(written);
    written.Save(Folder.Path("job.xml"));

    TWireConfigurationList project(Settings.Parameters);
    ASSERT_TRUE(project.Open(Folder.Path("job.xml")));
    EXPECT_EQ(project.ProjectName, "Main St & 5th Ave");
    EXPECT_EQ(project.Author, "R. Lindqvist");
    EXPECT_EQ(project.ProjectDate, Date(2024, 3, 7));
    EXPECT_EQ(project.LastRevision, Date(2024, 3, 9));
    ASSERT_EQ(project.Count(), 1);
    const TWireConfiguration &wye = *project.Objects(0);
    EXPECT_EQ(wye.Number, 1);
    EXPECT_EQ(wye.SequenceType, stWYE);
    EXPECT_EQ(wye.Identification, "NE corner");
    EXPECT_DOUBLE_EQ(wye.WireWeight, 0.273);
    EXPECT_DOUBLE_EQ(wye.MinSAG, 3);
    EXPECT_DOUBLE_EQ(wye.MaxSAG, 4.5);
    EXPECT_DOUBLE_EQ(wye.MinClearance, 17.5);
    EXPECT_DOUBLE_EQ(wye.Spans.FindByNumber(2)->Length, 95);
    EXPECT_DOUBLE_EQ(wye.Spans.FindByNumber(2)->Angle, 60);
    EXPECT_DOUBLE_EQ(wye.Elevations.ValueOf("U"), -0.3);
    EXPECT_EQ(wye.Elevations.EnteredFlags, "YYNNNNN");

    const TSignalList &signals = wye.Spans.FindByNumber(1)->Signals;
    ASSERT_EQ(signals.Count(), 2);
    const TBaseSignal &head = *signals.Objects(0);
    const TBaseSignal &sign = *signals.Objects(1);
    EXPECT_TRUE(head.IsSignal);
    EXPECT_EQ(head.Code, "S3A-12AL");
    EXPECT_EQ(head.Sections, 3);
    EXPECT_DOUBLE_EQ(head.Height, 3.5);
    EXPECT_FALSE(sign.IsSignal);
    EXPECT_EQ(sign.Number, 2);
    EXPECT_EQ(sign.Description, "30 x 36 in, <left lane>");
    EXPECT_DOUBLE_EQ(sign.SignArea, 7.5);
    EXPECT_DOUBLE_EQ(sign.LoadMultiplier, 2);
    EXPECT_DOUBLE_EQ(sign.AreaMultiplier, 1);
}

TEST_F(ProjectFile, SecondSaveWritesTheDateOfTheFirst)
{
    TWireConfigurationList project(Settings.Parameters);
    project.LastRevision = Date(2001, 2, 3);

    EXPECT_NE(SaveText(project).find("<LAST_REVISION>02/03/2001</LAST_REVISION>"), std::string::npos);
    const TDateTime firstSave = project.LastRevision;
    EXPECT_TRUE(firstSave.SameDay(TDateTime::Now()));

    EXPECT_NE(SaveText(project).find("<LAST_REVISION>" + DateToStr(firstSave) + "</LAST_REVISION>"), std::string::npos);
    EXPECT_TRUE(project.LastRevision.SameDay(TDateTime::Now()));
}

TEST_F(ProjectFile, SaveSetsFileNameAndClearsModified)
{
    TWireConfigurationList project(Settings.Parameters);
    BuildWye(project);
    project.Combinations.Add(std::make_unique<TCombination>())->SetPoleA(2);
    ASSERT_TRUE(project.IsModified());

    project.Save(Folder.Path("job.xml"));
    EXPECT_EQ(project.FileName, Folder.Path("job.xml"));
    EXPECT_FALSE(project.IsModified());
}

TEST_F(ProjectFile, SavingOverAFileMovesItToOldOnlyWhenNoOldExists)
{
    TWireConfigurationList project(Settings.Parameters);
    Folder.Write("job.xml", "first");
    project.Save(Folder.Path("job.xml"));
    EXPECT_EQ(Folder.Read("job.old"), "first");

    Folder.Write("job.xml", "second");
    const std::string saved = SaveText(project);
    EXPECT_EQ(Folder.Read("job.old"), "first") << "an existing backup stays";
    EXPECT_NE(saved.find("<TARVO_CONFIGURATIONS>"), std::string::npos);
    EXPECT_EQ(Folder.FileCount(), 2) << "no temporary file is left behind";
}

// A project opened through a link is saved into the file the link leads to,
// with its backup beside that file; the link stays.
TEST_F(ProjectFile, SavingThroughALinkKeepsTheLinkAndBacksUpItsFile)
{
    std::filesystem::create_directory(Folder.Dir / "jobs");
    Folder.Write("jobs/job.xml", "first");
    std::filesystem::create_symlink("jobs/job.xml", Folder.Dir / "current.xml");

    TWireConfigurationList project(Settings.Parameters);
    BuildWye(project);
    project.Save(Folder.Path("current.xml"));

    EXPECT_TRUE(std::filesystem::is_symlink(Folder.Dir / "current.xml"));
    EXPECT_EQ(Folder.Read("jobs/job.old"), "first");
    EXPECT_NE(Folder.Read("jobs/job.xml").find("<WYE_SEQUENCE>"), std::string::npos);
    EXPECT_EQ(project.FileName, Folder.Path("current.xml")) << "the next save goes through the link again";
    EXPECT_EQ(Folder.FileCount(), 2) << "no backup or temporary beside the link";
}

TEST_F(ProjectFile, FailedWriteLeavesThePreviousFileIntact)
{
    TWireConfigurationList project(Settings.Parameters);
    for (int i = 0; i < 40; ++i)
        project.AddSequence(stBox);
    Folder.Write("job.xml", "previous project");

    // The file size limit makes the write fail part way, as a full disk would.
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        project.Save(Folder.Path("job.xml"));
    } catch (const EFileError &error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_NE(message.find(Folder.Path("job.xml")), std::string::npos) << message;
    EXPECT_NE(message.find("too large"), std::string::npos) << message;
    EXPECT_EQ(Folder.Read("job.xml"), "previous project");
    EXPECT_EQ(Folder.FileCount(), 1) << "neither a backup nor a temporary file";
    EXPECT_TRUE(project.FileName.empty());
    EXPECT_TRUE(project.IsModified());
}

TEST_F(ProjectFile, UnwritableTargetsRaiseNamingThePath)
{
    TWireConfigurationList project(Settings.Parameters);
    std::filesystem::create_directories(Folder.Dir / "taken.xml" / "inside");
    for (const std::string &path : { Folder.Path("missing/job.xml"), Folder.Path("taken.xml") }) {
        SCOPED_TRACE(path);
        try {
            project.Save(path);
            ADD_FAILURE() << "saved";
        } catch (const EFileError &error) {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(Folder.FileCount(), 1) << "no temporary file is left behind";
}

TEST_F(ProjectFile, UniformSpanWritesNoSegmentsAndReadsBackDefaultOnes)
{
    TWireConfigurationList project(Settings.Parameters);
    TWireConfiguration *simple = project.AddSequence(stSimple);
    simple->SetWireWeight(0.205);
    simple->Spans.SetLengthOf(1, 100);
    simple->Spans.FindByNumber(1)->AddSignal(SignalHead(70));
    simple->Spans.FindByNumber(1)->AddSignal(SignalHead(30));
    EXPECT_EQ(SaveText(project).find("SEGMENT"), std::string::npos);

    TWireConfigurationList read(Settings.Parameters);
    ASSERT_TRUE(read.Open(Folder.Path("job.xml")));
    const TSegmentList &segments = read.Objects(0)->Spans.FindByNumber(1)->Segments;
    ASSERT_EQ(segments.Count(), 3);
    const double lengths[] = { 30, 40, 30 };
    for (int i = 0; i < 3; ++i) {
        const TBaseSegment &segment = *segments.Objects(i);
        EXPECT_DOUBLE_EQ(segment.Length, lengths[i]);
        ASSERT_EQ(segment.Compositions.Count(), 1);
        EXPECT_EQ(segment.Compositions.Objects(0)->WireCode, "FIX");
        EXPECT_DOUBLE_EQ(segment.Compositions.Objects(0)->WireWeight, 0.205);
    }
}

TEST_F(ProjectFile, VariableWeightsComeBackInEverySegment)
{
    TWireConfigurationList project(Settings.Parameters);
    TWireConfiguration *simple = project.AddSequence(stSimple);
    simple->SetVariableWires(true);
    simple->Spans.SetLengthOf(1, 150);
    TBaseWire *span = simple->Spans.FindByNumber(1);
    span->AddSignal(SignalHead(50));
    span->AddSignal(SignalHead(100));
    for (TBaseSegment *segment : span->Segments) {
        auto cable = std::make_unique<TSegmentComposition>();
        cable->SetWireCode("SC-7C14");
        cable->SetWireType("SIGNAL CABLE");
        cable->SetDescription("7/C #14 AWG");
        cable->SetWireWeight(0.16);
        cable->SetOccurrence(segment->StartPoint + 1);
        segment->Compositions.Add(std::move(cable));
    }
    SaveText(project);

    TWireConfigurationList read(Settings.Parameters);
    ASSERT_TRUE(read.Open(Folder.Path("job.xml")));
    const TBaseWire &readSpan = *read.Objects(0)->Spans.FindByNumber(1);
    EXPECT_FALSE(readSpan.UniformWeight);
    ASSERT_EQ(readSpan.Segments.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TBaseSegment &segment = *readSpan.Segments.Objects(i);
        SCOPED_TRACE(segment.StartPoint);
        ASSERT_EQ(segment.Compositions.Count(), 2);
        const TSegmentComposition &cable = *segment.Compositions.Objects(1);
        EXPECT_EQ(cable.WireCode, "SC-7C14");
        EXPECT_EQ(cable.WireType, "SIGNAL CABLE");
        EXPECT_EQ(cable.Description, "7/C #14 AWG");
        EXPECT_DOUBLE_EQ(cable.WireWeight, 0.16);
        EXPECT_EQ(cable.Occurrence, segment.StartPoint + 1);
        EXPECT_EQ(cable.SegmentNumber, segment.StartPoint);
    }
    EXPECT_DOUBLE_EQ(readSpan.Segments.Objects(2)->Length, 50);
}

TEST_F(ProjectFile, CombinationsFollowTheSequencesAndKeepTheirOrder)
{
    TWireConfigurationList project(Settings.Parameters);
    project.AddSequence(stWYE);
    project.AddSequence(stSimple);
    for (int i = 0; i < 2; ++i) {
        TCombination *combination = project.Combinations.Add(std::make_unique<TCombination>());
        combination->SetNumber(i);
        combination->SetPoleA(3 - i);
        combination->SetSequenceA(1);
        combination->SetPoleB(1);
        combination->SetSequenceB(2);
        combination->SetABAngle(92.5 + i);
        combination->SetRotationOne(Pi / 2);
        combination->SetRotationTwo(Pi * i);
    }
    const std::string text = SaveText(project);
    EXPECT_LT(text.rfind("</SIMPLE_SEQUENCE>"), text.find("<COMBINATION>"));

    TWireConfigurationList read(Settings.Parameters);
    ASSERT_TRUE(read.Open(Folder.Path("job.xml")));
    ASSERT_EQ(read.Combinations.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const TCombination &combination = *read.Combinations.Objects(i);
        EXPECT_EQ(combination.Number, i);
        EXPECT_EQ(combination.PoleA, 3 - i);
        EXPECT_EQ(combination.SequenceB, 2);
        EXPECT_DOUBLE_EQ(combination.ABAngle, 92.5 + i);
        EXPECT_NEAR(combination.RotationOne, Pi / 2, 1e-14);
        EXPECT_NEAR(combination.RotationTwo, Pi * i, 1e-14);
        EXPECT_EQ(combination.Results.Count(), 0);
    }
}

TEST_F(ProjectFile, CommentsOfSeveralLinesComeBackWithCrLf)
{
    TWireConfigurationList project(Settings.Parameters);
    project.SetComments("first line\nsecond < third\rlast");
    SaveText(project);

    TWireConfigurationList read(Settings.Parameters);
    ASSERT_TRUE(read.Open(Folder.Path("job.xml")));
    EXPECT_EQ(read.Comments, "first line\r\nsecond < third\r\nlast");
}

TEST_F(ProjectFile, EmptiedIdentificationReadsBackAsTheTypeName)
{
    TWireConfigurationList project(Settings.Parameters);
    project.AddSequence(stHybrid)->SetIdentification("");
    EXPECT_EQ(SaveText(project).find("SEQUENCE_ID"), std::string::npos);

    TWireConfigurationList read(Settings.Parameters);
    ASSERT_TRUE(read.Open(Folder.Path("job.xml")));
    EXPECT_EQ(read.Objects(0)->Identification, "Hybrid");
}

// Hand-written files: LF line ends, only some elements.
class ProjectFileReading : public ProjectFile
{
protected:
    TWireConfigurationList &OpenText(const std::string &body, bool expected = true)
    {
        Folder.Write("hand.xml", "<XML>\n<TARVO_CONFIGURATIONS>\n" + body + "</TARVO_CONFIGURATIONS>\n</XML>\n");
        EXPECT_EQ(Project.Open(Folder.Path("hand.xml")), expected);
        return Project;
    }

    TWireConfigurationList Project { Settings.Parameters };
};

TEST_F(ProjectFileReading, AbsentElementsKeepTheValuesOfCreation)
{
    Settings.Parameters.Warp = true;
    Settings.Parameters.MinClearance = 18;
    Project.SetAuthor("kept");
    OpenText("<BOX_SEQUENCE>\n<SEQUENCE_NUMBER>4</SEQUENCE_NUMBER>\n<MYSTERY>1</MYSTERY>\n</BOX_SEQUENCE>\n<EXTRA>x</"
             "EXTRA>\n");

    EXPECT_EQ(Project.Author, "kept");
    ASSERT_EQ(Project.Count(), 1);
    const TWireConfiguration &box = *Project.Objects(0);
    EXPECT_EQ(box.Number, 1) << "the only sequence, numbered 4, is renumbered";
    EXPECT_EQ(box.Identification, "Box");
    EXPECT_TRUE(box.BoxWarp);
    EXPECT_DOUBLE_EQ(box.MinClearance, 18);
    EXPECT_EQ(box.Spans.Count(), 8);
    EXPECT_FALSE(Project.IsModified());
}

// A stray end tag after the sequences needs the whole-tree rules: what was
// read on the way there counts once.
TEST_F(ProjectFileReading, FileReadAgainWholeKeepsEachSequenceOnce)
{
    Project.SetAuthor("kept");
    OpenText("<PROJECT_DETAIL>\n<PROJECT_NAME>Depot</PROJECT_NAME>\n</PROJECT_DETAIL>\n"
             "<WYE_SEQUENCE>\n<SEQUENCE_NUMBER>1</SEQUENCE_NUMBER>\n</WYE_SEQUENCE>\n"
             "<BOX_SEQUENCE>\n<SEQUENCE_NUMBER>2</SEQUENCE_NUMBER>\n</BOX_SEQUENCE>\n"
             "<COMBINATION>\n<SEQUENCE_A>1</SEQUENCE_A>\n</COMBINATION>\n"
             "</STRAY>\n");

    ASSERT_EQ(Project.Count(), 2);
    EXPECT_EQ(Project.Objects(1)->Identification, "Box");
    EXPECT_EQ(Project.Combinations.Count(), 1);
    EXPECT_EQ(Project.ProjectName, "Depot");
    EXPECT_EQ(Project.Author, "kept");
    EXPECT_TRUE(Project.ReadNotes.empty());
    EXPECT_FALSE(Project.IsModified());
}

TEST_F(ProjectFileReading, ElementsWithoutAPlaceAreNamedWithTheFileAndSequence)
{
    OpenText("<H_SEQUENCE>\n<SEQUENCE_NUMBER>3</SEQUENCE_NUMBER>\n"
             "<WIRE>\n<WIRE_NUMBER>9</WIRE_NUMBER>\n<SIGNAL><SIGNAL_NUMBER>1</SIGNAL_NUMBER></SIGNAL>\n"
             "<SIGNAL><SIGNAL_NUMBER>2</SIGNAL_NUMBER></SIGNAL>\n</WIRE>\n"
             "<WIRE>\n<WIRE_NUMBER>1</WIRE_NUMBER>\n<SEGMENT><COMPOSITION></COMPOSITION></SEGMENT>\n</WIRE>\n</H_SEQUENCE>\n"
             "<WYE_SEQUENCE>\n<SEQUENCE_NUMBER>4</SEQUENCE_NUMBER>\n</WYE_SEQUENCE>\n");

    // The elements left out are named as the file numbers their sequence,
    // and the renumbering comes last, under no heading of theirs.
    const std::string file = Folder.Path("hand.xml");
    const std::string heading = TReadNote::LeftOutHeading, ending = TReadNote::LeftOutEnding;
    EXPECT_EQ(Project.ReadNotes,
              (std::vector<TReadNote>{
                  {file + ": sequence 3 (H_SEQUENCE): WIRE_NUMBER 9 names no span (spans 1 to 5); the element was "
                          "skipped, with its 2 signals",
                   heading, ending},
                  {file + ": sequence 3 (H_SEQUENCE): span 1: a SEGMENT element without SEGMENT_NUMBER was skipped, "
                          "with its wire weights",
                   heading, ending},
                  {file + ": the sequences were numbered 3, 4 and are now numbered 1, 2, in the order they stand. "
                          "Saving the project writes them renumbered.",
                   "", ""}}));
    EXPECT_EQ(ReadNotesMessage(Project.ReadNotes),
              heading + "\n" + Project.ReadNotes[0].Text + "\n" + Project.ReadNotes[1].Text + "\n" + ending + "\n\n"
                  + Project.ReadNotes[2].Text);
    EXPECT_FALSE(Project.IsModified());

    Project.Close(); // as the Open command does first
    OpenText("<WYE_SEQUENCE>\n<SEQUENCE_NUMBER>1</SEQUENCE_NUMBER>\n</WYE_SEQUENCE>\n");
    EXPECT_TRUE(Project.ReadNotes.empty()) << "a clean file leaves nothing of the last one's notes";
}

// Everything after opening takes the numbers for 1 to n: a file whose
// numbers have a gap, a repeat or another order is read as it stands, its
// combinations following their sequences, and the reader is told.
TEST_F(ProjectFileReading, SequencesAreRenumberedInTheOrderTheyStand)
{
    const auto sequence = [](int number) {
        return "<WYE_SEQUENCE>\n<SEQUENCE_NUMBER>" + std::to_string(number) + "</SEQUENCE_NUMBER>\n</WYE_SEQUENCE>\n";
    };
    const auto combination = [](int a, int b) {
        return "<COMBINATION>\n<COMBINATION_NUMBER>0</COMBINATION_NUMBER>\n<POLE_A>2</POLE_A>\n<SEQUENCE_A>"
               + std::to_string(a) + "</SEQUENCE_A>\n<POLE_B>1</POLE_B>\n<SEQUENCE_B>" + std::to_string(b)
               + "</SEQUENCE_B>\n</COMBINATION>\n";
    };
    const std::string ending = ". Saving the project writes them renumbered.";
    const struct {
        const char *Name;
        std::vector<int> Numbers;
        std::pair<int, int> Combined, Expected;
        std::string Note; // after the file's name; empty: no note
    } cases[] = {
        {"in order", {1, 2}, {1, 2}, {1, 2}, ""},
        {"gap", {1, 5}, {1, 5}, {1, 2}, "the sequences were numbered 1, 5 and are now numbered 1, 2, in the order they stand" + ending},
        {"other order", {2, 1}, {2, 1}, {1, 2}, "the sequences were numbered 2, 1 and are now numbered 1, 2, in the order they stand" + ending},
        {"repeat", {1, 1}, {1, 1}, {1, 1},
         "the sequences were numbered 1, 1 and are now numbered 1, 2, in the order they stand; the combination 0 "
         "(sequences 1 and 1) names sequence 1, which 2 sequences carried: it stays with the first, now 1; the "
         "combination 0 (sequences 1 and 1) names sequence 1, which 2 sequences carried: it stays with the first, now 1"
             + ending},
        // A number no sequence carried must not come to name one.
        {"missing below", {3, 4}, {2, 4}, {0, 2},
         "the sequences were numbered 3, 4 and are now numbered 1, 2, in the order they stand; the combination 0 "
         "(sequences 2 and 4) names sequence 2, which no sequence carried: it names 0 now, so as not to name another"
             + ending},
        {"missing above", {3, 4}, {3, 9}, {1, 9}, "the sequences were numbered 3, 4 and are now numbered 1, 2, in the order they stand" + ending},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        Project.Close();
        std::string body;
        for (int number : c.Numbers)
            body += sequence(number);
        OpenText(body + combination(c.Combined.first, c.Combined.second));

        ASSERT_EQ(Project.Count(), static_cast<int>(c.Numbers.size()));
        for (int i = 0; i < Project.Count(); ++i)
            EXPECT_EQ(Project.Objects(i)->Number, i + 1);
        const TCombination &combined = *Project.Combinations.First();
        EXPECT_EQ(std::pair(combined.SequenceA, combined.SequenceB), c.Expected);
        if (c.Note.empty())
            EXPECT_TRUE(Project.ReadNotes.empty());
        else
            EXPECT_EQ(Project.ReadNotes, (std::vector<TReadNote>{{Folder.Path("hand.xml") + ": " + c.Note, "", ""}}));
        EXPECT_FALSE(Project.IsModified()) << "what was read is the file's content";
    }
}

TEST(SequenceNumbers, ListsShortenRunsOfThreeOrMore)
{
    EXPECT_EQ(NumberList({}), "");
    EXPECT_EQ(NumberList({1, 1}), "1, 1");
    EXPECT_EQ(NumberList({1, 2}), "1, 2");
    EXPECT_EQ(NumberList({1, 2, 3, 5, 7, 8, 9, 10, 4}), "1-3, 5, 7-10, 4");
    EXPECT_EQ(NumberList({2147483647, -2147483647 - 1}), "2147483647, -2147483648");
}

TEST_F(ProjectFileReading, OpeningClearsTheMarksOfTheWholeProject)
{
    Project.AddSequence(1)->SetMinSAG(2.5);
    ASSERT_TRUE(Project.IsModified());
    OpenText("<WYE_SEQUENCE>\n<SEQUENCE_NUMBER>2</SEQUENCE_NUMBER>\n</WYE_SEQUENCE>\n"
             "<COMBINATION>\n<SEQUENCE_A>1</SEQUENCE_A>\n</COMBINATION>\n");

    ASSERT_EQ(Project.Count(), 2);
    EXPECT_FALSE(Project.Objects(0)->IsModified());
    EXPECT_FALSE(Project.Objects(1)->IsModified());
    EXPECT_FALSE(Project.Combinations.IsModified());
    EXPECT_FALSE(Project.IsModified());
}

TEST_F(ProjectFileReading, WyeIgnoresABaseElevationItDoesNotHave)
{
    OpenText("<WYE_SEQUENCE>\n<ELEVATIONS>\n<BE_P1>101.5</BE_P1>\n<BE_P4>99</BE_P4>\n<ED_U>0.5</ED_U>\n"
             "</ELEVATIONS>\n</WYE_SEQUENCE>\n");

    const TElevationList &points = Project.Objects(0)->Elevations;
    EXPECT_DOUBLE_EQ(points.ValueOf("P1"), 101.5);
    EXPECT_EQ(points.FindByName("P4"), nullptr);
    EXPECT_DOUBLE_EQ(points.ValueOf("U"), 0.5);
    EXPECT_EQ(points.EnteredFlags, "NYNNNNN");
}

TEST_F(ProjectFileReading, FileWithoutAnXmlElementIsRefusedButNamed)
{
    for (const char *text : { "", "<XML></XML>", "<TARVO_CONFIGURATIONS></TARVO_CONFIGURATIONS>" }) {
        SCOPED_TRACE(text);
        Folder.Write("bad.xml", text);
        TWireConfigurationList project(Settings.Parameters);
        EXPECT_FALSE(project.Open(Folder.Path("bad.xml")));
        EXPECT_EQ(project.FileName, Folder.Path("bad.xml"));
        EXPECT_EQ(project.Count(), 0);
    }
}

TEST_F(ProjectFileReading, OtherRootElementOpensAsAnEmptyProject)
{
    Folder.Write(
        "other.xml", "<?xml version=\"1.0\"?>\n<XML><CATALOGUE><WYE_SEQUENCE></WYE_SEQUENCE></CATALOGUE></XML>");
    EXPECT_TRUE(Project.Open(Folder.Path("other.xml")));
    EXPECT_EQ(Project.Count(), 0);
}

TEST_F(ProjectFileReading, MissingFileRaisesNamingIt)
{
    try {
        Project.Open(Folder.Path("nowhere.xml"));
        FAIL() << "opened";
    } catch (const EFileError &error) {
        EXPECT_NE(std::string(error.what()).find(Folder.Path("nowhere.xml")), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos) << error.what();
    }
}

TEST_F(ProjectFileReading, VeryManySignalsOnOneSpanReadInLinearTime)
{
    // Signals with broken numbers, a length that cuts half of them off, and
    // segments in reverse order: a scan per item would take minutes here.
    const int count = 40000;
    std::string body = "<SIMPLE_SEQUENCE>\n<SEQUENCE_VARIABLE_WIRES>Y</SEQUENCE_VARIABLE_WIRES>\n<WIRE>\n"
                       "<WIRE_NUMBER>1</WIRE_NUMBER>\n<WIRE_LENGTH>50000</WIRE_LENGTH>\n";
    for (int i = 1; i <= count; ++i)
        body += "<SIGNAL><SIGNAL_NUMBER>1</SIGNAL_NUMBER><SIGNAL_DISTANCE>" + std::to_string(i)
            + "</SIGNAL_DISTANCE></SIGNAL>\n";
    for (int i = count; i >= 0; --i)
        body += "<SEGMENT><SEGMENT_NUMBER>" + std::to_string(i)
            + "</SEGMENT_NUMBER><COMPOSITION><WIRE_OCCURRENCE>2"
              "</WIRE_OCCURRENCE></COMPOSITION></SEGMENT>\n";
    body += "<WIRE_LENGTH>20000.5</WIRE_LENGTH>\n</WIRE>\n</SIMPLE_SEQUENCE>\n";

    const auto start = std::chrono::steady_clock::now();
    OpenText(body);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    const TBaseWire &span = *Project.Objects(0)->Spans.FindByNumber(1);
    ASSERT_EQ(span.Signals.Count(), 20000) << "the signals at or beyond the new length are gone";
    EXPECT_EQ(span.Signals.Last()->Number, 20000);
    EXPECT_DOUBLE_EQ(span.Signals.Last()->Distance, 20000);
    EXPECT_EQ(span.Segments.Objects(123)->Compositions.Objects(0)->Occurrence, 2);
}

struct BadValueCase : test::TNamedCase {
    const char *Body;
    const char *Element;
    const char *Text;
    int SequencesKept;
};

class ProjectFileBadValue : public ProjectFileReading, public ::testing::WithParamInterface<BadValueCase>
{
};

TEST_P(ProjectFileBadValue, StopsReadingWithAnErrorNamingFileElementAndText)
{
    const BadValueCase &bad = GetParam();
    const std::string complete = "<SIMPLE_SEQUENCE>\n<SEQUENCE_NUMBER>1</SEQUENCE_NUMBER>\n</SIMPLE_SEQUENCE>\n";
    Folder.Write("bad.xml",
        std::string("<XML>\n<TARVO_CONFIGURATIONS>\n") + complete + bad.Body + "</TARVO_CONFIGURATIONS>\n</XML>\n");
    std::string message;
    try {
        Project.Open(Folder.Path("bad.xml"));
    } catch (const EConvertError &error) {
        message = error.what();
    }
    for (const std::string &part :
        { Folder.Path("bad.xml"), std::string(bad.Element), "'" + std::string(bad.Text) + "'" })
        EXPECT_NE(message.find(part), std::string::npos) << message << " lacks " << part;
    EXPECT_EQ(Project.Count(), bad.SequencesKept);
    EXPECT_EQ(Project.FileName, Folder.Path("bad.xml"));
    EXPECT_TRUE(Project.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Values, ProjectFileBadValue,
    ::testing::Values(BadValueCase { "SEQUENCE_MAX_SAG", "<WYE_SEQUENCE>\n<SEQUENCE_MAX_SAG>abc</SEQUENCE_MAX_SAG>\n</WYE_SEQUENCE>\n",
                          "SEQUENCE_MAX_SAG", "abc", 1 },
        BadValueCase { "PROJECT_DATE", "<PROJECT_DETAIL>\n<PROJECT_DATE>13/45/2020</PROJECT_DATE>\n</PROJECT_DETAIL>\n", "PROJECT_DATE",
            "13/45/2020", 1 },
        BadValueCase { "SIGNAL_DISTANCE",
            "<H_SEQUENCE>\n<WIRE>\n<WIRE_NUMBER>2</WIRE_NUMBER>\n<SIGNAL>\n<SIGNAL_DISTANCE>4O</SIGNAL_DISTANCE>"
            "\n</SIGNAL>\n</WIRE>\n</H_SEQUENCE>\n",
            "SIGNAL_DISTANCE", "4O", 1 },
        BadValueCase { "POLE_A", "<COMBINATION>\n<POLE_A>1.5</POLE_A>\n</COMBINATION>\n", "POLE_A", "1.5", 1 }),
    test::CaseName());

// Where a file can be cut short: before and after every tag, inside every
// tag name and in the middle of every value, up to the end of "</XML>".
std::vector<size_t> CutPoints(const std::string &text)
{
    std::vector<size_t> cuts;
    const size_t first = text.find("<XML>") + 5;
    const size_t last = text.rfind("</XML>") + 5;
    for (size_t at = first; at <= last; ++at) {
        if (text[at] == '<' || text[at - 1] == '>' || (text[at - 1] == '<' && at + 1 <= last))
            cuts.push_back(at);
        if (text[at] == '>' && at + 1 < text.size() && text[at + 1] != '<' && text[at + 1] != '\r') {
            const size_t valueEnd = text.find('<', at + 1);
            cuts.push_back(at + 1 + (valueEnd - at - 1) / 2);
        }
    }
    cuts.push_back(last); // "</XML" without its ">"
    return cuts;
}

class CutShortProject : public ProjectFileReading
{
protected:
    // What was open before the damaged file was tried.
    void SetUp() override
    {
        Project.AddSequence(stH)->SetIdentification("open before");
        Project.FileName = "before.xml";
    }

    void ExpectOpenIsRefusedAndProjectKept(const std::string &cut, const std::string &what)
    {
        SCOPED_TRACE(what);
        Folder.Write("cut.xml", cut);
        const bool wasModified = Project.IsModified();
        try {
            Project.Open(Folder.Path("cut.xml"));
            ADD_FAILURE() << "read as whole";
        } catch (const EXMLUnclosedElement &error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind(Folder.Path("cut.xml") + ", line ", 0), 0u) << message;
            EXPECT_NE(message.find("the file is damaged or cut short"), std::string::npos) << message;
        }
        ASSERT_EQ(Project.Count(), 1);
        EXPECT_EQ(Project.Objects(0)->Identification, "open before");
        EXPECT_EQ(Project.FileName, "before.xml");
        EXPECT_EQ(Project.IsModified(), wasModified);
    }
};

TEST_F(CutShortProject, EveryCutBeforeTheEndIsRefusedAndTheOpenProjectKept)
{
    const std::string whole = ScratchFolder::ReadBytes(std::string(CORVADEL_SOURCE_DIR) + "/examples/intersection.xml");
    const std::vector<size_t> cuts = CutPoints(whole);
    ASSERT_GT(cuts.size(), 1000u);
    for (const size_t cut : cuts) {
        ExpectOpenIsRefusedAndProjectKept(whole.substr(0, cut), "cut after byte " + std::to_string(cut));
        if (HasFailure())
            return;
    }
    // Too short to hold the start of a project: not taken for one.
    for (size_t cut = 0; cut < whole.find("<XML>") + 5; ++cut) {
        Folder.Write("cut.xml", whole.substr(0, cut));
        EXPECT_FALSE(Project.Open(Folder.Path("cut.xml"))) << cut;
    }
}

TEST_F(CutShortProject, NamesTheElementCutAndTheLineItStartsOn)
{
    const std::string whole = ScratchFolder::ReadBytes(GoldenPath);
    const size_t value = whole.find("<SIGNAL_HANGER>") + 15;
    const int line = 1 + static_cast<int>(std::count(whole.begin(), whole.begin() + value, '\n'));
    Folder.Write("cut.xml", whole.substr(0, value + 1));
    try {
        Project.Open(Folder.Path("cut.xml"));
        FAIL() << "read as whole";
    } catch (const EXMLUnclosedElement &error) {
        EXPECT_EQ(error.Element, "SIGNAL_HANGER");
        EXPECT_EQ(error.Line, line);
    }
}

TEST_F(CutShortProject, AnElementLeftOpenInsideAWholeFileIsRefusedToo)
{
    std::string text = ScratchFolder::ReadBytes(GoldenPath);
    text.erase(text.find("</WIRE>"), 7);
    ExpectOpenIsRefusedAndProjectKept(text, "first </WIRE> removed");
}

TEST(ProjectFiles, EveryExampleAndGoldenFileReads)
{
    std::vector<std::filesystem::path> files { GoldenPath };
    for (const auto &entry : std::filesystem::directory_iterator(std::string(CORVADEL_SOURCE_DIR) + "/examples"))
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path());
    ASSERT_GT(files.size(), 5u);
    for (const auto &file : files) {
        TGlobalSetting settings;
        TWireConfigurationList project(settings.Parameters);
        EXPECT_NO_THROW(EXPECT_TRUE(project.Open(file.string()))) << file;
        EXPECT_GT(project.Count(), 0) << file;
    }
}

} // namespace

// The span wire and the allowable moments are written only when given,
// each where it belongs: every file without them stays as it was.
TEST_F(ProjectFile, SpanWireAndAllowableMomentsRoundTripWhereTheyBelong)
{
    TWireConfigurationList project(Settings.Parameters);
    BuildWye(project);
    TWireConfiguration *wye = project.FindByNumber(1);
    wye->SetSpanWire("EHS-3/8");
    wye->Poles.FindByNumber(2)->SetAllowableMoment(45000);
    wye->Poles.FindByNumber(3)->SetAllowableMoment(52000.5);

    std::string expected = ScratchFolder::ReadBytes(GoldenPath);
    const std::string weight = "<SEQUENCE_WIRE_WEIGHT>0.273</SEQUENCE_WIRE_WEIGHT>\r\n";
    expected.insert(expected.find(weight) + weight.size(), "<SEQUENCE_SPAN_WIRE>EHS-3/8</SEQUENCE_SPAN_WIRE>\r\n");
    const std::string elevationsEnd = "</ELEVATIONS>\r\n";
    expected.insert(expected.find(elevationsEnd) + elevationsEnd.size(),
                    "<POLE_ALLOWABLE_MOMENT>\r\n<POLE_NUMBER>2</POLE_NUMBER>\r\n<ALLOWABLE_MOMENT>45000</ALLOWABLE_MOMENT>\r\n"
                    "</POLE_ALLOWABLE_MOMENT>\r\n"
                    "<POLE_ALLOWABLE_MOMENT>\r\n<POLE_NUMBER>3</POLE_NUMBER>\r\n<ALLOWABLE_MOMENT>52000.5</ALLOWABLE_MOMENT>\r\n"
                    "</POLE_ALLOWABLE_MOMENT>\r\n");
    const std::string written = SaveText(project);
    EXPECT_EQ(written, expected);

    TWireConfigurationList read(Settings.Parameters);
    ASSERT_TRUE(read.Open(Folder.Path("job.xml")));
    EXPECT_TRUE(read.ReadNotes.empty());
    const TWireConfiguration &back = *read.FindByNumber(1);
    EXPECT_EQ(back.SpanWire, "EHS-3/8");
    EXPECT_EQ(back.Poles.FindByNumber(1)->AllowableMoment, 0);
    EXPECT_EQ(back.Poles.FindByNumber(2)->AllowableMoment, 45000);
    EXPECT_EQ(back.Poles.FindByNumber(3)->AllowableMoment, 52000.5);
    EXPECT_EQ(SaveText(read, "again.xml"), written);

    // A duplicate keeps them; clearing them gives the golden file back.
    const TWireConfiguration copy(back);
    EXPECT_EQ(copy.SpanWire, "EHS-3/8");
    EXPECT_EQ(copy.Poles.FindByNumber(3)->AllowableMoment, 52000.5);
    wye->SetSpanWire({});
    wye->Poles.FindByNumber(2)->SetAllowableMoment(0);
    wye->Poles.FindByNumber(3)->SetAllowableMoment(0);
    project.LastRevision = Date(2024, 3, 9); // as the golden file has it
    EXPECT_EQ(SaveText(project, "cleared.xml"), ScratchFolder::ReadBytes(GoldenPath));
}

TEST_F(ProjectFileReading, AllowableMomentsWithoutAPoleOrAboveZeroAreLeftOutAndNamed)
{
    const struct {
        const char *Name;
        const char *Element;
        const char *Note; // part of the note, "" for none
        double Pole3;
    } cases[] = {
        {"a pole of the type", "<POLE_NUMBER>3</POLE_NUMBER><ALLOWABLE_MOMENT>30000</ALLOWABLE_MOMENT>", "", 30000},
        {"a ring", "<POLE_NUMBER>100</POLE_NUMBER><ALLOWABLE_MOMENT>30000</ALLOWABLE_MOMENT>",
         "naming pole 100, which the sequence lacks", 0},
        {"a pole the WYE lacks", "<POLE_NUMBER>5</POLE_NUMBER><ALLOWABLE_MOMENT>30000</ALLOWABLE_MOMENT>",
         "naming pole 5", 0},
        {"no moment", "<POLE_NUMBER>3</POLE_NUMBER>", "or ALLOWABLE_MOMENT", 0},
        {"zero", "<POLE_NUMBER>3</POLE_NUMBER><ALLOWABLE_MOMENT>0</ALLOWABLE_MOMENT>", "is not above 0", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        Folder.Write("moments.xml", std::string("<XML><TARVO_CONFIGURATIONS><WYE_SEQUENCE><SEQUENCE_NUMBER>1</SEQUENCE_NUMBER>"
                                                "<POLE_ALLOWABLE_MOMENT>") +
                                        c.Element + "</POLE_ALLOWABLE_MOMENT></WYE_SEQUENCE></TARVO_CONFIGURATIONS></XML>");
        TWireConfigurationList project(Settings.Parameters);
        ASSERT_TRUE(project.Open(Folder.Path("moments.xml")));
        EXPECT_EQ(project.First()->Poles.FindByNumber(3)->AllowableMoment, c.Pole3);
        if (*c.Note == '\0') {
            EXPECT_TRUE(project.ReadNotes.empty());
            continue;
        }
        ASSERT_EQ(project.ReadNotes.size(), 1u);
        EXPECT_NE(project.ReadNotes[0].Text.find(c.Note), std::string::npos) << project.ReadNotes[0].Text;
        EXPECT_NE(project.ReadNotes[0].Text.find("moments.xml: sequence 1 (WYE_SEQUENCE)"), std::string::npos);
    }
}
