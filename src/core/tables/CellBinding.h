// The binding of a table cell to a result of a project data source, as the table
// file stores it. The project fills the value when it recalculates.
#pragma once

#include <cstdint>
#include <string>

namespace phonotab {

struct CellBinding {
    std::string sourceName;           // reference name of a project data source
    std::int32_t parameterCode = 0;   // which computed parameter of the source
    std::int32_t itemIndex = 0;       // -1 the source's file name, 0 min, 1 max, 2 Leq, 3 Leq time, 4+k k-th percentile
    double value = -1.0;              // last computed value; negative: no value yet

    // Item indices.
    static constexpr std::int32_t SourceName = -1;
    static constexpr std::int32_t Minimum = 0;
    static constexpr std::int32_t Maximum = 1;
    static constexpr std::int32_t Leq = 2;
    static constexpr std::int32_t LeqTime = 3;
    static constexpr std::int32_t FirstPercentile = 4;

    friend bool operator==(const CellBinding&, const CellBinding&) = default;
};

}  // namespace phonotab
