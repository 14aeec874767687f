#include "../support/NamedCase.h"
#include "../support/ScratchFolder.h"
#include "uGlobalSettings.h"
#include "uWires.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace corvadel;
using corvadel::test::ScratchFolder;

namespace {

const std::string Header = "[GENERAL]\r\nAPPLICATION=TARVO\r\nTABLE=WIRES\r\n";

// "SIGNAL s.k" value: 16 fields, then the multiplier remainder.
std::string SignalLine(int number, double distance, const std::string &remainder = "N")
{
    return std::to_string(number) + ",Y,,S3A,S3A-12AL,Aluminum,,12,3,45,0,3.5,4.1,0," + FloatToStr(distance) + ",45,"
           + remainder;
}

class Import : public ::testing::Test
{
protected:
    // Imports `text` from legacy.sws.
    bool ImportText(const std::string &text)
    {
        Folder.Write("legacy.sws", text);
        return Project.Import(Folder.Path("legacy.sws"));
    }

    bool ImportOneSequence(const std::string &keys, int type = stWYE)
    {
        return ImportText(Header + "SEQUENCES=1\r\n[SEQUENCE 1]\r\nNUMBER=1\r\nTYPE=" + std::to_string(type) + "\r\n"
                          + keys);
    }

    const TWireConfiguration &Sequence(int index = 0) const { return *Project.Objects(index); }

