// The project file (".pht"): reading every version from 15 to 23 and writing
// version 23.
#pragma once

#include <string>
#include <vector>

#include "core/base/Bytes.h"
#include "core/base/Result.h"
#include "core/project/ProjectState.h"
#include "core/tables/DataSourceDirectory.h"

namespace phonotab {

// Reads a project into a fresh state; the caller's open project is replaced
// only when the whole file was read. `previous` supplies the values of the
// fields an older version does not carry (calculation options, current index,
// report texts, illustrations). Messages: 5311 a version below 15, 5310 a file
// damaged or cut short (with its path).
Result<ProjectState> ReadProject(ByteSpan bytes, const ProjectState& previous, const std::string& path = {});
Result<ProjectState> LoadProject(const std::string& path, const ProjectState& previous);

// The bytes of version 23. Tables are embedded in the table-file format under
// their own names.
std::vector<std::uint8_t> WriteProject(const ProjectState& state);
// Writes through a temporary file beside the target and a rename: a failed save
// leaves the previous file intact (5003).
Status SaveProject(const ProjectState& state, const std::string& path);

// The project's data sources (reference name → file type) for converting old
// table bindings.
class ProjectSources : public DataSourceDirectory {
public:
    explicit ProjectSources(const std::vector<ProjectFileEntry>& files) : files_(files) {}
    std::optional<std::string> sourceFilePath(std::string_view referenceName) const override;
    std::optional<std::int32_t> sourceFileType(std::string_view referenceName) const override;

private:
    const std::vector<ProjectFileEntry>& files_;
};

}  // namespace phonotab
