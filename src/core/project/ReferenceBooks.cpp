#include "core/project/ReferenceBooks.h"

#include <algorithm>

#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"

namespace phonotab {

namespace {
}  // namespace

std::string_view trimBlanks(std::string_view s) {
    constexpr std::string_view blanks = " \t\r\n";
    const std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return {};
    const std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

std::string referenceBookName(std::string_view typed) {
    std::string name(trimBlanks(typed));
    std::replace(name.begin(), name.end(), '#', '_');
    return name;
}

void ReferenceBooks::clear() {
    referenceBooks.clear();
    measuringInstruments.clear();
    normativeDocuments.clear();
}

const std::vector<ReferenceRecord>* ReferenceBooks::book(std::string_view name) const {
    auto it = referenceBooks.find(name);
    return it == referenceBooks.end() ? nullptr : &it->second;
}

const ReferenceRecord* ReferenceBooks::record(std::string_view name, long long index) const {
    const std::vector<ReferenceRecord>* b = book(name);
    if (!b || index < 0 || index >= static_cast<long long>(b->size())) return nullptr;
    return &(*b)[static_cast<std::size_t>(index)];
}

std::optional<double> ReferenceBooks::referenceValue(std::string_view name, long long index) const {
    const ReferenceRecord* r = record(name, index);
    if (!r) return std::nullopt;
    return r->value;
}

Result<bool> ReferenceBooks::addBook(std::string_view typed) {
    const std::string name = referenceBookName(typed);
    if (name.empty()) return false;
    if (referenceBooks.count(name)) return Message(msg::NameExists);
    referenceBooks.emplace(name, std::vector<ReferenceRecord>{});
    return true;
}

Result<bool> ReferenceBooks::renameBook(std::string_view oldName, std::string_view typed) {
    const std::string name = referenceBookName(typed);
    auto it = referenceBooks.find(oldName);
    if (it == referenceBooks.end() || name.empty()) return false;
    if (name == it->first) return true;
    if (referenceBooks.count(name)) return Message(msg::NameExists);
    std::vector<ReferenceRecord> records = std::move(it->second);
    referenceBooks.erase(it);
    referenceBooks.emplace(name, std::move(records));
    return true;
}

bool ReferenceBooks::removeBook(std::string_view name) {
    auto it = referenceBooks.find(name);
    if (it == referenceBooks.end()) return false;
    referenceBooks.erase(it);
    return true;
}

bool ReferenceBooks::addInstrument(std::string_view text) {
    const std::string_view t = trimBlanks(text);
    return !t.empty() && measuringInstruments.emplace(t).second;
}

bool ReferenceBooks::addNormativeDocument(std::string_view text) {
    const std::string_view t = trimBlanks(text);
    return !t.empty() && normativeDocuments.emplace(t).second;
}

bool ReferenceBooks::addRecord(std::string_view name, ReferenceRecord record) {
    auto it = referenceBooks.find(name);
    if (it == referenceBooks.end()) return false;
    it->second.push_back(std::move(record));
    return true;
}

bool ReferenceBooks::removeRecord(std::string_view name, std::size_t index) {
    auto it = referenceBooks.find(name);
    if (it == referenceBooks.end() || index >= it->second.size()) return false;
    it->second.erase(it->second.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool ReferenceBooks::removeInstrument(std::string_view text) {
    auto it = measuringInstruments.find(text);
    if (it == measuringInstruments.end()) return false;
    measuringInstruments.erase(it);
    return true;
}

bool ReferenceBooks::removeNormativeDocument(std::string_view text) {
    auto it = normativeDocuments.find(text);
    if (it == normativeDocuments.end()) return false;
    normativeDocuments.erase(it);
    return true;
}

Result<double> parseReferenceValue(std::string_view text) { return readTypedNumber(text); }

}  // namespace phonotab
