#include "uFormats.h"
#include "uIniFile.h"
#include "uXMLBaseObject.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace corvadel;

namespace {

std::string TempPath(const std::string &name)
{
    return (std::filesystem::temp_directory_path() / ("corvadel_xml_" + name)).string();
}

TXMLBaseObject SmallTree()
{
    TXMLBaseObject root("ignored");
    auto *project = root.AddChild("PROJECT");
    project->AddChild("NAME", "Main & 5th <north>");
    project->AddChild("EMPTY");
    project->AddChild("NUMBER", "3");
    return root;
}

} // namespace

TEST(XmlCodec, WritesTheExactBytes)
{
    EXPECT_EQ(SmallTree().DocumentText(), "<XML>\r\n"
                                          "<PROJECT>\r\n"
                                          "<NAME>Main & 5th &lt;north&gt;</NAME>\r\n"
                                          "\r\n"
                                          "<NUMBER>3</NUMBER>\r\n"
                                          "</PROJECT>\r\n"
                                          "</XML>\r\n");
}

TEST(XmlCodec, SaveAndLoadRoundTrip)
{
    const std::string path = TempPath("roundtrip.xml");
    ASSERT_TRUE(SmallTree().SaveToFile(path));
    EXPECT_EQ(ReadFileText(path), SmallTree().DocumentText());

    TXMLBaseObject loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.Name, "XML");
    ASSERT_EQ(loaded.Children.size(), 1u);
    const auto &project = *loaded.Children[0];
    EXPECT_EQ(project.Name, "PROJECT");
    ASSERT_EQ(project.Children.size(), 2u) << "the empty leaf is not written";
    EXPECT_EQ(TXMLBaseObject::ChildValue(project, "NAME"), "Main & 5th <north>");
    EXPECT_EQ(TXMLBaseObject::ChildValue(project, "NUMBER"), "3");
    EXPECT_EQ(TXMLBaseObject::ChildValue(project, "EMPTY"), "");
    std::remove(path.c_str());
}

TEST(XmlCodec, MultiLineValuesComeBackWithCrLf)
{
    TXMLBaseObject root;
    root.AddChild("COMMENTS", "first\nsecond\rthird\r\nfourth");
    TXMLBaseObject loaded;
    ASSERT_TRUE(loaded.LoadFromText(root.DocumentText()));
    EXPECT_EQ(TXMLBaseObject::ChildValue(loaded, "COMMENTS"), "first\r\nsecond\r\nthird\r\nfourth");
}

TEST(XmlCodec, LineEndsOfAnyKindAreAccepted)
{
    for (const char *eol : {"\n", "\r", "\r\n"}) {
        const std::string e = eol;
        TXMLBaseObject loaded;
        ASSERT_TRUE(loaded.LoadFromText("<XML>" + e + "<A>1</A>" + e + "<B>x" + e + "y</B>" + e + "</XML>" + e));
        ASSERT_EQ(loaded.Children.size(), 2u);
        EXPECT_EQ(TXMLBaseObject::ChildValue(loaded, "A"), "1");
        EXPECT_EQ(TXMLBaseObject::ChildValue(loaded, "B"), "x\r\ny");
    }
}

TEST(XmlCodec, MissingOrEmptyXmlElementLoadsAsFalse)
{
    for (const char *text : {"", "<OTHER>1</OTHER>", "<XML></XML>", "<XML></XML>\r\n<XML>\r\n<A>1</A>\r\n</XML>"}) {
        TXMLBaseObject node("untouched");
        EXPECT_FALSE(node.LoadFromText(text)) << text;
        EXPECT_EQ(node.Name, "untouched");
    }
}

TEST(XmlCodec, TextOutsideTheFirstXmlElementIsIgnored)
{
    TXMLBaseObject loaded;
    ASSERT_TRUE(loaded.LoadFromText("<?xml version=\"1.0\"?>\r\n<XML>\r\n<A>1</A>\r\n</XML>\r\n<XML><B>2</B></XML>"));
    ASSERT_EQ(loaded.Children.size(), 1u);
    EXPECT_EQ(loaded.Children[0]->Name, "A");
}

TEST(XmlCodec, ParseRulesForOddInput)
{
    {
        // Text before the first child is dropped; unknown names are kept as children.
        TXMLBaseObject n;
        n.Parse("junk<A>1</A>tail<UNKNOWN>2</UNKNOWN>\r\n");
        ASSERT_EQ(n.Children.size(), 2u);
        EXPECT_EQ(n.Children[1]->Name, "UNKNOWN");
        EXPECT_EQ(n.Value, "");
    }
    {
        // A start tag without end tag swallows the rest.
        TXMLBaseObject n;
        n.Parse("<A>1<B>2</B>");
        ASSERT_EQ(n.Children.size(), 1u);
        EXPECT_EQ(n.Children[0]->Name, "A");
        ASSERT_EQ(n.Children[0]->Children.size(), 1u);
        EXPECT_EQ(n.Children[0]->Children[0]->Value, "2");
    }
    {
        // The first end tag closes an element nested in one of the same name.
        TXMLBaseObject n;
        n.Parse("<A><A>x</A></A>");
        ASSERT_EQ(n.Children.size(), 1u);
        EXPECT_EQ(n.Children[0]->Children[0]->Value, "x");
    }
    {
        TXMLBaseObject n;
        n.Parse("a &lt;&gt; b &amp;lt; &&lt;lt;");
        EXPECT_TRUE(n.Children.empty());
        EXPECT_EQ(n.Value, "a <> b &amp;lt; &<lt;");
    }
}

TEST(XmlCodec, ChildValueTakesTheFirstOfDuplicates)
{
    TXMLBaseObject n;
    n.Parse("<A>first</A><A>second</A>");
    EXPECT_EQ(TXMLBaseObject::ChildValue(n, "A"), "first");
    EXPECT_EQ(TXMLBaseObject::ChildValue(n, "a"), "") << "names are case-sensitive";
}

TEST(XmlCodec, DeepNestingIsRefusedNotAStackOverflow)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<A>";
    TXMLBaseObject n;
    EXPECT_THROW(n.Parse(deep), std::runtime_error);

    std::string fine;
    for (int i = 0; i < 200; ++i)
        fine += "<A>";
    TXMLBaseObject m;
    EXPECT_NO_THROW(m.Parse(fine));
}

TEST(XmlCodec, TextEndsAtTheFirstNul)
{
    TXMLBaseObject loaded;
    ASSERT_TRUE(loaded.LoadFromText(std::string("<XML>\r\n<A>1</A>\r\n</XML>\r\n\0<B>", 30)));
    EXPECT_EQ(loaded.Children.size(), 1u);
}

TEST(XmlCodec, FileErrorsRaise)
{
    TXMLBaseObject n;
    EXPECT_THROW(n.LoadFromFile(TempPath("does/not/exist.xml")), EFileError);
    EXPECT_THROW(SmallTree().SaveToFile(TempPath("no/such/folder/x.xml")), EFileError);
}

TEST(XmlCodec, ElementTextLeavesEmptyContentOut)
{
    EXPECT_EQ(ElementText("A", ""), "");
    EXPECT_EQ(ElementText("A", "v"), "<A>v</A>");
}
