#include "../support/ReferenceXml.h"
#include "uFormats.h"
#include "uIniFile.h"
#include "uXMLBaseObject.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

using namespace corvadel;

namespace {

// Each test process has names of its own: tests run side by side.
std::string TempPath(const std::string &name)
{
    const std::string own = "corvadel_xml_" + std::to_string(::getpid()) + "_" + name;
    return (std::filesystem::temp_directory_path() / own).string();
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
    EXPECT_EQ(SmallTree().DocumentText(),
        "<XML>\r\n"
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
    for (const char *eol : { "\n", "\r", "\r\n" }) {
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
    for (const char *text : { "", "<OTHER>1</OTHER>", "<XML></XML>", "<XML></XML>\r\n<XML>\r\n<A>1</A>\r\n</XML>" }) {
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
    const auto fill = [](int levels) {
        std::string text;
        for (int i = 0; i < levels; ++i)
            text += "<A>";
        for (int i = 0; i < levels; ++i)
            text += "</A>";
        return text;
    };
    TXMLBaseObject n;
    try {
        n.Parse(fill(100000));
        ADD_FAILURE() << "read";
    } catch (const EXMLUnclosedElement &) {
        ADD_FAILURE() << "every element is closed";
    } catch (const std::runtime_error &) {
    }

    TXMLBaseObject m;
    EXPECT_NO_THROW(m.Parse(fill(200)));
}

// Each text is cut short or damaged; the innermost element left open is
// named with the line of its start tag.
TEST(XmlCodec, UnclosedElementsAreRefusedNamingTheInnermostAndItsLine)
{
    const struct {
        const char *Text;
        const char *Element;
        int Line;
    } cases[] = {
        {"<XML>\r\n<A>\r\n<B>1</B>\r\n", "A", 2},
        {"<XML>\r\n<A>\r\n<B>1</B>\r\n</A>\r\n", "XML", 1},
        {"<XML>\r\n<A>\r\n<B>1</B>\r\n</A>\r\n</XM", "XML", 1},
        {"\r\n\r\n<XML>\r\n<A>1</A>\r\n", "XML", 3},
        {"<XML>\n<A>\n<B>12", "B", 3},
        {"<XML>\r<A>\r<B>1</B>\r<C", "A", 2},
        {"<XML>\r\n<A>\r\n<B>1</B>\r\n<C>\r\n</A>\r\n</XML>\r\n", "C", 4},
        {"<XML>", "XML", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.Text)));
        TXMLBaseObject loaded;
        try {
            loaded.LoadFromText(c.Text);
            ADD_FAILURE() << "read as whole";
        } catch (const EXMLUnclosedElement &error) {
            EXPECT_EQ(error.Element, c.Element);
            EXPECT_EQ(error.Line, c.Line);
            EXPECT_NE(std::string(error.what()).find("the file is damaged or cut short"), std::string::npos);
        }
    }
    TXMLBaseObject parsed;
    EXPECT_THROW(parsed.Parse("<A>1<B>2</B>"), EXMLUnclosedElement);
}

TEST(XmlCodec, ClosedElementsOfAnyNameStillRead)
{
    for (const char *text : {"<XML><A><A>x</A></A></XML>", "<XML><UNKNOWN>1</UNKNOWN><B>2</B></XML>",
                             "<XML><A>1</A></B></XML>"}) {
        TXMLBaseObject loaded;
        EXPECT_NO_THROW(EXPECT_TRUE(loaded.LoadFromText(text))) << text;
    }
}

TEST(XmlCodec, UnclosedElementOfAFileNamesTheFile)
{
    const std::string path = TempPath("cut.xml");
    std::ofstream(path, std::ios::binary) << "<XML>\r\n<PROJECT>\r\n<NAME>Main";
    TXMLBaseObject loaded;
    try {
        loaded.LoadFromFile(path);
        ADD_FAILURE() << "read as whole";
    } catch (const EXMLUnclosedElement &error) {
        EXPECT_STREQ(error.what(), (path + ", line 3: the element NAME has no end tag: the file is damaged or cut short").c_str());
    }
    std::filesystem::remove(path);
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

namespace {

// What reading gave: a tree, or the element never closed and its line.
struct TReadOutcome {
    bool Damaged = false;
    std::string Element;
    int Line = 0;
};

template<class Read>
TReadOutcome CodecOutcome(Read read)
{
    try {
        read();
    } catch (const EXMLUnclosedElement &error) {
        return {true, error.Element, error.Line};
    }
    return {};
}

template<class Read>
TReadOutcome ReferenceOutcome(Read read)
{
    try {
        read();
    } catch (const test::TReferenceDamage &damage) {
        return {true, damage.Element, damage.Line};
    }
    return {};
}

void ExpectSameOutcome(const TReadOutcome &codec, const TReadOutcome &reference, const std::string &text)
{
    ASSERT_EQ(codec.Damaged, reference.Damaged) << testing::PrintToString(text);
    EXPECT_EQ(codec.Element, reference.Element) << testing::PrintToString(text);
    EXPECT_EQ(codec.Line, reference.Line) << testing::PrintToString(text);
}

// Loads `text` with the codec and with the plain rules; the two must agree.
void ExpectLoadsAsTheRulesSay(const std::string &text)
{
    TXMLBaseObject loaded;
    test::TReferenceNode reference;
    bool loadedResult = false;
    bool expected = false;
    const TReadOutcome codec = CodecOutcome([&] { loadedResult = loaded.LoadFromText(text); });
    const TReadOutcome rules = ReferenceOutcome([&] { expected = test::ReferenceLoad(text, reference); });
    ExpectSameOutcome(codec, rules, text);
    if (codec.Damaged)
        return;
    ASSERT_EQ(loadedResult, expected) << testing::PrintToString(text);
    if (expected) {
        EXPECT_TRUE(test::SameTree(loaded, reference)) << testing::PrintToString(text);
    }
}

// Streaming a file hands on, one by one, exactly the elements two levels
// down that the whole read gives, each with the element above it; or it
// declines, and the whole read takes the file.
void ExpectStreamsAsTheWholeReadGives(const std::string &text)
{
    const std::string path = TempPath("stream.xml");
    std::ofstream(path, std::ios::binary) << text;
    std::vector<std::pair<std::string, std::string>> handed;
    const auto take = [&](const TXMLBaseObject &parent, const TXMLBaseObject &element) {
        handed.emplace_back(parent.Name, element.AsText());
    };
    const bool streamed = TXMLBaseObject().StreamFromFile(path, take);
    std::filesystem::remove(path);
    if (!streamed)
        return;
    TXMLBaseObject whole;
    ASSERT_TRUE(whole.LoadFromText(text)) << testing::PrintToString(text);
    std::vector<std::pair<std::string, std::string>> expected;
    for (const TXMLBaseObject *parent : whole.Children)
        for (const TXMLBaseObject *element : parent->Children)
            expected.emplace_back(parent->Name, element->AsText());
    EXPECT_EQ(handed, expected) << testing::PrintToString(text);
}

void ExpectParsesAsTheRulesSay(const std::string &text)
{
    TXMLBaseObject parsed;
    test::TReferenceNode reference;
    const TReadOutcome codec = CodecOutcome([&] { parsed.Parse(text); });
    const TReadOutcome rules = ReferenceOutcome([&] { test::ReferenceParseChecked(reference, text); });
    ExpectSameOutcome(codec, rules, text);
    if (!codec.Damaged) {
        EXPECT_TRUE(test::SameTree(parsed, reference)) << testing::PrintToString(text);
    }
}

} // namespace

TEST(XmlCodec, OddDocumentsReadAsTheRulesSay)
{
    const std::string documents[] = {
        "<XML>\r\n<A>\r\n<B>1</B>\r\n\r\n<C>x&lt;y&gt;</C>\r\n</A>\r\n</XML>\r\n",
        "<XML><A><A>x</A></A><B>2</B></XML>",
        "<XML><A><B>1</B></C>text</A><D>4</D></XML>",
        "<XML><A><B>1</B>",
        "<XML><A>x<y</A><B>2</B></XML>",
        "<XML><XML>1</XML><B>2</B></XML>",
        "<XML><A><XML>1</XML><B>2</B></A></XML>",
        "<XML><A><B>1</B></A></XML><C>3</C></XML>",
        "<XML>hello &lt;world&gt;</XML>",
        "<XML>\r<A>a\rb\nc\r\n</A>\r</XML>",
        "<XML>\n<A>one\n\ntwo</A>\n</XML>",
        "<XML><A>&lt;b&gt; &amp;lt; &&lt;lt;</A></XML>",
        "<XML><>x</><A>1</A></XML>",
        "<XML>junk<A>1</A>tail<B>2</B>end</XML>",
        "<XML><A B>1</A B><C/D>2</C/D></XML>",
        "<XML><A\x01>1</A\x01></XML>",
        "<XML></A><B>1</B></XML>",
        "<XML><A>1</A><B</XML>",
        "<XML><A>1</A>",
        "<XML><A></A><B>2</B></XML>",
        "<XML><A>1</A></B></XML>",
        "<XML><SIGNAL_HEIGHT>1</SIGNAL_WEIGHT><SIGNAL_HEIGHT>2</SIGNAL_HEIGHT></XML>",
        "<XML><ABCDEFGH>1</ABCDEFGX><B>2</B></XML>",
        "<XML><ABCDEFGHIJ>1</ABCDEFGHIX><B>2</B></XML>",
        "<XML><A><B>1</B>\r\n<B>2</B></A>trailing</XML>",
        std::string("<XML><A>1</A>\0<B>2</B></XML>", 29),
        "<XML></XML>",
        "<XML>",
        "no document",
        "<?xml version=\"1.0\"?>\r\n<XML>\r\n<A>1</A>\r\n</XML>\r\n<XML><B>2</B></XML>",
    };
    for (const std::string &text : documents) {
        ExpectLoadsAsTheRulesSay(text);
        ExpectParsesAsTheRulesSay(text);
        ExpectStreamsAsTheWholeReadGives(text);
    }
}

TEST(XmlCodec, DamagedDocumentsReadAsTheRulesSay)
{
    const std::string original = SmallTree().DocumentText() + "<XML><X><A>1</A><B>\r\n<C>2</C></B></X></XML>";
    const std::string alphabet = "<>/&;ltgABCXML \r\n";
    std::mt19937 random(4);
    for (int i = 0; i < 4000; ++i) {
        std::string text = original;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = random() % (text.size() + 1);
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
            case 0:
                text.insert(at, 1, c);
                break;
            case 1:
                if (at < text.size())
                    text.erase(at, 1);
                break;
            default:
                if (at < text.size())
                    text[at] = c;
            }
        }
        ExpectLoadsAsTheRulesSay(text);
        ExpectParsesAsTheRulesSay(text);
        ExpectStreamsAsTheWholeReadGives(text);
        if (HasFailure())
            return;
    }
}

// Elements of every size one after another, so that the memory of one
// serves the next whatever their sizes; the values with entities and line
// breaks are kept in that memory too.
TEST(XmlCodec, StreamedElementsOfAnySizeComeWhole)
{
    std::mt19937 random(7);
    std::string text = "<XML>\r\n<PROJECT>\r\n";
    for (int i = 0; i < 300; ++i) {
        text += "<ITEM>\r\n";
        const int children = static_cast<int>(random() % (i % 50 == 0 ? 3000 : 40));
        for (int c = 0; c < children; ++c)
            text += "<VALUE>" + std::to_string(i * 10000 + c) + (c % 9 ? "" : " &lt;a&gt;\nb") + "</VALUE>\r\n";
        // A value larger than any block before it.
        if (i == 150)
            text += "<NOTE>&lt;" + std::string(300000, 'n') + "</NOTE>\r\n";
        text += "</ITEM>\r\n";
    }
    text += "</PROJECT>\r\n<TAIL>1</TAIL>\r\n</XML>\r\n";
    ExpectStreamsAsTheWholeReadGives(text);

    const std::string path = TempPath("stream-large.xml");
    std::ofstream(path, std::ios::binary) << text;
    int items = 0;
    const auto count = [&](const TXMLBaseObject &, const TXMLBaseObject &) { ++items; };
    EXPECT_TRUE(TXMLBaseObject().StreamFromFile(path, count));
    std::filesystem::remove(path);
    EXPECT_EQ(items, 300);
}

TEST(XmlCodec, NulInAValueDoesNotCutTheFileShort)
{
    TXMLBaseObject root;
    root.AddChild("A", std::string("x\0y", 3));
    root.AddChild("B", "2");
    EXPECT_EQ(root.DocumentText(), "<XML>\r\n<A>xy</A>\r\n<B>2</B>\r\n</XML>\r\n");
}

TEST(XmlCodec, LargeDocumentsLeaveInPiecesWithTheSameBytes)
{
    TXMLBaseObject root;
    for (int i = 0; i < 20000; ++i) {
        TXMLBaseObject *item = root.AddChild("ITEM_WITH_A_LONG_NAME");
        item->AddChild("VALUE", std::to_string(i) + (i % 7 ? "" : " <a>\nb\rc\r\n"));
        item->AddChild("EMPTY");
    }
    std::vector<std::string> pieces;
    TXMLTextWriter writer(true, [&](std::string_view piece) { pieces.emplace_back(piece); });
    writer.Begin("XML");
    for (const TXMLBaseObject *child : root.Children)
        writer.Node(*child);
    writer.End();
    writer.Flush();

    EXPECT_GT(pieces.size(), 2u);
    std::string joined;
    for (const std::string &piece : pieces)
        joined += piece;
    EXPECT_EQ(joined, root.DocumentText());
    const std::string path = TempPath("large.xml");
    root.SaveToFile(path);
    EXPECT_EQ(ReadFileText(path), joined);
    std::filesystem::remove(path);
}

TEST(XmlCodec, TextWriterWritesWhatTheTreeWouldHold)
{
    // Empty leaves and elements without children leave only their line end.
    const auto write = [](TXMLElementWriter &out) {
        out.Begin("XML");
        out.Begin("A");
        out.Leaf("B", "1");
        out.Begin("NO_CHILDREN");
        out.End();
        out.Leaf("EMPTY", "");
        out.Begin("D");
        out.Leaf("E", "x<y\nz");
        out.End();
        out.End();
        out.Begin("ONLY_EMPTY");
        out.Leaf("EMPTY", "");
        out.End();
        out.Leaf("F", "2");
        out.End();
    };
    TXMLTextWriter text(true);
    write(text);
    TXMLTreeWriter tree;
    write(tree);
    const std::string expected = "<XML>\r\n<A>\r\n<B>1</B>\r\n\r\n\r\n<D>\r\n<E>x&lt;y\r\nz</E>\r\n</D>\r\n</A>\r\n"
                                 "<ONLY_EMPTY>\r\n\r\n</ONLY_EMPTY>\r\n<F>2</F>\r\n</XML>\r\n";
    EXPECT_EQ(text.Text(), expected);
    EXPECT_EQ(tree.Take()->DocumentText(), expected);
}

TEST(XmlCodec, UnbalancedWritingIsRefused)
{
    TXMLTextWriter text(true);
    EXPECT_THROW(text.End(), std::logic_error);
    TXMLTreeWriter tree;
    tree.Leaf("A", "1");
    EXPECT_THROW(tree.Leaf("B", "2"), std::logic_error);
}
