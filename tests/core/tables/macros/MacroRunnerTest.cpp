#include <gtest/gtest.h>

#include "../ScriptedDialogs.h"
#include "../TableTestSupport.h"
#include "core/tables/macros/DataAddress.h"
#include "core/tables/macros/MacroCommands.h"
#include "core/tables/macros/MacroRunner.h"
#include "core/tables/macros/MacroText.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// A sheet whose cell A1 holds the macro.
struct MacroSheet {
    Sheet s;
    ScriptedDialogs dialogs;
    MemoryLoader loader;

    explicit MacroSheet(std::string macro, int rows = 8, int columns = 5) : s(rows, columns) {
        s.t.macros[at("A1")] = std::move(macro);
        loader.tree = smallDataFile();
    }
    MacroEnd run() { return RunMacro(s.t, at("A1"), dialogs, &loader, TableEnvironment{&s.books, nullptr}); }
    std::string text(std::string_view cell) const {
        auto it = s.t.texts.find(at(cell));
        return it == s.t.texts.end() ? std::string("<none>") : it->second;
    }
};

}  // namespace

TEST(MacroText, CommentsVariantsAndConstructs) {
    EXPECT_EQ(StripMacroText("A1 = 1;\r\n/* один\nкомментарий */B1 = 2 /* без конца"), "A1 = 1;B1 = 2 ");
    EXPECT_EQ(SplitMacroVariants(" RHIDE 5 ---  --- RSHOW 5---"), (std::vector<std::string>{"RHIDE 5", "RSHOW 5"}));
    EXPECT_EQ(SplitMacroStatements(";A1=1; ;B1 = 2 ;"), (std::vector<std::string>{"A1=1", "B1 = 2"}));
    MacroConstruct c;
    EXPECT_EQ(FindMacroConstruct("A1 = {b1}+sels{T,1}", "SELS", 0, c), ConstructSearch::Found);
    EXPECT_EQ(c.begin, 10u);
    EXPECT_EQ(c.body, "T,1");
    EXPECT_EQ(FindMacroConstruct("A1 = {b1", "", 0, c), ConstructSearch::Unbalanced);
    EXPECT_EQ(FindMacroConstruct("A1 = 1", "FIX", 0, c), ConstructSearch::None);
}

TEST(MacroRunner, HidesAndShowsRowsAndColumns) {
    MacroSheet m("/* test */ RHIDE 5");
    EXPECT_EQ(m.run(), MacroEnd::Completed);
    EXPECT_FALSE(m.s.t.rowInReport(4));
    EXPECT_TRUE(m.s.t.modified());
    EXPECT_TRUE(m.s.t.recalculationRequested());

    m.s.t.macros[at("A1")] = "RSHOW(5); RHIDE C, 2:3, D:E";
    EXPECT_EQ(m.run(), MacroEnd::Completed);
    EXPECT_TRUE(m.s.t.rowInReport(4));
    EXPECT_FALSE(m.s.t.columnInReport(2));
    EXPECT_FALSE(m.s.t.rowInReport(1));
    EXPECT_FALSE(m.s.t.rowInReport(2));
    EXPECT_FALSE(m.s.t.columnInReport(4));
    // The whole run is one undo step.
    ASSERT_TRUE(m.s.t.Undo());
    EXPECT_FALSE(m.s.t.rowInReport(4));
    EXPECT_TRUE(m.s.t.columnInReport(2));
    EXPECT_TRUE(m.s.t.rowInReport(1));
}

TEST(MacroRunner, ChoicesAndVariants) {
    MacroSheet m("A1 = SELN{Канал,1,2,3}; B1 = [TEXT]SELS{Точка, Улица , Двор}; C1 = 10 + SELN{x,1}");
    m.dialogs.options = {1, 0, std::nullopt};
    EXPECT_EQ(m.run(), MacroEnd::Completed);
    EXPECT_EQ(m.text("A1"), "2");
    EXPECT_EQ(m.text("B1"), "Улица");
    EXPECT_EQ(m.text("C1"), "10");  // a dismissed menu leaves nothing in its place
    ASSERT_EQ(m.dialogs.optionMenus.size(), 3u);
    EXPECT_EQ(m.dialogs.optionMenus[1].first, "Точка");
    EXPECT_EQ(m.dialogs.optionMenus[1].second, (std::vector<std::string>{"Улица", "Двор"}));

    MacroSheet v("A2 = 1 --- A2 = 2");
    EXPECT_EQ(v.run(), MacroEnd::Cancelled);  // the menu was dismissed
    EXPECT_EQ(v.dialogs.variantMenus, (std::vector<std::vector<std::string>>{{"A2 = 1", "A2 = 2"}}));
    EXPECT_TRUE(v.s.t.texts.empty());
    EXPECT_FALSE(v.s.t.modified());
    EXPECT_FALSE(v.s.t.canUndo());
    v.dialogs.variants = {1};
    EXPECT_EQ(v.run(), MacroEnd::Completed);
    EXPECT_EQ(v.text("A2"), "2");
}

