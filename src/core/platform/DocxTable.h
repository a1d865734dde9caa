// A table as the word-processor document receives it: the grid's column
// widths and row heights, and per grid cell its text and format. A merged
// block is told by its first cell (its spans); the other cells of the block
// are marked covered and carry nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace phonotab {

struct DocxCell {
    enum class Horizontal { Left, Centre, Right };
    enum class Vertical { Top, Middle, Bottom };

    std::string text;  // "\r\n", "\n" and "\r" each end a line (a paragraph of the cell)
    int columnSpan = 1, rowSpan = 1;
    bool covered = false;
    std::string fontFace;   // empty: the document's font
    double fontPoints = 0;  // 0: the document's size
    bool bold = false, italic = false;
    std::uint32_t textColour = 0;             // 0xRRGGBB
    std::optional<std::uint32_t> background;  // 0xRRGGBB; none: no shading
    Horizontal horizontal = Horizontal::Left;
    Vertical vertical = Vertical::Top;
};

struct DocxTable {
    std::vector<int> columnWidths;  // twips (1/1440 inch), one per grid column
    std::vector<int> rowHeights;    // twips, the least height of each row
    std::vector<std::vector<DocxCell>> rows;  // one row per height, one cell per column
    // Rows at the top that head the table: repeated at the top of each page
    // the table runs onto, their text bold. A merged block that starts among
    // them and reaches further down takes the rows it covers into the heading.
    int headerRows = 0;
};

}  // namespace phonotab
