// The shape of one file type's records, derived from its telemetry entry:
// where each field lies and how large the channels' value tables are.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/base/Result.h"
#include "core/measurement/FieldCode.h"
#include "core/measurement/MeasurementRecord.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

struct RecordLayout {
    std::uint32_t typeCode = 0;
    std::vector<FieldCode> codes;
    std::uint32_t octaveBandNameEntry = 0, furtherLevelNameEntry = 0;  // as in the type's description
    std::array<std::uint32_t, 3> reservedWords{};
    std::uint32_t statEntriesPerChannel = 0;
    double reference = 0.0, secondReference = 1.0;
    std::vector<FieldCode> statisticsCodes;  // code k names the quantity of statistics entry k
    std::array<std::string, 6> titles;
    std::map<std::uint32_t, std::string> detectorNames;
    std::uint32_t recordSize = 0;
    int selectorCount = 1;
    int channelCount = 1;
    std::array<int, kFamilies> bandCount{};
    std::array<int, kFamilies> detectorCount{};
    int percentPoints = 0;
    int typeCheckOffset = -1;
    bool longIndex = false;

    // Points of each frequency axis (0 when no code addresses the axis).
    std::array<int, kFamilies> axisPoints{};
    // Bins per histogram piece: the number of 0x7024 fields (largest position + 1).
    int histogramPieceBins = 0;

    int statEntries() const { return static_cast<int>(statEntriesPerChannel); }
    int pointsPerEntry() const { return statEntries() > 0 ? percentPoints / statEntries() : 0; }
    // Offset of a field code in a record (first match), or -1.
    int offsetOf(FieldCode code) const;
    // Offset of a measured value: the code of kind 0x1fc, else of kind 0x2fc,
    // both with encoding nibble 0; -1 when the type has neither.
    int measuredValueOffset(int channel, int family, int detector, int band) const;
    // The code whose field holds the value (for its encoding), or 0.
    FieldCode measuredValueCode(int channel, int family, int detector, int band) const;

    // A record sized for this layout: value tables of no-value marks, statistics
    // entries, frequency axes.
    void sizeRecord(MeasurementRecord& record) const;
    // The values such a record holds (value tables, statistics entries with
    // their histograms and points, frequency axes).
    std::size_t recordValues() const;
    // Puts the no-value mark back into every value cell of a sized record, so
    // that it can receive the next record without being sized again.
    void clearValues(MeasurementRecord& record) const;

    std::unordered_map<FieldCode, int> offsets;  // first offset of each code
};

// Builds the layout of a type. Refused with message 132 when the type has no
// entry or no codes, or a measured-value code names a channel above 3 or a
// family outside 1..3.
Result<RecordLayout> BuildLayout(const TeleDesc& desc, std::uint32_t typeCode);

// The layout of a CBF file, whose fields come from the file's own descriptors.
RecordLayout BuildCbfLayout(std::vector<FieldCode> codes, std::uint16_t typeCode);

}  // namespace phonotab
