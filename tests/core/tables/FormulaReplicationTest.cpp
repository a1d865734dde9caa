#include <gtest/gtest.h>

#include "TableTestSupport.h"
#include "TestSupport.h"
#include "core/tables/formula/FormulaDialogText.h"
#include "core/tables/FormulaReplication.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(FormulaReplication, DownAColumnAndAlongARow) {
    ReportTable t(5, 5);
    ReplicateFormula(t, TableSelection::fromRect({2, 0, 3, 3}), "a1+$b$1");
    EXPECT_EQ(t.formulas.at(at("C1")).text, "A1+$B$1");
    EXPECT_EQ(t.formulas.at(at("C2")).text, "A2+$B$1");
    EXPECT_EQ(t.formulas.at(at("C3")).text, "A3+$B$1");
    EXPECT_TRUE(t.modified());
    EXPECT_TRUE(t.recalculationRequested());

    ReplicateFormula(t, TableSelection::fromRect({0, 4, 3, 5}), "A1+$B$1");
    EXPECT_EQ(t.formulas.at(at("A5")).text, "A1+$B$1");
    EXPECT_EQ(t.formulas.at(at("B5")).text, "B1+$B$1");
    EXPECT_EQ(t.formulas.at(at("C5")).text, "C1+$B$1");

    ASSERT_TRUE(t.Undo());
    EXPECT_EQ(t.formulas.count(at("B5")), 0u);
}

TEST(FormulaReplication, ABlankFormulaRemovesTheFormulasAndUndoes) {
    ReportTable t(3, 1);
    ReplicateFormula(t, TableSelection::fromRect({0, 0, 1, 3}), "1+1");
    ReplicateFormula(t, TableSelection::fromRect({0, 0, 1, 2}), "  ");
    EXPECT_EQ(t.formulas.count(at("A1")), 0u);
    EXPECT_EQ(t.formulas.count(at("A2")), 0u);
    EXPECT_EQ(t.formulas.at(at("A3")).text, "1+1");
    ASSERT_TRUE(t.Undo());
    EXPECT_EQ(t.formulas.at(at("A1")).text, "1+1");
}

TEST(FormulaReplication, CoveredCellsAreSkippedWithoutAdvancing) {
    ReportTable t(4, 2);
    t.cell(at("B2")).flags = cellflag::CoveredFromAbove;
    ReplicateFormula(t, TableSelection::fromRect({1, 0, 2, 3}), "A1");
    EXPECT_EQ(t.formulas.at(at("B1")).text, "A1");
    EXPECT_EQ(t.formulas.count(at("B2")), 0u);
    EXPECT_EQ(t.formulas.at(at("B3")).text, "A2");
}

TEST(FormulaReplication, DialogText) {
    ReportTable t(2, 2);
    t.formulas[at("A1")] = CellFormula{"#Book#0", 0, FormulaState::Pending};
    t.formulas[at("B1")] = CellFormula{"A1*2", 0, FormulaState::Pending};
    EXPECT_EQ(InitialFormulaText(t, TableSelection::fromRect({0, 0, 2, 1})), "");
    EXPECT_EQ(InitialFormulaText(t, TableSelection::fromRect({1, 0, 2, 1})), "A1*2");

    EXPECT_EQ(WrapFormulaText(FormulaWrap::Esum, "B2:D2", 0), "ESUM(B2:D2)");
    EXPECT_EQ(WrapFormulaText(FormulaWrap::Lin, "A1", 1), "LIN(A1, 20E-6)");
    EXPECT_EQ(WrapFormulaText(FormulaWrap::Log, "A1", 3), "LOG(A1, 5E-8)");
    EXPECT_EQ(WrapFormulaText(FormulaWrap::Log, "A1", 7), "LOG(A1, )");
    EXPECT_EQ(WrapFormulaText(FormulaWrap::Wsum, "A1:A3", 2), "WSUM(A1:A3, )");

    ScratchDir dir;
    ASSERT_TRUE(writeBytes(dir.file("calc_help.txt"), {'a', '\n', '\n', 'b', '\r', '\n', 'c'}));
    EXPECT_EQ(LoadFormulaHelp(dir.file("calc_help.txt")), (std::vector<std::string>{"a", "", "b", "c"}));
    EXPECT_EQ(LoadFormulaHelp(dir.file("none.txt")), std::nullopt);
    EXPECT_EQ(BuiltInFormulaHelp().rfind("Здесь вы можете задать формулу", 0), 0u);
}
