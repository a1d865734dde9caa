#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "TableTestSupport.h"
#include "core/tables/macros/ProjectDataBinding.h"
#include "core/tables/TableCellCommands.h"
#include "core/tables/TableCommands.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

TableSelection cells(std::string_view from, std::string_view to) {
    const CellKey a = at(from), b = at(to);
    return TableSelection::fromRect(CellRect{a.column, a.row, b.column + 1, b.row + 1});
}

CellBinding binding(std::string source, std::int32_t code, std::int32_t item = CellBinding::Leq) {
    return CellBinding{std::move(source), code, item, 55.0};
}

MemorySources threeSources() {
    MemorySources s;
    s.list = {{"День", "day.bin", 60101, 2, {}}, {"Ночь", "night.bin", 60101, 2, {}}, {"Двор", "yard.bin", 60101, 2, {}}};
    return s;
}

}  // namespace

TEST(TextCommand, AsksBeforeReplacingBindingsAndUndoesInOneStep) {
    Sheet s(4, 4);
    s.text("B2", "старый").formula("B3", "1+1");
    s.t.bindings[at("B4")] = binding("День", 1);
    s.t.SetModified(false);
    s.t.clearRecalculationRequest();

    ScriptedDialogs no;
    no.confirmations = {false};
    EXPECT_FALSE(TextCommand(s.t, cells("B2", "B4"), no));
    EXPECT_EQ(no.confirmationsAsked, 1);
    EXPECT_TRUE(no.textPresets.empty());
    EXPECT_FALSE(s.t.canUndo());

    ScriptedDialogs yes;
    yes.confirmations = {true};
    yes.texts = {"Итого"};
    ASSERT_TRUE(TextCommand(s.t, cells("B2", "B4"), yes));
    EXPECT_EQ(yes.textPresets, std::vector<std::string>{"старый"});
    for (const char* c : {"B2", "B3", "B4"}) EXPECT_EQ(s.shown(c), "Итого") << c;
    EXPECT_TRUE(s.t.bindings.empty());
    EXPECT_TRUE(s.t.formulas.empty());
    EXPECT_TRUE(s.t.modified());
    EXPECT_EQ(s.t.undoHistory().size(), 1u);

    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.texts.at(at("B2")), "старый");
    EXPECT_EQ(s.t.formulas.at(at("B3")).text, "1+1");
    EXPECT_EQ(s.t.bindings.at(at("B4")).sourceName, "День");

    // Plain texts need no question; a covered cell keeps what it had.
    MergeCellsCommand(s.t, CellRect{0, 0, 1, 2});
    ScriptedDialogs plain;
    plain.texts = {"x"};
    ASSERT_TRUE(TextCommand(s.t, cells("A1", "A2"), plain));
    EXPECT_EQ(plain.confirmationsAsked, 0);
    EXPECT_EQ(s.t.texts.count(at("A2")), 0u);
    EXPECT_EQ(s.t.texts.at(at("A1")), "x");
}

TEST(ReferenceBookCommand, FillsConsecutiveEntries) {
    Sheet s(5, 3);
    s.books.books["Нормы"] = {40, 55, 79};
    s.formula("A1", "#Нормы#1");
    ScriptedDialogs d;
    d.bookFormulas = {"#Нормы#0"};
    ASSERT_TRUE(ReferenceBookCommand(s.t, cells("A1", "A3"), d));
    EXPECT_EQ(d.confirmationsAsked, 0);  // formulas are replaced without a question
    EXPECT_EQ(d.bookPresets, std::vector<std::string>{"#Нормы#1"});
    EXPECT_EQ(s.t.formulas.at(at("A2")).text, "#Нормы#1");
    EXPECT_EQ(s.shown("A1"), "40.0");
    EXPECT_EQ(s.shown("A3"), "79.0");

    // A text of another form, a cancelled dialog, a refused question: nothing.
    s.t.bindings[at("C1")] = binding("День", 1);
    for (auto answer : {std::optional<std::string>("Нормы"), std::optional<std::string>()}) {
        ScriptedDialogs other;
        other.bookFormulas = {answer};
        EXPECT_FALSE(ReferenceBookCommand(s.t, cells("B1", "B2"), other));
    }
    ScriptedDialogs refuse;
    refuse.bookFormulas = {"#Нормы#0"};
    EXPECT_FALSE(ReferenceBookCommand(s.t, cells("C1", "C2"), refuse));
    EXPECT_EQ(refuse.confirmationsAsked, 1);
    EXPECT_EQ(s.t.undoHistory().size(), 1u);
}

