#include "core/base/DecimalComma.h"

namespace phonotab {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Where the decimal point of a line stands when the line is a number as a
// whole with a decimal point (std::string_view::npos otherwise).
std::size_t decimalPointOfNumber(std::string_view line) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n && isBlank(line[i])) ++i;
    if (i < n && (line[i] == '-' || line[i] == '+')) ++i;
    const std::size_t integerStart = i;
    while (i < n && isDigit(line[i])) ++i;
    if (i == integerStart || i >= n || line[i] != '.') return std::string_view::npos;
    const std::size_t point = i++;
    const std::size_t fractionStart = i;
    while (i < n && isDigit(line[i])) ++i;
    if (i == fractionStart) return std::string_view::npos;
    if (i < n && (line[i] == 'e' || line[i] == 'E')) {
        ++i;
        if (i < n && (line[i] == '-' || line[i] == '+')) ++i;
        const std::size_t exponentStart = i;
        while (i < n && isDigit(line[i])) ++i;
        if (i == exponentStart) return std::string_view::npos;
    }
    while (i < n && isBlank(line[i])) ++i;
    return i == n ? point : std::string_view::npos;
}

}  // namespace

std::string withDecimalComma(std::string_view text) {
    std::string out(text);
    std::size_t start = 0;
    while (start <= out.size()) {
        std::size_t end = out.find_first_of("\r\n", start);
        if (end == std::string::npos) end = out.size();
        const std::size_t point = decimalPointOfNumber(std::string_view(out).substr(start, end - start));
        if (point != std::string_view::npos) out[start + point] = ',';
        if (end == out.size()) break;
        start = end + (out.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return out;
}

}  // namespace phonotab
