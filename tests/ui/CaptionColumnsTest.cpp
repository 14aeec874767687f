// Column captions over a grid line up with its columns when "Resize Form"
// is on, whatever the font; off, the columns keep their design widths.
#include "uTextGrid.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

using namespace corvadel;

namespace {

struct TCaptionedGrid {
    QWidget Pane;
    QGridLayout *Layout = new QGridLayout(&Pane);
    QTableWidget *Grid = NewTextGrid("sgTest", {}, Widths);
    std::vector<QLabel *> Captions;
    static inline const std::vector<int> Widths = {40, 40, 60};

    explicit TCaptionedGrid(bool resizeForm)
    {
        Layout->setContentsMargins(0, 0, 0, 0);
        for (const char *text : {"Pole No.", "A rather long caption", "Angle"}) {
            Captions.push_back(new QLabel(QLatin1String(text)));
            Layout->addWidget(Captions.back(), 0, int(Captions.size()) - 1);
        }
        Layout->addWidget(Grid, 1, 0, 1, 3);
        AlignCaptionColumns(Layout, 0, Grid, Widths, resizeForm);
        Pane.resize(500, 200);
        Pane.show();
        Layout->activate();
    }
};

TEST(CaptionColumns, WithResizeFormEveryCaptionStandsOverItsOwnColumn)
{
    TCaptionedGrid pane(true);
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        QLabel *caption = pane.Captions[size_t(c)];
        EXPECT_GE(pane.Grid->columnWidth(c), caption->sizeHint().width()) << "the caption fits its column";
        EXPECT_GE(pane.Grid->columnWidth(c), TCaptionedGrid::Widths[size_t(c)]);
        // The caption starts where its column starts (the grid's frame aside).
        const int columnLeft = pane.Grid->x() + pane.Grid->frameWidth() + pane.Grid->columnViewportPosition(c);
        EXPECT_NEAR(caption->x(), columnLeft, pane.Grid->frameWidth() + 1);
    }
}

TEST(CaptionColumns, WithoutResizeFormTheColumnsKeepTheirDesignWidths)
{
    TCaptionedGrid pane(false);
    for (int c = 0; c < 2; ++c) // the last one stretches
        EXPECT_EQ(pane.Grid->columnWidth(c), TCaptionedGrid::Widths[size_t(c)]) << c;
}

} // namespace
