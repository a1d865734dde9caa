// The reference books: named books of numeric values with a text each (limit
// values that report tables read through "#book#index"), the measuring
// instruments and the normative documents offered on the report's title page.
// Program-wide, independent of any project.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Result.h"
#include "core/tables/ReferenceBookLookup.h"

namespace phonotab {

struct ReferenceRecord {
    double value = 0.0;
    std::string description;

    friend bool operator==(const ReferenceRecord&, const ReferenceRecord&) = default;
};

class ReferenceBooks final : public ReferenceBookLookup {
public:
    // Ordered by name (byte order of the UTF-8 texts); a name never holds "#".
    std::map<std::string, std::vector<ReferenceRecord>, std::less<>> referenceBooks;
    std::set<std::string, std::less<>> measuringInstruments;
    std::set<std::string, std::less<>> normativeDocuments;

    bool empty() const { return referenceBooks.empty() && measuringInstruments.empty() && normativeDocuments.empty(); }
    void clear();

    // Lookups by name and by index; null when missing.
    const std::vector<ReferenceRecord>* book(std::string_view name) const;
    const ReferenceRecord* record(std::string_view name, long long index) const;
    std::optional<double> referenceValue(std::string_view book, long long index) const override;

    // The book editor. A name is trimmed and its "#" become "_"; an empty name
    // is refused silently (false), a name already in the list with 5101
    // "Такое имя уже есть в списке".
    Result<bool> addBook(std::string_view name);
    Result<bool> renameBook(std::string_view oldName, std::string_view newName);
    bool removeBook(std::string_view name);

    // The book editor's records: appended at the end (false when the book is
    // missing) and removed by index (the records after it move up one).
    bool addRecord(std::string_view book, ReferenceRecord record);
    bool removeRecord(std::string_view book, std::size_t index);

    // The instrument and document choosers: the trimmed text is added when it is
    // not empty; false when nothing was added.
    bool addInstrument(std::string_view text);
    bool addNormativeDocument(std::string_view text);
    bool removeInstrument(std::string_view text);
    bool removeNormativeDocument(std::string_view text);

    friend bool operator==(const ReferenceBooks& a, const ReferenceBooks& b) {
        return a.referenceBooks == b.referenceBooks && a.measuringInstruments == b.measuringInstruments &&
               a.normativeDocuments == b.normativeDocuments;
    }
};

// A book name as stored: trimmed, every "#" replaced by "_".
std::string referenceBookName(std::string_view typed);

// Blanks (spaces, tabs, line ends) removed at both ends.
std::string_view trimBlanks(std::string_view s);

// A record value typed in the book editor; 5102 "Вы должны ввести число" when
// the text is no number.
Result<double> parseReferenceValue(std::string_view text);

}  // namespace phonotab
