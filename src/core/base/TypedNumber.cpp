#include "core/base/TypedNumber.h"

#include <cmath>
#include <string>

#include "core/base/CFormat.h"

namespace phonotab {

Result<double> readTypedNumber(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    std::string number(text);
    // One decimal comma reads as the point; a second separator of either kind
    // makes the text no number.
    const std::size_t comma = number.find(',');
    if (comma != std::string::npos) {
        if (number.find(',', comma + 1) != std::string::npos || number.find('.') != std::string::npos)
            return Message(msg::NotANumber);
        number[comma] = '.';
    }
    double value = 0;
    const char* end = nullptr;
    if (number.empty() || !scanLg(number.c_str(), value, &end) || *end != '\0' || !std::isfinite(value))
        return Message(msg::NotANumber);
    return value;
}

}  // namespace phonotab