TEST(ProjectDataBinding, SequenceRule) {
    const std::vector<std::string> names = {"a", "b", "c"};
    struct Case {
        std::vector<CellBinding> bindings;
        bool sequence;
    };
    const Case cases[] = {
        {{}, true},
        {{binding("a", 0x100)}, true},
        {{binding("a", 0x100), binding("a", 0x101), binding("a", 0x102)}, true},
        {{binding("a", 0x100), binding("b", 0x100), binding("c", 0x100), binding("c", 0x100)}, true},
        {{binding("a", 0x100), binding("a", 0x102)}, false},
        {{binding("a", 0x1FF), binding("a", 0x200)}, false},  // the low byte rises, nothing else
        {{binding("a", 0x100), binding("c", 0x100)}, false},
        {{binding("a", 0x100), binding("b", 0x101)}, false},
        {{binding("a", 0x100, 1), binding("a", 0x101, 2)}, false},
        {{binding("x", 0x100), binding("x", 0x100)}, false},  // not a source of the project
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(BindingsFormSequence(cases[i].bindings, names), cases[i].sequence) << i;
}

TEST(ProjectDataBinding, BindsCodesOrSourcesInSequence) {
    MemorySources sources = threeSources();
    Sheet s(5, 3);
    s.text("A2", "подпись").formula("A3", "1");
    s.t.bindings[at("A1")] = binding("Ночь", 0x01300000, CellBinding::Maximum);

    ScriptedDialogs d;
    d.confirmations = {true};  // the formula in A3
    d.projectParameters = {ProjectParameterChoice{"День", 0x01100000, CellBinding::Leq, false}};
    ASSERT_TRUE(ProjectDataCommand(s.t, cells("A1", "A3"), sources, d));
    EXPECT_EQ(d.confirmationsAsked, 1);
    ASSERT_EQ(d.parameterPresets.size(), 1u);
    EXPECT_EQ(d.parameterPresets[0].binding->sourceName, "Ночь");
    EXPECT_EQ(d.parameterPresets[0].count, 3);
    for (int r = 0; r < 3; ++r) {
        const CellBinding& b = s.t.bindings.at({0, r});
        EXPECT_EQ(b, (CellBinding{"День", 0x01100000 + r, CellBinding::Leq, -1.0})) << r;
    }
    EXPECT_EQ(s.t.texts.count(at("A2")), 0u);
    EXPECT_EQ(s.t.formulas.count(at("A3")), 0u);
    EXPECT_EQ(s.shown("A1"), "???");

    // Binding the same cells again asks nothing: they form a sequence.
    ScriptedDialogs again;
    again.projectParameters = {ProjectParameterChoice{"День", 0x01300000, CellBinding::FirstPercentile, true}};
    ASSERT_TRUE(ProjectDataCommand(s.t, cells("A1", "A4"), sources, again));
    EXPECT_EQ(again.confirmationsAsked, 0);
    const char* expected[] = {"День", "Ночь", "Двор", "Двор"};  // the last source repeats
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(s.t.bindings.at({0, r}).sourceName, expected[r]);
        EXPECT_EQ(s.t.bindings.at({0, r}).parameterCode, 0x01300000);
        EXPECT_EQ(s.t.bindings.at({0, r}).itemIndex, CellBinding::FirstPercentile);
    }
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.bindings.at(at("A2")).parameterCode, 0x01100001);
    EXPECT_EQ(s.t.bindings.count(at("A4")), 0u);
}

