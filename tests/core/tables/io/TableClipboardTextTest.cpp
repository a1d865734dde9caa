#include <gtest/gtest.h>

#include "../TableTestSupport.h"
#include "core/tables/io/TableClipboardText.h"
#include "core/tables/TableCommands.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(TableClipboardText, CopyJoinsDisplayTextsWithTabsAndLineEnds) {
    Sheet s(3, 3);
    s.text("A1", "a1").text("B1", "b1").text("C1", "c1").text("B2", "under the merge").formula("C2", "2*2");
    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{0, 1, 2, 2}));  // A2:B2, B2 covered
    s.draw();
    EXPECT_EQ(TableSelectionText(s.t, s.drawn, CellRect{0, 0, 3, 2}), "a1\tb1\tc1\r\n\t\t4.0");
    // Clipped to the table; nothing outside it.
    EXPECT_EQ(TableSelectionText(s.t, s.drawn, CellRect{2, 2, 9, 9}), "");
    EXPECT_EQ(TableSelectionText(s.t, s.drawn, CellRect{1, 0, 9, 1}), "b1\tc1");
    EXPECT_EQ(TableSelectionText(s.t, s.drawn, CellRect{5, 5, 9, 9}), "");
}

TEST(TableClipboardText, PasteFillsRowsAndColumnsFromTheFirstCell) {
    Sheet s(3, 3);
    s.text("C3", "kept");
    s.formula("B2", "1+1");
    s.t.bindings[at("C2")] = CellBinding{"yard", 1, 2, 50.0};
    s.t.macros[at("B2")] = "RHIDE 2";
    s.t.clearUndoHistory();

    // Windows and Unix line ends alike; the final line end opens no new row;
    // parts beyond the table are dropped.
    ASSERT_TRUE(PasteTableText(s.t, at("B1"), "x\ty\tbeyond\r\n\tz\n"));
    EXPECT_EQ(s.t.texts.at(at("B1")), "x");
    EXPECT_EQ(s.t.texts.at(at("C1")), "y");
    EXPECT_EQ(s.t.texts.at(at("B2")), "");
    EXPECT_EQ(s.t.texts.at(at("C2")), "z");
    EXPECT_EQ(s.t.texts.at(at("C3")), "kept");
    EXPECT_FALSE(s.t.texts.count(at("B3")));
    // Like typing a text: binding and formula go, the macro stays.
    EXPECT_FALSE(s.t.formulas.count(at("B2")));
    EXPECT_FALSE(s.t.bindings.count(at("C2")));
    EXPECT_EQ(s.t.macros.at(at("B2")), "RHIDE 2");
    EXPECT_TRUE(s.t.modified());

    // One undo record gives everything back.
    EXPECT_EQ(s.t.undoHistory().size(), 1u);
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.formulas.at(at("B2")).text, "1+1");
    EXPECT_EQ(s.t.bindings.at(at("C2")).value, 50.0);
    EXPECT_EQ(s.t.texts.size(), 1u);
}

TEST(TableClipboardText, PasteReadsForeignTextAndRefusesNothingToDo) {
    Sheet s(2, 2);
    ASSERT_TRUE(PasteTableText(s.t, at("A1"), "\xD2\xEE\xF7\xEA\xE0"));  // "Точка" in CP1251
    EXPECT_EQ(s.t.texts.at(at("A1")), "Точка");
    EXPECT_FALSE(PasteTableText(s.t, at("C1"), "x"));
    EXPECT_FALSE(PasteTableText(s.t, at("A1"), ""));
    EXPECT_EQ(s.t.undoHistory().size(), 1u);
}

TEST(TableClipboardText, CopyThenPasteGivesTheSameTexts) {
    Sheet s(2, 4);
    s.text("A1", "1").text("B1", "два").text("A2", "").text("B2", "4");
    s.draw();
    const std::string copied = TableSelectionText(s.t, s.drawn, CellRect{0, 0, 2, 2});
    ASSERT_TRUE(PasteTableText(s.t, at("C1"), copied));
    s.draw();
    EXPECT_EQ(TableSelectionText(s.t, s.drawn, CellRect{2, 0, 4, 2}), copied);
}