    TGlobalSetting Settings;
    ScratchFolder Folder;
    TWireConfigurationList Project{Settings.Parameters};
};

TEST_F(Import, ReadsEveryKeyOfAProject)
{
    ASSERT_TRUE(ImportText(Header
                           + "SEQUENCES=2\r\nCOMBINATIONS=1\r\nPROJECT NAME=Elm & 3rd\r\nPROJECT DATE=04/18/2019\r\n"
                             "AUTHOR=K. Osei\r\nCOMMENTS=Existing poles.\x1fNew wire.\r\nLAST REVISION=05/02/2019\r\n"
                             "[COMBINATIONS]\r\nC 0=0,3,1,1,2,87.5\r\n"
                             "[SEQUENCE 1]\r\nNUMBER=1\r\nTYPE=6\r\nIDENTIFICATION=Box north\r\nWIRE WEIGHT=0.517\r\n"
                             "MIN SAG=2.5\r\nMAX SAG=4\r\nMIN CLEARANCE G2W=17\r\nVARIABLE WIRES=y\r\nBOX WARP=Y\r\n"
                             "WIRE LENGTHS=110,50,50,105,50,95,50,120\r\n"
                             "ANGLES=45,90,45,90,45,90,90,45\r\n"
                             "ELEVATION DIFFERENCES=0.1,0.2,0.3,0.4,0.5,0.6,0.7,0.8\r\n"
                             "ELEVATION ENABLED=NNNNYYY\r\nBASE ELEVATIONS=100,100.5,99.5,101,100.25,98\r\n"
                             "SIGNAL 1.1=1,N,x,One Way,R6-1,,36 x 12,0,0,8.6,5,0,0.3,3,60,1.2,1,3\r\n"
                             "[SEQUENCE 2]\r\nNUMBER=2\r\nTYPE=1\r\nWIRE LENGTHS=140\r\nANGLES=0\r\n"
                             "SIGNAL 1.1="
                           + SignalLine(1, 70, "Y") + "\r\n"));

    EXPECT_EQ(Project.ProjectName, "Elm & 3rd");
    EXPECT_EQ(Project.Author, "K. Osei");
    EXPECT_EQ(Project.Comments, "Existing poles.\r\nNew wire.");
    EXPECT_EQ(DateToStr(Project.ProjectDate), "04/18/2019");
    EXPECT_EQ(DateToStr(Project.LastRevision), "05/02/2019");
    ASSERT_EQ(Project.Combinations.Count(), 1);
    const TCombination &combination = *Project.Combinations.Objects(0);
    EXPECT_EQ(combination.PoleA, 3);
    EXPECT_EQ(combination.SequenceA, 1);
    EXPECT_EQ(combination.PoleB, 1);
    EXPECT_EQ(combination.SequenceB, 2);
    EXPECT_DOUBLE_EQ(combination.ABAngle, 87.5);

    ASSERT_EQ(Project.Count(), 2);
    const TWireConfiguration &box = Sequence(0);
    EXPECT_EQ(box.SequenceType, stBox);
    EXPECT_EQ(box.Identification, "Box north");
    EXPECT_DOUBLE_EQ(box.WireWeight, 0.517);
    EXPECT_DOUBLE_EQ(box.MinSAG, 2.5);
    EXPECT_DOUBLE_EQ(box.MaxSAG, 4);
    EXPECT_DOUBLE_EQ(box.MinClearance, 17);
    EXPECT_TRUE(box.VariableWires);
    EXPECT_TRUE(box.BoxWarp);
    EXPECT_DOUBLE_EQ(box.Spans.FindByNumber(8)->Length, 120);
    EXPECT_DOUBLE_EQ(box.Spans.FindByNumber(7)->Angle, 90);
    const double differences[] = {0.1, 0.2, 0.3, 0, 0.5, 0.6, 0.7}; // a Box has no Y
    const char *junctions[] = {"T", "U", "V", "Y", "C", "D", "G"};
    for (int i = 0; i < 7; ++i)
        EXPECT_DOUBLE_EQ(box.Elevations.ValueOf(junctions[i]), differences[i]) << junctions[i];
    EXPECT_DOUBLE_EQ(box.Elevations.ValueOf("P4"), 100.25);
    EXPECT_EQ(box.Elevations.FindByName("P5"), nullptr);
    EXPECT_EQ(box.Elevations.EnteredFlags, "NNNNYYY");

    const TBaseSignal &sign = *box.Spans.FindByNumber(1)->Signals.Objects(0);
    EXPECT_FALSE(sign.IsSignal);
    EXPECT_EQ(sign.SignalType, "One Way");
    EXPECT_EQ(sign.Code, "R6-1");
    EXPECT_EQ(sign.Material, "");
    EXPECT_EQ(sign.Description, "36 x 12");
    EXPECT_DOUBLE_EQ(sign.SimpleDeadLoad, 8.6);
    EXPECT_DOUBLE_EQ(sign.Hanger, 5);
    EXPECT_DOUBLE_EQ(sign.SimpleAreaFactor, 0.3);
    EXPECT_DOUBLE_EQ(sign.SignArea, 3);
    EXPECT_DOUBLE_EQ(sign.Distance, 60);
    EXPECT_DOUBLE_EQ(sign.Weight, 1.2);
    EXPECT_DOUBLE_EQ(sign.AreaMultiplier, 1);
    EXPECT_DOUBLE_EQ(sign.LoadMultiplier, 3);

    const TBaseSignal &head = *Sequence(1).Spans.FindByNumber(1)->Signals.Objects(0);
    EXPECT_TRUE(head.IsSignal);
    EXPECT_DOUBLE_EQ(head.LensSize, 12);
    EXPECT_EQ(head.Sections, 3);
    EXPECT_DOUBLE_EQ(head.Height, 3.5);
    EXPECT_DOUBLE_EQ(head.LoadMultiplier, 2);

    // The old format knows no span strand and no allowable moment.
    for (const TWireConfiguration *sequence : Project) {
        EXPECT_EQ(sequence->SpanWire, "");
        for (const TBasePole *pole : sequence->Poles)
            EXPECT_EQ(pole->AllowableMoment, 0);
    }

    EXPECT_EQ(Project.FileName, Folder.Path("legacy.xml"));
    EXPECT_FALSE(Project.IsModified());
}

TEST_F(Import, AbsentKeysTakeTheirDefaults)
{
    ASSERT_TRUE(ImportOneSequence(""));

    const TWireConfiguration &wye = Sequence();
    EXPECT_EQ(wye.Identification, "");
    EXPECT_DOUBLE_EQ(wye.WireWeight, 0);
    EXPECT_DOUBLE_EQ(wye.MinClearance, 0);
    EXPECT_FALSE(wye.VariableWires);
    EXPECT_EQ(wye.Elevations.EnteredFlags, "YYYYNNN");
    EXPECT_DOUBLE_EQ(wye.Spans.FindByNumber(3)->Length, 0);
    EXPECT_TRUE(Project.ProjectDate.SameDay(TDateTime::Now()));
    EXPECT_TRUE(Project.LastRevision.SameDay(TDateTime::Now()));
}

TEST_F(Import, ShortListsLeaveTheRemainingValues)
{
    ASSERT_TRUE(ImportOneSequence("WIRE LENGTHS=100,80\r\nANGLES=,30\r\nBASE ELEVATIONS=101\r\n"
                                  "ELEVATION DIFFERENCES=0.5,,\r\n"));

    const TWireConfiguration &wye = Sequence();
    EXPECT_DOUBLE_EQ(wye.Spans.FindByNumber(1)->Length, 100);
    EXPECT_DOUBLE_EQ(wye.Spans.FindByNumber(2)->Length, 80);
    EXPECT_DOUBLE_EQ(wye.Spans.FindByNumber(3)->Length, 0);
    EXPECT_DOUBLE_EQ(wye.Spans.FindByNumber(1)->Angle, 0);
    EXPECT_DOUBLE_EQ(wye.Spans.FindByNumber(2)->Angle, 30);
    EXPECT_DOUBLE_EQ(wye.Elevations.ValueOf("PV"), 101);
    EXPECT_DOUBLE_EQ(wye.Elevations.ValueOf("T"), 0.5);
}

struct MultiplierCase : test::TNamedCase {
    const char *Remainder;
    double Area;
    double Load;
};

class ImportMultipliers : public Import, public ::testing::WithParamInterface<MultiplierCase>
{
};

TEST_P(ImportMultipliers, RemainderAfterTheSixteenthField)
{
    const MultiplierCase &form = GetParam();
    ASSERT_TRUE(ImportOneSequence("WIRE LENGTHS=100\r\nSIGNAL 1.1=" + SignalLine(1, 50, form.Remainder) + "\r\n"));

    const TSignalList &signals = Sequence().Spans.FindByNumber(1)->Signals;
    ASSERT_EQ(signals.Count(), 1);
    EXPECT_DOUBLE_EQ(signals.Objects(0)->AreaMultiplier, form.Area);
    EXPECT_DOUBLE_EQ(signals.Objects(0)->LoadMultiplier, form.Load);
}

INSTANTIATE_TEST_SUITE_P(Forms, ImportMultipliers,
                         ::testing::Values(MultiplierCase{"Y", "Y", 2, 2}, MultiplierCase{"yes", "yes", 2, 2},
                                           MultiplierCase{"area1_load3", "1,3", 1, 3},
                                           MultiplierCase{"area2_load1", "2,1", 2, 1}, MultiplierCase{"N", "N", 1, 1},
                                           MultiplierCase{"empty", "", 1, 1}, MultiplierCase{"Y_comma", "Y,", 2, 2},
                                           MultiplierCase{"area3_comma", "3,", 1, 1}),
                         test::CaseName());

TEST_F(Import, FractionalMultiplierIsAConversionError)
{
    EXPECT_THROW(ImportOneSequence("WIRE LENGTHS=100\r\nSIGNAL 1.1=" + SignalLine(1, 50, "1.5,2") + "\r\n"),
                 EConvertError);
}

TEST_F(Import, SignalsOutOfOrderAreSortedAndRenumbered)
{
    ASSERT_TRUE(ImportOneSequence("WIRE LENGTHS=100,100,100\r\nSIGNAL 2.1=" + SignalLine(1, 70) + "\r\nSIGNAL 2.2="
                                  + SignalLine(2, 20) + "\r\nSIGNAL 2.3=" + SignalLine(7, 45) + "\r\n"));

    const TBaseWire &span = *Sequence().Spans.FindByNumber(2);
    ASSERT_EQ(span.Signals.Count(), 3);
    const double distances[] = {20, 45, 70};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(span.Signals.Objects(i)->Distance, distances[i]);
        EXPECT_EQ(span.Signals.Objects(i)->Number, i + 1);
    }
    ASSERT_EQ(span.Segments.Count(), 4);
    EXPECT_DOUBLE_EQ(span.Segments.Objects(3)->Length, 30);
    EXPECT_EQ(span.Segments.Objects(3)->Compositions.Objects(0)->WireCode, "FIX");
}