TEST(ProjectDataBinding, RefusesUnknownOrMismatchedSourcesWithoutChanges) {
    MemorySources sources = threeSources();
    sources.list[2].mode = 1;  // "Двор" is read as histograms
    Sheet s(5, 3);
    s.text("A1", "x");

    ScriptedDialogs unknown;
    unknown.projectParameters = {ProjectParameterChoice{"Склад", 0x01300000, CellBinding::Leq, false}};
    EXPECT_FALSE(ProjectDataCommand(s.t, cells("A1", "A3"), sources, unknown));
    ASSERT_EQ(unknown.messages.size(), 1u);
    EXPECT_EQ(unknown.messages[0], Message(msg::NoSuchSource, "Склад"));

    ScriptedDialogs mixed;
    mixed.projectParameters = {ProjectParameterChoice{"День", 0x01300000, CellBinding::Leq, true}};
    EXPECT_FALSE(ProjectDataCommand(s.t, cells("A1", "A3"), sources, mixed));
    ASSERT_EQ(mixed.messages.size(), 1u);
    EXPECT_EQ(mixed.messages[0].id, 397);
    EXPECT_TRUE(s.t.bindings.empty());
    EXPECT_EQ(s.t.texts.at(at("A1")), "x");
    EXPECT_FALSE(s.t.canUndo());

    // Two cells reach only the first two sources, which agree.
    ScriptedDialogs two;
    two.projectParameters = {ProjectParameterChoice{"День", 0x01300000, CellBinding::Leq, true}};
    EXPECT_TRUE(ProjectDataCommand(s.t, cells("A1", "A2"), sources, two));

    MemorySources none;
    ScriptedDialogs nothing;
    EXPECT_FALSE(ProjectDataCommand(s.t, cells("B1", "B2"), none, nothing));
    EXPECT_TRUE(nothing.parameterPresets.empty());
}

TEST(FileDataCommand, WritesConsecutiveBandValues) {
    MemoryLoader loader;
    loader.tree = smallDataFile();
    Sheet s(2, 5);
    s.formula("A1", "2");

    ScriptedDialogs d;
    d.confirmations = {true};
    d.files = {"/data/spectrum.txt"};
    d.fileParameter = [](const FileParameterRequest& r) {
        EXPECT_EQ(r.count, 4);
        DataSelection x = r.preset;
        x.mode = 1;
        x.band = 1;
        return std::optional<DataSelection>(x);
    };
    ASSERT_TRUE(FileDataCommand(s.t, cells("A1", "D1"), loader, d));
    EXPECT_EQ(loader.loaded, std::vector<std::string>{"/data/spectrum.txt"});
    EXPECT_EQ(s.t.texts.at(at("A1")), "11.100000");
    EXPECT_EQ(s.t.texts.at(at("B1")), "?");  // no value
    EXPECT_EQ(s.t.texts.at(at("C1")), "?");  // the bands have run out
    EXPECT_TRUE(s.t.formulas.empty());
    EXPECT_EQ(s.t.undoHistory().at(0).kind, UndoKind::CellsFromData);

    // A refused file shows its message; a cancelled choice changes nothing.
    loader.refusal = Message(msg::MonitoringFileInTable);
    ScriptedDialogs refused;
    refused.files = {"/data/station.bin"};
    EXPECT_FALSE(FileDataCommand(s.t, cells("E1", "E2"), loader, refused));
    EXPECT_EQ(refused.messages, std::vector<Message>{Message(msg::MonitoringFileInTable)});
    loader.refusal.reset();
    ScriptedDialogs cancelled;
    cancelled.files = {"/data/a.bin"};
    cancelled.fileParameter = [](const FileParameterRequest&) { return std::optional<DataSelection>(); };
    EXPECT_FALSE(FileDataCommand(s.t, cells("E1", "E2"), loader, cancelled));
    EXPECT_EQ(s.t.undoHistory().size(), 1u);
}

TEST(ReplaceSourceCommand, RebindsSelectedCellsToAnotherSource) {
    MemorySources sources = threeSources();
    sources.list.push_back({"Цех", "shop.bin", 21, 2, {}});
    Sheet s(3, 3);
    s.t.bindings[at("A1")] = binding("День", 0x01300000);
    s.t.bindings[at("A2")] = binding("День", 0x01300100);
    s.text("A3", "x");

    for (const char* wrong : {"Цех", "Склад"}) {
        ScriptedDialogs d;
        d.sources = {wrong};
        EXPECT_FALSE(ReplaceSourceCommand(s.t, cells("A1", "A3"), sources, d));
        ASSERT_EQ(d.messages.size(), 1u);
        EXPECT_EQ(d.messages[0].id, std::string(wrong) == "Цех" ? 397 : 244);
    }
    ScriptedDialogs d;
    d.sources = {"Ночь"};
    ASSERT_TRUE(ReplaceSourceCommand(s.t, cells("A1", "A3"), sources, d));
    EXPECT_EQ(s.t.bindings.at(at("A2")), (CellBinding{"Ночь", 0x01300100, CellBinding::Leq, -1.0}));
    EXPECT_EQ(s.t.texts.at(at("A3")), "x");
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.bindings.at(at("A1")).sourceName, "День");
}

