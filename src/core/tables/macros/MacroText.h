// Reading the text of a cell macro: comments, variants, the "KEY{...}"
// constructs and the statements. Pure text work; running is MacroRunner's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace phonotab {

// Removes line feeds and carriage returns, then every comment from "/*" to the
// following "*/" (an unclosed comment runs to the end).
std::string StripMacroText(std::string_view macro);

// The variants between "---" separators, trimmed; empty ones are dropped.
std::vector<std::string> SplitMacroVariants(std::string_view text);

// A construct "KEY{body}" found in a macro text; [begin, end) covers all of it.
struct MacroConstruct {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string body;
};

enum class ConstructSearch { None, Found, Unbalanced };

// The first construct at or after `from` whose keyword (matched in either case;
// empty for a plain "{" block) is directly followed by "{". Unbalanced when its
// "}" is missing.
ConstructSearch FindMacroConstruct(std::string_view text, std::string_view keyword, std::size_t from,
                                   MacroConstruct& out);

// The statements between ";" separators, trimmed; empty ones are dropped.
std::vector<std::string> SplitMacroStatements(std::string_view text);

// The items of a choice "title,option,option..." trimmed, title first.
std::vector<std::string> SplitChoiceItems(std::string_view body);

// Blanks (space, tab) removed at both ends.
std::string_view trimMacroBlanks(std::string_view s);

// Whether text at pos starts with the word, ASCII letters compared in either case.
bool startsWithWord(std::string_view text, std::size_t pos, std::string_view word);

}  // namespace phonotab
