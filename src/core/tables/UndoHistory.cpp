#include "core/tables/UndoRecord.h"

namespace phonotab {

void UndoHistory::record(UndoRecord r) {
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(position_), records_.end());
    records_.push_back(std::move(r));
    while (records_.size() > Capacity) {
        records_.pop_front();
        ++dropped_;
    }
    position_ = records_.size();
}

UndoRecord* UndoHistory::stepBack() {
    if (!canUndo()) return nullptr;
    --position_;
    return &records_[position_];
}

UndoRecord* UndoHistory::stepForward() {
    if (!canRedo()) return nullptr;
    return &records_[position_++];
}

void UndoHistory::clear() {
    dropped_ += records_.size();
    records_.clear();
    position_ = 0;
}

}  // namespace phonotab
