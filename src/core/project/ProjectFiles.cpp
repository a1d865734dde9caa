#include "core/project/ProjectFiles.h"

#include <algorithm>
#include <filesystem>

#include "core/base/MappedFile.h"
#include "core/measurement/FileProbe.h"
#include "core/measurement/MeasurementFile.h"
#include "core/project/ProjectPaths.h"

namespace phonotab {

namespace {

bool validIndex(const ProjectState& s, int i) { return i >= 0 && static_cast<std::size_t>(i) < s.files.size(); }
}  // namespace

int currentEntryIndex(const ProjectState& state) {
    const ProjectFileEntry& c = state.currentFile;
    for (std::size_t i = 0; i < state.files.size(); ++i) {
        const ProjectFileEntry& e = state.files[i];
        if (e.path == c.path && e.workMode == c.workMode && e.fileType == c.fileType && e.referenceName == c.referenceName)
            return static_cast<int>(i);
    }
    return -1;
}

void copyCurrentSettingsBack(ProjectState& state) {
    const ProjectFileEntry& c = state.currentFile;
    if (const int index = currentEntryIndex(state); index >= 0) {
        ProjectFileEntry& e = state.files[static_cast<std::size_t>(index)];
        e.selections = c.selections;
        e.rangeFirst = c.rangeFirst;
        e.rangeCount = c.rangeCount;
        e.viewRow = 0;
        e.recordInterval = c.recordInterval;
        e.scanInterval = c.scanInterval;
        e.scanStep = c.scanStep;
        e.ranges = c.ranges;
        e.histogramLow = c.histogramLow;
        e.histogramStep = c.histogramStep;
        e.histogramExcludeEdges = c.histogramExcludeEdges;
        e.histogramClasses = c.histogramClasses;
        e.percentiles = c.percentiles;
        e.scanning = c.scanning;
    }
}

void clearProject(ProjectState& state, ClearForm form) {
    copyCurrentSettingsBack(state);
    state.currentFile.fileType = 0;
    if (form == ClearForm::Full) {
        state.windows.clear();
        state.tables.clear();
        for (auto& ill : state.illustrations) ill.table.reset();
    }
}

bool referenceNameFree(const ProjectState& state, const std::string& name, int except) {
    if (name.empty()) return false;
    for (std::size_t i = 0; i < state.files.size(); ++i)
        if (static_cast<int>(i) != except && state.files[i].referenceName == name) return false;
    return true;
}

Status addFiles(ProjectState& state, const AddFilesRequest& r, const TeleDesc& desc) {
    const bool several = r.paths.size() > 1;
    if (several) {
        if (!r.name.empty() && !referenceNameFree(state, r.name)) return Message(msg::NameTaken);
    } else if (!referenceNameFree(state, r.name)) {
        return Message(msg::NameTaken);
    }
    int histogramAnswer = -1;  // asked once for all the files added together
    for (const std::string& path : r.paths) {
        const std::string stored = MakeRelativeToWorkingFolder(toStoredPath(path), r.workingFolder);
        MappedFile f;
        if (!f.open(path)) return Message(msg::CannotOpen, stored);
        const FileProbe probe = ProbeFileType(f.bytes());
        ProjectFileEntry e;
        e.path = stored;
        e.fileType = probe.typeCode;
        e.instrumentCode = probe.instrumentCode;
        if (probe.isMonitoring() || hasMntExtension(path)) {
            if (histogramAnswer < 0) histogramAnswer = r.askHistogramMode && r.askHistogramMode() ? 1 : 0;
            e.workMode = histogramAnswer == 1 ? FileWorkMode::Histograms : FileWorkMode::Samples;
        } else {
            if (desc.instrumentName(probe.instrumentCode).empty()) return Message(msg::UnknownFileType);
            e.workMode = FileWorkMode::Records;
        }
        const ProjectFileEntry& c = state.currentFile;
        e.histogramLow = c.histogramLow;
        e.histogramStep = c.histogramStep;
        e.histogramExcludeEdges = c.histogramExcludeEdges;
        e.histogramClasses = c.histogramClasses;
        e.percentiles = c.percentiles;
        e.scanInterval = c.scanInterval;
        e.scanStep = c.scanStep;
        if (several) {
            std::string name = r.name.empty() ? std::string() : r.name + "_";
            name += std::filesystem::path(path).filename().string();
            while (!referenceNameFree(state, name)) name += "1";
            e.referenceName = name;
        } else {
            e.referenceName = r.name;
        }
        state.files.push_back(std::move(e));
    }
    return {};
}

Status substituteFiles(ProjectState& state, const std::vector<int>& selected, const std::vector<std::string>& paths,
                       const std::string& workingFolder) {
    if (selected.size() != paths.size()) return Message(msg::CountDiffers);
    for (std::size_t k = 0; k < paths.size(); ++k) {
        if (!validIndex(state, selected[k])) continue;
        ProjectFileEntry& e = state.files[static_cast<std::size_t>(selected[k])];
        const std::string stored = MakeRelativeToWorkingFolder(toStoredPath(paths[k]), workingFolder);
        MappedFile f;
        if (!f.open(paths[k])) return Message(msg::CannotOpen, stored);
        const FileProbe probe = ProbeFileType(f.bytes());
        if (!sameTypeFamily(probe.typeCode, static_cast<std::uint16_t>(e.fileType))) return Message(msg::OtherFileType);
        const bool wasCurrent = static_cast<int>(selected[k]) == state.currentIndex;
        e.path = stored;
        if (wasCurrent) state.currentFile.path = stored;
    }
    return {};
}

Status copyEntry(ProjectState& state, int index, const std::string& name) {
    if (!validIndex(state, index)) return {};
    if (!referenceNameFree(state, name)) return Message(msg::NameTaken);
    ProjectFileEntry copy = state.files[static_cast<std::size_t>(index)];
    copy.referenceName = name;
    state.files.push_back(std::move(copy));
    return {};
}

Status renameEntry(ProjectState& state, int index, const std::string& name) {
    if (!validIndex(state, index)) return {};
    if (!referenceNameFree(state, name, index)) return Message(msg::NameTaken);
    if (index == state.currentIndex) state.currentFile.referenceName = name;
    state.files[static_cast<std::size_t>(index)].referenceName = name;
    return {};
}

void removeEntries(ProjectState& state, std::vector<int> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    int current = state.currentIndex;
    for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
        const int i = *it;
        if (!validIndex(state, i)) continue;
        state.files.erase(state.files.begin() + i);
        if (current == i)
            current = -1;
        else if (current > i)
            --current;
    }
    state.currentIndex = current;
}

