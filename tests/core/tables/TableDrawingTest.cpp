#include <gtest/gtest.h>

#include "TableTestSupport.h"
#include "core/tables/formula/CellNumberFormat.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

class OneSource final : public DataSourceDirectory {
public:
    std::optional<std::string> sourceFilePath(std::string_view name) const override {
        if (name == "yard") return std::string("C:\\data\\2024\\yard_day.bin");
        return std::nullopt;
    }
    std::optional<std::int32_t> sourceFileType(std::string_view) const override { return std::nullopt; }
};

}  // namespace

TEST(TableDrawing, TextsThenBindingsThenFormulas) {
    Sheet s(3, 3);
    s.text("A1", "Точка").text("B1", "text under a binding").text("C1", "text under a formula");
    s.t.bindings[at("B1")] = CellBinding{"yard", 0x1100, 2, 60.04};
    s.t.bindings[at("A2")] = CellBinding{"yard", 0x1100, CellBinding::SourceName, -1};
    s.t.bindings[at("B2")] = CellBinding{"elsewhere", 0x1100, CellBinding::SourceName, -1};
    s.t.bindings[at("C2")] = CellBinding{"yard", 0x1100, 0, 0.0};
    s.formula("C1", "B1+1");

    OneSource sources;
    s.t.RequestRecalculation();
    const DisplayTexts shown = DrawDisplayTexts(s.t, TableEnvironment{&s.books, &sources});
    ASSERT_EQ(shown.rowCount(), 3);
    ASSERT_EQ(shown.columnCount(), 3);
    EXPECT_EQ(shown.at(at("A1")), "Точка");
    EXPECT_EQ(shown.at(at("B1")), "60.0");
    EXPECT_EQ(shown.at(at("C1")), "61.0");
    EXPECT_EQ(shown.at(at("A2")), "yard_day");
    EXPECT_EQ(shown.at(at("B2")), "???");
    EXPECT_EQ(shown.at(at("C2")), "0.0");
    EXPECT_EQ(shown.at(at("C3")), "");
    EXPECT_EQ(shown.at(3, 0), "");  // outside the grid
    EXPECT_FALSE(s.t.recalculationRequested());

    // Without a project the source's file name is unknown.
    EXPECT_EQ(DrawDisplayTexts(s.t, TableEnvironment{}).at(at("A2")), "???");
}

TEST(TableDrawing, FormulaCellsUseTheirNumberFormat) {
    Sheet s(2, 2);
    s.formula("A1", "1/3").formula("B1", "12345").formula("A2", "1/");
    s.t.cell(at("A1")).numberFormat = 2;
    s.t.cell(at("B1")).numberFormat = static_cast<std::int32_t>(numfmt::Engineering);
    s.draw();
    EXPECT_EQ(s.drawn.at(at("A1")), "0.33");
    EXPECT_EQ(s.drawn.at(at("B1")), "12.3E3");
    EXPECT_EQ(s.drawn.at(at("A2")), "???");
}

TEST(TableDrawing, FileStems) {
    EXPECT_EQ(fileStem("C:\\a\\b.c\\name.bin"), "name");
    EXPECT_EQ(fileStem("/home/u/x.tar.gz"), "x.tar");
    EXPECT_EQ(fileStem("plain"), "plain");
    EXPECT_EQ(fileStem(".hidden"), ".hidden");
}
