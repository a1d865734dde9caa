#include "core/plots/ExportName.h"

#include "core/base/CFormat.h"

namespace phonotab {

std::string automaticExportName(const CalendarTime& now, const std::string& extension,
                                const std::function<bool(const std::string&)>& taken) {
    const std::string stem = cformat("%02d%02d%02d%02d", now.day, now.hour, now.minute, now.second);
    std::string name = stem + "." + extension;
    for (int n = 2; taken && taken(name) && n < 100000; ++n) name = cformat("%s_%d.%s", stem.c_str(), n, extension.c_str());
    return name;
}

}  // namespace phonotab
