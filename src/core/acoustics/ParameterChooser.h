// The parameter chooser's rules: which modes (detectors or operations) and
// bands a file type offers for a type and channel, and the code and
// sub-entries of the chosen parameter.
#pragma once

#include <string>
#include <vector>

#include "core/acoustics/ParameterEntry.h"
#include "core/acoustics/ParameterName.h"

namespace phonotab {

struct ChooserBand {
    std::string text;  // band name, "гистогр. %s", "Синт. Leq по гистогр. %s" or "first - last"
    FieldCode code = 0;
    int count = 1;     // bands taken from this item on (the "все" item takes them all)
};

class ParameterChooser {
public:
    ParameterChooser(NamingContext naming, bool histogramMode) : naming_(naming), histogramMode_(histogramMode) {}

    // Types 1 to 3 name families 1 to 3 of a channel: 0x01000000 | t << 20 | c << 16.
    // Types 4 to 6 address the instrument's second code range: the family is
    // t − 3, the channel the low nibble of the selection, bits 24–31 are
    // (selection >> 8) | 1.
    static FieldCode prefix(int type, int channelSelection);
    // The caption of a type in the chooser's type list: types 1 to 3 by their
    // family's title; types 4 to 6 by their own title (titles 4 to 6 of the
    // telemetry description) or, when it gives none, by the family's title
    // marked as the family's values stored as 16-bit decibels, which is what
    // those types list under the channel selections the chooser offers.
    // A type without any title is captioned by its number.
    static std::string typeCaption(const RecordLayout& layout, int type);

    // Detector or operation indices (bits 15–8) of the type's codes with this prefix.
    std::vector<int> modes(int type, int channelSelection) const;
    // The bands of the chosen mode below the family's band count; in histogram
    // mode also the stored-histogram and synthesized-Leq items of each code.
    // all: one item for every band ("%s - %s").
    std::vector<ChooserBand> bands(int type, int channelSelection, int mode, bool all = false) const;

    // A new entry for the chosen item: count − 1 sub-entries for the following
    // bands (code + 1, + 2 ...), an empty display name.
    static ParameterEntry build(const ChooserBand& item, int count);

private:
    std::vector<FieldCode> matching(int type, int channelSelection) const;
    NamingContext naming_;
    bool histogramMode_;
};

}  // namespace phonotab
