#include "tables/ReportWorkingCopy.h"

namespace phonotab {

namespace {

constexpr std::uint32_t kReportBits = cellflag::RowExcluded | cellflag::ColumnExcluded;

// `next` continues the removed cell's merged block along the removed axis
// (bit `continues`): it becomes the removed cell but keeps its own size on the
// other axis, its own bit `keeps` and its own report bits. Otherwise it only
// takes the removed cell's size along the removed axis.
void takeOver(const TableCell& removed, TableCell& next, std::uint32_t continues, std::uint32_t keeps,
              bool removingRow) {
    if ((next.flags & continues) == 0) {
        if (removingRow)
            next.width = removed.width;
        else
            next.height = removed.height;
        return;
    }
    TableCell merged = removed;
    if (removingRow)
        merged.height = next.height;
    else
        merged.width = next.width;
    merged.flags = (removed.flags & ~kReportBits) | (next.flags & (keeps | kReportBits));
    next = std::move(merged);
}

}  // namespace

CellGrid ReportWorkingCopy(const ReportTable& table) {
    const int rows = table.rowCount();
    const int columns = table.columnCount();
    std::vector<bool> rowKept(static_cast<std::size_t>(rows));
    std::vector<bool> columnKept(static_cast<std::size_t>(columns));
    bool anyRow = false, anyColumn = false;
    for (int r = 0; r < rows; ++r) {
        rowKept[static_cast<std::size_t>(r)] = table.rowInReport(r);
        anyRow = anyRow || table.rowInReport(r);
    }
    for (int c = 0; c < columns; ++c) {
        columnKept[static_cast<std::size_t>(c)] = table.columnInReport(c);
        anyColumn = anyColumn || table.columnInReport(c);
    }
    if (!anyRow || !anyColumn) return {};

    CellGrid grid = table.grid();
    for (int r = 0; r + 1 < rows; ++r) {
        if (rowKept[static_cast<std::size_t>(r)]) continue;
        auto& removed = grid[static_cast<std::size_t>(r)];
        auto& next = grid[static_cast<std::size_t>(r) + 1];
        for (std::size_t c = 0; c < removed.size(); ++c)
            takeOver(removed[c], next[c], cellflag::CoveredFromAbove, cellflag::CoveredFromLeft, true);
    }
    CellGrid out;
    out.reserve(grid.size());
    for (int r = 0; r < rows; ++r) {
        if (!rowKept[static_cast<std::size_t>(r)]) continue;
        std::vector<TableCell>& row = grid[static_cast<std::size_t>(r)];
        for (int c = 0; c + 1 < columns; ++c)
            if (!columnKept[static_cast<std::size_t>(c)])
                takeOver(row[static_cast<std::size_t>(c)], row[static_cast<std::size_t>(c) + 1],
                         cellflag::CoveredFromLeft, cellflag::CoveredFromAbove, false);
        std::vector<TableCell> kept;
        kept.reserve(row.size());
        for (int c = 0; c < columns; ++c)
            if (columnKept[static_cast<std::size_t>(c)]) kept.push_back(std::move(row[static_cast<std::size_t>(c)]));
        out.push_back(std::move(kept));
    }
    return out;
}

}  // namespace phonotab
