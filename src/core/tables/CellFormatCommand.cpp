#include "core/tables/CellFormatCommand.h"

#include <set>
#include <vector>

#include "core/base/MessageIds.h"
#include "core/tables/TableCommands.h"
#include "core/tables/formula/CellNumberFormat.h"

namespace phonotab {

namespace {

std::vector<CellKey> formattedCells(const ReportTable& table, const TableSelection& selection) {
    std::vector<CellKey> out;
    for (const CellKey& k : selection.cells)
        if (table.inside(k) && !table.covered(k.column, k.row)) out.push_back(k);
    return out;
}

// Keeps the first value and forgets it once another differs.
template <typename T>
void narrow(std::optional<T>& common, bool& first, const T& value) {
    if (first) {
        common = value;
    } else if (common && !(*common == value)) {
        common.reset();
    }
}

}  // namespace

CellFormatChoice CommonCellFormat(const ReportTable& table, const TableSelection& selection) {
    CellFormatChoice c;
    const std::vector<CellKey> cells = formattedCells(table, selection);
    bool first = true;
    std::set<int> columns, rows;
    for (const CellKey& k : cells) {
        const TableCell& cell = table.cell(k);
        narrow(c.face, first, cell.fontFace);
        narrow(c.sizeStep, first, cellfont::sizeStep(cell.font));
        narrow(c.bold, first, (cell.font & cellfont::Bold) != 0);
        narrow(c.italic, first, (cell.font & cellfont::Italic) != 0);
        narrow(c.background, first, cell.background);
        narrow(c.textColour, first, cell.textColour);
        narrow(c.horizontal, first, cellalign::horizontal(cell.alignment));
        narrow(c.vertical, first, cellalign::vertical(cell.alignment));
        const auto format = static_cast<std::uint32_t>(cell.numberFormat);
        narrow(c.engineering, first, (format & numfmt::Engineering) != 0);
        narrow(c.decimals, first, static_cast<int>(format & numfmt::DecimalsMask));
        first = false;
        columns.insert(k.column);
        rows.insert(k.row);
    }
    bool firstWidth = true, firstHeight = true;
    for (int column : columns) {
        narrow(c.width, firstWidth, table.cell(column, 0).width);
        firstWidth = false;
    }
    for (int row : rows) {
        narrow(c.height, firstHeight, table.cell(0, row).height);
        firstHeight = false;
    }
    return c;
}

Status CheckCellFormat(const CellFormatChoice& change) {
    if (change.decimals && (*change.decimals < 0 || *change.decimals > MaxDecimals))
        return Message(msg::DecimalsOutOfRange, static_cast<std::int64_t>(MaxDecimals));
    if (change.sizeStep && (*change.sizeStep < 1 || *change.sizeStep > 7)) return Message(msg::FontSizeOutOfRange);
    for (const auto& size : {change.width, change.height})
        if (size && (*size < 1 || *size > MaxCellPixels))
            return Message(msg::CellSizeOutOfRange, static_cast<std::int64_t>(MaxCellPixels));
    return {};
}

Result<bool> CellFormatCommand(ReportTable& table, const TableSelection& selection, const CellFormatChoice& change) {
    if (Status s = CheckCellFormat(change); !s) return s.error();
    if (change == CellFormatChoice{}) return false;
    const std::vector<CellKey> cells = formattedCells(table, selection);
    if (cells.empty()) return false;
    // Widths live in the columns' first cells and heights in the rows' first
    // cells: their images go into the same record.
    std::set<CellKey> touched(cells.begin(), cells.end());
    std::set<int> columns, rows;
    for (const CellKey& k : cells) {
        columns.insert(k.column);
        rows.insert(k.row);
    }
    if (change.width)
        for (int c : columns) touched.insert({c, 0});
    if (change.height)
        for (int r : rows) touched.insert({0, r});
    RecordCellsForUndo(table, UndoKind::CellFormat, std::vector<CellKey>(touched.begin(), touched.end()));

    for (const CellKey& k : cells) {
        TableCell& cell = table.cell(k);
        if (change.face) cell.fontFace = *change.face;
        if (change.sizeStep) cell.font = (cell.font & ~0xFFFFu) | static_cast<std::uint32_t>(*change.sizeStep);
        if (change.bold) cell.font = *change.bold ? cell.font | cellfont::Bold : cell.font & ~cellfont::Bold;
        if (change.italic) cell.font = *change.italic ? cell.font | cellfont::Italic : cell.font & ~cellfont::Italic;
        if (change.background) cell.background = *change.background;
        if (change.textColour) cell.textColour = *change.textColour;
        if (change.horizontal) cell.alignment = (cell.alignment & ~0xFFu) | (*change.horizontal & 0xFF);
        if (change.vertical) cell.alignment = (cell.alignment & ~0xFF0000u) | ((*change.vertical & 0xFF) << 16);
        auto format = static_cast<std::uint32_t>(cell.numberFormat);
        if (change.engineering) format = *change.engineering ? format | numfmt::Engineering : format & ~numfmt::Engineering;
        if (change.decimals) format = (format & ~numfmt::DecimalsMask) | static_cast<std::uint32_t>(*change.decimals);
        cell.numberFormat = static_cast<std::int32_t>(format);
    }
    if (change.width)
        for (int c : columns) table.cell(c, 0).width = *change.width;
    if (change.height)
        for (int r : rows) table.cell(0, r).height = *change.height;
    table.SetModified();
    // Number formats change what formulas show.
    if (change.engineering || change.decimals) table.RequestRecalculation();
    return true;
}

}  // namespace phonotab
