#include <gtest/gtest.h>

#include <random>

#include "TableTestSupport.h"
#include "core/tables/TableCommands.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// Column A holds 1..n as texts.
Sheet numbered(int rows, int columns) {
    Sheet s(rows, columns);
    for (int r = 0; r < rows; ++r) s.t.texts[{0, r}] = std::to_string(r + 1);
    s.t.SetModified(false);
    return s;
}

}  // namespace

TEST(ReportTable, InsertingARowMovesContentAndReferences) {
    Sheet s = numbered(8, 3);
    s.formula("B8", "A5+$A$5+A4").formula("C1", "SUM(A1:A8)");
    s.t.cell(0, 2).height = 33;  // the template row's format is copied
    s.t.clearRecalculationRequest();
    ASSERT_TRUE(InsertRowCommand(s.t, 4, 2));
    EXPECT_EQ(s.t.rowCount(), 9);
    EXPECT_EQ(s.t.cell(0, 4).height, 33);
    EXPECT_EQ(s.t.texts.count({0, 4}), 0u);
    EXPECT_EQ(s.t.texts.at({0, 5}), "5");
    EXPECT_EQ(s.t.formulas.at(at("B9")).text, "A6+$A$6+A4");
    EXPECT_EQ(s.t.formulas.at(at("C1")).text, "SUM(A1:A9)");
    EXPECT_TRUE(s.t.modified());
    EXPECT_TRUE(s.t.recalculationRequested());
    EXPECT_EQ(s.shown("B9"), "14.0");
    EXPECT_EQ(s.shown("C1"), "???");  // the new empty row inside the range has no number
}

TEST(ReportTable, DeletingRowsAndColumns) {
    Sheet s = numbered(8, 4);
    s.text("B5", "x").formula("D1", "A5").formula("D2", "SUM(A3:A5)").formula("D3", "A8").formula("D4", "SUM(A5:A5)");
    ASSERT_TRUE(DeleteRowCommand(s.t, 4));
    EXPECT_EQ(s.t.rowCount(), 7);
    EXPECT_EQ(s.t.texts.count(at("B5")), 0u);
    EXPECT_EQ(s.t.texts.at(at("A5")), "6");
    EXPECT_EQ(s.t.formulas.at(at("D1")).text, "?");
    EXPECT_EQ(s.t.formulas.at(at("D2")).text, "SUM(A3:A4)");
    EXPECT_EQ(s.t.formulas.at(at("D3")).text, "A7");
    EXPECT_EQ(s.t.formulas.at(at("D4")).text, "SUM(A5:A4)");
    EXPECT_EQ(s.shown("D1"), "???");
    EXPECT_EQ(s.shown("D2"), "7.0");
    EXPECT_EQ(s.shown("D4"), "???");

    ASSERT_TRUE(DeleteColumnCommand(s.t, 0));
    EXPECT_EQ(s.t.columnCount(), 3);
    EXPECT_EQ(s.t.formulas.at(at("C3")).text, "?");
}

// Every cell of a small table holds a text naming it; a random series of row
// and column insertions and deletions must leave each text in the cell its row
// and column went to, and none where a row or column was inserted.
TEST(ReportTable, EntriesGoWithTheirRowsAndColumns) {
    std::mt19937 rng(7);
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); };
    ReportTable t(6, 6);
    std::vector<int> rowOf{0, 1, 2, 3, 4, 5}, columnOf = rowOf;  // original index, -1 when inserted
    auto name = [](int column, int row) { return std::to_string(column) + "," + std::to_string(row); };
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 6; ++r) t.texts[{c, r}] = name(c, r);
    for (int step = 0; step < 300; ++step) {
        const bool columns = pick(0, 1) == 1;
        std::vector<int>& ids = columns ? columnOf : rowOf;
        const int n = static_cast<int>(ids.size());
        if (n > 1 && pick(0, 9) < (n > 8 ? 7 : 4)) {
            const int at = pick(0, n - 1);
            ASSERT_TRUE(columns ? t.DeleteColumn(at) : t.DeleteRow(at));
            ids.erase(ids.begin() + at);
        } else {
            const int at = pick(0, n);
            ASSERT_TRUE(columns ? t.InsertColumn(at, 0) : t.InsertRow(at, 0));
            ids.insert(ids.begin() + at, -1);
        }
        std::size_t expected = 0;
        for (int c = 0; c < t.columnCount(); ++c) {
            for (int r = 0; r < t.rowCount(); ++r) {
                const auto it = t.texts.find({c, r});
                if (columnOf[static_cast<std::size_t>(c)] < 0 || rowOf[static_cast<std::size_t>(r)] < 0) {
                    EXPECT_TRUE(it == t.texts.end()) << "step " << step;
                    continue;
                }
                ++expected;
                ASSERT_TRUE(it != t.texts.end()) << "step " << step;
                EXPECT_EQ(it->second, name(columnOf[static_cast<std::size_t>(c)], rowOf[static_cast<std::size_t>(r)]))
                    << "step " << step;
            }
        }
        ASSERT_EQ(t.texts.size(), expected) << "step " << step;
    }
}

