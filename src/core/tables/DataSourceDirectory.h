// What a table needs to know about the data sources of the open project: bound
// cells show a source's file name, and bindings of old table files are converted
// with the source's file type. The project implements it; without a project
// there are no sources.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace phonotab {

class DataSourceDirectory {
public:
    virtual ~DataSourceDirectory() = default;
    // Path of the data file of the source with this reference name.
    virtual std::optional<std::string> sourceFilePath(std::string_view referenceName) const = 0;
    // File-type code of that source.
    virtual std::optional<std::int32_t> sourceFileType(std::string_view referenceName) const = 0;
};

}  // namespace phonotab
