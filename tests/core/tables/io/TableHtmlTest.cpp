#include <gtest/gtest.h>

#include "../TableTestSupport.h"
#include "core/base/CFormat.h"
#include "core/tables/ReportWorkingCopy.h"
#include "core/tables/TableCommands.h"
#include "core/tables/io/TableHtml.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

std::size_t count(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t p = text.find(what); p != std::string_view::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

std::string html(Sheet& s, HtmlColours colours = HtmlColours::Colour) {
    s.draw();
    const std::optional<ClipboardHtml> h = TableClipboardHtml(s.t, s.drawn, colours);
    return h ? std::string(h->html()) : std::string("<nothing>");
}

// The rows of the HTML table, each as its text between "<TR>" and "</TR>".
std::vector<std::string> rowsOf(const std::string& h) {
    std::vector<std::string> rows;
    for (std::size_t p = h.find("<TR>"); p != std::string::npos; p = h.find("<TR>", p + 1))
        rows.push_back(h.substr(p + 4, h.find("</TR>", p) - p - 4));
    return rows;
}

void excludeRow(ReportTable& t, int row) { t.cell(0, row).flags |= cellflag::RowExcluded; }
void excludeColumn(ReportTable& t, int column) { t.cell(column, 0).flags |= cellflag::ColumnExcluded; }

}  // namespace

TEST(TableHtml, MergedBlocksBecomeSpansAndCoveredCellsVanish) {
    Sheet s(2, 2);
    s.text("A1", "a").text("B1", "b").text("A2", "c").text("B2", "d");
    std::vector<std::string> rows = rowsOf(html(s));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(count(rows[0], "<TD "), 2u);
    EXPECT_EQ(count(rows[1], "<TD "), 2u);

    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{1, 0, 2, 2}));  // B1:B2
    rows = rowsOf(html(s));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0].find("WIDTH=\"70\" BGCOLOR=\"#FFFFFF\" ROWSPAN=\"2\" ALIGN"), std::string::npos) << rows[0];
    EXPECT_EQ(count(rows[1], "<TD "), 1u);
    EXPECT_EQ(rows[1].find(">d<"), std::string::npos);

    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{0, 0, 2, 2}));  // A1:B2
    const std::string all = html(s);
    EXPECT_EQ(count(all, "<TD "), 1u);
    EXPECT_NE(all.find("COLSPAN=\"2\" ROWSPAN=\"2\""), std::string::npos);
}

TEST(TableHtml, ColoursAndTheBlackAndWhiteCopy) {
    Sheet s(1, 2);
    s.text("A1", "x");
    s.t.cell(0, 0).background = 0x0000FF;  // red, stored as 0x00BBGGRR
    s.t.cell(0, 0).textColour = 0x80FF00;  // printed as 00FF80
    s.t.cell(1, 0).background = 0xFF0000;  // blue
    const std::string colour = html(s);
    EXPECT_NE(colour.find("BGCOLOR=\"#FF0000\""), std::string::npos);
    EXPECT_NE(colour.find("<FONT COLOR=\"#00FF80\""), std::string::npos);
    EXPECT_NE(colour.find("BGCOLOR=\"#0000FF\""), std::string::npos);

    const std::string bw = html(s, HtmlColours::BlackAndWhite);
    EXPECT_EQ(count(bw, "BGCOLOR=\"#FFFFFF\""), 2u);
    EXPECT_EQ(count(bw, "<FONT COLOR=\"#000000\""), 2u);
}

TEST(TableHtml, CellTextsFontsAndAlignments) {
    Sheet s(1, 4);
    s.text("A1", "a < b && c > d\r\nnext line");
    s.formula("B1", "1/");  // shows "???"
    s.text("C1", "bold italic");
    s.text("D1", "x");
    TableCell& c = s.t.cell(2, 0);
    c.font = 5 | cellfont::Bold | cellfont::Italic;
    c.alignment = cellalign::HCentre | (cellalign::Bottom << 16);
    c.fontFace = "Odd \"Face\" & Co";
    s.t.cell(3, 0).alignment = cellalign::Right | (cellalign::Middle << 16);

    const std::string h = html(s);
    EXPECT_NE(h.find(">a &lt; b &amp;&amp; c &gt; d<BR>next line</FONT>"), std::string::npos) << h;
    EXPECT_NE(h.find("FACE=\"Arial\"></FONT></TD>"), std::string::npos);  // "???" left out
    EXPECT_NE(h.find("ALIGN=\"CENTER\" VALIGN=\"BOTTOM\"><FONT COLOR=\"#000000\" SIZE=\"5\" "
                     "FACE=\"Odd &quot;Face&quot; &amp; Co\"><B><I>bold italic</I></B></FONT></TD>\n"),
              std::string::npos)
        << h;
    EXPECT_NE(h.find("ALIGN=\"RIGHT\" VALIGN=\"MIDDLE\""), std::string::npos);
    EXPECT_NE(h.find("ALIGN=\"LEFT\" VALIGN=\"TOP\""), std::string::npos);
}

