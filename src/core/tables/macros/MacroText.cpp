#include "core/tables/macros/MacroText.h"

namespace phonotab {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

template <typename Keep>
std::vector<std::string> splitTrimmed(std::string_view text, std::string_view separator, Keep keep) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t next = text.find(separator, pos);
        const std::string_view part = trimMacroBlanks(text.substr(pos, next == std::string_view::npos ? text.npos : next - pos));
        if (keep(part)) out.emplace_back(part);
        if (next == std::string_view::npos) break;
        pos = next + separator.size();
    }
    return out;
}

}  // namespace

std::string_view trimMacroBlanks(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool startsWithWord(std::string_view text, std::size_t pos, std::string_view word) {
    if (pos > text.size() || text.size() - pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (upper(text[pos + i]) != upper(word[i])) return false;
    return true;
}

std::string StripMacroText(std::string_view macro) {
    std::string joined;
    joined.reserve(macro.size());
    for (char c : macro)
        if (c != '\n' && c != '\r') joined.push_back(c);
    std::string out;
    out.reserve(joined.size());
    std::size_t pos = 0;
    while (pos < joined.size()) {
        const std::size_t open = joined.find("/*", pos);
        if (open == std::string::npos) {
            out.append(joined, pos, std::string::npos);
            break;
        }
        out.append(joined, pos, open - pos);
        const std::size_t close = joined.find("*/", open + 2);
        if (close == std::string::npos) break;
        pos = close + 2;
    }
    return out;
}

std::vector<std::string> SplitMacroVariants(std::string_view text) {
    return splitTrimmed(text, "---", [](std::string_view p) { return !p.empty(); });
}

std::vector<std::string> SplitMacroStatements(std::string_view text) {
    return splitTrimmed(text, ";", [](std::string_view p) { return !p.empty(); });
}

std::vector<std::string> SplitChoiceItems(std::string_view body) {
    return splitTrimmed(body, ",", [](std::string_view) { return true; });
}

ConstructSearch FindMacroConstruct(std::string_view text, std::string_view keyword, std::size_t from,
                                   MacroConstruct& out) {
    for (std::size_t pos = text.find('{', from); pos != std::string_view::npos; pos = text.find('{', pos + 1)) {
        if (pos < from + keyword.size() || !startsWithWord(text, pos - keyword.size(), keyword)) continue;
        const std::size_t close = text.find('}', pos + 1);
        if (close == std::string_view::npos) return ConstructSearch::Unbalanced;
        out.begin = pos - keyword.size();
        out.end = close + 1;
        out.body = std::string(text.substr(pos + 1, close - pos - 1));
        return ConstructSearch::Found;
    }
    return ConstructSearch::None;
}

}  // namespace phonotab
