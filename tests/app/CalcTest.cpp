// `corvadel calc`, run as the built executable; its JSON is read back.
#include "../support/ScratchFolder.h"
#include "CorvadelProcess.h"
#include "JsonReader.h"

#include "uGlobalSettings.h"
#include "uJsonWriter.h"
#include "uWires.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <variant>

using corvadel::test::ScratchFolder;

namespace {

using corvadel::test::Examples;
using corvadel::test::Json;
using corvadel::test::JsonReader;
using corvadel::test::Quoted;


class Calc : public ::testing::Test
{
protected:
    int Run(const std::string &arguments)
    {
        const auto run = corvadel::test::RunCorvadel("calc " + arguments);
        Output = run.Output;
        Errors = run.Errors;
        return run.Status;
    }

    // Lines on stderr that are not settings warnings.
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = Errors.find('\n', start)) != std::string::npos; start = end + 1)
            if (Errors.substr(start, end - start).find("warning:") == std::string::npos)
                lines.push_back(Errors.substr(start, end - start));
        return lines;
    }

    // A project of one new (so invalid) Simple sequence and one from `wye.xml`.
    std::string InvalidProject()
    {
        const corvadel::TTARVOParameters parameters;
        corvadel::TWireConfigurationList project(parameters);
        project.AddSequence(corvadel::stSimple)->SetIdentification("Bad \"one\"");
        const std::string path = Folder.Path("invalid.xml");
        project.Save(path);
        return path;
    }

    ScratchFolder Folder;
    std::string Output;
    std::string Errors;
};

class CalcExample : public Calc, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(CalcExample, CalculatesAndWritesReadableJson)
{
    ASSERT_EQ(Run(Quoted(Examples + GetParam()) + " --json"), 0) << Output << Errors;
    const Json report = JsonReader::Parse(Output);
    EXPECT_TRUE(report["ok"].Bool());
    EXPECT_TRUE(report["errorListing"].Items().empty());
    ASSERT_FALSE(report["sequences"].Items().empty());
    for (const Json &sequence : report["sequences"].Items()) {
        SCOPED_TRACE(sequence["identification"].String());
        EXPECT_TRUE(sequence["errors"].Items().empty());
        EXPECT_EQ(sequence["type"].String(), corvadel::Topology(static_cast<int>(sequence["typeCode"].Number())).TypeName);
        ASSERT_FALSE(sequence["results"].Items().empty());
        const Json &first = sequence["results"].Items().front();
        EXPECT_TRUE(first["atMaxSAG"].Bool());
        EXPECT_NEAR(first["systemSAG"].Number(), first["targetSAG"].Number(), 0.0100001);
        EXPECT_GE(first["iterations"].Number(), 1);
        EXPECT_GT(first["tension"].Number(), 0);
        for (const Json &span : first["spans"].Items())
            for (const char *key : {"number", "tensionRelation", "elevationDifference", "endReaction",
                                    "lowPointDistance", "sag", "planDirection", "planLength", "signals"})
                EXPECT_TRUE(span.Has(key)) << key;
        for (const Json &pole : first["poles"].Items())
            for (const char *key : {"number", "stringingTension", "baseMoment", "attachmentElevation",
                                    "attachmentHeight", "planAngle", "calculatedPlanAngle"})
                EXPECT_TRUE(pole.Has(key)) << key;
        if (sequence["valid"].Bool()) {
            EXPECT_FALSE(sequence["poleDistances"].IsNull());
        }
    }
    for (const Json &combination : report["combinations"].Items())
        EXPECT_EQ(combination["results"].Items().size(), 2u);
    // Either case's warning is the project's.
    const Json &warnings = report["combinationWarnings"];
    EXPECT_EQ(report["combinationWarning"].Bool(), warnings["maxSAG"].Bool() || warnings["minSAG"].Bool());

