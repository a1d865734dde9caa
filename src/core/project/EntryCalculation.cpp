#include "core/project/EntryCalculation.h"

namespace phonotab {

namespace {

ParameterEntry entryFrom(const ParameterSelection& s) {
    ParameterEntry e;
    e.code = s.parameterId;
    e.flags.plot = s.flags.plot;
    e.flags.minimum = s.flags.minimum;
    e.flags.maximum = s.flags.maximum;
    e.flags.leq = s.flags.leq;
    e.flags.percentiles = s.flags.percentiles;
    e.flags.histogram = s.flags.histogram;
    e.flags.uncorrected = s.flags.uncorrected;
    e.colour = s.colour;
    e.displayName = s.caption;
    return e;
}

ParameterSelection selectionFrom(const ParameterEntry& e) {
    ParameterSelection s;
    s.parameterId = e.code;
    const StatisticFlags& f = e.flags;
    s.flags = {f.plot, f.minimum, f.maximum, f.leq, f.percentiles, f.histogram, f.uncorrected};
    s.colour = e.colour;
    s.caption = e.displayName;
    return s;
}

}  // namespace

std::vector<ParameterEntry> entriesFromSelections(const std::vector<ParameterSelection>& selections) {
    std::vector<ParameterEntry> out;
    for (const auto& s : selections) {
        ParameterEntry e = entryFrom(s);
        for (const auto& sub : s.subSelections) e.subEntries.push_back(entryFrom(sub));
        out.push_back(std::move(e));
    }
    return out;
}

std::vector<ParameterSelection> selectionsFromEntries(const std::vector<ParameterEntry>& entries) {
    std::vector<ParameterSelection> out;
    for (const auto& e : entries) {
        ParameterSelection s = selectionFrom(e);
        for (const auto& sub : e.subEntries) s.subSelections.push_back(selectionFrom(sub));
        out.push_back(std::move(s));
    }
    return out;
}

Result<CalcFile> openEntry(const ProjectFileEntry& entry, const std::string& localPath, const TeleDesc& desc,
                           bool includeExclusionsUncorrected, const Progress& progress) {
    const FileWorkMode mode = isKnownWorkMode(entry.workMode) ? entry.workMode : FileWorkMode::Records;
    Result<MeasurementFile> file = LoadMeasurementFile(localPath, mode, desc, progress);
    if (!file) return file.error();
    CalcFile cf = openForCalculation(std::move(*file));
    CalcSettings& s = cf.settings;
    if (!entry.ranges.empty()) cf.ranges = RangeSet::fromStored(entry.ranges);
    if (entry.rangeCount > 0) {
        s.firstSample = entry.rangeFirst;
        s.sampleCount = entry.rangeCount;
        normalizeWorkRange(s, cf.ranges, true);
    }
    s.scanning = entry.scanning;
    s.scanInterval = entry.scanInterval;
    s.scanStep = entry.scanStep;
    s.histogram.lower = entry.histogramLow;
    s.histogram.width = entry.histogramStep;
    s.histogram.classes = entry.histogramClasses;
    s.histogram.excludeEdges = entry.histogramExcludeEdges;
    s.histogram.percentiles = entry.percentiles;
    s.includeExclusionsUncorrected = includeExclusionsUncorrected;
    cf.entries = entriesFromSelections(entry.selections);
    return cf;
}

void storeSettings(const CalcFile& cf, ProjectFileEntry& entry) {
    const CalcSettings& s = cf.settings;
    entry.selections = selectionsFromEntries(cf.entries);
    entry.rangeFirst = static_cast<std::int32_t>(s.firstSample);
    entry.rangeCount = static_cast<std::int32_t>(s.sampleCount);
    entry.recordInterval = s.samplePeriod;
    entry.scanning = s.scanning;
    entry.scanInterval = s.scanInterval;
    entry.scanStep = s.scanStep;
    entry.histogramLow = s.histogram.lower;
    entry.histogramStep = s.histogram.width;
    entry.histogramClasses = s.histogram.classes;
    entry.histogramExcludeEdges = s.histogram.excludeEdges;
    entry.percentiles = s.histogram.percentiles;
    entry.ranges = cf.ranges.all();
}

}  // namespace phonotab