TEST(ReportTable, CountsStayWithinOneToAThousand) {
    ReportTable one(1, 1);
    EXPECT_FALSE(DeleteRowCommand(one, 0));
    EXPECT_FALSE(DeleteColumnCommand(one, 0));
    EXPECT_FALSE(one.canUndo());
    EXPECT_FALSE(InsertRowCommand(one, 2, 0));
    EXPECT_FALSE(InsertColumnCommand(one, 0, 1));
    ReportTable full(ReportTable::MaxRows, 1);
    EXPECT_FALSE(InsertRowCommand(full, 0, 0));  // 1001 rows could not be read back
    EXPECT_TRUE(InsertColumnCommand(full, 1, 0));
}

TEST(ReportTable, ResizeCopiesTheLastFormatAndDropsWhatFallsOff) {
    Sheet s(3, 3);
    s.t.cell(2, 0).width = 90;
    s.t.cell(0, 2).height = 40;
    s.text("C3", "keep").formula("C2", "A1");
    ASSERT_TRUE(InsertRowCommand(s.t, 0, 0));
    ASSERT_TRUE(ResizeCommand(s.t, 6, 5));
    EXPECT_EQ(s.t.cell(4, 0).width, 90);
    EXPECT_EQ(s.t.cell(0, 5).height, 40);
    EXPECT_EQ(filledCellsOutside(s.t, 2, 2), 2);  // C4 with its text, C3 with its formula
    EXPECT_EQ(filledCellsOutside(s.t, 4, 3), 0);
    ASSERT_TRUE(ResizeCommand(s.t, 2, 2));
    EXPECT_TRUE(s.t.texts.empty());
    EXPECT_TRUE(s.t.formulas.empty());
    EXPECT_FALSE(ResizeCommand(s.t, 0, 5));
    EXPECT_FALSE(ResizeCommand(s.t, 5, 1001));
    EXPECT_FALSE(ResizeCommand(s.t, 2, 2));  // no change, no step
    EXPECT_EQ(s.t.rowCount(), 2);

    // Each resize is a step of its own: the dropped cells come back whole,
    // and the row insertion before them can still be undone.
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.rowCount(), 6);
    EXPECT_EQ(s.t.columnCount(), 5);
    EXPECT_EQ(s.t.texts.at(at("C4")), "keep");
    EXPECT_EQ(s.t.formulas.at(at("C3")).text, "A2");
    EXPECT_EQ(s.t.cell(2, 0).width, 90);
    ASSERT_TRUE(s.t.Redo());
    EXPECT_EQ(s.t.rowCount(), 2);
    EXPECT_TRUE(s.t.texts.empty());
    ASSERT_TRUE(s.t.Undo());
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.rowCount(), 4);
    EXPECT_EQ(s.t.columnCount(), 3);
    ASSERT_TRUE(s.t.Undo());  // the insertion
    EXPECT_EQ(s.t.rowCount(), 3);
    EXPECT_EQ(s.t.texts.at(at("C3")), "keep");
    EXPECT_EQ(s.t.formulas.at(at("C2")).text, "A1");
}

TEST(ReportTable, MergingAndUnmerging) {
    Sheet s(4, 4);
    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{1, 1, 3, 3}));
    EXPECT_EQ(s.t.cell(at("B2")).flags & cellflag::Covered, 0u);
    EXPECT_EQ(s.t.cell(at("C2")).flags & cellflag::Covered, cellflag::CoveredFromLeft);
    EXPECT_EQ(s.t.cell(at("B3")).flags & cellflag::Covered, cellflag::CoveredFromAbove);
    EXPECT_EQ(s.t.cell(at("C3")).flags & cellflag::Covered, cellflag::Covered);
    const CellBox box = cellBox(s.t, 1, 1);
    EXPECT_EQ(box.x, GridLeft + 70);
    EXPECT_EQ(box.y, GridTop + 20);
    EXPECT_EQ(box.width, 140);
    EXPECT_EQ(box.height, 40);

    ASSERT_TRUE(UnmergeCellsCommand(s.t, {at("C2"), at("B3"), at("C3")}));
    EXPECT_FALSE(s.t.cell(at("C3")).covered());
    ASSERT_TRUE(s.t.Undo());
    EXPECT_TRUE(s.t.cell(at("C3")).covered());
    ASSERT_TRUE(s.t.Undo());
    EXPECT_FALSE(s.t.cell(at("C3")).covered());
    EXPECT_FALSE(s.t.canUndo());
    ASSERT_TRUE(s.t.Redo());
    EXPECT_TRUE(s.t.cell(at("C2")).covered());
}

