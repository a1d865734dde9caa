#include "core/tables/TableCellCommands.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "core/base/CFormat.h"
#include "core/tables/FormulaReplication.h"
#include "core/tables/formula/ShiftReferences.h"
#include "core/tables/TableCommands.h"

namespace phonotab {

namespace {


bool anyBound(const ReportTable& t, const TableSelection& s) {
    return std::any_of(s.cells.begin(), s.cells.end(), [&](CellKey k) { return t.bindings.count(k) != 0; });
}

bool anyBoundOrFormula(const ReportTable& t, const TableSelection& s) {
    return std::any_of(s.cells.begin(), s.cells.end(),
                       [&](CellKey k) { return t.bindings.count(k) != 0 || t.formulas.count(k) != 0; });
}

void finish(ReportTable& t) {
    t.SetModified();
    t.RequestRecalculation();
}

// Blanks at both ends of an ASCII text.
std::string_view trimmed(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// "#book#index" read into its parts.
bool splitBookFormula(const std::string& text, std::string& book, long long& index) {
    if (!isReferenceBookFormula(text)) return false;
    const std::size_t second = text.find('#', 1);
    book = text.substr(1, second - 1);
    std::string_view rest = trimmed(std::string_view(text).substr(second + 1));
    if (!rest.empty() && rest.front() == '+') rest.remove_prefix(1);
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), index);
    return ec == std::errc() && end == rest.data() + rest.size();
}

}  // namespace

std::vector<CellKey> FillableCells(const ReportTable& table, const TableSelection& selection) {
    std::vector<CellKey> out;
    for (CellKey k : selection.cells)
        if (table.inside(k) && !table.covered(k.column, k.row)) out.push_back(k);
    return out;
}

CellKey TopLeftCell(const TableSelection& selection) {
    if (!selection.rect.empty()) return {selection.rect.left, selection.rect.top};
    if (selection.cells.empty()) return {};
    CellKey k = *selection.cells.begin();
    for (CellKey c : selection.cells) k.row = std::min(k.row, c.row);
    return k;
}

bool TextCommand(ReportTable& table, const TableSelection& selection, CellCommandDialogs& dialogs) {
    const std::vector<CellKey> cells = FillableCells(table, selection);
    if (cells.empty()) return false;
    if (anyBoundOrFormula(table, selection) && !dialogs.confirmBindingRemoval()) return false;
    std::string preset;
    if (auto it = table.texts.find(TopLeftCell(selection)); it != table.texts.end()) preset = it->second;
    const std::optional<std::string> text = dialogs.enterText(preset);
    if (!text) return false;
    RecordCellsForUndo(table, UndoKind::CellText, cells);
    for (CellKey k : cells) {
        if (text->empty())
            table.texts.erase(k);
        else
            table.texts[k] = *text;
        table.bindings.erase(k);
        table.formulas.erase(k);
    }
    finish(table);
    return true;
}

bool ReferenceBookCommand(ReportTable& table, const TableSelection& selection, CellCommandDialogs& dialogs) {
    const std::vector<CellKey> cells = FillableCells(table, selection);
    if (cells.empty()) return false;
    if (anyBound(table, selection) && !dialogs.confirmBindingRemoval()) return false;
    std::string preset;
    if (auto it = table.formulas.find(TopLeftCell(selection)); it != table.formulas.end()) preset = it->second.text;
    const std::optional<std::string> formula = dialogs.chooseReferenceFormula(preset);
    std::string book;
    long long index = 0;
    if (!formula || !splitBookFormula(*formula, book, index)) return false;
    RecordCellsForUndo(table, UndoKind::CellReference, cells);
    for (CellKey k : cells) {
        // Book names keep their case: books are found by their exact name.
        table.formulas[k] = CellFormula{"#" + book + "#" + std::to_string(index++), 0.0, FormulaState::Pending};
        table.texts.erase(k);
        table.bindings.erase(k);
    }
    finish(table);
    return true;
}

