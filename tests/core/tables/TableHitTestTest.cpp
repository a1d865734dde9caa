#include <gtest/gtest.h>

#include "core/tables/TableCommands.h"
#include "core/tables/TableHitTest.h"

using namespace phonotab;

namespace {

// 5 x 4 cells of 70 x 20 pixels, B2:C3 merged.
ReportTable merged() {
    ReportTable t(5, 4);
    MergeCellsCommand(t, CellRect{1, 1, 3, 3});
    return t;
}

}  // namespace

TEST(TableHitTest, PointsFindCellsAndMergedBlocksAnswerWithTheirFirstCell) {
    const ReportTable t = merged();
    const GridGeometry g = GridGeometry::of(t);
    EXPECT_EQ(g.width(), 4 * 70);
    EXPECT_EQ(g.height(), 5 * 20);
    struct Case {
        int x, y;
        std::optional<CellKey> cell;
    } cases[] = {
        {0, 0, CellKey{0, 0}},       {69, 19, CellKey{0, 0}},     {70, 20, CellKey{1, 1}},
        {209, 59, CellKey{1, 1}},    // the block's last pixel
        {210, 59, CellKey{3, 2}},    {279, 99, CellKey{3, 4}},
        {280, 0, std::nullopt},      {0, 100, std::nullopt},      {-1, 5, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(HitCell(t, g, c.x, c.y), c.cell) << c.x << "," << c.y;
    EXPECT_EQ(g.rowAt(20), 1);
    EXPECT_EQ(g.columnAt(279), 3);
}

TEST(TableHitTest, DragGrowsOverEveryBlockItTouches) {
    ReportTable t = merged();
    MergeCellsCommand(t, CellRect{3, 2, 4, 5});  // D3:D5, touched only once the first block grew
    // From A1 to B2: B2 lies in B2:C3, so the rectangle takes all of it (D3:D5 is a neighbour only).
    TableSelection s = DragSelection(t, {0, 0}, {1, 1});
    EXPECT_EQ(s.rect, (CellRect{0, 0, 3, 3}));
    EXPECT_EQ(s.cells.size(), 9u);  // covered cells included
    // Dragging into D4 takes D3:D5 and so the rows down to 5; a reversed drag is normalised.
    s = DragSelection(t, {3, 3}, {2, 1});
    EXPECT_EQ(s.rect, (CellRect{1, 1, 4, 5}));
}

TEST(TableHitTest, KeysMoveBlockByBlockAndPagesStopAtTheEnds) {
    ReportTable t(30, 3);
    MergeCellsCommand(t, CellRect{1, 1, 3, 3});
    auto at = [&](CellRect r) { return TableSelection::fromRect(r); };
    // Right of A2 is the block B2:C3, selected whole; right of the block stays in it at the last column.
    EXPECT_EQ(MovedSelection(t, at({0, 1, 1, 2}), SelectionMove::Right).rect, (CellRect{1, 1, 3, 3}));
    EXPECT_EQ(MovedSelection(t, at({1, 1, 3, 3}), SelectionMove::Down).rect, (CellRect{1, 3, 2, 4}));
    EXPECT_EQ(MovedSelection(t, at({0, 0, 1, 1}), SelectionMove::Up).rect, (CellRect{0, 0, 1, 1}));
    EXPECT_EQ(MovedSelection(t, at({0, 3, 1, 4}), SelectionMove::PageDown).rect, (CellRect{0, 13, 1, 14}));
    EXPECT_EQ(MovedSelection(t, at({0, 25, 2, 27}), SelectionMove::PageDown).rect, (CellRect{1, 29, 2, 30}));
    EXPECT_EQ(MovedSelection(t, at({2, 5, 3, 6}), SelectionMove::PageUp).rect, (CellRect{2, 0, 3, 1}));
    EXPECT_EQ(MovedSelection(t, at({0, 12, 1, 13}), SelectionMove::PageUp).rect, (CellRect{0, 2, 1, 3}));
}
