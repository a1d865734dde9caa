#include <gtest/gtest.h>

#include "core/project/ProjectFiles.h"
#include "core/project/ProjectRenames.h"

using namespace phonotab;

namespace {

// Two tables: bindings of two sources, formulas reading two books.
ProjectState project() {
    ProjectState p;
    for (int t = 0; t < 2; ++t) {
        ProjectTable pt;
        pt.table = ReportTable(3, 3);
        CellBinding a;
        a.sourceName = "Точка 1";
        a.value = 50;
        pt.table.bindings[{0, t}] = a;
        CellBinding other = a;
        other.sourceName = "Точка 10";  // a longer name that begins alike
        pt.table.bindings[{1, t}] = other;
        pt.table.formulas[{2, 0}].text = "#Нормы#1";
        pt.table.formulas[{2, 1}].text = "#Нормы2# 0";
        pt.table.formulas[{2, 2}].text = "A1+1";
        p.tables.push_back(std::move(pt));
    }
    return p;
}

}  // namespace

TEST(ProjectRenames, SourceNamesFollowARename) {
    ProjectState p = project();
    EXPECT_EQ(sourceUses(p, "Точка 1"), 2);
    EXPECT_EQ(sourceUses(p, "Точка"), 0);
    renameSourceUses(p, "Точка 1", "Север");
    EXPECT_EQ(sourceUses(p, "Точка 1"), 0);
    EXPECT_EQ(sourceUses(p, "Север"), 2);
    EXPECT_EQ(sourceUses(p, "Точка 10"), 2);
    EXPECT_EQ(p.tables[1].table.bindings.at({0, 1}).value, 50.0);  // the value goes with it
    EXPECT_TRUE(p.tables[0].table.modified());
}

TEST(ProjectRenames, BookFormulasFollowARename) {
    ProjectState p = project();
    EXPECT_EQ(bookUses(p, "Нормы"), 2);
    EXPECT_EQ(bookUses(p, "Нормы2"), 2);
    EXPECT_EQ(bookUses(p, ""), 0);
    renameBookUses(p, "Нормы", "Пределы");
    EXPECT_EQ(p.tables[0].table.formulas.at({2, 0}).text, "#Пределы#1");
    EXPECT_EQ(p.tables[0].table.formulas.at({2, 1}).text, "#Нормы2# 0");
    EXPECT_EQ(p.tables[1].table.formulas.at({2, 2}).text, "A1+1");
    EXPECT_EQ(bookUses(p, "Пределы"), 2);
    EXPECT_TRUE(p.tables[1].table.recalculationRequested());
}

// A cell macro reads a book as its formulas do ("B2=#book#3"): its uses are
// counted and renamed too, while the macro's own "#NAME" values and a book
// whose name only begins the same stay as they are. A table open in a window
// outside the project is renamed through the same rule.
TEST(ProjectRenames, BookReferencesInMacrosFollowARename) {
    ProjectState p;
    ProjectTable t;
    t.table = ReportTable(3, 3);
    t.table.macros[{0, 0}] = "B1=#Нормы#3\r\n#Нормы=5\r\nB2=#Нормы# -1\r\nB3=#Нормы2#1";
    t.table.macros[{1, 1}] = "[TEXT]C1=#Нормы#0";
    p.tables.push_back(std::move(t));
    EXPECT_EQ(bookUses(p, "Нормы"), 3);
    renameBookUses(p, "Нормы", "Пределы");
    EXPECT_EQ(p.tables[0].table.macros.at({0, 0}), "B1=#Пределы#3\r\n#Нормы=5\r\nB2=#Пределы# -1\r\nB3=#Нормы2#1");
    EXPECT_EQ(p.tables[0].table.macros.at({1, 1}), "[TEXT]C1=#Пределы#0");
    EXPECT_EQ(bookUses(p, "Нормы"), 0);
    EXPECT_TRUE(p.tables[0].table.modified());

    ReportTable open(2, 2);
    open.formulas[{0, 0}].text = "#Пределы#2";
    open.macros[{1, 1}] = "A2=#Пределы#1";
    EXPECT_EQ(bookUses(open, "Пределы"), 2);
    EXPECT_TRUE(renameBookUses(open, "Пределы", "Нормы"));
    EXPECT_EQ(open.formulas.at({0, 0}).text, "#Нормы#2");
    EXPECT_EQ(open.macros.at({1, 1}), "A2=#Нормы#1");
    EXPECT_FALSE(renameBookUses(open, "Пределы", "Нормы"));  // nothing left to rename
}
