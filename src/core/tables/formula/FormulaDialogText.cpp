#include "core/tables/formula/FormulaDialogText.h"

#include "core/base/MappedFile.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab {

int clampReferenceLevel(int level) { return level < 0 || level > 3 ? 0 : level; }

std::string WrapFormulaText(FormulaWrap wrap, const std::string& text, int referenceLevel) {
    static const char* const kLevelSuffix[] = {", )", ", 20E-6)", ", 1E-6)", ", 5E-8)"};
    const char* suffix = kLevelSuffix[clampReferenceLevel(referenceLevel)];
    switch (wrap) {
        case FormulaWrap::Esum: return "ESUM(" + text + ")";
        case FormulaWrap::Lin: return "LIN(" + text + suffix;
        case FormulaWrap::Log: return "LOG(" + text + suffix;
        case FormulaWrap::Wsum: return "WSUM(" + text + ", )";
        case FormulaWrap::Vatovs: return "VATOVS(" + text + ", )";
        case FormulaWrap::Max: return "MAX(" + text + ")";
        case FormulaWrap::Min: return "MIN(" + text + ")";
        case FormulaWrap::Sum: return "SUM(" + text + ")";
        case FormulaWrap::Sqrt: return "SQRT(" + text + ")";
    }
    return text;
}

std::optional<std::vector<std::string>> LoadFormulaHelp(const std::string& path) {
    std::string text;
    if (!readFileText(path, text)) return std::nullopt;
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        pos = end + 1;
    }
    return lines;
}

std::string BuiltInFormulaHelp() { return tr(text::FormulaHelpIntroduction) + tr(text::FormulaHelpFixedReferences); }

}  // namespace phonotab
