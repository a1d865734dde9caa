#include <gtest/gtest.h>

#include "../TableTestSupport.h"
#include "core/tables/io/CellBlock.h"
#include "core/tables/io/CellBlockPaste.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

std::vector<std::uint8_t> block(std::uint32_t table, bool cut, CellRect r) {
    const auto b = CellBlock{table, cut, r}.bytes();
    return {b.begin(), b.end()};
}

std::vector<std::uint8_t> words(std::initializer_list<std::uint32_t> ws) {
    ByteWriter w;
    for (std::uint32_t x : ws) w.u32(x);
    return w.take();
}

// A table open in the program, as the clipboard sees it.
struct OpenSheet {
    Sheet s;
    OpenTables::Id id;
    OpenSheet(OpenTables& open, int rows, int columns) : s(rows, columns), id(open.add(s.t)) {}
};

}  // namespace

TEST(CellBlock, LayoutAndCheckedReading) {
    EXPECT_EQ(block(0x01020304, true, CellRect{1, 2, 4, 6}), words({0x01020304, 1, 1, 2, 3, 5}));
    const std::optional<CellBlock> b = CellBlock::read(words({7, 0, 0, 0, 999, 999}));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->sourceTable, 7u);
    EXPECT_FALSE(b->cut);
    EXPECT_EQ(b->rect, (CellRect{0, 0, 1000, 1000}));

    struct Bad {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<std::uint8_t> longer = words({7, 0, 0, 0, 1, 1});
    longer.push_back(0);
    const Bad bad[] = {
        {"short", std::vector<std::uint8_t>(23)},
        {"long", longer},
        {"cut flag 2", words({7, 2, 0, 0, 1, 1})},
        {"negative column", words({7, 0, 0xFFFFFFFF, 0, 1, 1})},
        {"reversed rows", words({7, 0, 0, 5, 1, 4})},
        {"beyond 1000 columns", words({7, 0, 0, 0, 1000, 1})},
        {"beyond 1000 rows", words({7, 0, 0, 0, 1, 0x7FFFFFFF})},
    };
    for (const Bad& c : bad) EXPECT_FALSE(CellBlock::read(c.bytes)) << c.what;
}

TEST(CellBlockPaste, CutMovesCellsAndReferencesFollow) {
    OpenTables open(100);
    OpenSheet o(open, 4, 4);
    Sheet& s = o.s;
    s.text("A1", "1").text("A2", "2").formula("D4", "SUM(A1:A2)+A3").formula("A3", "A1*10");
    s.t.macros[at("A2")] = "RSHOW 1";
    s.t.cell(at("A1")).background = 0x00FF00;
    s.t.clearUndoHistory();
    const std::string before = s.shown("D4");

    const CellPasteOutcome r = PasteCellBlock(open, s.t, block(o.id, true, CellRect{0, 0, 1, 2}), at("B1"));
    EXPECT_TRUE(r.pasted);
    EXPECT_TRUE(r.moved);
    EXPECT_EQ(s.t.texts.at(at("B1")), "1");
    EXPECT_EQ(s.t.texts.at(at("B2")), "2");
    EXPECT_EQ(s.t.macros.at(at("B2")), "RSHOW 1");
    EXPECT_EQ(s.t.cell(at("B1")).background, 0x00FF00u);
    // The source cells lost their contents but kept their format.
    EXPECT_FALSE(s.t.texts.count(at("A1")));
    EXPECT_FALSE(s.t.macros.count(at("A2")));
    EXPECT_EQ(s.t.cell(at("A1")).background, 0x00FF00u);
    EXPECT_EQ(s.t.formulas.at(at("D4")).text, "SUM(B1:B2)+A3");
    EXPECT_EQ(s.t.formulas.at(at("A3")).text, "B1*10");
    EXPECT_EQ(s.shown("D4"), before);

    // One undo record: everything back, the rewritten formulas included; redo again.
    EXPECT_EQ(s.t.undoHistory().size(), 1u);
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.texts.at(at("A1")), "1");
    EXPECT_FALSE(s.t.texts.count(at("B1")));
    EXPECT_EQ(s.t.formulas.at(at("D4")).text, "SUM(A1:A2)+A3");
    EXPECT_EQ(s.t.formulas.at(at("A3")).text, "A1*10");
    ASSERT_TRUE(s.t.Redo());
    EXPECT_EQ(s.t.formulas.at(at("D4")).text, "SUM(B1:B2)+A3");
    EXPECT_EQ(s.t.texts.at(at("B2")), "2");
}

TEST(CellBlockPaste, CopyKeepsFormulaTextsAndTheSource) {
    OpenTables open(1);
    OpenSheet o(open, 3, 3);
    o.s.formula("A1", "A2*2").text("A2", "5");
    ASSERT_TRUE(PasteCellBlock(open, o.s.t, block(o.id, false, CellRect{0, 0, 1, 1}), at("C1")).pasted);
    EXPECT_EQ(o.s.t.formulas.at(at("C1")).text, "A2*2");
    EXPECT_EQ(o.s.t.formulas.at(at("A1")).text, "A2*2");
    EXPECT_EQ(o.s.shown("C1"), "10.0");
}

