// Writing a whole file so that a failure never leaves a half-written one: the
// bytes go to a temporary file beside the target, which then takes its place.
#pragma once

#include <string>
#include <string_view>

#include "base/Result.h"

namespace phonotab {

// Replaces (or creates) the file. Failures: 105 "Не могу открыть файл '%s'" when
// the temporary file cannot be created, 5003 "Не могу записать файл '%s'" when
// writing or replacing fails; the old file is then intact.
Status writeFileReplacing(const std::string& path, std::string_view bytes);

// Creates the file only if it does not exist: false (and nothing written) when
// it does. Failures as above.
Result<bool> writeFileIfAbsent(const std::string& path, std::string_view bytes);

}  // namespace phonotab
