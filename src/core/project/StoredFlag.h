// A yes/no setting that the project file stores as a 32-bit integer.
#pragma once

#include <concepts>
#include <cstdint>

namespace phonotab {

// Any stored value other than 0 means yes. The value read is kept as it was, so
// a project read and written again keeps its bytes; setting the flag stores 1 or 0.
class StoredFlag {
public:
    constexpr StoredFlag() = default;
    template <std::same_as<bool> Bool>
    constexpr StoredFlag(Bool on) : stored_(on ? 1 : 0) {}

    static constexpr StoredFlag fromStored(std::int32_t value) {
        StoredFlag f;
        f.stored_ = value;
        return f;
    }

    constexpr operator bool() const { return stored_ != 0; }
    constexpr std::int32_t stored() const { return stored_; }

    bool operator==(const StoredFlag&) const = default;

private:
    std::int32_t stored_ = 0;
};

}  // namespace phonotab
