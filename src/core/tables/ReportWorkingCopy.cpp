#include "core/tables/ReportWorkingCopy.h"

#include <string>

namespace phonotab {

namespace {

constexpr std::uint32_t kReportBits = cellflag::RowExcluded | cellflag::ColumnExcluded;

using TextGrid = std::vector<std::vector<std::string>>;  // display texts beside a CellGrid

// `next` continues the removed cell's merged block along the removed axis
// (bit `continues`): it becomes the removed cell, text included, but keeps its
// own size on the other axis, its own bit `keeps` and its own report bits.
// Otherwise it only takes the removed cell's size along the removed axis.
void takeOver(const TableCell& removed, const std::string& removedText, TableCell& next, std::string& nextText,
              std::uint32_t continues, std::uint32_t keeps, bool removingRow) {
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
    nextText = removedText;
}

}  // namespace

ReportGrid ReportWorkingCopy(const ReportTable& table, const DisplayTexts& shown) {
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
    TextGrid texts(static_cast<std::size_t>(rows), std::vector<std::string>(static_cast<std::size_t>(columns)));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = shown.at(c, r);

    for (int r = 0; r + 1 < rows; ++r) {
        if (rowKept[static_cast<std::size_t>(r)]) continue;
        auto& removed = grid[static_cast<std::size_t>(r)];
        auto& next = grid[static_cast<std::size_t>(r) + 1];
        auto& removedTexts = texts[static_cast<std::size_t>(r)];
        auto& nextTexts = texts[static_cast<std::size_t>(r) + 1];
        for (std::size_t c = 0; c < removed.size(); ++c)
            takeOver(removed[c], removedTexts[c], next[c], nextTexts[c], cellflag::CoveredFromAbove,
                     cellflag::CoveredFromLeft, true);
    }
    CellGrid out;
    TextGrid outTexts;
    out.reserve(grid.size());
    outTexts.reserve(grid.size());
    for (int r = 0; r < rows; ++r) {
        if (!rowKept[static_cast<std::size_t>(r)]) continue;
        std::vector<TableCell>& row = grid[static_cast<std::size_t>(r)];
        std::vector<std::string>& rowTexts = texts[static_cast<std::size_t>(r)];
        for (int c = 0; c + 1 < columns; ++c) {
            const auto i = static_cast<std::size_t>(c);
            if (!columnKept[i])
                takeOver(row[i], rowTexts[i], row[i + 1], rowTexts[i + 1], cellflag::CoveredFromLeft,
                         cellflag::CoveredFromAbove, false);
        }
        std::vector<TableCell> kept;
        std::vector<std::string> keptTexts;
        kept.reserve(row.size());
        keptTexts.reserve(row.size());
        for (int c = 0; c < columns; ++c) {
            const auto i = static_cast<std::size_t>(c);
            if (!columnKept[i]) continue;
            kept.push_back(std::move(row[i]));
            keptTexts.push_back(std::move(rowTexts[i]));
        }
        out.push_back(std::move(kept));
        outTexts.push_back(std::move(keptTexts));
    }

    ReportGrid report;
    report.texts = DisplayTexts(static_cast<int>(out.size()), static_cast<int>(out[0].size()));
    for (std::size_t r = 0; r < outTexts.size(); ++r)
        for (std::size_t c = 0; c < outTexts[r].size(); ++c)
            report.texts.set(CellKey{static_cast<int>(c), static_cast<int>(r)}, std::move(outTexts[r][c]));
    report.cells = std::move(out);
    return report;
}

}  // namespace phonotab
