#include "core/tables/macros/MacroRunner.h"

#include <algorithm>
#include <map>
#include <memory>

#include "core/base/CFormat.h"
#include "core/tables/macros/DataAddress.h"
#include "core/tables/FormulaEvaluator.h"
#include "core/tables/macros/MacroCommands.h"
#include "core/tables/macros/MacroText.h"

namespace phonotab {

namespace {


// An expression longer than this after expansion is not evaluated: named
// values that repeat each other would otherwise double with every statement.
constexpr std::size_t kMaxExpandedLength = 64 * 1024;
// What one run may write into cells and named values: a macro from a table
// file must not fill a thousand by a thousand cells with long texts.
constexpr std::size_t kWriteBudget = 64u * 1024 * 1024;

bool isNameChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

class MacroRun {
public:
    MacroRun(ReportTable& table, MacroDialogs& dialogs, DataFileLoader* loader, const TableEnvironment& env)
        : table_(table), dialogs_(dialogs), loader_(loader), env_(env), log_(table) {}

    MacroEnd run(const std::string& macro) {
        const MacroEnd end = steps(macro);
        log_.flush();
        if (log_.changed()) {
            table_.SetModified();
            table_.RequestRecalculation();
        }
        return end;
    }

private:
    MacroEnd fail(const Message& m) {
        dialogs_.showMessage(m);
        return MacroEnd::Failed;
    }

    MacroEnd steps(const std::string& macro) {
        std::string text = StripMacroText(macro);
        const std::vector<std::string> variants = SplitMacroVariants(text);
        if (variants.empty()) return MacroEnd::Completed;
        if (variants.size() == 1) {
            text = variants.front();
        } else {
            const std::optional<std::size_t> v = dialogs_.chooseVariant(variants);
            if (!v || *v >= variants.size()) return MacroEnd::Cancelled;
            text = variants[*v];
        }
        if (std::optional<MacroEnd> e = replaceChoices(text)) return *e;
        if (std::optional<MacroEnd> e = takeFixedItems(text)) return *e;
        if (text.find('{') != std::string::npos)
            if (std::optional<MacroEnd> e = loadFile(text)) return *e;
        for (const std::string& statement : SplitMacroStatements(text)) runStatement(statement);
        return MacroEnd::Completed;
    }

    // SELS{...} and SELN{...}: a menu each, left to right.
    std::optional<MacroEnd> replaceChoices(std::string& text) {
        std::size_t pos = 0;
        while (true) {
            const std::size_t brace = text.find('{', pos);
            if (brace == std::string::npos) return std::nullopt;
            const bool sels = brace >= 4 && startsWithWord(text, brace - 4, "SELS");
            const bool seln = brace >= 4 && startsWithWord(text, brace - 4, "SELN");
            if (!sels && !seln) {
                pos = brace + 1;
                continue;
            }
            const std::size_t close = text.find('}', brace + 1);
            if (close == std::string::npos) return fail(Message(msg::MacroUnbalancedBrace));
            std::vector<std::string> items = SplitChoiceItems(std::string_view(text).substr(brace + 1, close - brace - 1));
            const std::string title = items.front();
            items.erase(items.begin());
            std::string replacement;
            if (!items.empty()) {
                const std::optional<std::size_t> chosen = dialogs_.chooseOption(title, items);
                if (chosen && *chosen < items.size()) replacement = sels ? items[*chosen] : std::to_string(*chosen + 1);
            }
            text.replace(brace - 4, close + 1 - (brace - 4), replacement);
            pos = brace - 4 + replacement.size();
        }
    }

    // FIX{...}: read and removed; their absolute items hold for the whole run.
    std::optional<MacroEnd> takeFixedItems(std::string& text) {
        MacroConstruct c;
        std::size_t pos = 0;
        while (true) {
            const ConstructSearch found = FindMacroConstruct(text, "FIX", pos, c);
            if (found == ConstructSearch::None) return std::nullopt;
            if (found == ConstructSearch::Unbalanced) return fail(Message(msg::MacroUnbalancedBrace));
            const std::optional<DataAddress> address = ParseDataAddress(c.body);
            if (!address) return fail(Message(msg::MacroBadAddress, c.body));
            fixed_.items.insert(fixed_.items.end(), address->items.begin(), address->items.end());
            text.erase(c.begin, c.end - c.begin);
            pos = c.begin;
        }
    }

    // Every block is read first; then the file, the checks and the parameter.
    std::optional<MacroEnd> loadFile(std::string& text) {
        std::vector<DataAddress> given;
        MacroConstruct c;
        for (std::size_t pos = 0;;) {
            const ConstructSearch found = FindMacroConstruct(text, "", pos, c);
            if (found == ConstructSearch::None) break;
            if (found == ConstructSearch::Unbalanced) return fail(Message(msg::MacroUnbalancedBrace));
            std::optional<DataAddress> address = ParseDataAddress(c.body);
            if (!address) return fail(Message(msg::MacroBadAddress, c.body));
            if (!(c.begin >= 5 && startsWithWord(text, c.begin - 5, "CHECK"))) given.push_back(std::move(*address));
            pos = c.end;
        }

        const std::optional<std::string> path = dialogs_.chooseDataFile();
        if (!path) return MacroEnd::Cancelled;
        if (!loader_) return fail(Message(msg::OpenError));
        Result<std::unique_ptr<DataTree>> loaded = loader_->loadDataFile(*path);
        if (!loaded) return fail(loaded.error());
        file_ = std::move(*loaded);
        current_ = InitialDataSelection(*file_);

        while (true) {
            const ConstructSearch found = FindMacroConstruct(text, "CHECK", 0, c);
            if (found != ConstructSearch::Found) break;
            const std::optional<DataAddress> address = ParseDataAddress(c.body);
            if (!address || FirstMismatch(*address, current_)) return fail(Message(msg::MacroCheckFailed, c.body));
            text.erase(c.begin, c.end - c.begin);
        }

        FileParameterRequest request;
        request.preset = current_;
        for (const DataAddress& s : given) ApplyAbsoluteItems(s, request.preset);
        ApplyAbsoluteItems(fixed_, request.preset);
        request.fixedItems = fixed_.absoluteMask();
        const std::optional<DataSelection> chosen = dialogs_.chooseFileParameter(*file_, request);
        if (!chosen) return MacroEnd::Cancelled;
        current_ = *chosen;
        ApplyAbsoluteItems(fixed_, current_);
        return std::nullopt;
    }