TEST(CellBlockPaste, OverlappingMovesReadEachCellBeforeOverwritingIt) {
    struct Move {
        const char* what;
        CellRect from;
        const char* to;
        std::vector<std::pair<const char*, const char*>> expected;
    };
    const Move moves[] = {
        {"down", CellRect{0, 0, 1, 3}, "A2", {{"A2", "a"}, {"A3", "b"}, {"A4", "c"}}},
        {"up", CellRect{0, 1, 1, 4}, "A1", {{"A1", "b"}, {"A2", "c"}, {"A3", "d"}}},
        {"right", CellRect{0, 4, 3, 5}, "B5", {{"B5", "r1"}, {"C5", "r2"}, {"D5", "r3"}}},
        {"left and down", CellRect{1, 0, 3, 2}, "A2", {{"A2", "x1"}, {"B2", "y1"}, {"A3", "x2"}, {"B3", "y2"}}},
    };
    for (const Move& m : moves) {
        OpenTables open(1);
        OpenSheet o(open, 5, 4);
        o.s.text("A1", "a").text("A2", "b").text("A3", "c").text("A4", "d");
        o.s.text("A5", "r1").text("B5", "r2").text("C5", "r3");
        if (m.from.left == 1) o.s.text("B1", "x1").text("C1", "y1").text("B2", "x2").text("C2", "y2");
        ASSERT_TRUE(PasteCellBlock(open, o.s.t, block(o.id, false, m.from), at(m.to)).pasted) << m.what;
        for (const auto& [cell, text] : m.expected) EXPECT_EQ(o.s.t.texts.at(at(cell)), text) << m.what << " " << cell;
    }
}

TEST(CellBlockPaste, BetweenTablesACutIsACopy) {
    OpenTables open(1);
    OpenSheet a(open, 2, 2);
    OpenSheet b(open, 2, 2);
    a.s.text("A1", "from a").formula("B2", "A1");
    const auto cut = block(a.id, true, CellRect{0, 0, 1, 1});
    const CellPasteOutcome r = PasteCellBlock(open, b.s.t, cut, at("A1"));  // same position, other table
    EXPECT_TRUE(r.pasted);
    EXPECT_FALSE(r.moved);
    EXPECT_EQ(b.s.t.texts.at(at("A1")), "from a");
    EXPECT_EQ(a.s.t.texts.at(at("A1")), "from a");
    EXPECT_EQ(a.s.t.formulas.at(at("B2")).text, "A1");
    EXPECT_FALSE(a.s.t.modified());

    // Onto its own first cell in the same table nothing happens; once the
    // source table is closed its blocks paste nothing.
    EXPECT_FALSE(PasteCellBlock(open, a.s.t, cut, at("A1")).pasted);
    open.remove(a.id);
    EXPECT_FALSE(PasteCellBlock(open, b.s.t, cut, at("B2")).pasted);
    EXPECT_FALSE(PasteCellBlock(open, b.s.t, std::vector<std::uint8_t>(10), at("B2")).pasted);
    EXPECT_EQ(b.s.t.undoHistory().size(), 1u);
}

TEST(CellBlockPaste, EdgesClipTheBlockAndLoseNothing) {
    OpenTables open(1);
    OpenSheet o(open, 3, 3);
    Sheet& s = o.s;
    s.text("A1", "a1").text("B1", "b1").text("A2", "a2").text("B2", "b2");
    s.t.cell(at("C1")).flags |= cellflag::ColumnExcluded;
    s.t.cell(at("A1")).flags |= cellflag::RowExcluded;
    // Cut A1:B2 to C1: only column C fits. B1 and B2 stay where they are.
    const CellPasteOutcome r = PasteCellBlock(open, s.t, block(o.id, true, CellRect{0, 0, 2, 2}), at("C1"));
    ASSERT_TRUE(r.pasted);
    EXPECT_EQ(s.t.texts.at(at("C1")), "a1");
    EXPECT_EQ(s.t.texts.at(at("C2")), "a2");
    EXPECT_EQ(s.t.texts.at(at("B1")), "b1");
    EXPECT_EQ(s.t.texts.at(at("B2")), "b2");
    EXPECT_FALSE(s.t.texts.count(at("A1")));
    // The target keeps its own report bits and does not take the source's.
    EXPECT_FALSE(s.t.columnInReport(2));
    EXPECT_EQ(s.t.cell(at("C1")).flags & cellflag::RowExcluded, 0u);

    // A block that names cells the source table no longer has pastes what is left.
    ASSERT_TRUE(s.t.Resize(1, 1));
    OpenSheet other(open, 3, 3);
    EXPECT_FALSE(PasteCellBlock(open, other.s.t, block(o.id, false, CellRect{1, 1, 3, 3}), at("A1")).pasted);
    ASSERT_TRUE(PasteCellBlock(open, other.s.t, block(o.id, false, CellRect{0, 0, 3, 3}), at("B2")).pasted);
    EXPECT_EQ(other.s.t.undoHistory().at(0).cells.size(), 1u);
}
