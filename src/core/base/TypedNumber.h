// A number as a user types it into a field of the program: Russian users type
// a decimal comma ("2,5"), others a decimal point ("2.5"); both read alike,
// blanks around the number are allowed, and anything else (letters, two
// separators, "2,5,0", "nan", "inf") is refused with message 5102 rather than
// cut short to the digits before the comma.
#pragma once

#include <string_view>

#include "core/base/Result.h"

namespace phonotab {

Result<double> readTypedNumber(std::string_view text);

}  // namespace phonotab
