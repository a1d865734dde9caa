// The pieces of a formula or macro text that name rows and columns: the
// characters of a token and the reading of a cell reference ("$" optional, one
// or two letters, digits) and of a row or column argument.
#pragma once

#include <charconv>
#include <string_view>

namespace phonotab::reftoken {

inline bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isTokenChar(char c) { return isUpper(c) || isDigit(c) || c == '$' || c == '.'; }

// A reference token: optional "$", one or two letters, optional "$", digits.
struct ParsedReference {
    int column = 0;
    int row = 0;  // 0-based; "A0" gives -1
    bool columnFixed = false;
    bool rowFixed = false;
};

inline int lettersToColumn(std::string_view letters) {
    if (letters.size() == 1) return letters[0] - 'A';
    return (letters[0] - 'A' + 1) * 26 + (letters[1] - 'A');
}

// Parses up to 9 digits (longer numbers are no row of any table).
inline bool parseSmallNumber(std::string_view digits, int& out) {
    if (digits.empty() || digits.size() > 9) return false;
    for (char c : digits)
        if (!isDigit(c)) return false;
    std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return true;
}

inline bool parseReference(std::string_view t, ParsedReference& ref) {
    std::size_t i = 0;
    if (i < t.size() && t[i] == '$') {
        ref.columnFixed = true;
        ++i;
    }
    const std::size_t lettersStart = i;
    while (i < t.size() && isUpper(t[i]) && i - lettersStart < 2) ++i;
    const std::size_t letterCount = i - lettersStart;
    if (letterCount == 0) return false;
    if (i < t.size() && t[i] == '$') {
        ref.rowFixed = true;
        ++i;
    }
    int number = 0;
    if (!parseSmallNumber(t.substr(i), number)) return false;
    ref.column = lettersToColumn(t.substr(lettersStart, letterCount));
    ref.row = number - 1;
    return true;
}

inline bool allLetters(std::string_view t) {
    if (t.empty() || t.size() > 2) return false;
    for (char c : t)
        if (!isUpper(c)) return false;
    return true;
}

}  // namespace phonotab::reftoken
