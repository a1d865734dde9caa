#include "core/tables/macros/MacroCommands.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "core/tables/macros/MacroText.h"
#include "core/tables/formula/ShiftReferences.h"
#include "core/tables/TableCommands.h"

namespace phonotab {

namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }
int letterIndex(char c) { return (c >= 'a' ? c - 'a' : c - 'A'); }

// One or two letters: a column index.
std::optional<int> columnOf(std::string_view s) {
    if (s.empty() || s.size() > 2) return std::nullopt;
    for (char c : s)
        if (!isLetter(c)) return std::nullopt;
    return s.size() == 1 ? letterIndex(s[0]) : (letterIndex(s[0]) + 1) * 26 + letterIndex(s[1]);
}

// A 1-based row number of at most six digits: a 0-based row index.
std::optional<int> rowOf(std::string_view s) {
    if (s.empty() || s.size() > 6) return std::nullopt;
    for (char c : s)
        if (!isDecimalDigit(c)) return std::nullopt;
    int n = 0;
    std::from_chars(s.data(), s.data() + s.size(), n);
    if (n < 1) return std::nullopt;
    return n - 1;
}

// A cell reference: letters then digits.
std::optional<CellKey> cellOf(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isLetter(s[i])) ++i;
    const std::optional<int> column = columnOf(s.substr(0, i));
    const std::optional<int> row = rowOf(s.substr(i));
    if (!column || !row) return std::nullopt;
    return CellKey{*column, *row};
}

std::string withoutBlanksAndDollars(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '$') out.push_back(c);
    return out;
}

std::optional<MacroAxisArgument> singleAxis(std::string_view s) {
    if (const std::optional<int> r = rowOf(s)) return MacroAxisArgument{false, *r, *r};
    if (const std::optional<int> c = columnOf(s)) return MacroAxisArgument{true, *c, *c};
    return std::nullopt;
}

void copyContent(ReportTable& t, CellKey from, CellKey to, int dc, int dr, MacroChangeLog& log) {
    log.touch(to);
    auto copy = [&](auto& map, auto&& adjust) {
        auto it = map.find(from);
        if (it == map.end()) {
            map.erase(to);
            return;
        }
        auto value = it->second;
        adjust(value);
        map[to] = std::move(value);
    };
    copy(t.texts, [](std::string&) {});
    copy(t.bindings, [](CellBinding&) {});
    copy(t.formulas, [&](CellFormula& f) {
        ShiftReferences(f.text, std::nullopt, dc, dr, true, true);
        f.state = FormulaState::Pending;
    });
    copy(t.macros, [&](std::string& m) { ShiftReferences(m, std::nullopt, dc, dr, true, true); });
}

bool showHide(ReportTable& t, const std::vector<std::string>& args, bool show, MacroChangeLog& log) {
    std::vector<MacroAxisArgument> parsed;
    for (const std::string& a : args) {
        const std::optional<MacroAxisArgument> p = ParseAxisArgument(a);
        if (!p) return false;
        parsed.push_back(*p);
    }
    for (const MacroAxisArgument& a : parsed) {
        const int count = a.column ? t.columnCount() : t.rowCount();
        for (int i = std::max(a.first, 0); i <= std::min(a.last, count - 1); ++i) {
            if (a.column) {
                log.touch({i, 0});
                t.setColumnInReport(i, show);
            } else {
                log.touch({0, i});
                t.setRowInReport(i, show);
            }
        }
    }
    return true;
}

}  // namespace

void MacroChangeLog::touch(CellKey cell) {
    if (!table_.inside(cell)) return;
    changed_ = true;
    if (seen_.insert(cell).second) record_.cells.push_back(table_.imageOf(cell));
}

void MacroChangeLog::flush() {
    if (record_.cells.empty()) return;
    table_.RecordUndo(std::move(record_));
    record_ = UndoRecord{UndoKind::CellsFromData, 0, 0, {}, {}};
    seen_.clear();
}

std::optional<MacroAxisArgument> ParseAxisArgument(std::string_view text) {
    const std::string s = withoutBlanksAndDollars(text);
    const std::size_t colon = s.find(':');
    if (colon == std::string::npos) return singleAxis(s);
    const std::optional<MacroAxisArgument> a = singleAxis(std::string_view(s).substr(0, colon));
    const std::optional<MacroAxisArgument> b = singleAxis(std::string_view(s).substr(colon + 1));
    if (!a || !b || a->column != b->column) return std::nullopt;
    return MacroAxisArgument{a->column, std::min(a->first, b->first), std::max(a->first, b->first)};
}

