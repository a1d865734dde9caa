#include "core/tables/formula/ShiftReferences.h"

#include <string_view>

#include "core/tables/formula/ReferenceTokens.h"

namespace phonotab {

namespace {

using namespace reftoken;

enum class Mode { References, ShowHideArguments, CopyArguments };

}  // namespace

bool isReferenceBookFormula(std::string_view text) {
    if (text.empty() || text[0] != '#') return false;
    const std::size_t second = text.find('#', 1);
    if (second == std::string_view::npos) return false;
    std::string_view rest = text.substr(second + 1);
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!rest.empty() && blank(rest.front())) rest.remove_prefix(1);
    while (!rest.empty() && blank(rest.back())) rest.remove_suffix(1);
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) rest.remove_prefix(1);
    if (rest.empty()) return false;
    for (char c : rest)
        if (!isDigit(c)) return false;
    return true;
}

std::string columnLetters(int column) {
    std::string s;
    if (column < 26) {
        s.push_back(static_cast<char>('A' + column));
    } else {
        s.push_back(static_cast<char>('A' + column / 26 - 1));
        s.push_back(static_cast<char>('A' + column % 26));
    }
    return s;
}

void ShiftReferences(std::string& text, std::optional<CellRect> filter, int dc, int dr, bool insertDeleteMode,
                     bool honourFixing) {
    // A reference-book formula names a book, not cells.
    if (isReferenceBookFormula(text)) return;
    const int cornerColumn = filter ? filter->left : 0;
    const int cornerRow = filter ? filter->top : 0;

    std::string out;
    out.reserve(text.size() + 8);
    Mode mode = Mode::References;
    bool nextIsSecondEnd = false;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char ch = text[i];
        if (ch == '{') {  // a data address of a macro stays as it is
            const std::size_t close = text.find('}', i);
            const std::size_t end = close == std::string::npos ? n : close + 1;
            out.append(text, i, end - i);
            i = end;
            continue;
        }
        const bool signAfterColon = (ch == '+' || ch == '-') && i > 0 && text[i - 1] == ':';
        if (!isTokenChar(ch) && !signAfterColon) {
            if (ch == ';') mode = Mode::References;
            if (ch == ':') nextIsSecondEnd = true;
            out.push_back(ch);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < n && isTokenChar(text[j])) ++j;
        const std::string_view token(text.data() + i, j - i);
        const bool afterHash = i > 0 && text[i - 1] == '#';
        const bool secondEnd = nextIsSecondEnd;
        const bool firstEnd = j < n && text[j] == ':';
        nextIsSecondEnd = false;
        i = j;

        if (token == "RSHOW" || token == "RHIDE") {
            mode = Mode::ShowHideArguments;
            out.append(token);
            continue;
        }
        if (token == "INSCP" || token == "DELCP" || token == "SCOPY") {
            mode = Mode::CopyArguments;
            out.append(token);
            continue;
        }
        if (afterHash) {  // "#NAME": a macro value or a book, never a cell
            out.append(token);
            continue;
        }

        if (mode != Mode::References) {
            // Row and column arguments of the macro commands.
            if (!insertDeleteMode || token[0] == '+' || token[0] == '-') {
                out.append(token);
                continue;
            }
            int number = 0;
            int index = 0, delta = 0, corner = 0;
            bool isRow = false;
            if (parseSmallNumber(token, number)) {
                isRow = true;
                index = number - 1;
                delta = dr;
                corner = cornerRow;
            } else if (allLetters(token)) {
                index = lettersToColumn(token);
                delta = dc;
                corner = cornerColumn;
            } else {
                out.append(token);
                continue;
            }
            if (index < corner || delta == 0) {
                out.append(token);
                continue;
            }
            const int moved = index + delta;
            if (moved < corner || moved < 0 || (!isRow && moved > MaxReferenceColumn)) {
                if (mode == Mode::CopyArguments) out.append(token);
                continue;  // show/hide arguments that leave the table are dropped
            }
            out.append(isRow ? std::to_string(moved + 1) : columnLetters(moved));
            continue;
        }

        ParsedReference ref;
        if (!parseReference(token, ref) || (filter && !filter->contains(ref.column, ref.row))) {
            out.append(token);
            continue;
        }
        const int column = (honourFixing && ref.columnFixed) ? ref.column : ref.column + dc;
        const int row = (honourFixing && ref.rowFixed) ? ref.row : ref.row + dr;
        if (insertDeleteMode && filter && (column < filter->left || row < filter->top)) {
            if (!secondEnd) {
                if (firstEnd)
                    out.append(token);  // the range keeps its start and shrinks from the end
                else
                    out.push_back('?');
                continue;
            }
        }
        // A column beyond "ZZ" cannot be written: such a reference is lost like one
        // moved before the first row or column.
        if (column < 0 || row < 0 || column > MaxReferenceColumn) {
            out.push_back('?');
            continue;
        }
        if (column == ref.column && row == ref.row) {
            out.append(token);
            continue;
        }
        if (ref.columnFixed) out.push_back('$');
        out += columnLetters(column);
        if (ref.rowFixed) out.push_back('$');
        out += std::to_string(row + 1);
    }
    text = std::move(out);
}

}  // namespace phonotab
