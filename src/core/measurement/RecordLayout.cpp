#include "core/measurement/RecordLayout.h"

#include <algorithm>

namespace phonotab {

namespace {

constexpr std::uint32_t kMaxStatEntries = 256;

bool isCalibrationSelectorField(unsigned identity) {
    return identity == field::kCalibration16 || identity == field::kCalibration32 ||
           identity == field::kFactorB || identity == field::kFactorC;
}

// Fills counts and offsets from the code list. Returns false when a measured
// value names a channel or family the value tables cannot hold (such a code is
// left out of the counts).
bool scanCodes(RecordLayout& l) {
    long offset = 0;
    int maxChannel = 0;
    int maxSelector = 1;
    int maxPercentIndex = -1;
    int maxBinPosition = -1;
    std::array<int, kFamilies> maxAxisIndex{-1, -1, -1};
    std::array<bool, kFamilies> axisUsed{};
    bool valid = true;
    for (FieldCode c : l.codes) {
        if (!l.offsets.count(c) && offset <= 0x7FFFFFFF) l.offsets.emplace(c, static_cast<int>(offset));
        offset += field::size(c);
        if (c == 0) continue;
        const unsigned id = field::identity(c);
        if (field::isMeasuredValue(c)) {
            const unsigned fam = field::family(c);
            const unsigned ch = field::channel(c);
            if (ch > 3 || fam < 1 || fam > 3) {
                valid = false;
                continue;
            }
            maxChannel = std::max(maxChannel, static_cast<int>(ch));
            const int f = static_cast<int>(fam) - 1;
            l.detectorCount[f] =
                std::max(l.detectorCount[f], static_cast<int>(field::detector(c, l.longIndex)) + 1);
            l.bandCount[f] = std::max(l.bandCount[f], static_cast<int>(field::band(c, l.longIndex)) + 1);
            continue;
        }
        if (id == field::kPercentPointIndex || id == field::kPercentileLevel) {
            maxPercentIndex = std::max(maxPercentIndex, static_cast<int>(c & 0xFF));
        } else if (id == field::kHistogramBin) {
            maxBinPosition = std::max(maxBinPosition, static_cast<int>(c & 0xFF));
        } else if (id == field::kFrequencyRaw || id == field::kFrequencyDiv256 || id == field::kFrequencyFraction) {
            const unsigned sel = (c >> 12) & 0xF;
            if (sel >= 1 && sel <= 6) {
                const int axis = static_cast<int>((sel - 1) % 3);
                axisUsed[axis] = true;
                const int idx = static_cast<int>(c & 0xFFF);
                // 0xFFE and 0xFFF mark the first and second point, not indices.
                if (idx < 0xFFE) maxAxisIndex[axis] = std::max(maxAxisIndex[axis], idx);
            }
        } else if (isCalibrationSelectorField(id)) {
            maxSelector = std::max(maxSelector, static_cast<int>((c >> 8) & 0xFF));
        }
    }
    l.channelCount = maxChannel + 1;
    l.percentPoints = maxPercentIndex + 1;
    l.histogramPieceBins = maxBinPosition + 1;
    for (int a = 0; a < kFamilies; ++a)
        l.axisPoints[a] = axisUsed[a] ? std::max(maxAxisIndex[a] + 1, 2) : 0;
    // The selector count is the highest channel selector (bits 15–8) that the
    // type's calibration and factor fields use, 1 to 4; instruments with several
    // channels address those fields by channel number instead.
    l.selectorCount = std::clamp(maxSelector, 1, 4);
    if (l.channelCount > 1) l.selectorCount = 1;
    return valid;
}

}  // namespace

int RecordLayout::offsetOf(FieldCode code) const {
    auto it = offsets.find(code);
    return it == offsets.end() ? -1 : it->second;
}

FieldCode RecordLayout::measuredValueCode(int channel, int family, int detector, int band) const {
    if (channel < 0 || channel > 3 || family < 1 || family > 3 || detector < 0 || band < 0) return 0;
    for (unsigned high : {0x1u, 0x2u}) {
        const FieldCode c = field::measuredCode(high, static_cast<unsigned>(family), static_cast<unsigned>(channel),
                                                static_cast<unsigned>(detector), static_cast<unsigned>(band),
                                                longIndex);
        if (offsets.count(c)) return c;
    }
    return 0;
}

int RecordLayout::measuredValueOffset(int channel, int family, int detector, int band) const {
    const FieldCode c = measuredValueCode(channel, family, detector, band);
    return c ? offsetOf(c) : -1;
}

void RecordLayout::sizeRecord(MeasurementRecord& record) const {
    record.typeCode = static_cast<std::uint16_t>(typeCode);
    const int points = pointsPerEntry();
    for (auto& ch : record.channels) {
        for (int f = 0; f < kFamilies; ++f) {
            FamilyTable& t = ch.families[f];
            t.detectors = detectorCount[f];
            t.bands = bandCount[f];
            t.cells.assign(static_cast<std::size_t>(t.detectors) * t.bands, kNoValue);
        }
        ch.statistics.assign(static_cast<std::size_t>(std::max(statEntries(), 0)), StatisticsEntry{});
        for (auto& e : ch.statistics) e.points.assign(static_cast<std::size_t>(points), PercentPoint{});
    }
    for (int a = 0; a < kFamilies; ++a) record.frequencyAxes[a].assign(static_cast<std::size_t>(axisPoints[a]), 0.0);
}

std::size_t RecordLayout::recordValues() const {
    std::size_t perChannel = 0;
    for (int f = 0; f < kFamilies; ++f)
        perChannel += static_cast<std::size_t>(std::max(detectorCount[f], 0)) * static_cast<std::size_t>(std::max(bandCount[f], 0));
    perChannel += static_cast<std::size_t>(std::max(statEntries(), 0)) *
                  (kHistogramBins + static_cast<std::size_t>(std::max(pointsPerEntry(), 0)));
    std::size_t axes = 0;
    for (int a = 0; a < kFamilies; ++a) axes += static_cast<std::size_t>(std::max(axisPoints[a], 0));
    return kMaxChannels * perChannel + axes;
}

void RecordLayout::clearValues(MeasurementRecord& record) const {
    for (auto& ch : record.channels)
        for (auto& f : ch.families) std::fill(f.cells.begin(), f.cells.end(), kNoValue);
}

Result<RecordLayout> BuildLayout(const TeleDesc& desc, std::uint32_t typeCode) {
    const TeleTypeEntry* t = desc.type(typeCode);
    if (!t) return Message(msg::UnknownFileType);
    RecordLayout l;
    l.typeCode = typeCode;
    l.codes = t->codes;
    l.octaveBandNameEntry = t->octaveBandNameEntry;
    l.furtherLevelNameEntry = t->furtherLevelNameEntry;
    l.reservedWords = t->reservedWords;
    l.statEntriesPerChannel = t->statEntries;
    l.reference = t->reference;
    l.secondReference = t->secondReference;
    l.statisticsCodes = t->statisticsCodes;
    l.titles = t->titles;
    l.detectorNames = t->detectorNames;
    l.recordSize = t->recordSize;
    l.longIndex = t->longIndex;
    l.typeCheckOffset = t->typeCheckOffset;
    if (!scanCodes(l)) return Message(msg::UnknownFileType);
    // Statistics entries beyond what a record could describe are a damaged
    // description; they are capped so that sizing a record stays bounded.
    if (l.statEntriesPerChannel > kMaxStatEntries) l.statEntriesPerChannel = kMaxStatEntries;
    return l;
}

RecordLayout BuildCbfLayout(std::vector<FieldCode> codes, std::uint16_t typeCode) {
    RecordLayout l;
    l.typeCode = typeCode;
    l.codes = std::move(codes);
    (void)scanCodes(l);  // channels and families outside the tables are just not stored
    long size = 0;
    for (FieldCode c : l.codes) size += field::size(c);
    l.recordSize = static_cast<std::uint32_t>(std::min<long>(size, 0xFFFFFFFF));
    l.typeCheckOffset = l.offsetOf(kTypeCheckField);
    return l;
}

}  // namespace phonotab
