#include <gtest/gtest.h>

#include <cmath>

#include "TableTestSupport.h"
#include "core/tables/FormulaEvaluator.h"
#include "core/tables/formula/ShiftReferences.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

struct Case {
    const char* formula;
    std::vector<std::pair<const char*, const char*>> texts;
    std::optional<double> expected;  // nothing: the formula fails
};

void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.formula << '"'; }

class FormulaCases : public ::testing::TestWithParam<Case> {};

TEST_P(FormulaCases, EvaluatesOrFails) {
    const Case& c = GetParam();
    Sheet s(12, 30);
    for (const auto& [ref, text] : c.texts) s.text(ref, text);
    s.formula("Z12", c.formula);
    const std::optional<double> v = s.value("Z12");
    if (!c.expected) {
        EXPECT_FALSE(v.has_value()) << "value " << v.value_or(0);
        EXPECT_EQ(s.shown("Z12"), "???");
    } else {
        ASSERT_TRUE(v.has_value());
        if (std::isinf(*c.expected))
            EXPECT_EQ(*v, *c.expected);
        else
            EXPECT_NEAR(*v, *c.expected, 1e-9 * std::max(1.0, std::fabs(*c.expected)));
    }
}

const std::vector<std::pair<const char*, const char*>> kLevels = {{"B2", "60"}, {"C2", "60"}, {"D2", "60"}};
const std::vector<std::pair<const char*, const char*>> kColumn = {{"A1", "1"}, {"A2", "2"}, {"A3", "3"}, {"A4", "4"},
                                                                  {"A5", "5"}, {"A6", "6"}, {"A7", "7"}, {"A8", "8"},
                                                                  {"A9", "9"}, {"A10", "10"}};
const double kEsum3 = 60 + 10 * std::log10(3.0);