TEST_F(Import, ShortOrMissingSignalLineEndsTheSpansSignals)
{
    const std::string shortLine = "3,Y,,S3A,S3A-12AL,Aluminum,,12,3,45,0,3.5,4.1,0,60";
    ASSERT_TRUE(ImportOneSequence("WIRE LENGTHS=100,100,100\r\n"
                                  "SIGNAL 1.1=" + SignalLine(1, 10) + "\r\nSIGNAL 1.2=" + shortLine
                                  + "\r\nSIGNAL 1.3=" + SignalLine(3, 30) + "\r\n"
                                  + "SIGNAL 3.2=" + SignalLine(1, 10) + "\r\n"));

    EXPECT_EQ(Sequence().Spans.FindByNumber(1)->Signals.Count(), 1);
    EXPECT_EQ(Sequence().Spans.FindByNumber(3)->Signals.Count(), 0) << "item 1 is missing";
}

TEST_F(Import, CharacterThirtyOneInCommentsBecomesALineBreak)
{
    ASSERT_TRUE(ImportText(Header + "COMMENTS=Phase 1\x1f" "Phase 2\x1f\x1f" "End\r\n"));
    EXPECT_EQ(Project.Comments, "Phase 1\r\nPhase 2\r\n\r\nEnd");
}

TEST_F(Import, NoSequencesReadsOnlyTheDetails)
{
    Project.Combinations.Add(std::make_unique<TCombination>());
    ASSERT_TRUE(ImportText(Header + "SEQUENCES=0\r\nCOMBINATIONS=0\r\nAUTHOR=J. Doe\r\n[COMBINATIONS]\r\nC 0=5,1,1,2,2,90\r\n"));

    EXPECT_EQ(Project.Author, "J. Doe");
    EXPECT_EQ(Project.Count(), 0);
    ASSERT_EQ(Project.Combinations.Count(), 1);
    EXPECT_EQ(Project.Combinations.Objects(0)->Number, 0) << "the file's combination was not read";
}