    // "[TEXT]", "#NAME" values and "{...}" values put into an expression; false
    // when a data address cannot be read or the text grows too long.
    bool expand(std::string_view expr, std::string& out, bool& asText) {
        std::string work;
        for (std::size_t pos = 0;;) {
            std::size_t at = pos;
            while (at < expr.size() && !startsWithWord(expr, at, "[TEXT]")) ++at;
            work.append(expr.substr(pos, at - pos));
            if (at >= expr.size()) break;
            asText = true;
            pos = at + 6;
        }
        out.clear();
        const std::size_t n = work.size();
        for (std::size_t i = 0; i < n;) {
            const char ch = work[i];
            if (ch == '#') {
                std::size_t j = i + 1;
                while (j < n && isNameChar(work[j])) ++j;
                auto it = named_.find(work.substr(i + 1, j - i - 1));
                if (j > i + 1 && it != named_.end())
                    out += it->second;
                else
                    out.append(work, i, j - i);
                i = j;
            } else if (ch == '{') {
                const std::size_t close = work.find('}', i + 1);
                if (close == std::string::npos || !file_) return false;
                const std::optional<DataAddress> address = ParseDataAddress(
                    std::string_view(work).substr(i + 1, close - i - 1));
                if (!address) return false;
                DataSelection s = current_;
                ApplyDataAddress(*address, s);
                ApplyAbsoluteItems(fixed_, s);
                if (s.output != 0) asText = true;
                out += SelectedDataText(*file_, s);
                i = close + 1;
            } else {
                out.push_back(ch);
                ++i;
            }
            if (out.size() > kMaxExpandedLength) return false;
        }
        return true;
    }

    void runStatement(const std::string& statement) {
        const std::size_t eq = statement.find('=');
        if (eq == std::string::npos) {
            if (RunMacroCommand(table_, statement, log_)) displayStale_ = true;
            return;
        }
        table_.bringReferencesUpToDate();  // an assignment reads and writes cells
        const std::string_view target = trimMacroBlanks(std::string_view(statement).substr(0, eq));
        if (target.empty() || eq + 1 >= statement.size()) return;
        std::string expanded;
        bool asText = false;
        if (!expand(std::string_view(statement).substr(eq + 1), expanded, asText)) return;

        std::string result;
        if (asText) {
            result = std::string(trimMacroBlanks(expanded));
        } else {
            if (displayStale_) {
                shown_ = DrawDisplayTexts(table_, env_);
                displayStale_ = false;
            }
            const std::optional<double> v = EvaluateFormulaText(table_, shown_, trimMacroBlanks(expanded), env_.books);
            result = v ? cformat("%.6lg", *v) : std::string(NoValueText);
        }

        if (target.front() == '#') {
            const std::string name(trimMacroBlanks(target.substr(1)));
            if (name.empty() || !spend(result.size() + name.size())) return;
            named_[name] = std::move(result);
            return;
        }
        const std::optional<CellRect> cells = ParseCellTarget(target);
        if (!cells) return;
        const auto span = [](int from, int to, int count) {
            return static_cast<std::size_t>(std::max(0, std::min(to, count) - std::max(from, 0)));
        };
        const std::size_t area = span(cells->left, cells->right, table_.columnCount()) *
                                 span(cells->top, cells->bottom, table_.rowCount());
        if (!spend(area * (result.size() + 1))) return;
        AssignCells(table_, *cells, result, log_);
        displayStale_ = true;
    }

    // False (and nothing spent) when the run's budget does not hold the bytes.
    bool spend(std::size_t bytes) {
        if (bytes > budget_) return false;
        budget_ -= bytes;
        return true;
    }

    ReportTable& table_;
    MacroDialogs& dialogs_;
    DataFileLoader* loader_;
    TableEnvironment env_;
    MacroChangeLog log_;
    std::unique_ptr<DataTree> file_;
    DataSelection current_;
    DataAddress fixed_;
    std::map<std::string, std::string> named_;
    DisplayTexts shown_;  // what expressions read from cells without a formula
    bool displayStale_ = true;  // the table changed since shown_ was drawn
    std::size_t budget_ = kWriteBudget;
};

}  // namespace

MacroEnd RunMacro(ReportTable& table, CellKey cell, MacroDialogs& dialogs, DataFileLoader* loader,
                  const TableEnvironment& env) {
    auto it = table.macros.find(cell);
    if (it == table.macros.end()) return MacroEnd::NoMacro;
    const std::string macro = it->second;  // the run may move or delete the cell
    // A macro may insert or delete rows or columns by the thousand: references are
    // brought up to date when something reads them and at the end of the run.
    struct DeferredShifts {
        ReportTable& table;
        explicit DeferredShifts(ReportTable& t) : table(t) { table.deferReferenceShifts(); }
        ~DeferredShifts() { table.endDeferredShifts(); }
    } deferred(table);
    return MacroRun(table, dialogs, loader, env).run(macro);
}

}  // namespace phonotab
