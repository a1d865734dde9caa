#include "core/acoustics/ParameterTable.h"

#include "core/base/CFormat.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab {

std::string parameterColumnTitle(int column) {
    switch (column) {
        case kSourceColumn: return tr(text::SourceColumn);
        case kPlotColumn: return tr(text::Plot);
        case kMinColumn: return "Min";
        case kMaxColumn: return "Max";
        case kLeqColumn: return "Leq";
        case kPercentileColumn: return "%";
        case kHistogramColumn: return "Histo";
        case kUncorrectedColumn: return tr(text::UncorrectedColumn);
        default: return {};
    }
}

bool* columnFlag(ParameterEntry& e, int column) {
    StatisticFlags& f = e.flags;
    switch (column) {
        case kPlotColumn: return &f.plot;
        case kMinColumn: return &f.minimum;
        case kMaxColumn: return &f.maximum;
        case kLeqColumn: return &f.leq;
        case kPercentileColumn: return &f.percentiles;
        case kHistogramColumn: return &f.histogram;
        case kUncorrectedColumn: return &f.uncorrected;
        default: return nullptr;
    }
}

bool columnFlag(const ParameterEntry& e, int column) {
    bool* f = columnFlag(const_cast<ParameterEntry&>(e), column);
    return f && *f;
}

std::string entryDisplayName(const ParameterEntry& e, const NamingContext& naming) {
    if (!e.displayName.empty()) return e.displayName;
    if (!naming.layout) return cformat("0x%08X", e.code);
    return ParameterName(e.code, naming).name;
}

bool toggleParameterFlag(std::vector<ParameterEntry>& entries, std::size_t row, int column, bool histogramMode) {
    if (row >= entries.size()) return false;
    ParameterEntry& e = entries[row];
    bool* flag = columnFlag(e, column);
    if (!flag) return false;
    const ParameterKind kind = parameterKind(e.code);
    if (histogramMode && kind == ParameterKind::SynthesizedLeq && column != kPlotColumn) return false;
    if (column == kPlotColumn) {
        if (!e.subEntries.empty()) {
            const bool changed = e.flags.plot;
            e.flags.plot = false;
            return changed;
        }
        e.flags.plot = !e.flags.plot;
        if (histogramMode && kind == ParameterKind::StoredHistogram && e.flags.plot)
            for (std::size_t i = 0; i < entries.size(); ++i)
                if (i != row && parameterKind(entries[i].code) == ParameterKind::StoredHistogram)
                    entries[i].flags.plot = false;
        return true;
    }
    *flag = !*flag;
    return true;
}

std::string parameterTooltip(const ParameterEntry& e, int column, const NamingContext& naming) {
    auto values = [](std::string out, const std::vector<double>& v) {
        for (double x : v) cformatAppend(out, " %.2lf", x);
        return out;
    };
    switch (column) {
        case kSourceColumn: return naming.layout ? ParameterName(e.code, naming).name : entryDisplayName(e, naming);
        case kMinColumn: return values("Min:", e.first.minima);
        case kMaxColumn: return values("Max:", e.first.maxima);
        case kLeqColumn: return values("LEq:", e.first.leqs);
        case kPercentileColumn: {
            std::string out = "Percentiles:";
            for (const auto& list : e.first.percentiles) {
                if (list.empty()) continue;
                cformatAppend(out, " {%.2lf", list.front());
                for (std::size_t i = 1; i < list.size(); ++i) cformatAppend(out, " %.2lf", list[i]);
                out += "}";
            }
            return out;
        }
        default: return parameterColumnTitle(column);
    }
}

}  // namespace phonotab