bool FileDataCommand(ReportTable& table, const TableSelection& selection, DataFileLoader& loader,
                     CellCommandDialogs& dialogs) {
    const std::vector<CellKey> cells = FillableCells(table, selection);
    if (cells.empty()) return false;
    if (anyBoundOrFormula(table, selection) && !dialogs.confirmBindingRemoval()) return false;
    const std::optional<std::string> path = dialogs.chooseDataFile();
    if (!path) return false;
    Result<std::unique_ptr<DataTree>> loaded = loader.loadDataFile(*path);
    if (!loaded) {
        dialogs.showMessage(loaded.error());
        return false;
    }
    DataTree& tree = **loaded;
    FileParameterRequest request;
    request.preset = InitialDataSelection(tree);
    request.count = static_cast<int>(cells.size());
    const std::optional<DataSelection> chosen = dialogs.chooseFileParameter(tree, request);
    if (!chosen) return false;
    // Values of consecutive bands of the chosen mode, one per cell.
    std::vector<std::string> values;
    values.reserve(cells.size());
    DataSelection s = *chosen;
    for (std::size_t i = 0; i < cells.size(); ++i, ++s.band) {
        const DataPath p = ResolveDataPath(tree, s);
        values.push_back(p.band ? dataValueText(p.band->number) : "?");
    }
    RecordCellsForUndo(table, UndoKind::CellsFromData, cells);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        table.texts[cells[i]] = values[i];
        table.bindings.erase(cells[i]);
        table.formulas.erase(cells[i]);
    }
    finish(table);
    return true;
}

bool ReplaceSourceCommand(ReportTable& table, const TableSelection& selection, const ProjectSourceList& sources,
                          CellCommandDialogs& dialogs) {
    std::vector<CellKey> bound;
    for (CellKey k : selection.cells)
        if (table.inside(k) && table.bindings.count(k)) bound.push_back(k);
    if (bound.empty()) return false;
    const std::optional<std::string> name = dialogs.chooseDataSource(table.bindings.at(bound.front()).sourceName);
    if (!name) return false;
    const std::optional<std::int32_t> type = sources.sourceFileType(*name);
    const std::optional<std::int32_t> mode = sources.sourceWorkMode(*name);
    if (!type || !mode) {
        dialogs.showMessage(Message(msg::NoSuchSource, *name));
        return false;
    }
    // A binding's parameter code belongs to its file type: the new source must
    // be of the same type and mode as every source it replaces.
    for (CellKey k : bound) {
        const std::string& old = table.bindings.at(k).sourceName;
        const std::optional<std::int32_t> oldType = sources.sourceFileType(old);
        const std::optional<std::int32_t> oldMode = sources.sourceWorkMode(old);
        if ((oldType && *oldType != *type) || (oldMode && *oldMode != *mode)) {
            dialogs.showMessage(Message(msg::DifferentTypesOrModes));
            return false;
        }
    }
    RecordCellsForUndo(table, UndoKind::CellBinding, bound);
    for (CellKey k : bound) {
        CellBinding& b = table.bindings.at(k);
        if (b.sourceName != *name) b.value = -1.0;  // the old source's value is not the new one's
        b.sourceName = *name;
    }
    finish(table);
    return true;
}

bool SetMacroCommand(ReportTable& table, CellKey cell, const std::string& text) {
    if (!table.inside(cell)) return false;
    RecordCellsForUndo(table, UndoKind::CellMacro, {cell});
    if (trimmed(text).empty())
        table.macros.erase(cell);
    else
        table.macros[cell] = upperCaseFormula(text);
    finish(table);
    return true;
}

