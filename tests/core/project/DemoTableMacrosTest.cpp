#include <gtest/gtest.h>

#include "../tables/ScriptedDialogs.h"
#include "DemoData.h"
#include "DemoProject.h"
#include "TestSupport.h"
#include "core/project/FileDataTree.h"
#include "core/project/ReferenceBookFile.h"
#include "core/tables/macros/MacroRunner.h"
#include "core/tables/TableDrawing.h"

using namespace phonotab;
using namespace phonotab::testing;

// The demonstration project's tables read the reference books and carry macros
// a user can run.
TEST(DemoTables, ReferenceBookFormulaAndMacrosRun) {
    ScratchDir dir;
    std::string error;
    ASSERT_TRUE(fixtures::writeDemoData(demoSource(), dir.path().string(), error)) << error;
    ProjectState p = fixtures::makeDemoProject(dir.path().string());
    ReferenceBooks books;
    ASSERT_TRUE(LoadReferenceBooks(sourceDir() + "/data/RefMap.txt", books).ok());
    const TableEnvironment env{&books, nullptr};

    ReportTable& levels = p.tables.at(0).table;
    DisplayTexts shown = DrawDisplayTexts(levels, env);
    EXPECT_EQ(shown.at(1, 6), "40.0");  // "#Жилые комнаты, день#0"
    EXPECT_EQ(shown.at(2, 7), "55.0");
    ScriptedDialogs night;
    night.variants = {1};
    ASSERT_EQ(RunMacro(levels, {0, 7}, night, nullptr, env), MacroEnd::Completed);
    ASSERT_EQ(night.variantMenus.size(), 1u);
    EXPECT_EQ(night.variantMenus[0].size(), 2u);
    shown = DrawDisplayTexts(levels, env);
    EXPECT_EQ(shown.at(0, 7), "Норма ночью");
    EXPECT_EQ(shown.at(1, 7), "30");
    EXPECT_EQ(shown.at(2, 7), "45");

    ReportTable& spectrum = p.tables.at(1).table;
    FileDataLoader loader(demoDesc(), "", "");
    ScriptedDialogs file;
    file.files = {dir.file("SLM101_street_day.bin")};
    ASSERT_EQ(RunMacro(spectrum, {0, 3}, file, &loader, env), MacroEnd::Completed);
    ASSERT_EQ(file.fileRequests.size(), 1u);
    EXPECT_EQ(file.fileRequests[0].fixedItems, 4u);  // the type is fixed: octaves
    EXPECT_EQ(spectrum.texts.at({0, 3}).rfind("Запись 1 ", 0), 0u);
    for (int b = 1; b <= 10; ++b) {
        const double v = std::stod(spectrum.texts.at({b, 3}));
        EXPECT_GT(v, 20.0) << b;
        EXPECT_LT(v, 110.0) << b;
    }
}