TEST_F(Import, CombinationsAreReadInIndexOrderUpToTheFirstShortLine)
{
    ASSERT_TRUE(ImportText(Header + "SEQUENCES=1\r\nCOMBINATIONS=6\r\n[COMBINATIONS]\r\n"
                                    "C 3=3,1,1,2,1,30\r\nc 1=1,2,1,1,1,10\r\nC 2=\r\nC 0=0,1,1,1,1,0\r\n"
                                    "C 4=4,1,1\r\nC 5=5,1,1,1,1,50\r\nC 9=9,1,1,1,1,90\r\nC 01=7,1,1,1,1,70\r\n"
                                    "[SEQUENCE 1]\r\nNUMBER=1\r\nTYPE=1\r\n"));

    ASSERT_EQ(Project.Combinations.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Project.Combinations.Objects(i)->Number, i == 2 ? 3 : i);
}

TEST_F(Import, HugeCountsCostNothing)
{
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ImportText(Header + "SEQUENCES=2000000000\r\nCOMBINATIONS=2000000000\r\n[COMBINATIONS]\r\n"
                                     "C 1999999999=1,1,1,2,1,45\r\n[SEQUENCE 1]\r\nNUMBER=1\r\nTYPE=1\r\n"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(Project.Combinations.Count(), 1);
    EXPECT_EQ(Project.Count(), 1);
}

TEST_F(Import, RefusedFilesReadNothing)
{
    Project.SetAuthor("before");
    const struct {
        const char *Text;
        const char *Problem;
    } cases[] = {
        {"", "[GENERAL] APPLICATION: '' is not TARVO"},
        {"[GENERAL]\r\nAPPLICATION=tarvo\r\nTABLE=WIRES\r\nAUTHOR=x\r\n", "[GENERAL] APPLICATION: 'tarvo' is not TARVO"},
        {"[GENERAL]\r\nAPPLICATION=TARVO\r\nTABLE=SIGNS\r\nAUTHOR=x\r\n", "[GENERAL] TABLE: 'SIGNS' is not WIRES"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_FALSE(ImportText(c.Text));
        EXPECT_EQ(Project.Author, "before");
        EXPECT_EQ(Project.ImportProblem, c.Problem);
    }
    EXPECT_FALSE(Project.Import(Folder.Path("missing.sws")));
    EXPECT_EQ(Project.ImportProblem, "the file does not exist");

    std::filesystem::create_directory(Folder.Path("folder.sws"));
    try {
        Project.Import(Folder.Path("folder.sws"));
        FAIL() << "a folder was imported";
    } catch (const EFileError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + Folder.Path("folder.sws") + "\": it is a folder");
    }
}

struct BrokenSequenceCase : test::TNamedCase {
    const char *Second;
    const char *Problem;
};

class ImportBrokenSequence : public Import, public ::testing::WithParamInterface<BrokenSequenceCase>
{
};

TEST_P(ImportBrokenSequence, KeepsTheSequencesBeforeIt)
{
    Project.FileName = "before.xml";
    EXPECT_FALSE(ImportText(Header + "SEQUENCES=2\r\n[SEQUENCE 1]\r\nNUMBER=1\r\nTYPE=2\r\n" + GetParam().Second));

    ASSERT_EQ(Project.Count(), 1);
    EXPECT_EQ(Project.Objects(0)->SequenceType, stWYE);
    EXPECT_EQ(Project.FileName, "before.xml");
    EXPECT_TRUE(Project.IsModified());
    EXPECT_EQ(Project.ImportProblem, GetParam().Problem);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ImportBrokenSequence,
    ::testing::Values(
        BrokenSequenceCase{"sectionMissing", "", "[SEQUENCE 2]: the section is missing (SEQUENCES is 2)"},
        BrokenSequenceCase{"wrongNumber", "[SEQUENCE 2]\r\nNUMBER=3\r\nTYPE=1\r\n", "[SEQUENCE 2] NUMBER: '3' is not 2"},
        BrokenSequenceCase{"unknownType", "[SEQUENCE 2]\r\nNUMBER=2\r\nTYPE=7\r\n",
                           "[SEQUENCE 2] TYPE: '7' is not a sequence type 1 to 6"},
        BrokenSequenceCase{"numberMissing", "[SEQUENCE 2]\r\nTYPE=1\r\n", "[SEQUENCE 2] NUMBER: '' is not 2"}),
    test::CaseName());

TEST_F(Import, BadNumberNamesFileKeyAndText)
{
    try {
        ImportOneSequence("WIRE LENGTHS=100,100,100\r\nSIGNAL 2.1=1,Y,,S3A,S3A-12AL,Al,,12,3,4S,0,3.5,4.1,0,50,45,N\r\n");
        FAIL() << "imported";
    } catch (const EConvertError &error) {
        const std::string message = error.what();
        for (const std::string &part : {Folder.Path("legacy.sws"), std::string("SEQUENCE 1"), std::string("SIGNAL 2.1"),
                                       std::string("'4S'")})
            EXPECT_NE(message.find(part), std::string::npos) << message << " lacks " << part;
    }
    EXPECT_EQ(Project.Count(), 0) << "the sequence being read is not kept";
}

TEST_F(Import, ImportedProjectSavesAsXmlBesideTheOldFile)
{
    ASSERT_TRUE(ImportOneSequence("WIRE LENGTHS=100,90,80\r\nANGLES=40,50\r\n"));
    ASSERT_TRUE(Project.Save(Project.FileName));

    TWireConfigurationList read(Settings.Parameters);
    ASSERT_TRUE(read.Open(Folder.Path("legacy.xml")));
    ASSERT_EQ(read.Count(), 1);
    EXPECT_DOUBLE_EQ(read.Objects(0)->Spans.FindByNumber(3)->Length, 80);
    EXPECT_DOUBLE_EQ(read.Objects(0)->Spans.FindByNumber(2)->Angle, 50);
}

} // namespace
