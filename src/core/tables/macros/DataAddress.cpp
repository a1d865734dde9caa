#include "core/tables/macros/DataAddress.h"

#include <algorithm>

namespace phonotab {

namespace {

// Far beyond any file; keeps a long chain of relative items from overflowing.
constexpr int kFieldLimit = 1'000'000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

unsigned bitOf(char letter) {
    switch (letter) {
        case 'b': return dataspec::Band;
        case 'm': return dataspec::Mode;
        case 't': return dataspec::Type;
        case 'c': return dataspec::Channel;
        case 'r': return dataspec::Record;
        default: return 0;
    }
}

int* fieldOf(char letter, DataSelection& s) {
    switch (letter) {
        case 'b': return &s.band;
        case 'm': return &s.mode;
        case 't': return &s.type;
        case 'c': return &s.channel;
        case 'r': return &s.record;
        default: return nullptr;
    }
}

void apply(const DataAddressItem& item, DataSelection& s) {
    if (item.letter == 'n') {
        s.output = item.number;
        return;
    }
    int* f = fieldOf(item.letter, s);
    if (!f) return;
    if (item.sign == 0)
        *f = item.number - 1;
    else
        *f = std::clamp(*f + item.sign * item.number, -kFieldLimit, kFieldLimit);
    if (item.letter == 'm') s.modeName.clear();
}

}  // namespace

unsigned DataAddress::absoluteMask() const {
    unsigned mask = 0;
    for (const DataAddressItem& i : items)
        if (i.sign == 0) mask |= bitOf(i.letter);
    return mask;
}

std::optional<DataAddress> ParseDataAddress(std::string_view text) {
    DataAddress address;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (true) {
        while (i < n && isBlank(text[i])) ++i;
        if (i >= n) break;
        DataAddressItem item;
        item.letter = lower(text[i++]);
        const bool signed_ = item.letter == 'b' || item.letter == 'm' || item.letter == 'r';
        if (item.letter != 'n' && bitOf(item.letter) == 0) return std::nullopt;
        if (signed_ && i < n && (text[i] == '+' || text[i] == '-')) item.sign = text[i++] == '+' ? 1 : -1;
        const std::size_t maxDigits = item.letter == 'n' ? 1 : 2;
        std::size_t digits = 0;
        while (i < n && digits < maxDigits && isDigit(text[i])) {
            item.number = item.number * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        address.items.push_back(item);
    }
    return address;
}

void ApplyDataAddress(const DataAddress& address, DataSelection& selection) {
    for (const DataAddressItem& item : address.items) apply(item, selection);
}

void ApplyAbsoluteItems(const DataAddress& address, DataSelection& selection) {
    for (const DataAddressItem& item : address.items)
        if (item.sign == 0 && item.letter != 'n') apply(item, selection);
}

std::optional<DataAddressItem> FirstMismatch(const DataAddress& address, const DataSelection& selection) {
    for (const DataAddressItem& item : address.items) {
        if (item.sign != 0 || item.letter == 'n') continue;
        DataSelection s = selection;
        const int* f = fieldOf(item.letter, s);
        if (f && *f != item.number - 1) return item;
    }
    return std::nullopt;
}

}  // namespace phonotab
