#include "uCodes.h"
#include "uFormats.h"
#include "uIniFile.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace corvadel;

namespace {

const char *const Catalogue = "<XML>\r\n"
                              "<SIGNAL_LIST>\r\n"
                              "<SIGNAL>\r\n<CODE>S1</CODE>\r\n<CATEGORY>S3A</CATEGORY>\r\n<SECTIONS>3</SECTIONS>\r\n"
                              "<LENS_SIZE>12</LENS_SIZE>\r\n<WEIGHT>52.5</WEIGHT>\r\n<AREA>8.9</AREA>\r\n"
                              "<MATERIAL>Aluminum</MATERIAL>\r\n<HEIGHT>4.3</HEIGHT>\r\n</SIGNAL>\r\n"
                              "<SIGNAL>\r\n<CODE>S2</CODE>\r\n<CATEGORY>s1a</CATEGORY>\r\n</SIGNAL>\r\n"
                              "<OTHER>ignored</OTHER>\r\n"
                              "</SIGNAL_LIST>\r\n"
                              "<WIRE_LIST>\r\n<WIRE>\r\n<CODE>W1</CODE>\r\n<CATEGORY>EHS</CATEGORY>\r\n"
                              "<SECTION>1/4\"</SECTION>\r\n<WEIGHT>0.121</WEIGHT>\r\n</WIRE>\r\n</WIRE_LIST>\r\n"
                              "<SIGN_LIST>\r\n<SIGN>\r\n<CODE>G1</CODE>\r\n<CATEGORY>Street Name</CATEGORY>\r\n"
                              "<WEIGHT>2</WEIGHT>\r\n<HANGER>10</HANGER>\r\n<AREA_FACTOR>0.1</AREA_FACTOR>\r\n</SIGN>\r\n"
                              "</SIGN_LIST>\r\n"
                              "<SIGNAL_LIST>\r\n<SIGNAL>\r\n<CODE>S3</CODE>\r\n<CATEGORY>S3A</CATEGORY>\r\n</SIGNAL>\r\n"
                              "</SIGNAL_LIST>\r\n"
                              "</XML>\r\n";

} // namespace

TEST(CodeList, ReadsEveryKindInFileOrder)
{
    TCodeList list;
    list.LoadFromText(Catalogue, "CodeList.xml");
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Keys(0), "SIGNAL");
    EXPECT_EQ(list.Keys(2), "WIRE");
    EXPECT_EQ(list.Keys(3), "SIGN");
    EXPECT_EQ(list.Keys(4), "SIGNAL") << "a second signal list adds after the first";

    const auto *s1 = dynamic_cast<const TTypicalSignal *>(list.FindByCode("S1"));
    ASSERT_NE(s1, nullptr);
    EXPECT_EQ(s1->Sections, 3);
    EXPECT_DOUBLE_EQ(s1->LensSize, 12);
    EXPECT_DOUBLE_EQ(s1->Weight, 52.5);
    EXPECT_DOUBLE_EQ(s1->Area, 8.9);
    EXPECT_DOUBLE_EQ(s1->Height, 4.3);
    EXPECT_EQ(s1->Material, "Aluminum");
    ASSERT_NE(s1->Element, nullptr);
    EXPECT_EQ(s1->Element->Name, "SIGNAL");

    const auto *s2 = dynamic_cast<const TTypicalSignal *>(list.FindByCode("S2"));
    ASSERT_NE(s2, nullptr);
    EXPECT_EQ(s2->Weight, 0) << "absent fields stay 0";
    EXPECT_EQ(list.FindByCode("s1"), nullptr) << "codes are case-sensitive";
}

TEST(CodeList, CategoryFilterIgnoresCase)
{
    TCodeList list;
    list.LoadFromText(Catalogue, "CodeList.xml");
    EXPECT_EQ(list.TypicalSignals().size(), 3u);
    for (const char *filter : {"S3A", "s3a"}) {
        list.CategoryFilter = filter;
        const auto signals = list.TypicalSignals();
        ASSERT_EQ(signals.size(), 2u);
        EXPECT_EQ(signals[0].Entry->Code, "S1");
        EXPECT_EQ(signals[0].Key, "S3A");
        EXPECT_EQ(signals[1].Entry->Code, "S3");
    }
    list.CategoryFilter = "S1A";
    ASSERT_EQ(list.TypicalSignals().size(), 1u);
}

