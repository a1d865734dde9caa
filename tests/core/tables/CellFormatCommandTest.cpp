#include <gtest/gtest.h>

#include "core/base/MessageIds.h"
#include "core/tables/CellFormatCommand.h"
#include "core/tables/TableCommands.h"

using namespace phonotab;

TEST(CellFormatCommand, CommonFormatLeavesWhatDiffersUndetermined) {
    ReportTable t(3, 3);
    t.cell(1, 0).width = 90;       // column B wider
    t.cell(0, 1).background = 0xFF;
    t.cell(0, 0).font |= cellfont::Bold;
    t.cell(1, 1).font |= cellfont::Bold;
    const CellFormatChoice c = CommonCellFormat(t, TableSelection::fromRect({0, 0, 2, 2}));
    EXPECT_EQ(c.face, "Arial");
    EXPECT_EQ(c.sizeStep, 1);
    EXPECT_FALSE(c.bold);        // differs
    EXPECT_FALSE(c.background);  // differs
    EXPECT_EQ(c.textColour, 0u);
    EXPECT_FALSE(c.width);       // columns A and B differ
    EXPECT_EQ(c.height, 20);
    // One column: its width.
    EXPECT_EQ(CommonCellFormat(t, TableSelection::fromRect({1, 0, 2, 3})).width, 90);
}

TEST(CellFormatCommand, AppliesOnlyWhatWasSetAsOneUndoRecord) {
    ReportTable t(3, 3);
    t.cell(0, 0).background = 0xFF;
    MergeCellsCommand(t, CellRect{1, 1, 3, 2});
    t.clearUndoHistory();
    t.SetModified(false);
    CellFormatChoice change;
    change.italic = true;
    change.horizontal = cellalign::Right;
    change.decimals = 3;
    change.width = 120;
    change.height = 35;
    ASSERT_TRUE(CellFormatCommand(t, TableSelection::fromRect({0, 0, 3, 2}), change).value());
    EXPECT_TRUE(t.modified());
    EXPECT_EQ(t.cell(0, 0).background, 0xFFu);  // not set: kept
    EXPECT_TRUE(t.cell(0, 0).font & cellfont::Italic);
    EXPECT_EQ(cellalign::horizontal(t.cell(1, 1).alignment), cellalign::Right);
    EXPECT_EQ(t.cell(0, 1).numberFormat & 0xF, 3);
    EXPECT_EQ(t.cell(2, 0).width, 120);
    EXPECT_EQ(t.cell(0, 1).height, 35);
    EXPECT_EQ(t.cell(0, 2).height, 20);  // row 3 not selected
    EXPECT_EQ(t.cell(2, 1).font & cellfont::Italic, 0u);  // covered: untouched
    ASSERT_TRUE(t.Undo());
    EXPECT_FALSE(t.canUndo());
    EXPECT_EQ(t.cell(2, 0).width, ReportTable::DefaultWidth);
    EXPECT_EQ(t.cell(0, 1).height, ReportTable::DefaultHeight);
    EXPECT_EQ(t.cell(0, 0).font & cellfont::Italic, 0u);
    ASSERT_TRUE(t.Redo());
    EXPECT_EQ(t.cell(1, 0).width, 120);
}

TEST(CellFormatCommand, RefusesWhatTheTableCannotHold) {
    struct Case {
        CellFormatChoice change;
        int message;
    };
    std::vector<Case> cases(5);
    cases[0].change.decimals = 16;
    cases[0].message = msg::DecimalsOutOfRange;
    cases[1].change.width = 0;
    cases[1].message = msg::CellSizeOutOfRange;
    cases[2].change.height = -4;
    cases[2].message = msg::CellSizeOutOfRange;
    cases[3].change.width = MaxCellPixels + 1;
    cases[3].message = msg::CellSizeOutOfRange;
    cases[4].change.sizeStep = 8;
    cases[4].message = msg::FontSizeOutOfRange;
    for (const Case& c : cases) {
        ReportTable t(2, 2);
        const ReportTable before = t;
        const Result<bool> r = CellFormatCommand(t, TableSelection::fromRect({0, 0, 2, 2}), c.change);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().id, c.message);
        EXPECT_EQ(t.grid(), before.grid());
        EXPECT_FALSE(t.canUndo());
    }
    ReportTable t(1, 1);
    EXPECT_FALSE(CellFormatCommand(t, TableSelection::fromRect({0, 0, 1, 1}), CellFormatChoice{}).value());
}
