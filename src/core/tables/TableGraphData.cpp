#include "core/tables/TableGraphData.h"

#include <algorithm>
#include <cctype>

#include "core/base/MessageIds.h"
#include "core/tables/formula/CellNumberFormat.h"

namespace phonotab {

namespace {

std::string_view trimmedOfSpace(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// "B12", "$B$12", "aa3": one or two letters, then a row number from 1.
std::optional<CellKey> parseCell(std::string_view s) {
    s = trimmedOfSpace(s);
    std::size_t i = 0;
    if (i < s.size() && s[i] == '$') ++i;
    int column = -1, letters = 0;
    while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i]))) {
        column = (column + 1) * 26 + (std::toupper(static_cast<unsigned char>(s[i])) - 'A');
        ++i;
        if (++letters > 2) return std::nullopt;
    }
    if (letters == 0) return std::nullopt;
    if (i < s.size() && s[i] == '$') ++i;
    int row = 0, digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        row = row * 10 + (s[i] - '0');
        ++i;
        if (++digits > 4) return std::nullopt;
    }
    if (digits == 0 || row < 1 || i != s.size()) return std::nullopt;
    return CellKey{column, row - 1};
}

std::vector<CellKey> cellsOf(const CellRect& r) {
    std::vector<CellKey> out;
    for (int row = r.top; row < r.bottom; ++row)
        for (int c = r.left; c < r.right; ++c) out.push_back({c, row});
    return out;
}

}  // namespace

std::optional<CellRect> ParseCellRange(const ReportTable& table, std::string_view text) {
    const std::size_t colon = text.find(':');
    const auto first = parseCell(text.substr(0, colon));
    const auto last = colon == std::string_view::npos ? first : parseCell(text.substr(colon + 1));
    if (!first || !last || !table.inside(*first) || !table.inside(*last)) return std::nullopt;
    return CellRect{std::min(first->column, last->column), std::min(first->row, last->row),
                    std::max(first->column, last->column) + 1, std::max(first->row, last->row) + 1};
}

Result<TableGraphChart> ReadTableGraph(const ReportTable& table, const DisplayTexts& shown) {
    const TableGraphSettings& g = table.graph;
    TableGraphChart chart;
    chart.xCaption = g.xCaption;
    chart.yCaption = g.yCaption;
    chart.logarithmic = (g.axisFlags & 3) == TableGraphSettings::LogarithmicY;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < g.series.size(); ++i) {
        const GraphSeriesSettings& s = g.series[i];
        if (trimmedOfSpace(s.cellRange).empty()) continue;
        const auto number = static_cast<std::int64_t>(i + 1);
        const auto range = ParseCellRange(table, s.cellRange);
        if (!range) return Message(msg::GraphSeriesError, number);
        TableGraphSeries series;
        series.number = static_cast<int>(number);
        series.fillColour = static_cast<std::uint32_t>(s.fillColour);
        series.lineColour = static_cast<std::uint32_t>(s.lineColour);
        const bool column = range->right - range->left == 1;
        const CellKey heading = column ? CellKey{range->left, range->top - 1} : CellKey{range->left - 1, range->top};
        if (heading.column >= 0 && heading.row >= 0) {
            const std::string text(trimmedOfSpace(shown.at(heading)));
            if (!text.empty() && !ParseCellNumber(text)) series.name = text;
        }
        for (const CellKey& k : cellsOf(*range)) {
            const auto value = ParseCellNumber(shown.at(k));
            if (!value) return Message(msg::GraphCellError, number);
            series.values.push_back(*value);
        }
        longest = std::max(longest, series.values.size());
        chart.series.push_back(std::move(series));
    }
    if (!trimmedOfSpace(g.xMarkingRange).empty()) {
        const auto range = ParseCellRange(table, g.xMarkingRange);
        if (!range) return Message(msg::GraphAxisError);
        for (const CellKey& k : cellsOf(*range)) chart.labels.push_back(shown.at(k));
    }
    while (chart.labels.size() < longest) chart.labels.push_back(std::to_string(chart.labels.size() + 1));
    return chart;
}

}  // namespace phonotab
