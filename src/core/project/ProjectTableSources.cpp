#include "core/project/ProjectTableSources.h"

#include <iterator>

#include "core/acoustics/ParameterName.h"
#include "core/base/CFormat.h"
#include "core/measurement/RecordLayout.h"

namespace phonotab {

const ProjectFileEntry* ProjectTableSources::find(std::string_view referenceName) const {
    for (const ProjectFileEntry& f : files_)
        if (f.referenceName == referenceName) return &f;
    return nullptr;
}

std::optional<std::string> ProjectTableSources::sourceFilePath(std::string_view referenceName) const {
    if (const ProjectFileEntry* f = find(referenceName)) return f->path;
    return std::nullopt;
}

std::optional<std::int32_t> ProjectTableSources::sourceFileType(std::string_view referenceName) const {
    if (const ProjectFileEntry* f = find(referenceName)) return f->fileType;
    return std::nullopt;
}

std::vector<std::string> ProjectTableSources::sourceNames() const {
    std::vector<std::string> names;
    names.reserve(files_.size());
    for (const ProjectFileEntry& f : files_) names.push_back(f.referenceName);
    return names;
}

std::optional<std::int32_t> ProjectTableSources::sourceWorkMode(std::string_view referenceName) const {
    if (const ProjectFileEntry* f = find(referenceName)) return static_cast<std::int32_t>(f->workMode);
    return std::nullopt;
}

std::string ProjectTableSources::parameterDescription(std::string_view referenceName,
                                                      std::int32_t parameterCode) const {
    const ProjectFileEntry* f = find(referenceName);
    const std::string byCode = cformat("0x%08X", static_cast<unsigned>(parameterCode));
    if (!f || !desc_) return byCode;
    Result<RecordLayout> layout = BuildLayout(*desc_, static_cast<std::uint32_t>(f->fileType));
    if (!layout) return byCode;
    const ParameterNames names = ParameterName(static_cast<FieldCode>(parameterCode), NamingContext{desc_, &*layout, nullptr});
    return names.fullName.empty() ? byCode : names.fullName;
}

std::optional<double> ProjectTableSources::sourcePercentile(std::string_view referenceName, int k) const {
    const ProjectFileEntry* f = find(referenceName);
    if (!f || k < 0 || static_cast<std::size_t>(k) >= f->percentiles.size()) return std::nullopt;
    return *std::next(f->percentiles.begin(), k);
}

std::optional<std::string> ProjectBookEntries::referenceText(std::string_view book, long long index) const {
    if (const ReferenceRecord* r = books_.record(book, index)) return r->description;
    return std::nullopt;
}

}  // namespace phonotab