    // The text form of the same run succeeds as well.
    ASSERT_EQ(Run(Quoted(Examples + GetParam())), 0) << Errors;
    // Only an adjusted Box shows its plan lengths.
    EXPECT_EQ(Output.find("Plan Length (ft)"), std::string::npos);
    EXPECT_NE(Output.find("Distance between Highest and Lowest Points (ft) :"), std::string::npos);
    // A moment is a force times a length.
    EXPECT_NE(Output.find("Base Moment (ft-lbs)"), std::string::npos);
    EXPECT_EQ(Output.find("ft/lbs"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Examples, CalcExample,
                         ::testing::Values("simple.xml", "wye.xml", "h.xml", "delta.xml", "hybrid.xml", "box.xml",
                                           "intersection.xml", "legacy.sws"));

TEST_F(Calc, InvalidProjectExitsOneWithTheErrorListing)
{
    const std::string path = InvalidProject();
    ASSERT_EQ(Run(Quoted(path) + " --json"), 1) << Errors;
    const Json report = JsonReader::Parse(Output);
    EXPECT_FALSE(report["ok"].Bool());
    const auto &listing = report["errorListing"].Items();
    ASSERT_GE(listing.size(), 3u);
    EXPECT_EQ(listing[0].String(), "Bad \"one\"");
    EXPECT_EQ(listing[2].String(), "The maximum SAG should be greater than 0");
    const Json &sequence = report["sequences"].Items().front();
    EXPECT_FALSE(sequence["complete"].Bool());
    EXPECT_TRUE(sequence["poleDistances"].IsNull());
    EXPECT_TRUE(sequence["results"].Items().empty());

    ASSERT_EQ(Run(Quoted(path)), 1);
    EXPECT_NE(Output.find("The maximum SAG should be greater than 0"), std::string::npos);
}

TEST_F(Calc, UnreadableInputOrArgumentsExitTwoWithOneLine)
{
    const std::string missing = Folder.Path("missing.xml");
    EXPECT_EQ(Run(Quoted(missing)), 2);
    ASSERT_EQ(Messages().size(), 1u) << Errors;
    EXPECT_NE(Messages()[0].find(missing), std::string::npos);

    for (const std::string name : {"folder.xml", "folder.sws"}) {
        SCOPED_TRACE(name);
        std::filesystem::create_directory(Folder.Path(name));
        EXPECT_EQ(Run(Quoted(Folder.Path(name))), 2);
        ASSERT_EQ(Messages().size(), 1u) << Errors;
        EXPECT_NE(Messages()[0].find(Folder.Path(name) + "\": it is a folder"), std::string::npos) << Messages()[0];
    }

    for (const std::string content : {"not xml at all", "<XML><NOT_A_PROJECT/></XML>"}) {
        SCOPED_TRACE(content);
        Folder.Write("garbage.xml", content);
        EXPECT_EQ(Run(Quoted(Folder.Path("garbage.xml"))), 2);
        ASSERT_EQ(Messages().size(), 1u) << Errors;
        EXPECT_NE(Messages()[0].find("garbage.xml"), std::string::npos);
        EXPECT_TRUE(Output.empty());
    }

    // Wrong arguments: CommandLineTest.cpp.
    EXPECT_EQ(Run(Quoted(Examples + "wye.xml") + " --settings " + Quoted(Folder.Path("none.def"))), 2);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("none.def"), std::string::npos);
}

// A pipe can be read only once: the project must not be spent on a check.
// Values no calculation can stand behind: the listing names each, and the
// exit status says the project was not calculated.
TEST_F(Calc, HostileValuesAreListedByNameAndExitOne)
{
    const struct {
        const char *Example, *From, *To;
        std::string Said;
    } cases[] = {
        {"simple.xml", "<SIGNAL_DISTANCE>38<", "<SIGNAL_DISTANCE>-3<",
         "The distance of the signal 1 on the span [L1] should be between 0 and 110 ft, not -3"},
        {"simple.xml", "<SIGNAL_DISTANCE>72<", "<SIGNAL_DISTANCE>200<",
         "The distance of the signal 3 on the span [L1] should be between 0 and 110 ft, not 200"},
        {"simple.xml", "<SEQUENCE_MAX_SAG>5<", "<SEQUENCE_MAX_SAG>1e308<",
         "The maximum SAG should be less than half the longest span (55 ft), not 1E308"},
        {"simple.xml", "<SEQUENCE_MIN_SAG>3<", "<SEQUENCE_MIN_SAG>55<",
         "The minimum SAG should be less than half the longest span (55 ft), not 55"},
        {"intersection.xml", "<SEQUENCE_B>2<", "<SEQUENCE_B>99<",
         "The combination 0 (pole 2 of sequence 1 with pole 1 of sequence 99) names sequence 99, which does not exist"},
        {"legacy.sws", "C 0=0,2,1,1,2,90", "C 0=0,2,1,1,99,90",
         "The combination 0 (pole 2 of sequence 1 with pole 1 of sequence 99) names sequence 99, which does not exist"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.To);
        const std::string name = std::string("hostile") + c.Example;
        Folder.Write(name, corvadel::test::EditedExample(c.Example, {{c.From, c.To}}));
        ASSERT_EQ(Run(Quoted(Folder.Path(name))), 1) << Output << Errors;
        EXPECT_NE(Output.find(c.Said), std::string::npos) << Output;
        EXPECT_EQ(Output.find("Tension (lbs)"), std::string::npos) << "no results are shown";
    }

    ASSERT_EQ(Run(Quoted(Folder.Path("hostileintersection.xml")) + " --json"), 1);
    const Json report = JsonReader::Parse(Output);
    ASSERT_EQ(report["combinationErrors"].Items().size(), 1u);
    EXPECT_EQ(report["combinationErrors"].Items().front().String(), cases[4].Said);
    ASSERT_EQ(Run(Quoted(Examples + "intersection.xml") + " --json"), 0);
    EXPECT_TRUE(JsonReader::Parse(Output)["combinationErrors"].Items().empty());
}

// Sequence numbers with a gap or a repeat: every sequence is calculated and
// shown under its new number, and the renumbering is told on stderr.
TEST_F(Calc, SequencesNumberedWithAGapOrARepeatAreAllCalculated)
{
    const struct {
        const char *Name, *Second, *Said;
    } cases[] = {
        {"gap.xml", "5", "the sequences were numbered 1, 5, 3 and are now numbered 1-3, in the order they stand"},
        {"repeat.xml", "1", "the sequences were numbered 1, 1, 3 and are now numbered 1-3, in the order they stand"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string second = std::string(">") + c.Second + "<";
        Folder.Write(c.Name, corvadel::test::EditedExample("intersection.xml", {{"<SEQUENCE_NUMBER>2<", "<SEQUENCE_NUMBER" + second},
                                                                               {"<SEQUENCE_B>2<", "<SEQUENCE_B" + second}}));
        ASSERT_EQ(Run(Quoted(Folder.Path(c.Name))), 0) << Output << Errors;
        for (const char *shown : {"1 - North WYE (WYE)", "2 - South approach (", "3 - East approach ("})
            EXPECT_NE(("\n" + Output).find(std::string("\n") + shown), std::string::npos) << shown << "\n" << Output;
        EXPECT_NE(Errors.find("corvadel: warning: " + Folder.Path(c.Name) + ": " + c.Said), std::string::npos) << Errors;
        EXPECT_NE(Errors.find("Saving the project writes them renumbered."), std::string::npos) << Errors;
    }
}

TEST_F(Calc, ProjectFromAPipeIsCalculated)
{
    const auto run = corvadel::test::RunCorvadel("calc /dev/stdin", "cat " + Quoted(Examples + "simple.xml") + " |");
    ASSERT_EQ(run.Status, 0) << run.Errors;
    EXPECT_NE(run.Output.find("Main St over Oak Ave"), std::string::npos) << run.Output;
}

TEST_F(Calc, ElementsLeftOutOfTheProjectAreNamedOnTheErrorStream)
{
    Folder.Write("stray.xml", "<XML><TARVO_CONFIGURATIONS><SIMPLE_SEQUENCE><SEQUENCE_NUMBER>1</SEQUENCE_NUMBER>"
                              "<WIRE><WIRE_NUMBER>2</WIRE_NUMBER></WIRE>"
                              "</SIMPLE_SEQUENCE></TARVO_CONFIGURATIONS></XML>");
    const auto run = corvadel::test::RunCorvadel("calc " + Quoted(Folder.Path("stray.xml")));
    EXPECT_NE(run.Errors.find("corvadel: warning: " + Folder.Path("stray.xml")
                              + ": sequence 1 (SIMPLE_SEQUENCE): WIRE_NUMBER 2 names no span (spans 1 to 1)"),
              std::string::npos)
        << run.Errors;
}

TEST_F(Calc, SettingsFileGivesTheDesignValues)
{
    Folder.Write("strict.def", "[DEFAULT VALUES]\r\nDesign Factor=9\r\nMax Tension=50\r\n");
    ASSERT_EQ(Run(Quoted(Examples + "simple.xml") + " --json --settings " + Quoted(Folder.Path("strict.def"))), 1);
    const Json report = JsonReader::Parse(Output);
    const Json &sequence = report["sequences"].Items().front();
    EXPECT_EQ(sequence["governingFactor"].Number(), 9);
    ASSERT_FALSE(sequence["errors"].Items().empty());
    EXPECT_EQ(sequence["errors"].Items().front().String().rfind("Wire tension values for this problem are excessive.", 0),
              0u);
}

TEST(JsonWriter, EscapesControlsQuotesAndForeignBytes)
{
    using corvadel::TJsonWriter;
    EXPECT_EQ(TJsonWriter::Quote("a\"b\\c\r\n\x01"), "\"a\\\"b\\\\c\\r\\n\\u0001\"");
    EXPECT_EQ(TJsonWriter::Quote("caf\xC3\xA9"), "\"caf\xC3\xA9\"");   // valid UTF-8 stays
    EXPECT_EQ(TJsonWriter::Quote("caf\xE9"), "\"caf\\u00e9\"");          // Latin-1 byte
    EXPECT_EQ(TJsonWriter::Quote("\xED\xA0\x80"), "\"\\u00ed\\u00a0\\u0080\""); // surrogate is not UTF-8
    TJsonWriter json;
    json.BeginObject().Key("x").Number(0.1).Key("n").Number(NAN).Key("a").BeginArray().Integer(1).Boolean(false).EndArray();
    json.EndObject();
    EXPECT_EQ(json.Text(), "{\"x\": 0.10000000000000001, \"n\": null, \"a\": [1, false]}");
    const Json back = JsonReader::Parse(json.Text());
    EXPECT_EQ(back["x"].Number(), 0.1);
}

} // namespace

namespace {

TEST_F(Calc, PlausibilityWarningsFollowTheResultsWithoutChangingTheStatus)
{
    // Sequence 1 cannot reach its minimum SAG; sequence 2 is sound.
    const corvadel::TTARVOParameters parameters;
    corvadel::TWireConfigurationList project(parameters);
    for (double t : {2.0, 0.0}) {
        corvadel::TWireConfiguration *simple = project.AddSequence(corvadel::stSimple);
        simple->Spans.SetLengthOf(1, 100);
        simple->SetWireWeight(1);
        simple->SetMaxSAG(3);
        simple->SetMinSAG(1);
        simple->Elevations.SetValueOf("T", t);
    }
    const std::string path = Folder.Path("warned.xml");
    ASSERT_TRUE(project.Save(path));

    ASSERT_EQ(Run(Quoted(path) + " --json"), 0) << Errors;
    const Json report = JsonReader::Parse(Output);
    const auto &warnings = report["warnings"].Items();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0]["kind"].String(), "minSAGFailed");
    EXPECT_EQ(warnings[1]["kind"].String(), "unreachableSAG");
    for (const Json &warning : warnings) {
        EXPECT_EQ(warning["sequence"].Number(), 1);
        EXPECT_EQ(warning["text"].String().rfind("Sequence 1 - ", 0), 0u);
    }

