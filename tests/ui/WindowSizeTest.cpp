// The main window at its smallest shows every field of every detail page
// whole, and starts the first time at a size taken from the screen.
#include "MainFRM.h"
#include "uDesignSize.h"
#include "../support/Examples.h"
#include "../support/ScratchFolder.h"
#include "../support/ScriptedAsk.h"
#include "uGlobalSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace corvadel;
using corvadel::test::Example;
using corvadel::test::TScriptedAsk;

namespace {

TEST(FirstWindowSize, MostOfTheScreenWithinBounds)
{
    struct TCase {
        QSize Available, Minimum, Expected;
    };
    const TCase cases[] = {
        {{1920, 1080}, {983, 427}, {1400, 864}},
        {{1280, 800}, {983, 427}, {1024, 640}},
        {{2560, 1440}, {983, 427}, {1400, 900}},  // a large screen: a working size, not all of it
        {{1000, 500}, {983, 427}, {983, 427}},    // a small one: never below the minimum
    };
    for (const TCase &c : cases)
        EXPECT_EQ(FirstWindowSize(c.Available, c.Minimum), c.Expected) << c.Available.width();
}

// The field's text fits between its frame's margins.
bool ShowsWhole(const QLineEdit &edit)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    return edit.fontMetrics().horizontalAdvance(edit.text()) + 4 <= contents.width();
}

// Nothing of the widget is cut off by any widget it lies in.
bool InsideItsParents(const QWidget &widget, const QWidget &window)
{
    for (const QWidget *parent = widget.parentWidget(); parent; parent = parent->parentWidget()) {
        if (!parent->rect().contains(QRect(widget.mapTo(parent, QPoint(0, 0)), widget.size())))
            return false;
        if (parent == &window)
            break;
    }
    return true;
}

void ExpectWhole(const QWidget &widget, const QWidget &window, const std::string &where)
{
    const std::string name = where + " " + widget.objectName().toStdString() + " "
        + (qobject_cast<const QLabel *>(&widget) ? qobject_cast<const QLabel *>(&widget)->text().toStdString() : "");
    EXPECT_TRUE(InsideItsParents(widget, window)) << name;
    EXPECT_GE(widget.width(), widget.minimumSizeHint().width()) << name;
    EXPECT_GE(widget.height(), widget.minimumSizeHint().height()) << name;
    if (const auto *edit = qobject_cast<const QLineEdit *>(&widget)) {
        EXPECT_TRUE(ShowsWhole(*edit)) << name << " '" << edit->text().toStdString() << "'";
    }
}

class SmallestWindow : public ::testing::TestWithParam<const char *> {};

TEST_P(SmallestWindow, ShowsEveryFieldOfEveryPageWhole)
{
    TGlobalSetting settings;
    TScriptedAsk ask;
    TfrmMain window(settings, ask, {});
    window.show();
    // Made as small as it goes before any sequence is shown, as at a start
    // without a project.
    window.resize(1, 1);
    ASSERT_TRUE(window.OpenFile(Example(GetParam())));
    QApplication::processEvents();
    EXPECT_EQ(window.size(), window.WholeMinimumSize());

    for (const char *header : {"edtSequenceNumber", "edtID", "edtType"})
        ExpectWhole(*window.findChild<QLineEdit *>(QLatin1String(header)), window, header);
    auto *pages = window.findChild<QTabWidget *>("pgDetail");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        int checked = 0;
        for (const QWidget *widget : pages->widget(page)->findChildren<QWidget *>()) {
            if (!widget->isVisible()
                || !(qobject_cast<const QLabel *>(widget) || qobject_cast<const QLineEdit *>(widget)
                     || qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget)))
                continue;
            ExpectWhole(*widget, window, pages->tabText(page).toStdString());
            ++checked;
        }
        EXPECT_GT(checked, 0) << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, SmallestWindow,
                         ::testing::Values("simple.xml", "wye.xml", "h.xml", "delta.xml", "hybrid.xml", "box.xml"),
                         [](const auto &info) { return std::string(info.param).substr(0, std::string(info.param).find('.')); });

TEST(MainWindowFirstStart, TakesMostOfTheScreenWhenNoSizeIsRemembered)
{
    test::ScratchFolder folder;
    folder.Write("corvadel.def", ""); // settings of its own, holding no window
    TGlobalSetting settings(folder.Path("corvadel"));
    TScriptedAsk ask;
    TfrmMain window(settings, ask, {});
    EXPECT_EQ(window.minimumSize(), window.WholeMinimumSize());
    const QRect available = window.screen()->availableGeometry();
    EXPECT_EQ(window.size(), FirstWindowSize(available.size(), window.WholeMinimumSize()));
    EXPECT_EQ(window.geometry().center(), available.center());
}

} // namespace