TEST(CodeList, SignsAndWiresViews)
{
    TCodeList list;
    list.LoadFromText(Catalogue, "CodeList.xml");
    const auto signs = list.TypicalSigns();
    ASSERT_EQ(signs.size(), 1u);
    EXPECT_EQ(signs[0].Key, "Street Name");
    EXPECT_DOUBLE_EQ(signs[0].Entry->Hanger, 10);

    const auto wires = list.TypicalWires();
    ASSERT_EQ(wires.Rows.size(), 3u);
    EXPECT_EQ(wires.Rows[0].Key, "CUSTOM");
    EXPECT_EQ(wires.Rows[0].Entry->Code, "WXXX");
    EXPECT_EQ(wires.Rows[1].Entry->Code, "FIX");
    EXPECT_DOUBLE_EQ(wires.Rows[1].Entry->Weight, 1);
    EXPECT_EQ(wires.Rows[2].Key, "EHS - 1/4\"");

    TCodeList empty;
    const auto fixedOnly = empty.TypicalWires();
    ASSERT_EQ(fixedOnly.Rows.size(), 2u);
    EXPECT_EQ(fixedOnly.Rows[1].Key, "FIXED");
}

TEST(CodeList, NextCustomCode)
{
    TCodeList list;
    EXPECT_EQ(list.NextCustomCode(), "X000");
    auto custom = std::make_unique<TTypicalSignal>();
    custom->Code = "X000";
    custom->Category = "SCX";
    list.AddCustomSignal(std::move(custom));
    EXPECT_EQ(list.NextCustomCode(), "X001");
    auto add = [&list](const std::string &code) {
        auto more = std::make_unique<TTypicalSignal>();
        more->Code = code;
        list.AddCustomSignal(std::move(more));
    };
    add("X002");
    EXPECT_EQ(list.NextCustomCode(), "X001") << "the first free code, gaps included";
    for (int i = 1; i < 1000; ++i) {
        char code[8];
        std::snprintf(code, sizeof code, "X%03d", i);
        add(code);
    }
    EXPECT_EQ(list.NextCustomCode(), "");
}

TEST(CodeList, MalformedNumberIsReportedWithItsElement)
{
    TCodeList list;
    list.LoadFromText("<XML><WIRE_LIST><WIRE><CODE>W9</CODE><WEIGHT>heavy</WEIGHT></WIRE></WIRE_LIST></XML>",
                      "/opt/CodeList.xml");
    ASSERT_EQ(list.Count(), 1);
    ASSERT_EQ(list.Warnings.size(), 1u);
    EXPECT_NE(list.Warnings[0].find("/opt/CodeList.xml"), std::string::npos);
    EXPECT_NE(list.Warnings[0].find("WIRE/WEIGHT"), std::string::npos);
    EXPECT_NE(list.Warnings[0].find("'heavy'"), std::string::npos);
}

// Many entries share their element names; the code tells which one is wrong.
TEST(CodeList, MalformedNumberNamesTheEntryByItsCode)
{
    TCodeList list;
    list.LoadFromText("<XML><SIGNAL_LIST><SIGNAL><CODE>S1</CODE><AREA>1</AREA></SIGNAL>"
                      "<SIGNAL><AREA>1e400</AREA><CODE>S2</CODE></SIGNAL></SIGNAL_LIST></XML>",
                      "/opt/CodeList.xml");
    ASSERT_EQ(list.Count(), 2);
    ASSERT_EQ(list.Warnings.size(), 1u);
    EXPECT_NE(list.Warnings[0].find("SIGNAL/AREA (code S2)"), std::string::npos) << list.Warnings[0];
    EXPECT_NE(list.Warnings[0].find("'1e400'"), std::string::npos) << list.Warnings[0];
}

// An empty or foreign file is no catalogue: the dialogs then offer only the
// custom choices, and the user is told why.
TEST(CodeList, FileWithoutCatalogueOffersNothingAndSaysSo)
{
    for (const char *text : { "", "\x89PNG\r\n\x1a\n garbage", "<CATALOGUE><SIGNAL_LIST></SIGNAL_LIST></CATALOGUE>",
             "XML" }) {
        TCodeList list;
        list.LoadFromText(text, "/opt/CodeList.xml");
        EXPECT_EQ(list.Count(), 0) << text;
        ASSERT_EQ(list.Warnings.size(), 1u) << text;
        EXPECT_NE(list.Warnings[0].find("/opt/CodeList.xml: the file holds no catalogue"), std::string::npos)
            << list.Warnings[0];
    }
    TCodeList empty;
    empty.LoadFromText("<XML></XML>", "/opt/CodeList.xml");
    EXPECT_TRUE(empty.Warnings.empty()) << "an empty catalogue is a catalogue";
}

TEST(CodeList, CutShortCatalogueOffersNothingAndSaysWhere)
{
    const std::string whole = Catalogue;
    TCodeList list;
    list.LoadFromText(whole.substr(0, whole.find("<SIGN_LIST>")), "/opt/CodeList.xml");
    EXPECT_EQ(list.Count(), 0);
    ASSERT_EQ(list.Warnings.size(), 1u);
    EXPECT_NE(list.Warnings[0].find("/opt/CodeList.xml, line 1: the element XML has no end tag"), std::string::npos)
        << list.Warnings[0];
}

