// The bands a correction zone of a file can correct, as the corrections dialog
// lists them: family 3, then family 1, then family 2, each as many bands as the
// file's layout has, with the catalogue's captions.
#pragma once

#include <string>
#include <vector>

#include "core/measurement/MeasurementFile.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

struct CorrectionBand {
    int family = 0;
    int band = 0;
    int index = 0;  // position in a zone's correction table
    std::string caption;
};

std::vector<CorrectionBand> correctionBands(const TeleDesc& desc, const RecordLayout& layout);

}  // namespace phonotab
