// A one-sheet spreadsheet workbook (.xlsx), built in memory and written in one
// go: texts with their cell formats, merged ranges, row heights and column
// widths. It stands where the program once drove a running spreadsheet
// application, and offers just what the table export asks of it.
//
// The writing library has edges that this layer keeps away from its callers:
// a range of one cell is written, never merged; a range that overlaps one
// merged before is refused before the library sees it; black is passed as an
// explicit colour (the library reads 0 as "no colour"); texts are made valid
// UTF-8 and cut to the sheet's limit of 32767 characters.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/base/Result.h"

namespace phonotab {

struct XlsxFormat {
    enum class Horizontal { Left, Centre, Right };
    enum class Vertical { Top, Middle, Bottom };

    Horizontal horizontal = Horizontal::Left;
    Vertical vertical = Vertical::Top;
    std::string fontName;  // empty: the sheet's default font
    double fontSize = 0;   // points; 0: the default size
    bool bold = false;
    bool italic = false;
    std::uint32_t fontColour = 0;             // 0xRRGGBB, black by default
    std::optional<std::uint32_t> background;  // 0xRRGGBB solid fill; none: no fill
    bool textNumberFormat = false;            // number format "@": the value is text as typed
    bool wrap = false;                        // needed for "\n" in a text to show as a line break

    friend auto operator<=>(const XlsxFormat&, const XlsxFormat&) = default;
};

class XlsxWorkbook {
public:
    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;
    static constexpr std::size_t MaxTextLength = 32767;  // characters of one cell
    static constexpr double MaxRowHeight = 409;          // points
    static constexpr double MaxColumnWidth = 255;        // characters

    // Puts a text into a cell (0-based); an empty text leaves a formatted blank
    // cell. False (nothing done) for a cell outside the sheet.
    bool setText(int row, int column, std::string text, const XlsxFormat& format);

    // Merges the range (first and last rows and columns, inclusive) and puts the
    // text into its first cell; every cell of the range takes the format. A
    // range of one cell is just written. False (nothing done) when the range is
    // reversed, leaves the sheet or overlaps a range merged before.
    bool mergeRange(int firstRow, int firstColumn, int lastRow, int lastColumn, std::string text,
                    const XlsxFormat& format);

    // Row height in points, column width in characters; 0 hides the row or
    // column. Values are clamped to what the sheet allows.
    void setRowHeight(int row, double points);
    void setColumnWidth(int column, double width);

    // Writes the workbook to path; the file is replaced only once it was
    // written completely. 105 with the path when the file cannot be created,
    // 5003 when the workbook cannot be written.
    Status save(const std::string& path) const;

private:
    struct CellEntry {
        int row, column, lastRow, lastColumn;  // lastRow/lastColumn differ for a merged range
        std::string text;
        std::size_t format;  // index into formats_
    };
    std::size_t formatIndex(const XlsxFormat& format);
    bool overlapsMerged(int firstRow, int firstColumn, int lastRow, int lastColumn) const;

    std::vector<XlsxFormat> formats_;
    std::map<XlsxFormat, std::size_t> formatIndices_;
    std::vector<CellEntry> cells_;
    // Per sheet row, the column intervals [first, last] taken by merged ranges.
    std::map<int, std::map<int, int>> mergedColumns_;
    std::map<int, double> rowHeights_;
    std::map<int, double> columnWidths_;
};

}  // namespace phonotab
