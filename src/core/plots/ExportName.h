// Names of the files a graph window exports without asking: day of month,
// hour, minute and second as two digits each ("%02d%02d%02d%02d.ext"). A name
// already taken gets a suffix "_2", "_3" ... instead of replacing that file.
#pragma once

#include <functional>
#include <string>

#include "core/base/CalendarTime.h"

namespace phonotab {

std::string automaticExportName(const CalendarTime& now, const std::string& extension,
                                const std::function<bool(const std::string&)>& taken);

}  // namespace phonotab