    ASSERT_EQ(Run(Quoted(path)), 0);
    const size_t block = Output.find("\nWarnings\n  Sequence 1 - ");
    ASSERT_NE(block, std::string::npos) << Output;
    EXPECT_NE(Output.find("the pole attachments alone differ by 2.00 ft", block), std::string::npos);
}

} // namespace

namespace {

// examples/box.xml with A1 = 20 and "Enable Adjust Box Angles": the new
// angles and lengths `calc` gives, typed in as a Box, make a valid plan with
// the same poles, in balance.
TEST_F(Calc, AdjustedBoxGivesAPlanThatTypedInKeepsThePolesInBalance)
{
    const corvadel::TTARVOParameters parameters;
    corvadel::TWireConfigurationList project(parameters);
    ASSERT_TRUE(project.Open(Examples + "box.xml"));
    corvadel::TWireConfiguration &box = *project.Objects(0);
    box.Spans.SetAngleOf(1, 20);
    box.SetBoxWarp(true);
    const std::string adjusted = Folder.Path("adjusted.xml");
    ASSERT_TRUE(project.Save(adjusted));

    ASSERT_EQ(Run(Quoted(adjusted) + " --json"), 0) << Errors;
    const Json first = JsonReader::Parse(Output)["sequences"].Items().front();
    const Json &result = first["results"].Items().front();
    EXPECT_TRUE(result["anglesChanged"].Bool());
    EXPECT_LT(std::fabs(result["rotation"].Number()), 1);
    for (const Json &span : result["spans"].Items()) {
        const int n = static_cast<int>(span["number"].Number());
        box.Spans.SetAngleOf(n, span["planDirection"].Number());
        box.Spans.SetLengthOf(n, span["planLength"].Number());
    }
    EXPECT_NEAR(box.Spans.FindByNumber(2)->Length, 60.16, 0.005);
    EXPECT_NEAR(box.Spans.FindByNumber(7)->Length, 42.77, 0.005);
    box.SetBoxWarp(false);
    const std::string typedIn = Folder.Path("typed-in.xml");
    ASSERT_TRUE(project.Save(typedIn));

    ASSERT_EQ(Run(Quoted(typedIn) + " --json"), 0) << Errors;
    const Json again = JsonReader::Parse(Output)["sequences"].Items().front();
    EXPECT_TRUE(again["valid"].Bool());
    ASSERT_FALSE(again["poleDistances"].IsNull());
    ASSERT_EQ(again["poleDistances"].Items().size(), first["poleDistances"].Items().size());
    for (size_t i = 0; i < first["poleDistances"].Items().size(); ++i)
        EXPECT_NEAR(again["poleDistances"].Items()[i].Number(), first["poleDistances"].Items()[i].Number(), 0.01) << i;
    // The wires are those of the adjusted result: it was calculated on the
    // balanced plan.
    const Json &typedResult = again["results"].Items().front();
    EXPECT_LT(std::fabs(typedResult["rotation"].Number()), 1);
    const auto same = [](const Json &typed, const Json &adjusted, const char *key) {
        const double expected = adjusted[key].Number();
        EXPECT_NEAR(typed[key].Number(), expected, 1e-9 * std::max(1.0, std::fabs(expected))) << key;
    };
    same(typedResult, result, "tension");
    for (size_t i = 0; i < result["poles"].Items().size(); ++i)
        same(typedResult["poles"].Items()[i], result["poles"].Items()[i], "baseMoment");
    for (size_t i = 0; i < result["spans"].Items().size(); ++i)
        same(typedResult["spans"].Items()[i], result["spans"].Items()[i], "lowPointDistance");

    // The plan typed in with its angles rounded off by a degree no longer
    // closes: still calculated, with a warning.
    box.Spans.SetAngleOf(7, box.Spans.FindByNumber(7)->Angle + 1);
    ASSERT_TRUE(project.Save(typedIn));
    ASSERT_EQ(Run(Quoted(typedIn) + " --json"), 0) << Errors;
    const Json open = JsonReader::Parse(Output);
    EXPECT_FALSE(open["sequences"].Items().front()["valid"].Bool());
    ASSERT_EQ(open["warnings"].Items().size(), 1u);
    EXPECT_EQ(open["warnings"].Items().front()["kind"].String(), "planNotClosed");
    ASSERT_EQ(Run(Quoted(typedIn)), 0);
    EXPECT_NE(Output.find("\nWarnings\n  Sequence 1 - Civic Center box: the plan does not close (A2 + A4 + A6 + A7 = 361.00"),
              std::string::npos)
        << Output;

    // The text shows the new lengths beside the new angles.
    ASSERT_EQ(Run(Quoted(adjusted)), 0);
    EXPECT_NE(Output.find("System is in balance (Input Angles Changed)"), std::string::npos);
    const size_t row = Output.find("Plan Length (ft)");
    ASSERT_NE(row, std::string::npos) << Output;
    const std::string line = Output.substr(row, Output.find('\n', row) - row);
    EXPECT_NE(line.find("  60.16  "), std::string::npos) << line;
    EXPECT_NE(line.find("  42.77  "), std::string::npos) << line;
}

} // namespace

