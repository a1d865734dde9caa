// What a formula of the form "#book#index" needs from the reference books: the
// numeric value of a book's entry. The reference books of the program implement
// it; the table library does not know where they come from.
#pragma once

#include <optional>
#include <string_view>

namespace phonotab {

class ReferenceBookLookup {
public:
    virtual ~ReferenceBookLookup() = default;
    // The value of the index-th (0-based) entry of the named book; nothing when
    // the book is missing or the index lies outside it.
    virtual std::optional<double> referenceValue(std::string_view book, long long index) const = 0;
};

}  // namespace phonotab