INSTANTIATE_TEST_SUITE_P(
    Language, FormulaCases,
    ::testing::Values(
        // Operator levels: left association everywhere, "^" included.
        Case{"A1+B1-C3*2+5", {{"A1", "10"}, {"B1", "4"}, {"C3", "3"}}, 13.0},
        Case{"2^3^2", {}, 64.0},
        Case{"(1+2)*3-8/4", {}, 7.0},
        Case{"2E-5*1E5+1.5E3", {}, 1502.0},
        Case{"1/0", {}, INFINITY},
        // Ranges, thinning and lists.
        Case{"ESUM(B2:D2)", kLevels, kEsum3},
        Case{"ESUM(B2:D2)", {{"B2", "60"}, {"D2", "60"}}, std::nullopt},  // an empty cell in the range
        Case{"ESUM(B2:C3)", {{"B2", "60"}, {"C2", "60"}, {"B3", "60"}, {"C3", "60"}}, std::nullopt},
        Case{"SUM(D2:B2)", kLevels, std::nullopt},  // backwards selects nothing
        Case{"SUM(A1:A10:2)", kColumn, 25.0},
        Case{"SUM(A1:A9:3)", kColumn, 27.0},
        Case{"SUM(A1:A9:1.5)", kColumn, 25.0},  // n rounds to 2
        Case{"SUM(A1:A9:1)", kColumn, std::nullopt},
        Case{"SUM(A1:5)", kColumn, std::nullopt},
        Case{"SUM(A1;C1;E1)", {{"A1", "1"}, {"C1", "3"}, {"E1", "5"}}, 9.0},
        Case{"A1;C1", {{"A1", "1"}, {"C1", "3"}}, std::nullopt},
        Case{"SUM(A1;C1)", {{"A1", "1"}, {"C1", "x"}}, std::nullopt},
        Case{"SUM(A1:A3;A5)", kColumn, 11.0},
        Case{"SUM(A5;A1:A3)", kColumn, std::nullopt},
        Case{"A1:A3", kColumn, std::nullopt},
        // Functions.
        Case{"LIN(94, 2E-5)", {}, 2e-5 * std::pow(10.0, 4.7)},
        Case{"LOG(1, 2E-5)", {}, 20 * std::log10(1 / 2e-5)},
        Case{"LOG(0, 1)", {}, std::nullopt},
        Case{"LIN(A1:A2, 1)", kColumn, std::nullopt},  // two values left
        Case{"VATOVS(100, 10)", {}, 100 + 20 * std::log10(1 / M_PI)},
        Case{"WSUM(A1:A3, B1:B3)", {{"A1", "60"}, {"A2", "60"}, {"A3", "60"}, {"B1", "1"}, {"B2", "1"}, {"B3", "1"}}, kEsum3},
        Case{"WSUM(A1:A3, B1)", {{"A1", "60"}, {"A2", "60"}, {"A3", "60"}, {"B1", "1"}}, kEsum3},
        Case{"WSUM(A1, B1:B3)", {{"A1", "60"}, {"B1", "1"}, {"B2", "1"}, {"B3", "1"}}, std::nullopt},
        Case{"MAX(A1:A10)-MIN(A1:A10)", kColumn, 9.0},
        Case{"SQRT(A1:A3)", kColumn, std::nullopt},
        Case{"SQRT(9)", {}, 3.0},
        Case{"2*A1:A3", kColumn, std::nullopt},
        Case{"SUM(2*A1:A3)", kColumn, 12.0},     // one value times a list
        Case{"SUM(A1:A3*A1:A3)", kColumn, 14.0},  // element by element
        Case{"ESUM(A1, A2)", kColumn, std::nullopt},
        // Unary minus only on a lone value.
        Case{"-A1", {{"A1", "4"}}, -4.0},
        Case{"A1-", {{"A1", "4"}}, -4.0},
        Case{"-A1+B1", {{"A1", "4"}, {"B1", "10"}}, 6.0},
        Case{"2*(-3)", {}, std::nullopt},
        // Text forms.
        Case{"a1 + b1", {{"A1", "4"}, {"B1", "10"}}, 14.0},
        Case{"$A$1+A$2", {{"A1", "4"}, {"A2", "10"}}, 14.0},
        Case{"AA1*2", {{"AA1", "21"}}, 42.0},
        Case{"A1", {{"A1", "  12abc"}}, 12.0},  // the number that starts the text
        Case{"A1", {{"A1", "x"}}, std::nullopt},
        Case{"A1", {}, std::nullopt},
        Case{"1+2)", {}, 3.0},  // an unmatched ")" only empties the stack
        Case{"(1+2", {}, std::nullopt},
        Case{"", {}, std::nullopt},
        Case{"1A", {}, std::nullopt},
        Case{"A0", {}, std::nullopt},
        Case{"A13", {}, std::nullopt},   // beyond the rows
        Case{"AE1", {}, std::nullopt},   // beyond the columns
        Case{"FOO(1)", {}, std::nullopt},
        Case{"A", {}, std::nullopt},
        Case{"1%2", {}, std::nullopt},
        Case{"1\n+2", {}, std::nullopt},
        Case{"A1\xd0\x96", {{"A1", "1"}}, std::nullopt}));

TEST(Formula, ReferencedFormulasAreEvaluatedFirstWhateverTheirOrder) {
    Sheet s;
    s.formula("A1", "B1*2").formula("B1", "C5+1").text("C5", "2");
    EXPECT_EQ(s.value("A1"), 6.0);
    EXPECT_EQ(s.shown("A1"), "6.0");
}

TEST(Formula, CyclesFailWithEverythingThatReadsThem) {
    Sheet s;
    s.formula("A1", "B1").formula("B1", "A1").formula("C1", "A1+1").formula("D1", "5").formula("E1", "E1+1");
    s.draw();
    EXPECT_EQ(s.drawn.at(at("A1")), "???");
    EXPECT_EQ(s.drawn.at(at("B1")), "???");
    EXPECT_EQ(s.drawn.at(at("C1")), "???");
    EXPECT_EQ(s.drawn.at(at("E1")), "???");
    EXPECT_EQ(s.drawn.at(at("D1")), "5.0");
}

TEST(Formula, MergedCellsHaveNoValue) {
    Sheet s;
    s.text("B2", "1").text("B3", "100").text("B4", "2");
    s.t.cell(at("B3")).flags |= cellflag::CoveredFromAbove;
    s.formula("D1", "B3").formula("D2", "SUM(B2:B4)").formula("D3", "SUM(B2;B3)");
    EXPECT_EQ(s.value("D1"), std::nullopt);
    EXPECT_EQ(s.value("D2"), 3.0);
    EXPECT_EQ(s.value("D3"), std::nullopt);
}