bool ClearCommand(ReportTable& table, const TableSelection& selection) {
    std::vector<CellKey> cells;
    for (CellKey k : selection.cells)
        if (table.inside(k)) cells.push_back(k);
    if (cells.empty()) return false;
    RecordCellsForUndo(table, UndoKind::CellsCleared, cells);
    for (CellKey k : cells) {
        table.texts.erase(k);
        table.bindings.erase(k);
        table.formulas.erase(k);
    }
    finish(table);
    return true;
}

std::vector<CellKey> ReferencedCells(const std::string& text) {
    // Formula and macro texts are stored upper-cased; lower-case letters are
    // no part of a reference (as when references are shifted).
    auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::vector<CellKey> out;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == '{') {  // a data address names no cells
            const std::size_t close = text.find('}', i);
            i = close == std::string::npos ? n : close + 1;
            continue;
        }
        if (c == '#') {  // "#NAME" and "#book#index" name no cells
            ++i;
            while (i < n && (isUpper(text[i]) || isDigit(text[i]))) ++i;
            continue;
        }
        if (!isUpper(c) && c != '$') {
            ++i;
            continue;
        }
        const bool startsToken = i == 0 || !(isUpper(text[i - 1]) || isDigit(text[i - 1]));
        std::size_t j = i;
        if (text[j] == '$') ++j;
        const std::size_t lettersStart = j;
        while (j < n && isUpper(text[j]) && j - lettersStart < 3) ++j;
        const std::size_t letters = j - lettersStart;
        std::size_t k = j;
        if (k < n && text[k] == '$') ++k;
        const std::size_t digitsStart = k;
        while (k < n && isDigit(text[k]) && k - digitsStart < 10) ++k;
        const bool endsToken = k >= n || !(isUpper(text[k]) || isDigit(text[k]));
        if (startsToken && (letters == 1 || letters == 2) && k > digitsStart && endsToken) {
            int column = text[lettersStart] - 'A';
            if (letters == 2) column = (column + 1) * 26 + (text[lettersStart + 1] - 'A');
            int row = 0;
            std::from_chars(text.data() + digitsStart, text.data() + k, row);
            if (row >= 1) out.push_back({column, row - 1});
        }
        // Skip the whole run of letters, digits and "$" so that its inner parts
        // are not read as references of their own.
        while (k < n && (isUpper(text[k]) || isDigit(text[k]) || text[k] == '$')) ++k;
        i = std::max(k, i + 1);
    }
    return out;
}

int SelectLinkedCells(const ReportTable& table, CellKey cell, TableSelection& selection) {
    std::vector<CellKey> refs;
    if (auto it = table.formulas.find(cell); it != table.formulas.end() && !isReferenceBookFormula(it->second.text))
        refs = ReferencedCells(it->second.text);
    if (auto it = table.macros.find(cell); it != table.macros.end()) {
        const std::vector<CellKey> more = ReferencedCells(it->second);
        refs.insert(refs.end(), more.begin(), more.end());
    }
    int added = 0;
    for (CellKey k : refs) {
        if (!table.inside(k) || !selection.cells.insert(k).second) continue;
        ++added;
        CellRect& r = selection.rect;
        if (r.empty()) {
            r = CellRect{k.column, k.row, k.column + 1, k.row + 1};
        } else {
            r.left = std::min(r.left, k.column);
            r.top = std::min(r.top, k.row);
            r.right = std::max(r.right, k.column + 1);
            r.bottom = std::max(r.bottom, k.row + 1);
        }
    }
    return added;
}

DoubleClickAction DoubleClickActionOf(const ReportTable& table, CellKey cell, bool controlHeld) {
    if (table.macros.count(cell)) return controlHeld ? DoubleClickAction::EditMacro : DoubleClickAction::RunMacro;
    if (table.bindings.count(cell)) return DoubleClickAction::ProjectData;
    if (auto it = table.formulas.find(cell); it != table.formulas.end() && !it->second.text.empty() &&
                                             it->second.text[0] == '#')
        return DoubleClickAction::ReferenceBook;
    return DoubleClickAction::Formula;
}

}  // namespace phonotab
