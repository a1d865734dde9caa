#include "core/tables/CellHint.h"

#include <charconv>

#include "core/base/CFormat.h"
#include "core/base/TextIds.h"
#include "core/base/Message.h"
#include "core/tables/formula/ShiftReferences.h"

namespace phonotab {

namespace {
std::string bookHint(const std::string& formula, const ReferenceBookEntries* books) {
    if (!books || !isReferenceBookFormula(formula)) return formula;
    const std::size_t second = formula.find('#', 1);
    const std::string book = formula.substr(1, second - 1);
    std::string_view rest = std::string_view(formula).substr(second + 1);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '+')) rest.remove_prefix(1);
    long long index = 0;
    if (std::from_chars(rest.data(), rest.data() + rest.size(), index).ec != std::errc()) return formula;
    const std::optional<std::string> text = books->referenceText(book, index);
    if (!text) return formula;
    if (!text->empty()) return book + ", " + *text;
    const std::optional<double> value = books->referenceValue(book, index);
    return value ? book + ", " + cformat("%.2lf", *value) : formula;
}

std::string bindingHint(const CellBinding& b, const ProjectSourceList* sources) {
    const std::optional<std::string> path = sources ? sources->sourceFilePath(b.sourceName) : std::nullopt;
    if (!path) return Message(msg::NoSuchSource, b.sourceName).text();
    return b.sourceName + " [" + *path + "]: " + sources->parameterDescription(b.sourceName, b.parameterCode) + " " +
           bindingItemName(b, sources);
}

std::string textHint(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // "\r\n" is one break
        out.push_back(text[i] == '\r' || text[i] == '\n' ? ' ' : text[i]);
    }
    return out;
}

}  // namespace

std::string bindingItemName(const CellBinding& b, const ProjectSourceList* sources) {
    if (b.itemIndex < CellBinding::FirstPercentile) {
        // 5610 to 5614: the source's name, minimum, maximum, Leq, Leq time.
        const int item = b.itemIndex < CellBinding::SourceName ? CellBinding::SourceName : b.itemIndex;
        return tr(text::CellHintSourceName + 1 + item);
    }
    const std::optional<double> level =
        sources ? sources->sourcePercentile(b.sourceName, b.itemIndex - CellBinding::FirstPercentile) : std::nullopt;
    if (!level) return Message(text::CellHintPercentile).text();
    return Message(text::CellHintPercentile, *level).text();
}

std::string CellHintText(const ReportTable& table, CellKey cell, const CellHintEnvironment& env) {
    std::string hint;
    if (auto f = table.formulas.find(cell); f != table.formulas.end()) {
        hint = !f->second.text.empty() && f->second.text[0] == '#' ? bookHint(f->second.text, env.books)
                                                                   : f->second.text;
    } else if (auto b = table.bindings.find(cell); b != table.bindings.end()) {
        hint = bindingHint(b->second, env.sources);
    } else if (auto t = table.texts.find(cell); t != table.texts.end()) {
        hint = textHint(t->second);
    }
    if (table.macros.count(cell)) hint += (hint.empty() ? "(" : " (") + tr(text::CellHintDoubleClick) + ")";
    return hint;
}

}  // namespace phonotab