std::optional<CellRect> ParseCellTarget(std::string_view text) {
    const std::string s = withoutBlanksAndDollars(text);
    const std::size_t colon = s.find(':');
    const std::optional<CellKey> a = cellOf(std::string_view(s).substr(0, colon));
    if (!a) return std::nullopt;
    CellKey b = *a;
    if (colon != std::string::npos) {
        const std::optional<CellKey> second = cellOf(std::string_view(s).substr(colon + 1));
        if (!second) return std::nullopt;
        b = *second;
    }
    return CellRect{std::min(a->column, b.column), std::min(a->row, b.row), std::max(a->column, b.column) + 1,
                    std::max(a->row, b.row) + 1};
}

void AssignCells(ReportTable& table, CellRect target, const std::string& text, MacroChangeLog& log) {
    const int right = std::min(target.right, table.columnCount());
    const int bottom = std::min(target.bottom, table.rowCount());
    for (int c = std::max(target.left, 0); c < right; ++c) {
        for (int r = std::max(target.top, 0); r < bottom; ++r) {
            if (table.covered(c, r)) continue;
            log.touch({c, r});
            table.texts[{c, r}] = text;
            table.bindings.erase({c, r});
            table.formulas.erase({c, r});
        }
    }
}

bool RunMacroCommand(ReportTable& table, std::string_view statement, MacroChangeLog& log) {
    std::string s(statement);
    for (char& c : s) {
        if (c == '(') c = ' ';
        if (c == ')') c = ',';
    }
    const std::string_view text = trimMacroBlanks(s);
    const std::size_t wordEnd = std::min(text.find_first_of(" \t,"), text.size());
    const std::string_view word = text.substr(0, wordEnd);
    std::vector<std::string> args;
    for (std::string& a : SplitChoiceItems(text.substr(wordEnd)))
        if (!a.empty()) args.push_back(std::move(a));

    auto is = [&](std::string_view name) { return word.size() == name.size() && startsWithWord(word, 0, name); };
    // Every command but an insertion or a deletion reads formula or macro
    // texts (images for the undo, the copy): they must be up to date. A
    // deletion's undo record takes its texts when they are brought up to date.
    if (!is("INSCP") && !is("DELCP")) table.bringReferencesUpToDate();
    if (is("RSHOW") || is("RHIDE")) return !args.empty() && showHide(table, args, is("RSHOW"), log);

    if (is("DELCP")) {
        if (args.empty()) return false;
        const std::optional<MacroAxisArgument> x = singleAxis(withoutBlanksAndDollars(args[0]));
        if (!x) return false;
        log.flush();
        const bool done = x->column ? DeleteColumnCommand(table, x->first) : DeleteRowCommand(table, x->first);
        if (done) log.noteStructureChange();
        return done;
    }

    if (!is("INSCP") && !is("SCOPY")) return false;
    if (args.size() != 2) return false;
    const std::optional<MacroAxisArgument> x = singleAxis(withoutBlanksAndDollars(args[0]));
    const std::optional<MacroAxisArgument> y = singleAxis(withoutBlanksAndDollars(args[1]));
    if (!x || !y || x->column != y->column) return false;
    const bool columns = x->column;

    if (is("INSCP")) {
        log.flush();
        const bool done = columns ? InsertColumnCommand(table, x->first, y->first)
                                  : InsertRowCommand(table, x->first, y->first);
        if (done) log.noteStructureChange();
        return done;
    }

    // SCOPY: row (column) y onto row (column) x, references moving along the copy's axis.
    const int count = columns ? table.columnCount() : table.rowCount();
    if (x->first >= count || y->first >= count) return false;
    if (x->first == y->first) return true;
    const int distance = x->first - y->first;
    const int across = columns ? table.rowCount() : table.columnCount();
    for (int i = 0; i < across; ++i) {
        if (columns)
            copyContent(table, {y->first, i}, {x->first, i}, distance, 0, log);
        else
            copyContent(table, {i, y->first}, {i, x->first}, 0, distance, log);
    }
    return true;
}

}  // namespace phonotab
