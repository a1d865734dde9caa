// Data addresses: the text inside "{" "}" of a cell macro that names a
// value of the loaded data file, such as "{r2c1t1m2b5}" or "{n1b+1}".
//
// Items are a letter and one or two digits: "n" the output selector (one digit,
// taken as is), "r" record, "c" channel, "t" type, "m" mode, "b" band. Numbers
// count from 1. "r", "m" and "b" also take a sign, which moves from the current
// value instead of setting it. Letters are read in either case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/DataTree.h"

namespace phonotab {

// Bits of the items an address sets absolutely.
namespace dataspec {
constexpr unsigned Band = 1u << 0;
constexpr unsigned Mode = 1u << 1;
constexpr unsigned Type = 1u << 2;
constexpr unsigned Channel = 1u << 3;
constexpr unsigned Record = 1u << 4;
}  // namespace dataspec

struct DataAddressItem {
    char letter = 'b';  // lower case
    int number = 0;     // as written
    int sign = 0;       // 0 absolute, +1 or -1 relative
};

struct DataAddress {
    std::vector<DataAddressItem> items;

    // The absolute items given, as dataspec bits.
    unsigned absoluteMask() const;
    bool empty() const { return items.empty(); }
};

// Reads the text between the braces. Blanks are skipped. Nothing when a letter
// is not one of the six or is not followed by its digits.
std::optional<DataAddress> ParseDataAddress(std::string_view text);

// Applies the items in order: an absolute item sets its field to the number
// minus 1 ("n" takes the number as is), a relative one moves it; "m" forgets a
// mode chosen by name.
void ApplyDataAddress(const DataAddress& address, DataSelection& selection);

// Only the absolute items (fixed items and checks use these).
void ApplyAbsoluteItems(const DataAddress& address, DataSelection& selection);

// The first absolute item whose value differs from the selection's, or nothing.
std::optional<DataAddressItem> FirstMismatch(const DataAddress& address, const DataSelection& selection);

}  // namespace phonotab