TEST(ReportTable, ReportFlagsToggleAndUndo) {
    ReportTable t(3, 3);
    ASSERT_TRUE(ToggleRowReportCommand(t, 1));
    ASSERT_TRUE(ToggleColumnReportCommand(t, 2));
    EXPECT_FALSE(t.rowInReport(1));
    EXPECT_EQ(t.cell(0, 1).flags, cellflag::RowExcluded);
    EXPECT_FALSE(t.columnInReport(2));
    EXPECT_EQ(t.cell(2, 0).flags, cellflag::ColumnExcluded);
    ASSERT_TRUE(t.Undo());
    EXPECT_TRUE(t.columnInReport(2));
    ASSERT_TRUE(t.Undo());
    EXPECT_TRUE(t.rowInReport(1));
}

TEST(ReportTable, UndoKeepsTenRecords) {
    ReportTable t(2, 2);
    for (int i = 0; i < 11; ++i) ASSERT_TRUE(ToggleRowReportCommand(t, 0));
    EXPECT_FALSE(t.rowInReport(0));
    int steps = 0;
    while (t.Undo()) ++steps;
    EXPECT_EQ(steps, 10);
    EXPECT_FALSE(t.rowInReport(0));  // the first toggle was dropped
    ASSERT_TRUE(t.Redo());
    ASSERT_TRUE(t.Redo());
    // Recording after an undo discards what could have been redone.
    ASSERT_TRUE(ToggleColumnReportCommand(t, 0));
    EXPECT_FALSE(t.canRedo());
    EXPECT_EQ(t.undoHistory().size(), 3u);
}

TEST(ReportTable, UndoingADeletionBringsBackTheRowAndTheReferences) {
    Sheet s = numbered(8, 4);
    s.text("B5", "x").formula("C5", "A4*2").formula("D1", "A5+A8").formula("D2", "SUM(A5:A5)").formula("D3", "A1");
    s.t.bindings[at("B6")] = CellBinding{"yard", 0x11000102, 2, 55.0};
    s.t.cell(at("B5")).background = 0x00FF00;
    const std::map<CellKey, CellFormula> formulasBefore = s.t.formulas;
    const std::map<CellKey, std::string> textsBefore = s.t.texts;

    ASSERT_TRUE(DeleteRowCommand(s.t, 4));
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.rowCount(), 8);
    EXPECT_EQ(s.t.texts, textsBefore);
    ASSERT_EQ(s.t.formulas.size(), formulasBefore.size());
    for (const auto& [k, f] : formulasBefore) EXPECT_EQ(s.t.formulas.at(k).text, f.text);
    EXPECT_EQ(s.t.bindings.at(at("B6")).sourceName, "yard");
    EXPECT_EQ(s.t.cell(at("B5")).background, 0x00FF00u);
    EXPECT_EQ(s.shown("D1"), "13.0");

    ASSERT_TRUE(s.t.Redo());
    EXPECT_EQ(s.t.rowCount(), 7);
    EXPECT_EQ(s.t.formulas.at(at("D1")).text, "?+A7");
}

TEST(ReportTable, UndoingAnInsertedColumn) {
    Sheet s(2, 3);
    s.text("B1", "b").formula("C2", "B1");
    ASSERT_TRUE(InsertColumnCommand(s.t, 1, 2));
    EXPECT_EQ(s.t.formulas.at(at("D2")).text, "C1");
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.columnCount(), 3);
    EXPECT_EQ(s.t.formulas.at(at("C2")).text, "B1");
    EXPECT_EQ(s.t.texts.at(at("B1")), "b");
    ASSERT_TRUE(s.t.Redo());
    EXPECT_EQ(s.t.columnCount(), 4);
}

TEST(ReportTable, ContentRecordsSwapImages) {
    Sheet s(3, 3);
    s.text("A1", "old");
    RecordCellsForUndo(s.t, UndoKind::CellText, {at("A1"), at("A2")});
    s.t.texts[at("A1")] = "new";
    s.t.formulas[at("A2")] = CellFormula{"1", 0, FormulaState::Pending};
    s.t.clearRecalculationRequest();
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.texts.at(at("A1")), "old");
    EXPECT_EQ(s.t.formulas.count(at("A2")), 0u);
    EXPECT_TRUE(s.t.recalculationRequested());
    ASSERT_TRUE(s.t.Redo());
    EXPECT_EQ(s.t.texts.at(at("A1")), "new");
    EXPECT_EQ(s.t.formulas.count(at("A2")), 1u);
}
