#include "core/project/ProjectRenames.h"

#include <cctype>
#include <vector>

namespace phonotab {

namespace {

// The book a "#book#index" formula reads, or nothing for any other formula.
std::string_view bookOf(std::string_view text) {
    if (text.size() < 2 || text[0] != '#') return {};
    const std::size_t second = text.find('#', 1);
    if (second == std::string_view::npos) return {};
    return text.substr(1, second - 1);
}

void touched(ReportTable& table) {
    table.RequestRecalculation();
    table.SetModified();
}

}  // namespace

int sourceUses(const ProjectState& state, std::string_view sourceName) {
    int n = 0;
    for (const ProjectTable& t : state.tables)
        for (const auto& [cell, b] : t.table.bindings)
            if (b.sourceName == sourceName) ++n;
    return n;
}

void renameSourceUses(ProjectState& state, std::string_view oldName, const std::string& newName) {
    for (ProjectTable& t : state.tables) {
        bool changed = false;
        for (auto& [cell, b] : t.table.bindings)
            if (b.sourceName == oldName) {
                b.sourceName = newName;
                changed = true;
            }
        if (changed) touched(t.table);
    }
}

namespace {

// The places in a macro's text where "#book#index" reads the book: the name
// between two '#' and an index after the second (blanks, a sign or a digit),
// as the macro's expressions read it. A "#NAME" of the macro's own values is
// no such place: no second '#' and index follow it.
std::vector<std::size_t> bookPlacesInMacro(std::string_view text, std::string_view book) {
    std::vector<std::size_t> out;
    if (book.empty()) return out;
    for (std::size_t at = text.find('#'); at != std::string_view::npos; at = text.find('#', at + 1)) {
        const std::size_t second = at + 1 + book.size();
        if (second >= text.size() || text[second] != '#' || text.compare(at + 1, book.size(), book) != 0) continue;
        std::size_t i = second + 1;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '+' || text[i] == '-'))
            out.push_back(at);
    }
    return out;
}

}  // namespace

int bookUses(const ReportTable& table, std::string_view book) {
    if (book.empty()) return 0;
    int n = 0;
    for (const auto& [cell, f] : table.formulas)
        if (bookOf(f.text) == book) ++n;
    for (const auto& [cell, m] : table.macros) n += static_cast<int>(bookPlacesInMacro(m, book).size());
    return n;
}

int bookUses(const ProjectState& state, std::string_view book) {
    int n = 0;
    for (const ProjectTable& t : state.tables) n += bookUses(t.table, book);
    return n;
}

bool renameBookUses(ReportTable& table, std::string_view oldBook, std::string_view newBook) {
    if (oldBook.empty()) return false;
    bool changed = false;
    for (auto& [cell, f] : table.formulas)
        if (bookOf(f.text) == oldBook) {
            f.text = "#" + std::string(newBook) + f.text.substr(oldBook.size() + 1);
            f.state = FormulaState::Pending;
            changed = true;
        }
    for (auto& [cell, m] : table.macros) {
        const std::vector<std::size_t> places = bookPlacesInMacro(m, oldBook);
        // From the last place back, so that the earlier positions hold.
        for (auto it = places.rbegin(); it != places.rend(); ++it) m.replace(*it + 1, oldBook.size(), newBook);
        if (!places.empty()) changed = true;
    }
    if (changed) touched(table);
    return changed;
}

void renameBookUses(ProjectState& state, std::string_view oldBook, std::string_view newBook) {
    for (ProjectTable& t : state.tables) renameBookUses(t.table, oldBook, newBook);
}

}  // namespace phonotab
