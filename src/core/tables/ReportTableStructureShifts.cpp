// The formula and macro texts of a report table after its rows and columns
// change: rewritten at each change, or, while a macro runs, all at once
// together with the undo records of the deletions that waited for them.
#include <algorithm>
#include <tuple>

#include "core/tables/ReportTable.h"
#include "core/tables/formula/ShiftReferences.h"

namespace phonotab {

namespace {

void shiftText(std::string& text, const StructureStep& s) {
    const CellRect filter = s.columns ? shiftRegionFrom(s.index, 0) : shiftRegionFrom(0, s.index);
    ShiftReferences(text, filter, s.columns ? s.delta : 0, s.columns ? 0 : s.delta, true, false);
}

// A deletion turns references to the deleted row or column into "?", and
// re-inserting it on undo cannot bring them back: whether a text is one that
// the deletion followed by a re-insertion does not give back unchanged.
bool deletionLoses(const std::string& text, const StructureStep& deletion) {
    std::string t = text;
    shiftText(t, deletion);
    shiftText(t, StructureStep{deletion.columns, deletion.index, 1});
    return t != text;
}

int& coordinate(CellKey& k, const StructureStep& s) { return s.columns ? k.column : k.row; }

// The cell of a map entry just before and just after a step; the entry was
// there before the step and stays after it.
CellKey keyBefore(CellKey k, const StructureStep& s) {
    int& c = coordinate(k, s);
    if (s.delta > 0 ? c > s.index : c >= s.index) c -= s.delta;
    return k;
}
CellKey keyAfter(CellKey k, const StructureStep& s) {
    int& c = coordinate(k, s);
    if (c > s.index || (s.delta > 0 && c == s.index)) c += s.delta;
    return k;
}

}  // namespace

void ReportTable::shiftAllReferences(Axis axis, int index, int delta) {
    const StructureStep step{axis == Axis::Columns, index, delta};
    if (deferShifts_) {
        if (pendingSteps_.empty()) {  // the counts before this step
            rowsBeforePending_ = rowCount() - (axis == Axis::Rows ? delta : 0);
            columnsBeforePending_ = columnCount() - (axis == Axis::Columns ? delta : 0);
        }
        pendingSteps_.push_back(step);
        return;
    }
    for (auto& [k, f] : formulas) shiftText(f.text, step);
    for (auto& [k, m] : macros) shiftText(m, step);
}

void ReportTable::keepDepartingTexts(Axis axis, int index) {
    if (!deferShifts_) return;
    const bool rows = axis == Axis::Rows;
    const std::size_t step = pendingSteps_.size();
    for (auto& [k, f] : formulas)
        if ((rows ? k.row : k.column) == index) departed_.push_back({step, k, false, std::move(f.text)});
    for (auto& [k, m] : macros)
        if ((rows ? k.row : k.column) == index) departed_.push_back({step, k, true, std::move(m)});
}

void ReportTable::recordDeletionUndo(bool rows, int index) {
    UndoRecord r{rows ? UndoKind::RowDeleted : UndoKind::ColumnDeleted, index, 0, {}, {}};
    const int across = rows ? columnCount() : rowCount();
    r.cells.reserve(static_cast<std::size_t>(across));
    for (int i = 0; i < across; ++i) r.cells.push_back(imageOf(rows ? CellKey{i, index} : CellKey{index, i}));
    if (deferShifts_) {
        // The images hold the texts of the last time the references were up
        // to date, and nothing is rewritten yet: both wait for the others.
        RecordUndo(std::move(r));
        deferredDeletionUndo_.push_back({undo_.numberOfLast(), pendingSteps_.size()});
        return;
    }
    const StructureStep deletion{!rows, index, -1};
    auto stays = [&](CellKey k) { return (rows ? k.row : k.column) != index; };
    for (const auto& [k, f] : formulas)
        if (stays(k) && deletionLoses(f.text, deletion)) r.rewritten.push_back({k, false, f.text});
    for (const auto& [k, m] : macros)
        if (stays(k) && deletionLoses(m, deletion)) r.rewritten.push_back({k, true, m});
    RecordUndo(std::move(r));
}

void ReportTable::bringReferencesUpToDate() {
    if (pendingSteps_.empty()) return;
    // The history keeps the last records only, so the deletion records still
    // in it are those of the last steps.
    std::size_t firstKept = pendingSteps_.size();
    for (const DeferredDeletionUndo& d : deferredDeletionUndo_) {
        if (undo_.numbered(d.record)) {
            firstKept = d.step;
            break;
        }
    }
    if (firstKept < pendingSteps_.size()) {
        completeDeferredDeletionUndo(firstKept);
    } else {
        std::vector<std::string*> all;
        all.reserve(formulas.size() + macros.size());
        for (auto& [k, f] : formulas) all.push_back(&f.text);
        for (auto& [k, m] : macros) all.push_back(&m);
        ReplayStructureSteps(all, rowsBeforePending_, columnsBeforePending_, pendingSteps_);
    }
    pendingSteps_.clear();
    departed_.clear();
    deferredDeletionUndo_.clear();
}

// The texts there are at the first step with a kept record (those of the maps
// and those that left later) are brought to that step in one pass, then
// rewritten step by step with their cells; each kept record takes the texts of
// its step.
void ReportTable::completeDeferredDeletionUndo(std::size_t firstStep) {
    struct LiveText {
        CellKey key;  // at the step being worked on
        bool isMacro = false;
        std::string* text = nullptr;
        std::size_t leaves = 0;  // the step that deletes its cell, or past the last
    };
    const std::size_t end = pendingSteps_.size();
    auto keyAtFirstStep = [&](CellKey k, std::size_t step) {
        while (step-- > firstStep) k = keyBefore(k, pendingSteps_[step]);
        return k;
    };
    std::vector<LiveText> live;
    live.reserve(formulas.size() + macros.size() + departed_.size());
    for (auto& [k, f] : formulas) live.push_back({keyAtFirstStep(k, end), false, &f.text, end});
    for (auto& [k, m] : macros) live.push_back({keyAtFirstStep(k, end), true, &m, end});
    for (DepartedText& d : departed_)
        if (d.step >= firstStep) live.push_back({keyAtFirstStep(d.key, d.step), d.isMacro, &d.text, d.step});
    // Formulas before macros, each in the order of their cells, as a deletion
    // lists the texts it rewrites; the steps keep that order.
    std::sort(live.begin(), live.end(),
              [](const LiveText& a, const LiveText& b) { return std::tie(a.isMacro, a.key) < std::tie(b.isMacro, b.key); });
    std::vector<std::string*> texts;
    texts.reserve(live.size());
    for (const LiveText& t : live) texts.push_back(t.text);
    const std::vector<StructureStep> before(pendingSteps_.begin(), pendingSteps_.begin() + static_cast<std::ptrdiff_t>(firstStep));
    ReplayStructureSteps(texts, rowsBeforePending_, columnsBeforePending_, before);

    auto deferred = deferredDeletionUndo_.begin();
    for (std::size_t s = firstStep; s < end; ++s) {
        const StructureStep& step = pendingSteps_[s];
        while (deferred != deferredDeletionUndo_.end() && deferred->step < s) ++deferred;
        UndoRecord* r = deferred != deferredDeletionUndo_.end() && deferred->step == s ? undo_.numbered(deferred->record)
                                                                                        : nullptr;
        if (r && (r->kind == UndoKind::RowDeleted || r->kind == UndoKind::ColumnDeleted)) {
            for (const LiveText& t : live) {
                if (t.leaves == s) {  // in the deleted row or column: its image
                    const int along = step.columns ? t.key.row : t.key.column;
                    CellImage& image = r->cells[static_cast<std::size_t>(along)];
                    if (t.isMacro && image.macro) *image.macro = *t.text;
                    if (!t.isMacro && image.formula) image.formula->text = *t.text;
                } else if (t.leaves > s && deletionLoses(*t.text, step)) {
                    r->rewritten.push_back({t.key, t.isMacro, *t.text});
                }
            }
        }
        for (LiveText& t : live) {
            if (t.leaves <= s) continue;
            shiftText(*t.text, step);
            t.key = keyAfter(t.key, step);
        }
    }
}

}  // namespace phonotab