TEST(TableHtml, HeaderOffsetsCountUtf8Bytes) {
    Sheet s(1, 3);
    s.text("A1", "Шум");                      // two bytes a letter
    s.text("B1", "\xF0\x9D\x84\x9E");         // U+1D11E: four bytes, not a surrogate pair
    s.text("C1", std::string("a\xFF") + '\0' + "b");  // a stray byte and a zero character
    s.draw();
    const std::optional<ClipboardHtml> h = TableClipboardHtml(s.t, s.drawn, HtmlColours::Colour);
    ASSERT_TRUE(h);
    const std::string& b = h->bytes;
    EXPECT_EQ(b.back(), '\0');
    EXPECT_EQ(b.find('\0'), b.size() - 1);  // the terminating zero is the only one
    EXPECT_EQ(b.find("<HTML>"), h->startHtml);
    EXPECT_EQ(h->endHtml, b.size() - 1);
    EXPECT_EQ(b.substr(h->endHtml - 7, 7), "</HTML>");
    EXPECT_EQ(b.substr(0, h->startHtml), cformat("Version:0.9\r\nStartHTML:%zu\r\nEndHTML:%zu\r\n", h->startHtml,
                                                 h->endHtml));
    EXPECT_NE(b.find(">\xD0\xA8\xD1\x83\xD0\xBC<"), std::string::npos);
    EXPECT_NE(b.find(">\xF0\x9D\x84\x9E<"), std::string::npos);
    EXPECT_NE(b.find(">a\xEF\xBF\xBD" "b<"), std::string::npos);
}

TEST(TableHtml, OffsetsGrowWithTheirOwnDigits) {
    // A body of a few bytes less or more than needed to reach 1000 bytes
    // overall: the header's own length must still come out right.
    for (int n = 700; n < 760; ++n) {
        Sheet s(1, 1);
        s.text("A1", std::string(static_cast<std::size_t>(n), 'x'));
        s.draw();
        const std::optional<ClipboardHtml> h = TableClipboardHtml(s.t, s.drawn, HtmlColours::Colour);
        ASSERT_TRUE(h);
        ASSERT_EQ(h->bytes.find("<HTML>"), h->startHtml) << n;
        ASSERT_EQ(h->bytes.substr(0, h->startHtml),
                  cformat("Version:0.9\r\nStartHTML:%zu\r\nEndHTML:%zu\r\n", h->startHtml, h->endHtml));
    }
}

TEST(TableHtml, ExcludedRowThatStartsAMergedBlockHandsItToTheNextRow) {
    Sheet s(3, 2);
    s.text("A1", "caption").text("B1", "b1").text("B2", "b2").text("A3", "last");
    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{0, 0, 1, 3}));  // A1:A3
    s.t.cell(0, 0).height = 30;
    s.t.cell(0, 1).height = 40;
    s.t.cell(0, 0).background = 0x00FF00;
    excludeRow(s.t, 0);

    const std::vector<std::string> rows = rowsOf(html(s));
    ASSERT_EQ(rows.size(), 2u);
    // A2 took over the block's first cell (text, format), kept its own height,
    // and the block now spans the two remaining rows.
    EXPECT_NE(rows[0].find("<TD HEIGHT=\"40\" WIDTH=\"70\" BGCOLOR=\"#00FF00\" ROWSPAN=\"2\""), std::string::npos)
        << rows[0];
    EXPECT_NE(rows[0].find(">caption<"), std::string::npos);
    EXPECT_NE(rows[0].find(">b2<"), std::string::npos);
    EXPECT_EQ(count(rows[1], "<TD "), 1u);

    // The cell that took over keeps its own report bits: row 2 stays in the report.
    const ReportGrid report = ReportWorkingCopy(s.t, s.drawn);
    ASSERT_EQ(report.cells.size(), 2u);
    EXPECT_EQ(report.cells[0][0].flags & cellflag::RowExcluded, 0u);
    EXPECT_EQ(report.texts.at(0, 0), "caption");
    EXPECT_EQ(report.texts.at(1, 0), "b2");
}

TEST(TableHtml, ExcludedColumnsAndTheFirstRowKeepTheGeometry) {
    Sheet s(2, 3);
    s.text("A1", "a1").text("B1", "wide").text("C1", "c1").text("B2", "b2").text("C2", "c2");
    s.t.cell(0, 0).width = 50;
    s.t.cell(1, 0).width = 60;
    s.t.cell(2, 0).width = 90;
    s.t.cell(2, 1).width = 10;  // widths of later rows do not count
    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{1, 0, 3, 1}));  // B1:C1
    excludeColumn(s.t, 1);

    std::vector<std::string> rows = rowsOf(html(s));
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(count(rows[0], "<TD "), 2u);
    // C1 took over B1's text but kept its own width; no span is left.
    EXPECT_NE(rows[0].find("WIDTH=\"90\" BGCOLOR=\"#FFFFFF\" ALIGN=\"LEFT\" VALIGN=\"TOP\"><FONT COLOR=\"#000000\" "
                           "SIZE=\"1\" FACE=\"Arial\">wide<"),
              std::string::npos)
        << rows[0];
    EXPECT_EQ(rows[1].find(">b2<"), std::string::npos);

    // With the first row excluded too, its column widths and column flags still hold.
    excludeRow(s.t, 0);
    rows = rowsOf(html(s));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(count(rows[0], "<TD "), 2u);
    EXPECT_NE(rows[0].find("WIDTH=\"50\""), std::string::npos);
    EXPECT_NE(rows[0].find("WIDTH=\"90\" BGCOLOR=\"#FFFFFF\" ALIGN=\"LEFT\" VALIGN=\"TOP\"><FONT COLOR=\"#000000\" "
                           "SIZE=\"1\" FACE=\"Arial\">c2<"),
              std::string::npos)
        << rows[0];
}

TEST(TableHtml, NothingWhenEveryRowOrColumnIsExcluded) {
    Sheet rows(2, 2);
    excludeRow(rows.t, 0);
    excludeRow(rows.t, 1);
    EXPECT_EQ(html(rows), "<nothing>");
    Sheet columns(2, 2);
    excludeColumn(columns.t, 0);
    excludeColumn(columns.t, 1);
    EXPECT_EQ(html(columns), "<nothing>");
}