TEST(MacroRunner, AssignmentsTextsAndNamedValues) {
    MacroSheet m("B1 = 4; #N = #NORM#1; B2 = B1*2.5 + #N; #X = B2/3; #T = [TEXT] Итого: ; C1 = [TEXT]#T#X;"
                 "C2 = #X*3; B3:C4 = 1/3; D1 = LOG(0,1); D2 = ; = 5; D3 = B1+");
    m.s.books.books["NORM"] = {40, 55};
    m.s.t.bindings[at("B3")] = CellBinding{"День", 1, 2, 60};
    m.s.formula("C3", "1");
    EXPECT_EQ(m.run(), MacroEnd::Completed);
    EXPECT_EQ(m.text("B2"), "65");
    EXPECT_EQ(m.text("C1"), "Итого:21.6667");
    EXPECT_EQ(m.text("C2"), "65.0001");  // named values are texts
    EXPECT_EQ(m.text("B4"), "0.333333");
    EXPECT_EQ(m.text("C4"), "0.333333");
    EXPECT_TRUE(m.s.t.bindings.empty());
    EXPECT_TRUE(m.s.t.formulas.empty());
    EXPECT_EQ(m.text("D1"), "???");  // a formula that fails
    EXPECT_EQ(m.text("D2"), "<none>");
    EXPECT_EQ(m.text("D3"), "4");  // "B1+" reads as plus B1
    ASSERT_TRUE(m.s.t.Undo());
    EXPECT_TRUE(m.s.t.texts.empty());
    EXPECT_EQ(m.s.t.bindings.at(at("B3")).value, 60);
    EXPECT_EQ(m.s.t.formulas.at(at("C3")).text, "1");
}

TEST(MacroRunner, ReadsTheChosenDataFile) {
    MacroSheet m("FIX{m2} A2 = {b1}; B2 = {b-1}+1.2; C2 = {n1b2}; D2 = {n5}; E2 = {r2m1b1}; A3 = {n6}; B3 = {n2};"
                 "C3 = [TEXT]{b3}");
    m.dialogs.files = {"/data/a.txt"};
    m.dialogs.fileParameter = [](const FileParameterRequest& r) {
        EXPECT_EQ(r.preset.mode, 1);  // the fixed item presets the dialog
        EXPECT_EQ(r.fixedItems, dataspec::Mode);
        EXPECT_EQ(r.preset.record, 1);  // the absolute items of the blocks too
        DataSelection s = r.preset;
        s.mode = 0;  // the fixed item wins over the dialog
        s.record = 0;
        s.band = 1;
        return std::optional<DataSelection>(s);
    };
    EXPECT_EQ(m.run(), MacroEnd::Completed);
    EXPECT_EQ(m.loader.loaded, std::vector<std::string>{"/data/a.txt"});
    EXPECT_EQ(m.text("A2"), "11");
    EXPECT_EQ(m.text("B2"), "12.2");
    EXPECT_EQ(m.text("C2"), "125");
    EXPECT_EQ(m.text("D2"), "Запись 1");
    EXPECT_EQ(m.text("E2"), "21");  // the fixed mode wins over "m1"
    EXPECT_EQ(m.text("A3"), "01/05/2024 10:00:00");
    EXPECT_EQ(m.text("B3"), "Быстро");
    EXPECT_EQ(m.text("C3"), "?");
}

TEST(MacroRunner, ChecksAndRefusalsEndTheRun) {
    struct Case {
        const char* macro;
        MacroEnd end;
        int message;  // 0: none
        bool fileAsked;
    };
    const Case cases[] = {
        {"A2 = {t1}; CHECK{c1t1}; B2 = 1", MacroEnd::Completed, 0, true},
        {"A2 = 1; CHECK{t2}", MacroEnd::Failed, 5602, true},
        {"A2 = {x1}", MacroEnd::Failed, 5601, false},
        {"A2 = {b1", MacroEnd::Failed, 5600, false},
        {"FIX{b}", MacroEnd::Failed, 5601, false},
        {"A2 = SELS{a,b", MacroEnd::Failed, 5600, false},
        {"A2 = 1; B2 = {b1}", MacroEnd::Failed, 414, true},
    };
    for (const Case& c : cases) {
        MacroSheet m(c.macro);
        m.dialogs.files = {"/data/f.bin"};
        if (c.message == 414) m.loader.refusal = Message(msg::MonitoringFileInTable);
        EXPECT_EQ(m.run(), c.end) << c.macro;
        EXPECT_EQ(m.dialogs.messages.empty() ? 0 : m.dialogs.messages[0].id, c.message) << c.macro;
        EXPECT_EQ(m.dialogs.files.empty(), c.fileAsked) << c.macro;
        // Statements run only once every question is answered.
        EXPECT_EQ(m.s.t.texts.empty(), c.end != MacroEnd::Completed) << c.macro;
    }

    MacroSheet cancelled("A2 = {b1}");
    EXPECT_EQ(cancelled.run(), MacroEnd::Cancelled);  // no file chosen
    EXPECT_TRUE(cancelled.loader.loaded.empty());
    cancelled.dialogs.files = {"/data/f.bin"};
    cancelled.dialogs.fileParameter = [](const FileParameterRequest&) { return std::optional<DataSelection>(); };
    EXPECT_EQ(cancelled.run(), MacroEnd::Cancelled);
    EXPECT_TRUE(cancelled.s.t.texts.empty());
}