TEST(CellCommands, ClearKeepsMacrosAndSetMacroStoresUpperCase) {
    Sheet s(3, 3);
    s.text("A1", "x").formula("A2", "1");
    s.t.bindings[at("A3")] = binding("День", 1);
    ASSERT_TRUE(SetMacroCommand(s.t, at("A1"), "rhide 5 /* скрыть */"));
    EXPECT_EQ(s.t.macros.at(at("A1")), "RHIDE 5 /* скрыть */");
    ASSERT_TRUE(ClearCommand(s.t, cells("A1", "A3")));
    EXPECT_TRUE(s.t.texts.empty() && s.t.formulas.empty() && s.t.bindings.empty());
    EXPECT_EQ(s.t.macros.size(), 1u);
    ASSERT_TRUE(SetMacroCommand(s.t, at("A1"), "  \t"));
    EXPECT_TRUE(s.t.macros.empty());
    ASSERT_TRUE(s.t.Undo());
    ASSERT_TRUE(s.t.Undo());
    EXPECT_EQ(s.t.texts.at(at("A1")), "x");
    EXPECT_EQ(s.t.macros.count(at("A1")), 1u);
}

TEST(CellCommands, LinkedCellsAreTheReferencesOfFormulaAndMacro) {
    EXPECT_EQ(ReferencedCells("A1+SUM(B2:B9)+$C$3-LOG(D$4,2E-5)"),
              (std::vector<CellKey>{at("A1"), at("B2"), at("B9"), at("C3"), at("D4")}));
    // Commands' rows, data addresses, "#" names, long words and row 0 name no cells.
    EXPECT_EQ(ReferencedCells("RHIDE 5; E4 = {R1C2}*#X1+AA2+ZZZ9+A0+ESUM2+B12X; SCOPY 7,6"),
              (std::vector<CellKey>{at("E4"), at("AA2")}));

    Sheet s(10, 5);
    s.formula("A1", "B2+E10+F1+A99");
    s.t.macros[at("A1")] = "C3 = D4:D5";
    TableSelection sel = cells("A1", "A1");
    EXPECT_EQ(SelectLinkedCells(s.t, at("A1"), sel), 5);
    EXPECT_EQ(sel.cells, (std::set<CellKey>{at("A1"), at("B2"), at("E10"), at("C3"), at("D4"), at("D5")}));
    EXPECT_EQ(sel.rect, (CellRect{0, 0, 5, 10}));
    EXPECT_FALSE(s.t.modified());
}

TEST(CellCommands, DoubleClickOpensWhatTheCellHolds) {
    Sheet s(2, 5);
    s.formula("A1", "#Нормы#0").formula("B1", "1+1").text("C1", "x");
    s.t.bindings[at("D1")] = binding("День", 1);
    s.t.macros[at("E1")] = "RHIDE 1";
    s.t.bindings[at("E1")] = binding("День", 1);
    EXPECT_EQ(DoubleClickActionOf(s.t, at("A1"), false), DoubleClickAction::ReferenceBook);
    EXPECT_EQ(DoubleClickActionOf(s.t, at("B1"), false), DoubleClickAction::Formula);
    EXPECT_EQ(DoubleClickActionOf(s.t, at("C1"), false), DoubleClickAction::Formula);
    EXPECT_EQ(DoubleClickActionOf(s.t, at("D1"), true), DoubleClickAction::ProjectData);
    EXPECT_EQ(DoubleClickActionOf(s.t, at("E1"), false), DoubleClickAction::RunMacro);
    EXPECT_EQ(DoubleClickActionOf(s.t, at("E1"), true), DoubleClickAction::EditMacro);
}
