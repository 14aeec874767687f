// The built-in icons exist, render, and reach the tool bar and the tree.
#include "MainFRM.h"
#include "../support/ScriptedAsk.h"
#include "uGlobalSettings.h"
#include "uIcons.h"
#include "uTopology.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace corvadel;

namespace {

// Pixels that are not transparent: an icon that failed to load draws none.
int Drawn(const QIcon &icon, QIcon::Mode mode = QIcon::Normal)
{
    const QImage image = icon.pixmap(24, 24, mode).toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

TEST(Icons, EveryTypeHasAPlanAndASelectedLook)
{
    for (int type = 1; type <= 6; ++type) {
        SCOPED_TRACE(type);
        const QIcon icon = TypeIcon(type);
        EXPECT_GT(Drawn(icon), 20);
        EXPECT_GT(Drawn(icon, QIcon::Selected), 20);
        // The selected look has a background the normal one lacks.
        EXPECT_GT(Drawn(icon, QIcon::Selected), Drawn(icon));
    }
    EXPECT_TRUE(TypeIcon(0).isNull());
}

TEST(Icons, EverySignalCategoryHasAPictureAndAHighlightedOne)
{
    for (const char *name : {"custom", "s1a", "s3a", "s4a", "s5a", "s5b"}) {
        SCOPED_TRACE(name);
        const QIcon icon = CategoryIcon(QLatin1String(name));
        EXPECT_GT(Drawn(icon), 20);
        EXPECT_GT(Drawn(icon, QIcon::Selected), Drawn(icon));
    }
}

TEST(Icons, ToolBarCommandsAndTreeNodesCarryThem)
{
    TGlobalSetting settings;
    corvadel::test::TScriptedAsk ask;
    TfrmMain window(settings, ask, {});
    const auto *tools = window.findChild<QToolBar *>("tbMain");
    ASSERT_NE(tools, nullptr);
    int withIcon = 0;
    for (QAction *action : tools->actions()) {
        if (action->isSeparator())
            continue;
        if (const auto *button = qobject_cast<QToolButton *>(tools->widgetForAction(action));
            button && button->objectName() == "add_span_wire") {
            EXPECT_GT(Drawn(button->icon()), 20);
            continue;
        }
        EXPECT_GT(Drawn(action->icon()), 20) << action->objectName().toStdString() << action->text().toStdString();
        ++withIcon;
    }
    EXPECT_GE(withIcon, 12);
    QAction *addBox = window.findChild<QAction *>("add_box");
    EXPECT_FALSE(addBox->icon().isNull());
    addBox->trigger();
    const QTreeWidgetItem *node = window.findChild<QTreeWidget *>("tvSpanWireList")->topLevelItem(0)->child(0);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->icon(0).pixmap(24, 24).toImage(), TypeIcon(stBox).pixmap(24, 24).toImage());
}

} // namespace
