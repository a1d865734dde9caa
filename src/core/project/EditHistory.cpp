#include "core/project/EditHistory.h"

#include <utility>

namespace phonotab {

namespace {

std::vector<ParameterEntry> withoutSeries(const std::vector<ParameterEntry>& entries) {
    std::vector<ParameterEntry> out;
    out.reserve(entries.size());
    for (const ParameterEntry& e : entries) {
        ParameterEntry copy;
        copy.code = e.code;
        copy.flags = e.flags;
        copy.colour = e.colour;
        copy.displayName = e.displayName;
        copy.subEntries = withoutSeries(e.subEntries);
        copy.first = e.first;
        copy.second = e.second;
        out.push_back(std::move(copy));
    }
    return out;
}

// Gives each entry of `into` the series of the first unused entry of the
// same parameter in `from`.
void moveSeries(std::vector<ParameterEntry>& from, std::vector<ParameterEntry>& into) {
    std::vector<bool> used(from.size(), false);
    for (ParameterEntry& e : into) {
        for (std::size_t i = 0; i < from.size(); ++i) {
            if (used[i] || from[i].code != e.code) continue;
            used[i] = true;
            e.data = std::move(from[i].data);
            e.data2 = std::move(from[i].data2);
            e.loaded = from[i].loaded;
            moveSeries(from[i].subEntries, e.subEntries);
            break;
        }
    }
}

}  // namespace

EditHistory::Step EditHistory::capture(const CalcFile& file, DocumentNotice notice) {
    return Step{file.settings, file.ranges, withoutSeries(file.entries), notice};
}

void EditHistory::restore(CalcFile& file, Step&& step) {
    file.settings = std::move(step.settings);
    file.ranges = std::move(step.ranges);
    moveSeries(file.entries, step.entries);
    file.entries = std::move(step.entries);
}

void EditHistory::record(const CalcFile& file, DocumentNotice notice) {
    undo_.push_back(capture(file, notice));
    if (undo_.size() > Depth) undo_.pop_front();
    redo_.clear();
}

void EditHistory::dropLast() {
    if (!undo_.empty()) undo_.pop_back();
}

std::optional<DocumentNotice> EditHistory::step(std::deque<Step>& from, std::deque<Step>& to, CalcFile& file) {
    if (from.empty()) return std::nullopt;
    Step step = std::move(from.back());
    from.pop_back();
    const DocumentNotice notice = step.notice;
    to.push_back(capture(file, notice));
    restore(file, std::move(step));
    return notice;
}

std::optional<DocumentNotice> EditHistory::undo(CalcFile& file) { return step(undo_, redo_, file); }

std::optional<DocumentNotice> EditHistory::redo(CalcFile& file) { return step(redo_, undo_, file); }

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace phonotab
