// The help window: every context has its topic, every link and picture of
// the pages leads somewhere, and F1 asks for the topic of its window.
#include "AboutFRM.h"
#include "HelpFRM.h"
#include "MainFRM.h"
#include "ParametersFRM.h"
#include "ProjectDetailFRM.h"
#include "../support/ScriptedAsk.h"
#include "../support/WhenModal.h"
#include "uGlobalSettings.h"
#include "uHelpContext.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace corvadel;
using corvadel::test::TScriptedAsk;
using corvadel::test::TWhenModal;

namespace {

QString PageText(const QString &fileName)
{
    QFile file(HelpPageNamed(fileName).toString().replace(QStringLiteral("qrc:"), QStringLiteral(":")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Pages()
{
    HelpPageNamed({}); // loads the resource
    QStringList pages;
    for (QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}); it.hasNext();)
        pages << QFileInfo(it.next()).fileName();
    pages.sort();
    return pages;
}

QStringList Captured(const QString &text, const QString &pattern)
{
    QStringList found;
    for (const auto &match : QRegularExpression(pattern).globalMatch(text))
        found << match.captured(1);
    return found;
}

class Help : public ::testing::Test {
protected:
    Help()
        : Window(Settings, Ask, {})
        , Desk(&Window)
    {
        Window.show();
        QApplication::setActiveWindow(&Window);
    }

    TGlobalSetting Settings;
    TScriptedAsk Ask;
    TfrmMain Window;
    THelpDesk Desk;
};

TEST_F(Help, EveryContextOpensItsOwnTitledTopic)
{
    QSet<QString> titles;
    for (const THelpTopic &topic : HelpTopics()) {
        SCOPED_TRACE(topic.Context);
        ShowHelp(&Window, topic.Context);
        TfrmHelp *help = Desk.Window();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->Browser().source(), HelpPageNamed(QLatin1String(topic.Page)));
        const QString title = help->Browser().documentTitle();
        EXPECT_FALSE(title.isEmpty());
        EXPECT_FALSE(titles.contains(title)) << title.toStdString();
        titles << title;
        EXPECT_EQ(help->windowTitle(), "Corvadel Help - " + title);
        EXPECT_GT(help->Browser().toPlainText().size(), 300) << "a topic written for real";
    }
}

TEST(HelpPages, EveryLinkAndPictureLeadsSomewhereAndEveryPageIsInTheContents)
{
    const QStringList pages = Pages();
    ASSERT_TRUE(pages.contains("index.html"));
    for (const THelpTopic &topic : HelpTopics())
        EXPECT_TRUE(pages.contains(QLatin1String(topic.Page))) << topic.Page;

    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList queue{QStringLiteral("index.html")};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        const QString text = PageText(page);
        SCOPED_TRACE(page.toStdString());
        EXPECT_FALSE(Captured(text, QStringLiteral("<title>([^<]+)</title>")).isEmpty()) << "no title";
        for (const QString &link : Captured(text, QStringLiteral("href=\"([^\"]+)\""))) {
            if (link.startsWith(QLatin1String("http")) || link.startsWith(QLatin1String("mailto:")))
                continue;
            const QString target = link.section('#', 0, 0).isEmpty() ? page : link.section('#', 0, 0);
            const QString anchor = link.section('#', 1);
            if (!QFile::exists(QStringLiteral(":/help/") + target)) {
                ADD_FAILURE() << "broken link " << link.toStdString();
                continue;
            }
            if (!anchor.isEmpty() && !PageText(target).contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                ADD_FAILURE() << "no anchor for " << link.toStdString();
            if (target.endsWith(QLatin1String(".html")) && !reached.contains(target)) {
                reached << target;
                queue << target;
            }
        }
        for (const QString &picture : Captured(text, QStringLiteral("<img[^>]*src=\"([^\"]+)\""))) {
            const bool found = picture.startsWith(QLatin1String("diagram:"))
                ? !THelpBrowser::Diagram(picture.mid(8)).isNull()
                : QFile::exists(QStringLiteral(":/help/") + picture);
            EXPECT_TRUE(found) << "missing picture " << picture.toStdString();
        }
    }
    for (const QString &page : pages)
        EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " cannot be reached from the contents";
}

TEST(HelpPages, EachTypeDiagramIsDrawn)
{
    for (const char *type : {"simple", "wye", "h", "delta", "hybrid", "box"}) {
        SCOPED_TRACE(type);
        const QImage diagram = THelpBrowser::Diagram(QLatin1String(type));
        ASSERT_FALSE(diagram.isNull());
        int inked = 0;
        for (int y = 0; y < diagram.height(); ++y)
            for (int x = 0; x < diagram.width(); ++x)
                inked += diagram.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(inked, 1000);
    }
    EXPECT_TRUE(THelpBrowser::Diagram(QStringLiteral("octagon")).isNull());
}

TEST_F(Help, F1InTheMainWindowOpensItsTopicAndContentsTheContents)
{
    QWidget *tree = Window.findChild<QWidget *>("tvSpanWireList");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_F1);
    ASSERT_NE(Desk.Window(), nullptr);
    EXPECT_EQ(Desk.Window()->Browser().source(), HelpPage(hcMain));

