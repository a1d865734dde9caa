// Parameter codes of the older numbering (table files before version 12, project
// selections of version 2) converted into today's parameter codes.
#pragma once

#include <cstdint>

namespace phonotab {

// old: the old parameter id; x: the low byte of the companion value; fileType:
// the data source's file-type code (60001 and above count from 60000). A file
// type of 0 gives 0.
std::int32_t ConvertLegacyParameterId(std::int32_t old, std::int32_t x, std::int32_t fileType);

}  // namespace phonotab