TEST(MacroRunner, RowCommandsMoveContentAndUndo) {
    MacroSheet m("INSCP 3, 2; SCOPY 3, 2; B5 = 7; DELCP 7; INSCP C; SCOPY B; RHIDE; XYZ 1,2; INSCP 2, B");
    m.s.text("A2", "строка").formula("B2", "A2+$A$1+C1").text("C2", "x");
    m.s.t.cell(0, 1).height = 31;
    m.s.t.macros[at("D2")] = "E2 = B2";
    m.s.text("A6", "удалить");
    EXPECT_EQ(m.run(), MacroEnd::Completed);
    EXPECT_EQ(m.s.t.rowCount(), 8);  // one row in, one out
    EXPECT_EQ(m.s.t.cell(0, 2).height, 31);
    EXPECT_EQ(m.text("A3"), "строка");
    EXPECT_EQ(m.s.t.formulas.at(at("B3")).text, "A3+$A$1+C2");
    EXPECT_EQ(m.s.t.macros.at(at("D3")), "E3 = B3");
    EXPECT_EQ(m.text("B5"), "7");
    EXPECT_EQ(m.text("A6"), "<none>");  // row 6 moved to 7 and was deleted
    EXPECT_EQ(m.text("A7"), "<none>");
    EXPECT_EQ(m.s.t.columnCount(), 5);  // the statements with wrong arguments did nothing

    // Undo steps back through the deletion, the cell changes and the insertion.
    ASSERT_TRUE(m.s.t.Undo());
    EXPECT_EQ(m.text("A7"), "удалить");
    ASSERT_TRUE(m.s.t.Undo());
    EXPECT_EQ(m.text("B5"), "<none>");
    EXPECT_EQ(m.text("A3"), "<none>");
    ASSERT_TRUE(m.s.t.Undo());
    EXPECT_EQ(m.s.t.rowCount(), 8);
    EXPECT_EQ(m.text("A2"), "строка");
    EXPECT_FALSE(m.s.t.canUndo());
}

TEST(MacroRunner, ArgumentsAndTargetsOutsideTheTableAreIgnored) {
    MacroSheet m("RHIDE 999999, ZZ; INSCP 50, 1; DELCP 9; SCOPY 1, 99; ZZ999 = 1; A1:B2000 = 2; DELCP A");
    EXPECT_EQ(m.run(), MacroEnd::Completed);
    EXPECT_EQ(m.s.t.rowCount(), 8);
    EXPECT_EQ(m.text("A8"), "2");
    EXPECT_EQ(m.s.t.columnCount(), 4);
    EXPECT_EQ(m.text("A1"), "2");  // column B became A
    EXPECT_EQ(m.s.t.texts.size(), 8u);
    EXPECT_EQ(m.s.t.macros.count(at("A1")), 0u);  // the macro's own column went with it
}

TEST(MacroCommands, ArgumentsAndTargets) {
    EXPECT_EQ(ParseAxisArgument(" 5 ")->first, 4);
    EXPECT_TRUE(ParseAxisArgument("C:A")->column);
    EXPECT_EQ(ParseAxisArgument("C:A")->first, 0);
    for (const char* bad : {"", "0", "B5", "5:C", "ABC", "1234567", "-1"}) EXPECT_FALSE(ParseAxisArgument(bad)) << bad;
    EXPECT_EQ(*ParseCellTarget(" $C$3 : a1 "), (CellRect{0, 0, 3, 3}));
    for (const char* bad : {"", "A", "5", "A1:", "#X", "A1B2"}) EXPECT_FALSE(ParseCellTarget(bad)) << bad;
}

TEST(MacroRunner, RefusesToFillTheTableWithHugeTexts) {
    // A macro from a table file could otherwise ask for gigabytes.
    MacroSheet m("#A = [TEXT]" + std::string(60000, 'x') + "; A1:CV1000 = [TEXT]#A; B1 = [TEXT]#A", 1000, 100);
    EXPECT_EQ(m.run(), MacroEnd::Completed);
    EXPECT_EQ(m.s.t.texts.size(), 1u);
    EXPECT_EQ(m.text("B1").size(), 60000u);
}