    Window.findChild<QAction *>("help")->trigger();
    EXPECT_EQ(Desk.Window()->Browser().source(), HelpPage(hcContents));
    EXPECT_TRUE(Window.findChild<QAction *>("help")->shortcut().isEmpty()); // F1 is the window's topic
}

TEST_F(Help, F1InAModalDialogOpensItsTopicInAWindowThatCanBeRead)
{
    QDialog dialog(&Window);
    SetHelpContext(&dialog, hcSignals);
    auto *field = new QLineEdit(&dialog);
    TWhenModal when([&](QDialog &shown) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_F1);
        ASSERT_NE(Desk.Window(), nullptr);
        EXPECT_EQ(Desk.Window()->Browser().source(), HelpPage(hcSignals));
        EXPECT_EQ(Desk.Window()->parentWidget(), &shown); // not blocked by the dialog
        EXPECT_EQ(Desk.Window()->windowTitle(), "Corvadel Help - " + Desk.Window()->Browser().documentTitle());
    });
    dialog.exec();
}

TEST_F(Help, BackForwardAndFindInThePage)
{
    ShowHelp(&Window, hcMain);
    TfrmHelp *help = Desk.Window();
    help->ShowTopic(hcParameters);
    help->findChild<QAction *>("help_back")->trigger();
    EXPECT_EQ(help->Browser().source(), HelpPage(hcMain));
    help->findChild<QAction *>("help_forward")->trigger();
    EXPECT_EQ(help->Browser().source(), HelpPage(hcParameters));

    EXPECT_TRUE(help->Find(QStringLiteral("Wind Pressure")));
    EXPECT_EQ(help->Browser().textCursor().selectedText().toLower(), "wind pressure"); // any case
    EXPECT_TRUE(help->Find(QStringLiteral("Wind Pressure"))); // again, and round from the top
    EXPECT_FALSE(help->Find(QStringLiteral("no such words here at all")));
}

} // namespace

namespace {

struct TDialogCase {
    const char *Name;
    std::function<std::unique_ptr<QDialog>(const TGlobalSetting &, TScriptedAsk &, const TWireConfigurationList &)>
        Make;
    int Context;
};

TEST(HelpButtons, EachDialogAsksForItsOwnTopic)
{
    std::vector<int> asked;
    SetHelpService([&](QWidget *, int context) { asked.push_back(context); });
    const TDialogCase cases[] = {
        {"parameters",
         [](const TGlobalSetting &s, TScriptedAsk &a, const TWireConfigurationList &) {
             return std::unique_ptr<QDialog>(new TfrmParameters(s, a));
         },
         hcParameters},
        {"project detail",
         [](const TGlobalSetting &, TScriptedAsk &, const TWireConfigurationList &p) {
             return std::unique_ptr<QDialog>(new TfrmProjectDetail(p));
         },
         hcProjectDetail},
        {"about",
         [](const TGlobalSetting &, TScriptedAsk &, const TWireConfigurationList &) {
             return std::unique_ptr<QDialog>(new TfrmAbout);
         },
         hcAbout},
    };
    TGlobalSetting settings;
    TScriptedAsk ask;
    TWireConfigurationList project(settings.Parameters);
    for (const TDialogCase &c : cases) {
        SCOPED_TRACE(c.Name);
        asked.clear();
        const auto dialog = c.Make(settings, ask, project);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Help), Qt::LeftButton);
        EXPECT_EQ(asked, std::vector<int>{c.Context});
    }
    SetHelpService(nullptr);
}

TEST(About, ShowsTheProductItsVersionAndItsLogo)
{
    TfrmAbout about;
    EXPECT_EQ(about.windowTitle(), "About");
    QStringList texts;
    for (const QLabel *label : about.findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts << label->text();
    EXPECT_EQ(texts, QStringList({"TARVO", "Version 1.2.3", "Velmark", "Corvadel",
                                  "TARVO is the family name of Corvadel's design files and settings (\"TARVO XML "
                                  "Files\", \"TARVO Parameters\"), kept so that stored projects and settings "
                                  "stay compatible."}));
    const QImage logo = about.findChild<QLabel *>("imgLogo")->pixmap().toImage();
    ASSERT_FALSE(logo.isNull());
    EXPECT_GT(qAlpha(logo.pixel(logo.width() / 2, logo.height() / 2)), 0);
    EXPECT_EQ(about.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->text(), "OK");
}

} // namespace
