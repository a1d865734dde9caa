#include "core/project/ProjectRenames.h"

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

int bookUses(const ProjectState& state, std::string_view book) {
    int n = 0;
    for (const ProjectTable& t : state.tables)
        for (const auto& [cell, f] : t.table.formulas)
            if (!book.empty() && bookOf(f.text) == book) ++n;
    return n;
}

void renameBookUses(ProjectState& state, std::string_view oldBook, std::string_view newBook) {
    if (oldBook.empty()) return;
    for (ProjectTable& t : state.tables) {
        bool changed = false;
        for (auto& [cell, f] : t.table.formulas)
            if (bookOf(f.text) == oldBook) {
                f.text = "#" + std::string(newBook) + f.text.substr(oldBook.size() + 1);
                f.state = FormulaState::Pending;
                changed = true;
            }
        if (changed) touched(t.table);
    }
}

}  // namespace phonotab
