// Undo and redo of the edits of the current file (work range, zones,
// parameter entries, calculation settings) as the ranges and parameters
// windows make them through the document controller.
//
// A step keeps the settings, the zones and the entries as they were, without
// the entries' level series (a file of millions of samples would be copied at
// every click): going back moves each series over from the entry of the same
// parameter, and an entry that comes back without one loads it again at the
// next calculation.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "core/acoustics/CalculateFile.h"
#include "core/project/DocumentNotice.h"

namespace phonotab {

class EditHistory {
public:
    // The steps kept; the oldest go first.
    static constexpr std::size_t Depth = 100;

    // Before a change of the file: its state as it is, and the notice the
    // change sends. Clears the steps to redo.
    void record(const CalcFile& file, DocumentNotice notice);
    // A change recorded but refused: forget its step.
    void dropLast();
    // Puts the file back one step (or forward one step); the notice of the
    // step's change, nothing when there is no step.
    std::optional<DocumentNotice> undo(CalcFile& file);
    std::optional<DocumentNotice> redo(CalcFile& file);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Another file became current (or none).
    void clear();

private:
    struct Step {
        CalcSettings settings;
        RangeSet ranges;
        std::vector<ParameterEntry> entries;  // without their series
        DocumentNotice notice;
    };
    static Step capture(const CalcFile& file, DocumentNotice notice);
    static void restore(CalcFile& file, Step&& step);
    // Takes the last step of one list back into the file and keeps the
    // file's present state on the other list.
    static std::optional<DocumentNotice> step(std::deque<Step>& from, std::deque<Step>& to, CalcFile& file);

    std::deque<Step> undo_, redo_;
};

}  // namespace phonotab
