#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include "DocxTestSupport.h"
#include "../TableTestSupport.h"
#include "core/platform/DocxDocument.h"
#include "core/tables/TableCommands.h"
#include "core/tables/io/TableDocx.h"

using namespace phonotab;
using namespace phonotab::testing;
using ::testing::ElementsAre;

// The report's copy of a table in the document: rows and columns excluded from
// the report are gone, merged blocks are spans, cells show what was drawn.
TEST(TableDocx, ReportCopyWithMergesAndExcludedRowsReadsBack) {
    Sheet s(5, 4);
    s.text("A1", "Точка").text("C1", "LAeq").text("D1", "служебный");
    s.text("A2", "скрыто").text("B2", "скрыто");
    s.text("A3", "Двор\r\nночь").text("B3", "55.1").text("C3", "");
    s.t.bindings[{2, 2}] = CellBinding{};  // no value yet: drawn as "???"
    s.text("B4", "53.0").text("C4", "x");
    s.text("A5", "итог").formula("B5", "B3+1");
    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{0, 0, 2, 1}));  // A1:B1
    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{0, 2, 1, 4}));  // A3:A4
    s.t.cell(0, 1).flags |= cellflag::RowExcluded;     // row 2
    s.t.cell(3, 0).flags |= cellflag::ColumnExcluded;  // column D
    s.t.cell(1, 0).width = 100;
    s.t.cell(0, 2).height = 40;
    s.t.cell(0, 2).font |= cellfont::Bold;
    s.draw();

    const std::optional<DocxTable> table = TableDocxTable(s.t, s.drawn);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columnWidths, (std::vector<int>{70 * 15, 100 * 15, 70 * 15}));
    EXPECT_EQ(table->rowHeights, (std::vector<int>{20 * 15, 40 * 15, 20 * 15, 20 * 15}));
    EXPECT_TRUE(table->rows[1][0].bold);
    EXPECT_DOUBLE_EQ(table->rows[0][0].fontPoints, cellfont::points(1));

    Result<DocxDocument> doc = DocxDocument::fromBytes(makeDocxTemplate("<w:p><w:r><w:t>&lt;TBL01&gt;</w:t></w:r></w:p>"), "t");
    ASSERT_TRUE(doc.ok());
    doc->markPlaceholders({"<TBL01>"});
    ASSERT_TRUE(doc->putTable("<TBL01>", *table));
    ScratchDir dir;
    ASSERT_TRUE(doc->save(dir.file("t.docx")).ok());
    const auto lines = readDocxWithPythonDocx(dir.file("t.docx"));
    EXPECT_THAT(linesStartingWith(lines, "tc\t"),
                ElementsAre("tc\t0\t2\t-\tТочка", "tc\t0\t1\t-\tLAeq",  //
                            "tc\t1\t1\trestart\tДвор|ночь", "tc\t1\t1\t-\t55.1", "tc\t1\t1\t-\t",  // "???" left empty
                            "tc\t2\t1\tcontinue\t", "tc\t2\t1\t-\t53.0", "tc\t2\t1\t-\tx",  //
                            "tc\t3\t1\t-\tитог", "tc\t3\t1\t-\t56.1", "tc\t3\t1\t-\t"))
        << lines.front();

    // Nothing left to put in the report: no table.
    for (int c = 0; c < 4; ++c) s.t.cell(c, 0).flags |= cellflag::ColumnExcluded;
    EXPECT_FALSE(TableDocxTable(s.t, s.drawn));
}