void moveEntry(ProjectState& state, int index, int direction) {
    const int other = index + (direction < 0 ? -1 : 1);
    if (!validIndex(state, index) || !validIndex(state, other)) return;
    std::swap(state.files[static_cast<std::size_t>(index)], state.files[static_cast<std::size_t>(other)]);
    if (state.currentIndex == index)
        state.currentIndex = other;
    else if (state.currentIndex == other)
        state.currentIndex = index;
}

Status giveCurrentSettings(ProjectState& state, const std::vector<int>& selected) {
    const ProjectFileEntry& c = state.currentFile;
    std::vector<int> order = selected;
    std::sort(order.begin(), order.end());
    for (int i : order) {
        if (!validIndex(state, i)) continue;
        ProjectFileEntry& e = state.files[static_cast<std::size_t>(i)];
        if (e.referenceName == c.referenceName) continue;
        if (e.fileType != c.fileType || e.workMode != c.workMode) return Message(msg::TypesOrModesDiffer);
        e.scanning = c.scanning;
        e.histogramLow = c.histogramLow;
        e.histogramStep = c.histogramStep;
        e.histogramExcludeEdges = c.histogramExcludeEdges;
        e.histogramClasses = c.histogramClasses;
        e.percentiles = c.percentiles;
        e.selections = c.selections;
        e.ranges = c.ranges;
        e.scanInterval = c.scanInterval;
        e.scanStep = c.scanStep;
    }
    return {};
}

}  // namespace phonotab
