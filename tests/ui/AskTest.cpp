#include "../support/ScriptedAsk.h"

#include <QApplication>

using namespace corvadel;

namespace {

// The script answers in order, records what was asked and lets OK-only
// notices through without an answer.
TEST(ScriptedAsk, AnswersInOrderAndRecordsTheTexts)
{
    test::TScriptedAsk ask;
    ask.Answers = {QMessageBox::Yes, QMessageBox::No};
    TAsk &asker = ask;
    asker.Tell(nullptr, TMessageKind::Error, QStringLiteral("notice"));
    EXPECT_EQ(asker.Message(nullptr, TMessageKind::Warning, QStringLiteral("first?"),
                            QMessageBox::Yes | QMessageBox::No),
              QMessageBox::Yes);
    EXPECT_EQ(asker.Message(nullptr, TMessageKind::Information, QStringLiteral("second?"),
                            QMessageBox::Yes | QMessageBox::Cancel),
              QMessageBox::No);
    ASSERT_EQ(ask.Asked.size(), 3u);
    EXPECT_EQ(ask.Asked[0].Kind, TMessageKind::Error);
    EXPECT_EQ(ask.Asked[1].Text, QStringLiteral("first?"));
    EXPECT_EQ(ask.LastText(), QStringLiteral("second?"));
}

} // namespace