TEST(Formula, BoundCellsEnterWithTheValueTheyShow) {
    Sheet s;
    s.t.bindings[at("A1")] = CellBinding{"street", 0x1100, 2, 71.26};
    s.t.bindings[at("A2")] = CellBinding{"street", 0x1100, 2, -1.0};
    s.formula("B1", "A1*2").formula("B2", "A2*2");
    EXPECT_EQ(s.shown("A1"), "71.3");
    EXPECT_NEAR(s.value("B1").value(), 142.6, 1e-12);
    EXPECT_EQ(s.shown("A2"), "???");
    EXPECT_EQ(s.value("B2"), std::nullopt);
}

TEST(Formula, ReferenceBookForm) {
    Sheet s;
    s.books.books["Src"] = {85.0, 90.5};
    s.formula("A1", "#Src#0").formula("A2", "#Src# 1 ").formula("A3", "#Src").formula("A4", "#Src#99")
        .formula("A5", "#Src#-1").formula("A6", "#src#0").formula("A7", "#Src#x").formula("A8", "#Src#99999999999999999999");
    EXPECT_EQ(s.value("A1"), 85.0);
    EXPECT_EQ(s.value("A2"), 90.5);
    for (const char* failing : {"A3", "A4", "A5", "A6", "A7", "A8"}) EXPECT_EQ(s.value(failing), std::nullopt) << failing;
    s.formula("B1", "A1+A2");
    EXPECT_EQ(s.value("B1"), 175.5);

    ReportTable alone(2, 2);
    alone.formulas[{0, 0}] = CellFormula{"#Src#0", 0, FormulaState::Pending};
    EvaluateFormula(alone, DisplayTexts(2, 2), {0, 0}, nullptr);  // no reference books at all
    EXPECT_EQ(alone.formulas.at(CellKey{0, 0}).state, FormulaState::Failed);
}

// A column of formulas each reading the next one: far deeper than any call
// stack, in the sanitizer build too.
TEST(Formula, LongChainsNeedNoDeepStack) {
    constexpr int kRows = 1000, kColumns = 100;
    ReportTable t(kRows, kColumns);
    auto name = [](int i) { return columnLetters(i / kRows) + std::to_string(i % kRows + 1); };
    const int n = kRows * kColumns;
    for (int i = 0; i + 1 < n; ++i) t.formulas[{i / kRows, i % kRows}] = CellFormula{name(i + 1) + "+1", 0, FormulaState::Pending};
    t.formulas[{kColumns - 1, kRows - 1}] = CellFormula{"0", 0, FormulaState::Pending};
    EXPECT_EQ(DrawDisplayTexts(t, {}).at(0, 0), "99999.0");
    EXPECT_EQ(t.formulas.at(CellKey{0, 0}).value, n - 1);

    // Closing the chain into a ring makes every formula fail.
    t.formulas[{kColumns - 1, kRows - 1}].text = "A1";
    t.RequestRecalculation();
    (void)DrawDisplayTexts(t, {});
    int failed = 0;
    for (const auto& [k, f] : t.formulas) failed += f.state == FormulaState::Failed;
    EXPECT_EQ(failed, n);
}

TEST(Formula, TextsThatBelongToNoCell) {
    Sheet s;
    s.text("A1", "3").formula("B1", "A1*2");
    s.draw();
    EXPECT_EQ(EvaluateFormulaText(s.t, s.drawn, "b1+a1", &s.books), 9.0);
    EXPECT_EQ(EvaluateFormulaText(s.t, s.drawn, "B1*", &s.books), std::nullopt);
    // Without a drawing no cell text holds a number.
    EXPECT_EQ(EvaluateFormulaText(s.t, DisplayTexts(), "b1+a1", &s.books), std::nullopt);
}

TEST(Formula, OnlyPendingFormulasAreEvaluatedUntilARecalculationIsAsked) {
    Sheet s;
    s.text("A1", "3").formula("B1", "A1*2");
    s.draw();
    s.t.texts[at("A1")] = "4";
    EXPECT_EQ(DrawDisplayTexts(s.t, {&s.books, nullptr}).at(at("B1")), "6.0");  // cached
    EXPECT_EQ(s.shown("B1"), "8.0");                    // draw() asks for a recalculation
}

}  // namespace
