// The numeric field: what typing and pasting let through, and how its text
// reads and writes as a number.
#include "KorvelEditComp.h"
#include "uFormats.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace corvadel;

namespace {

// Key presses carrying each character, as a keyboard of any layout sends them.
void Type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

struct TTypingCase {
    TEditType Type;
    QString Start;
    QString Typed;
    QString Expected;
};

class KorvelEditTyping : public ::testing::TestWithParam<TTypingCase> {};

TEST_P(KorvelEditTyping, KeepsOnlyCharactersOfItsKind)
{
    const auto &c = GetParam();
    TKorvelEdit edit;
    edit.SetEditType(c.Type);
    edit.setText(c.Start);
    edit.selectAll(); // the tests look at the whole text, selection or not
    edit.end(false);
    Type(&edit, c.Typed);
    EXPECT_EQ(edit.text(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, KorvelEditTyping, ::testing::Values(
    TTypingCase{etFree, "", "a/é 1", "a/é 1"},
    TTypingCase{etAlpha, "", "aZ9 é-b", "aZb"},
    TTypingCase{etNumeric, "", "1a-2.3", "123"},
    TTypingCase{etAlphaNumeric, "", "ab 12_c", "ab12c"},
    TTypingCase{etExtended, "", "Main St-2_b/", "Main St-2_b"},
    TTypingCase{etFloat, "", "1.5.", "1.5"},
    TTypingCase{etFloat, "", "-1-2", "-12"},
    TTypingCase{etFloat, "12", "-", "12-"},
    TTypingCase{etFloat, "", "1e5,x", "15"},
    TTypingCase{etInteger, "12", "-", "12"},
    TTypingCase{etInteger, "", "-+5", "-5"},
    TTypingCase{etInteger, "", "+7.", "+7"}));

TEST(KorvelEdit, SecondPeriodIsRefusedEvenOverASelectedFirst)
{
    TKorvelEdit edit;
    edit.SetEditType(etFloat);
    edit.setText("1.5");
    edit.setSelection(1, 1); // the period
    Type(&edit, ".");
    EXPECT_EQ(edit.text(), "1.5");
}

TEST(KorvelEdit, PasteGoesThroughTheFilterAndTheMaximumLength)
{
    TKorvelEdit edit;
    edit.SetEditType(etFloat);
    edit.SetMaxLength(7);
    edit.setText("1.");
    QApplication::clipboard()->setText("2.3-4abc56789");
    edit.end(false);
    QTest::keySequence(&edit, QKeySequence::Paste);
    EXPECT_EQ(edit.text(), "1.23-45");
}

// Text dragged from elsewhere is the user's input as much as typed text.
TEST(KorvelEdit, DroppedTextGoesThroughTheFilterAndTheMaximumLength)
{
    const struct {
        QString Start; // all of it selected; a drop does not replace it
        QString Dropped;
        QString Expected;
    } cases[] = {
        { "", "1e400", "1400" },
        { "", "nan", "" },
        { "", "-inf", "-" },
        { "", "99999999999999999999", "9999999" },
        { "", "2.5", "2.5" },
        { "567", "123456", "1234567" },
        { "5.6", "1.2", "125.6" },
    };
    for (const auto &c : cases) {
        TKorvelEdit edit;
        edit.SetEditType(etFloat);
        edit.SetMaxLength(7);
        edit.resize(200, 30);
        edit.setText(c.Start);
        edit.selectAll();
        QMimeData data;
        data.setText(c.Dropped);
        // The drop reaches the field that accepted the drag's entry; x = 1
        // is before the first character.
        QDragEnterEvent enter(QPoint(1, 15), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&edit, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(1, 15), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&edit, &drop);
        EXPECT_EQ(edit.text(), c.Expected) << c.Dropped.toStdString();
    }
}

TEST(KorvelEdit, TextSetByTheProgramIsNotFiltered)
{
    TKorvelEdit edit;
    edit.SetEditType(etNumeric);
    edit.SetMaxLength(3);
    edit.SetAlphaOutput("ab-cd");
    EXPECT_EQ(edit.AlphaOutput(), "ab-cd");
}

TEST(KorvelEdit, TypingStopsAtTheMaximumLength)
{
    TKorvelEdit edit;
    edit.SetEditType(etFloat);
    edit.SetMaxLength(4);
    Type(&edit, "123456");
    EXPECT_EQ(edit.text(), "1234");
}

struct TWriteCase {
    TEditType Type;
    int Precision;
    int Scale;
    double Value;
    QString Expected;
};

class KorvelEditWriting : public ::testing::TestWithParam<TWriteCase> {};

TEST_P(KorvelEditWriting, WritesTheNumberInItsKind)
{
    const auto &c = GetParam();
    TKorvelEdit edit;
    edit.SetEditType(c.Type);
    edit.SetPrecision(c.Precision);
    edit.SetScale(c.Scale);
    edit.setText("old");
    edit.SetNumericOutput(c.Value);
    EXPECT_EQ(edit.text(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, KorvelEditWriting, ::testing::Values(
    TWriteCase{etFloat, 7, 2, 3.14159, "3.14"},
    TWriteCase{etFloat, 7, 2, 0, "0.00"},
    TWriteCase{etFloat, 7, 2, 123456.78, "123456.80"},
    TWriteCase{etFloat, 7, 2, 2.005, "2.00"},
    TWriteCase{etFloat, 7, 2, -0.5, "-0.50"},
    TWriteCase{etFloat, 7, 2, 0.273, "0.27"},
    TWriteCase{etFloat, 7, 5, 1, "1.00000"},
    TWriteCase{etFloat, 3, 2, 12345, "1.23E+004"},
    TWriteCase{etInteger, 7, 2, 7, "7"},
    TWriteCase{etInteger, 7, 2, 7.9, "7"},
    TWriteCase{etInteger, 7, 2, -7.9, "-7"},
    TWriteCase{etInteger, 7, 2, std::nan(""), "NAN"},
    TWriteCase{etInteger, 7, 2, -HUGE_VAL, "-INF"},
    TWriteCase{etInteger, 7, 2, 1e300, "1E300"},
    TWriteCase{etAlpha, 7, 2, 5, "old"}));

struct TReadCase {
    TEditType Type;
    QString Text;
    double Expected;
    QString TextAfter;
};

class KorvelEditReading : public ::testing::TestWithParam<TReadCase> {};

TEST_P(KorvelEditReading, ReadsTheTextAsANumber)
{
    const auto &c = GetParam();
    TKorvelEdit edit;
    edit.SetEditType(c.Type);
    edit.setText(c.Text);
    EXPECT_DOUBLE_EQ(edit.NumericOutput(), c.Expected);
    EXPECT_EQ(edit.text(), c.TextAfter);
}

INSTANTIATE_TEST_SUITE_P(Table, KorvelEditReading, ::testing::Values(
    TReadCase{etFloat, "", 0, "0"},
    TReadCase{etInteger, "", 0, "0"},
    TReadCase{etFloat, "1.5", 1.5, "1.5"},
    TReadCase{etFloat, "-2.25", -2.25, "-2.25"},
    TReadCase{etFloat, "1e3", 1000, "1e3"},
    TReadCase{etInteger, "+42", 42, "+42"},
    TReadCase{etInteger, "-7", -7, "-7"}));

class KorvelEditBadText : public ::testing::TestWithParam<std::pair<TEditType, QString>> {};

TEST_P(KorvelEditBadText, RaisesAnErrorNamingTheTextAndKeepsIt)
{
    const auto &[type, text] = GetParam();
    TKorvelEdit edit;
    edit.SetEditType(type);
    edit.setText(text);
    try {
        edit.NumericOutput();
        FAIL() << "no error for " << text.toStdString();
    } catch (const EConvertError &e) {
        EXPECT_NE(std::string(e.what()).find("'" + text.toStdString() + "'"), std::string::npos) << e.what();
    }
    EXPECT_EQ(edit.text(), text);
}

INSTANTIATE_TEST_SUITE_P(Table, KorvelEditBadText, ::testing::Values(
    std::pair{etFloat, QString("1-2")}, std::pair{etFloat, QString(".")}, std::pair{etFloat, QString("-")},
    std::pair{etFloat, QString("5-")}, std::pair{etInteger, QString("+")},
    std::pair{etInteger, QString("99999999999")}));

} // namespace