namespace {

// A 150 ft Simple span on 3/8" EHS whose 1,000 lbs signal overloads it, and a
// second one without a strand; pole 2 of the first has an allowable moment.
TEST_F(Calc, ChecksAppearInTheTextAndTheJson)
{
    const corvadel::TTARVOParameters parameters;
    corvadel::TWireConfigurationList project(parameters);
    for (const char *code : {"EHS-3/8", ""}) {
        corvadel::TWireConfiguration &simple = *project.AddSequence(corvadel::stSimple);
        simple.Spans.SetLengthOf(1, 150);
        simple.SetWireWeight(0.273);
        simple.SetSpanWire(code);
        simple.SetMaxSAG(3);
        simple.SetMinSAG(3);
        auto signal = std::make_unique<corvadel::TBaseSignal>();
        signal->SetDistance(75);
        signal->SetSimpleDeadLoad(1000);
        simple.Spans.FindByNumber(1)->AddSignal(std::move(signal));
    }
    project.First()->Poles.FindByNumber(2)->SetAllowableMoment(1000);
    const std::string path = Folder.Path("checked.xml");
    ASSERT_TRUE(project.Save(path));

    ASSERT_EQ(Run(Quoted(path) + " --json"), 0) << Errors;
    const Json report = JsonReader::Parse(Output);
    const Json &first = report["sequences"].Items()[0]["results"].Items()[0];
    const Json &wire = first["wireCheck"];
    EXPECT_EQ(wire["code"].String(), "EHS-3/8");
    EXPECT_EQ(wire["breakingStrength"].Number(), 15400);
    EXPECT_EQ(wire["maxWireLoad"].Number(), first["maxWireLoad"].Number());
    EXPECT_NEAR(wire["usedPercent"].Number(), first["maxWireLoad"].Number() / 154, 1e-9);
    EXPECT_FALSE(wire["holds"].Bool());
    std::vector<std::string> suggested;
    for (const Json &suggestion : wire["suggestions"].Items()) {
        suggested.push_back(suggestion["code"].String());
        EXPECT_LE(suggestion["maxWireLoad"].Number(), suggestion["breakingStrength"].Number());
    }
    EXPECT_EQ(suggested, std::vector<std::string>({"EHS-1/2"})) << "no HS or SM strand holds";
    const Json &second = report["sequences"].Items()[1]["results"].Items()[0]["wireCheck"];
    EXPECT_EQ(second["code"].String(), "");
    EXPECT_TRUE(second["breakingStrength"].IsNull());
    EXPECT_FALSE(second.Has("holds")) << "no strand chosen";
    EXPECT_EQ(second["suggestions"].Items().size(), 1u);

    const Json &pole2 = first["poles"].Items()[1];
    EXPECT_EQ(pole2["allowableMoment"].Number(), 1000);
    EXPECT_NEAR(pole2["momentUsedPercent"].Number(), pole2["baseMoment"].Number() / 10, 1e-9);
    EXPECT_FALSE(pole2["momentHolds"].Bool());
    EXPECT_FALSE(first["poles"].Items()[0].Has("allowableMoment"));
    std::vector<std::string> kinds;
    for (const Json &warning : report["warnings"].Items())
        kinds.push_back(warning["kind"].String());
    EXPECT_EQ(kinds, std::vector<std::string>({"wireOverloaded", "poleOverloaded"}));

    ASSERT_EQ(Run(Quoted(path)), 0) << Errors;
    EXPECT_NE(Output.find("    Wire: 3/8\" EHS, breaking strength 15,400 lbs; max. wire load "), std::string::npos)
        << Output;
    EXPECT_NE(Output.find("    Wire: not given; max. wire load "), std::string::npos) << Output;
    EXPECT_NE(Output.find("Base Moment Used (%)"), std::string::npos);
    EXPECT_NE(Output.find("the lightest EHS strand that holds it is 1/2\" EHS"), std::string::npos) << Output;
}

} // namespace
