// What the table commands that bind cells to project data, and the hints of
// bound cells, need to know about the project's data sources, beyond what
// drawing needs. The project implements it (project/ProjectTableSources.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/DataSourceDirectory.h"

namespace phonotab {

class ProjectSourceList : public DataSourceDirectory {
public:
    // Reference names of the project's data sources in the project's order.
    virtual std::vector<std::string> sourceNames() const = 0;
    // Work mode of a source (0 samples, 1 histograms, 2 records).
    virtual std::optional<std::int32_t> sourceWorkMode(std::string_view referenceName) const = 0;
    // Description of a parameter code of the source's file type, as the
    // parameter chooser names it.
    virtual std::string parameterDescription(std::string_view referenceName, std::int32_t parameterCode) const = 0;
    // The k-th (0-based) percentile of the source's percentile list, in percent.
    virtual std::optional<double> sourcePercentile(std::string_view referenceName, int k) const = 0;
};

}  // namespace phonotab