TEST(CodeList, ShippedCatalogueIsComplete)
{
    TCodeList list;
    list.Load(std::string(CORVADEL_SOURCE_DIR) + "/data/CodeList.xml");
    EXPECT_TRUE(list.Warnings.empty());
    for (const char *category : {"S1A", "S3A", "S4A", "S5A", "S5B"}) {
        list.CategoryFilter = category;
        const auto signals = list.TypicalSignals();
        EXPECT_FALSE(signals.empty()) << category;
        for (const auto &s : signals) {
            EXPECT_GT(s.Entry->Weight, 0) << s.Entry->Code;
            EXPECT_GT(s.Entry->Area, 0) << s.Entry->Code;
            EXPECT_GT(s.Entry->Sections, 0) << s.Entry->Code;
        }
    }
    EXPECT_GE(list.TypicalSigns().size(), 12u);
    EXPECT_GE(list.TypicalWires().Rows.size(), 2u + 3u);
    // Codes are unique: Find by code must never be ambiguous.
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.FindByCode(list.Objects(i)->Code), list.Objects(i)) << list.Objects(i)->Code;
}

TEST(CodeList, StrandsAreTheWiresWithAGradeAndABreakingStrength)
{
    TCodeList list;
    list.LoadFromText("<XML>\r\n<WIRE_LIST>\r\n"
                      "<WIRE>\r\n<CODE>A</CODE>\r\n<SECTION>3/8\"</SECTION>\r\n<WEIGHT>0.273</WEIGHT>\r\n"
                      "<GRADE>EHS</GRADE>\r\n<BREAKING_STRENGTH>15400</BREAKING_STRENGTH>\r\n</WIRE>\r\n"
                      "<WIRE>\r\n<CODE>NO-STRENGTH</CODE>\r\n<GRADE>HS</GRADE>\r\n</WIRE>\r\n"
                      "<WIRE>\r\n<CODE>NO-GRADE</CODE>\r\n<BREAKING_STRENGTH>5000</BREAKING_STRENGTH>\r\n</WIRE>\r\n"
                      "<WIRE>\r\n<CODE>BAD</CODE>\r\n<GRADE>SM</GRADE>\r\n<BREAKING_STRENGTH>lots</BREAKING_STRENGTH>\r\n</WIRE>\r\n"
                      "</WIRE_LIST>\r\n</XML>\r\n",
                      "CodeList.xml");
    const auto strands = list.Strands();
    ASSERT_EQ(strands.size(), 1u);
    EXPECT_EQ(strands[0]->Code, "A");
    EXPECT_EQ(strands[0]->Grade, "EHS");
    EXPECT_EQ(strands[0]->BreakingStrength, 15400);
    EXPECT_EQ(strands[0]->StrandName(), "3/8\" EHS");
    EXPECT_EQ(list.FindStrand("A"), strands[0]);
    EXPECT_EQ(list.FindStrand("NO-GRADE"), nullptr) << "a wire without a grade is no strand";
    EXPECT_EQ(list.TypicalWires().Rows.size(), 6u) << "every wire is still offered for the compositions";
    ASSERT_EQ(list.Warnings.size(), 1u);
    EXPECT_NE(list.Warnings[0].find("WIRE/BREAKING_STRENGTH (code BAD)"), std::string::npos) << list.Warnings[0];
}

TEST(CodeList, ShippedCatalogueGivesTheThreeGradesOfEverySize)
{
    TCodeList list;
    list.Load(CORVADEL_SOURCE_DIR "/data/CodeList.xml");
    EXPECT_TRUE(list.Warnings.empty());
    const struct {
        const char *Size;
        double Weight, ExtraHigh, High, SiemensMartin;
    } table[] = {{"1/4", 0.121, 6650, 4750, 3150},
                 {"5/16", 0.205, 11200, 8000, 5350},
                 {"3/8", 0.273, 15400, 10800, 6950},
                 {"7/16", 0.399, 20800, 14500, 9350},
                 {"1/2", 0.517, 26900, 18800, 12100}};
    for (const auto &row : table) {
        SCOPED_TRACE(row.Size);
        for (const auto &[grade, strength] :
             {std::pair {"EHS", row.ExtraHigh}, {"HS", row.High}, {"SM", row.SiemensMartin}}) {
            const TTypicalWire *strand = list.FindStrand(std::string(grade) + "-" + row.Size);
            ASSERT_NE(strand, nullptr) << grade;
            EXPECT_EQ(strand->Grade, grade);
            EXPECT_EQ(strand->BreakingStrength, strength);
            EXPECT_EQ(strand->Weight, row.Weight);
            EXPECT_EQ(strand->Category, std::string("SPAN ") + grade);
        }
    }
    EXPECT_EQ(list.Strands().size(), 15u) << "messengers and cables are no strands";
}
