#include <gtest/gtest.h>

#include "core/tables/macros/MacroEditor.h"

using namespace phonotab;

TEST(MacroEditor, ShiftsOnlyTheSelectedText) {
    const std::string text = "A1 = B2+$C$3+D$4; E5 = {B1}";
    const std::size_t start = 5, end = 16;  // "B2+$C$3+D$4"
    struct Case {
        MacroShift direction;
        const char* result;
    };
    const Case cases[] = {
        {MacroShift::Right, "A1 = C2+$C$3+E$4; E5 = {B1}"},
        {MacroShift::Left, "A1 = A2+$C$3+C$4; E5 = {B1}"},
        {MacroShift::Down, "A1 = B3+$C$3+D$4; E5 = {B1}"},
        {MacroShift::Up, "A1 = B1+$C$3+D$4; E5 = {B1}"},
    };
    for (const Case& c : cases) {
        const MacroTextEdit e = ShiftSelectedText(text, start, end, c.direction);
        EXPECT_EQ(e.text, c.result);
        EXPECT_EQ(e.text.substr(e.selectionStart, e.selectionEnd - e.selectionStart), e.text.substr(5, 11));
    }
    // A selection given backwards or beyond the text is clamped; a reference
    // that would leave the table becomes "?".
    const MacroTextEdit e = ShiftSelectedText("A1+B1", 99, 0, MacroShift::Left);
    EXPECT_EQ(e.text, "?+A1");
    EXPECT_EQ(e.selectionEnd, 4u);
}

TEST(MacroEditor, ReplicatesTheSelectionWithAShift) {
    const std::string text = "/* итоги */A1 = SUM(B1:D1);";
    const std::size_t start = text.find("A1");
    Result<MacroTextEdit> e = ReplicateSelectedText(text, start, text.size(), CopyFormulaSettings{2, 0, 1});
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e->text, "/* итоги */A1 = SUM(B1:D1);A2 = SUM(B2:D2);A3 = SUM(B3:D3);");
    EXPECT_EQ(e->selectionStart, start);
    EXPECT_EQ(e->selectionEnd, text.size());

    EXPECT_EQ(ReplicateSelectedText(text, start, text.size(), CopyFormulaSettings{0, 1, 1})->text, text);
    EXPECT_EQ(ReplicateSelectedText(text, 3, 3, CopyFormulaSettings{5, 1, 1})->text, text);
    EXPECT_EQ(ReplicateSelectedText(text, start, text.size(), CopyFormulaSettings{2, 1, 0})->text,
              text + "B1 = SUM(C1:E1);C1 = SUM(D1:F1);");
    // A repeat count that would make a huge macro is refused.
    Result<MacroTextEdit> huge = ReplicateSelectedText(text, start, text.size(), CopyFormulaSettings{2'000'000'000, 1, 1});
    ASSERT_FALSE(huge.ok());
    EXPECT_EQ(huge.error().id, 5603);
    EXPECT_TRUE(ReplicateSelectedText("A1", 0, 2, CopyFormulaSettings{3, 2'000'000'000, -2'000'000'000}).ok());
}
