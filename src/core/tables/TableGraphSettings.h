// The graph bound to a report table: four series, axis marking and captions.
// The table only stores these; the table window draws them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace phonotab {

struct GraphSeriesSettings {
    std::int32_t fillColour = 0;  // 0x00BBGGRR
    std::int32_t lineColour = 0;
    double lineWidth = 1.0;
    std::int32_t graphType = 0;   // index of the type choice
    std::string cellRange;        // "first cell:last cell"; empty: the series is not drawn

    friend bool operator==(const GraphSeriesSettings&, const GraphSeriesSettings&) = default;
};

struct TableGraphSettings {
    std::array<GraphSeriesSettings, 4> series;
    std::string xMarkingRange;  // cell range of the X-axis labels
    std::string xCaption;
    std::string yCaption;
    std::int32_t optionWord = 0;  // carried through files unchanged
    std::int32_t axisFlags = 0;   // bits 0-1 Y-axis marking (0 linear, 1 logarithmic), bit 2 manual min and max
    double manualMinimum = 0.0;
    double manualMaximum = 0.0;

    static constexpr std::int32_t LogarithmicY = 1;
    static constexpr std::int32_t ManualRange = 4;

    // Whether the table has a graph at all: a series with a cell range.
    bool hasSeries() const {
        for (const GraphSeriesSettings& s : series)
            if (!s.cellRange.empty()) return true;
        return false;
    }

    friend bool operator==(const TableGraphSettings&, const TableGraphSettings&) = default;
};

}  // namespace phonotab
