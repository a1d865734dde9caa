// The project as the table commands and cell hints see it: its data sources
// (reference name, file, type, work mode, percentiles, parameter names) and
// the reference books with their entry texts.
#pragma once

#include <vector>

#include "core/measurement/TeleDesc.h"
#include "core/project/ProjectState.h"
#include "core/project/ReferenceBooks.h"
#include "core/tables/CellHint.h"
#include "core/tables/ProjectSourceList.h"

namespace phonotab {

class ProjectTableSources final : public ProjectSourceList {
public:
    // desc may be null: parameters are then named by their code.
    ProjectTableSources(const std::vector<ProjectFileEntry>& files, const TeleDesc* desc)
        : files_(files), desc_(desc) {}

    std::optional<std::string> sourceFilePath(std::string_view referenceName) const override;
    std::optional<std::int32_t> sourceFileType(std::string_view referenceName) const override;
    std::vector<std::string> sourceNames() const override;
    std::optional<std::int32_t> sourceWorkMode(std::string_view referenceName) const override;
    std::string parameterDescription(std::string_view referenceName, std::int32_t parameterCode) const override;
    std::optional<double> sourcePercentile(std::string_view referenceName, int k) const override;

private:
    const ProjectFileEntry* find(std::string_view referenceName) const;
    const std::vector<ProjectFileEntry>& files_;
    const TeleDesc* desc_;
};

class ProjectBookEntries final : public ReferenceBookEntries {
public:
    explicit ProjectBookEntries(const ReferenceBooks& books) : books_(books) {}
    std::optional<double> referenceValue(std::string_view book, long long index) const override {
        return books_.referenceValue(book, index);
    }
    std::optional<std::string> referenceText(std::string_view book, long long index) const override;

private:
    const ReferenceBooks& books_;
};

}  // namespace phonotab
