// Names of parameters: the default display name of a row (also the result
// file's name part), its full name (heading the result blocks) and the band
// text (labelling the rows).
#pragma once

#include <string>

#include "core/measurement/FieldCode.h"
#include "core/measurement/MeasurementRecord.h"
#include "core/measurement/RecordLayout.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

// What a name is built from: the file type's layout and names, and the file's
// header record (its frequency axes and percentile labels).
struct NamingContext {
    const TeleDesc* desc = nullptr;
    const RecordLayout* layout = nullptr;
    const MeasurementRecord* header = nullptr;
};

struct ParameterNames {
    std::string name;      // "кан.2_63 Гц_Быстро": parts joined with "_"
    std::string fullName;  // "канал 2, 63 Гц, Быстро": parts joined with ", "
    std::string bandText;  // "63 Гц"
};

// The channel part appears only when the instrument has more than one channel.
// A band taken from the record's frequency axis is its frequency with the unit "Гц".
ParameterNames ParameterName(FieldCode code, const NamingContext& ctx);

}  // namespace phonotab
