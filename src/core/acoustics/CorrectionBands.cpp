#include "core/acoustics/CorrectionBands.h"

#include "core/acoustics/RangeSet.h"
#include "core/measurement/Catalogue.h"

namespace phonotab {

std::vector<CorrectionBand> correctionBands(const TeleDesc& desc, const RecordLayout& layout) {
    std::vector<CorrectionBand> out;
    for (int family : {3, 1, 2}) {
        const int count = layout.bandCount[static_cast<std::size_t>(family - 1)];
        for (int band = 0; band < count; ++band) {
            const int index = correctionIndex(family, band);
            if (index < 0) break;
            out.push_back({family, band, index, bandCaption(desc, layout, nullptr, family, band, BandForm::List)});
        }
    }
    return out;
}

}  // namespace phonotab
