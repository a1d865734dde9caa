#include "measurement/RecordDecoder.h"

#include <cmath>
#include <vector>

#include "base/TextCodec.h"
#include "measurement/DeviceName.h"

namespace phonotab {

double decodeMeasuredValue(FieldCode code, const std::uint8_t* p) {
    switch (field::encoding(code)) {
        case 0: return loadU16(p) / 256.0;
        case 5: return static_cast<std::int32_t>(loadU32(p)) / 65536.0;
        case 7: return static_cast<double>(loadU32(p));
        default: return 0.0;
    }
}

namespace {

// Factors that the walk only notes and that are computed once it has ended.
struct DeferredFactors {
    std::array<bool, kMaxChannels> calibration{}, inverseC{}, factorD{};
    std::array<double, kMaxChannels> calibrationX{}, inverseCX{}, factorDX{};
};

void resetRecord(MeasurementRecord& rec) {
    rec.date = 0;
    rec.time = 0;
    rec.comment.clear();
    rec.durationSeconds = -1;
    rec.charset = 1;
    rec.rangeFlags = 0;
    rec.aux0006 = rec.aux0028 = rec.aux2022 = rec.aux4010 = rec.aux4012 = rec.aux401E = 0;
    for (auto& ch : rec.channels) {
        ch.overloadState = 0;
        ch.underloadFlag = 0;
        ch.calibrationDb = 0.0;
        ch.factorC = ch.factorB = ch.inverseFactorC = ch.factorD = ch.calibrationFactor = ch.factorB2 = 0.0;
    }
}

// The channel a calibration-type field addresses: selector (bits 15–8) − 1 when
// the selector lies in 1..selectorCount, else the channel in bits 7–0.
// fromLow tells which rule applied; -1 when the channel does not exist.
int calibrationChannel(FieldCode c, int selectorCount, bool& fromLow) {
    const int sel = static_cast<int>((c >> 8) & 0xFF);
    int ch;
    if (sel >= 1 && sel <= selectorCount) {
        ch = sel - 1;
        fromLow = false;
    } else {
        ch = static_cast<int>(c & 0xFF);
        fromLow = true;
    }
    return ch < kMaxChannels ? ch : -1;
}

int lowChannel(FieldCode c) {
    const int ch = static_cast<int>(c & 0xFF);
    return ch < kMaxChannels ? ch : -1;
}

void storeFrequencyPoint(MeasurementRecord& rec, FieldCode c, double rawValue, unsigned id,
                         std::array<bool, kFamilies>& interpolate) {
    const unsigned sel = (c >> 12) & 0xF;
    if (sel < 1 || sel > 6) return;
    const int axis = static_cast<int>((sel - 1) % 3);
    const double base = sel <= 3 ? 1152000.0 : 96000.0;
    double value = rawValue;
    if (id == field::kFrequencyDiv256) value = rawValue / 256.0;
    if (id == field::kFrequencyFraction) value = base * rawValue * std::ldexp(1.0, -32);
    auto& points = rec.frequencyAxes[axis];
    const unsigned idx = c & 0xFFF;
    std::size_t pos;
    if (idx == 0xFFE) {
        pos = 0;
    } else if (idx == 0xFFF) {
        pos = 1;
        interpolate[axis] = true;
    } else {
        pos = idx;
    }
    if (pos < points.size()) points[pos] = value;
}

}  // namespace

std::uint16_t DecodeRecord(const RecordLayout& layout, ByteSpan bytes, bool accumulate, MeasurementRecord& rec) {
    resetRecord(rec);
    DeferredFactors deferred;
    std::array<bool, kFamilies> interpolate{};
    bool pieceStarted = false;
    std::uint32_t pieceStart = 0;
    std::vector<std::pair<int, std::uint32_t>> pieceBins;
    std::uint16_t typeCheck = rec.typeCode;
    const int pointsPerEntry = layout.pointsPerEntry();

    std::size_t offset = 0;
    for (FieldCode c : layout.codes) {
        const unsigned size = field::size(c);
        if (bytes.size() < offset + size) break;
        const std::uint8_t* p = bytes.data() + offset;
        offset += size;
        if (c == 0) continue;

        if (field::isMeasuredValue(c)) {
            const unsigned ch = field::channel(c);
            const unsigned fam = field::family(c);
            if (ch > 3 || fam < 1 || fam > 3) continue;
            double* cell = rec.channels[ch].families[fam - 1].cell(static_cast<int>(field::detector(c, layout.longIndex)),
                                                                  static_cast<int>(field::band(c, layout.longIndex)));
            if (!cell) continue;
            const double v = decodeMeasuredValue(c, p);
            if (!accumulate)
                *cell = v;
            else if (*cell != kNoValue)
                *cell += std::pow(10.0, 0.1 * v);
            continue;
        }

        const unsigned id = field::identity(c);
        switch (id) {
            case field::kDate: rec.date = loadU16(p); break;
            case field::kTime:
                rec.time = loadU16(p);
                rec.rangeFlags &= 0x7FFF;
                break;
            case field::kAux0006: rec.aux0006 = loadU16(p); break;
            case field::kPercentileLevel: {
                const int ch = static_cast<int>((c >> 12) & 0xF);
                if (pointsPerEntry <= 0 || ch >= kMaxChannels) break;
                const int idx = static_cast<int>(c & 0xFF);
                const std::size_t entry = static_cast<std::size_t>(idx / pointsPerEntry);
                const std::size_t point = static_cast<std::size_t>(idx % pointsPerEntry);
                auto& stats = rec.channels[ch].statistics;
                if (entry < stats.size() && point < stats[entry].points.size())
                    stats[entry].points[point].level = loadU16(p) / 256.0;
                break;
            }
            case field::kAux0028: rec.aux0028 = loadU16(p); break;
            case field::kAux200E: rec.aux200E = loadU16(p); break;
            case field::kAux200E32: rec.aux200E = loadU32(p); break;
            case field::kRangeFlags: rec.rangeFlags = static_cast<std::uint16_t>((rec.rangeFlags & 0x8000) | loadU16(p)); break;
            case field::kCharset: rec.charset = static_cast<std::uint8_t>(loadU16(p) & 0xFF); break;
            case field::kTypeCheck:
                typeCheck = loadU16(p);
                if (typeCheck != rec.typeCode) goto walkEnded;
                break;
            case field::kInstrumentCode: rec.instrumentCode = loadU16(p); break;
            case field::kRangeByte: {
                const unsigned b = loadU16(p) & 3;
                const unsigned r = b == 3 ? 3 : 2 - b;
                rec.rangeFlags = static_cast<std::uint16_t>((rec.rangeFlags & 0x8000) | r);
                break;
            }
            case field::kAux2022: rec.aux2022 = loadU16(p); break;
            case field::kBlockCounter: {
                const std::uint16_t v = loadU16(p);
                if (v != rec.blockCounterLow) {
                    rec.blockCounter += static_cast<std::uint16_t>(v - rec.blockCounterLow);
                    rec.blockCounterLow = v;
                }
                ++rec.blockCounterLow;
                break;
            }
            case field::kCalibration16: {
                bool fromLow;
                const int ch = calibrationChannel(c, layout.selectorCount, fromLow);
                if (ch >= 0) rec.channels[ch].calibrationDb = static_cast<std::int16_t>(loadU16(p)) / 256.0;
                break;
            }
            case field::kAux4010: rec.aux4010 = loadU16(p); break;
            case field::kAux4012: rec.aux4012 = loadU16(p); break;
            case field::kOverload:
                if (lowChannel(c) >= 0) rec.channels[lowChannel(c)].overloadState = loadU16(p);
                break;
            case field::kUnderload:
                if (lowChannel(c) >= 0) rec.channels[lowChannel(c)].underloadFlag = loadU16(p);
                break;
            case field::kAux401E: rec.aux401E = loadU16(p); break;
            case field::kSerialNumber: rec.vin = loadU32(p); break;
            case field::kPackedDateTime: {
                const CalendarTime t = fromPackedDateTime(loadU32(p));
                rec.date = dosDate(t);
                rec.time = dosTime(t);
                rec.rangeFlags = static_cast<std::uint16_t>((rec.rangeFlags & 0x7FFF) | ((t.second & 1) << 15));
                break;
            }
            case field::kDurationSeconds: rec.durationSeconds = static_cast<std::int32_t>(loadU32(p)); break;
            case field::kCalibration32:
            case field::kFactorB:
            case field::kFactorC: {
                const double x = static_cast<std::int32_t>(loadU32(p)) / 65536.0;
                bool fromLow;
                const int ch = calibrationChannel(c, layout.selectorCount, fromLow);
                const int low = lowChannel(c);
                const bool alsoLow = (fromLow || ((c >> 8) & 0xFF) == 2) && low >= 0;
                if (id == field::kCalibration32) {
                    if (ch >= 0) rec.channels[ch].calibrationDb = x;
                    if (alsoLow) deferred.calibration[low] = true, deferred.calibrationX[low] = x;
                } else if (id == field::kFactorB) {
                    if (ch >= 0) rec.channels[ch].factorB = std::pow(10.0, x);
                    if (alsoLow) rec.channels[low].factorB2 = std::pow(10.0, x);
                } else {
                    if (ch >= 0) rec.channels[ch].factorC = std::pow(10.0, x);
                    if (alsoLow) deferred.inverseC[low] = true, deferred.inverseCX[low] = x;
                }
                break;
            }
            case field::kFactorD:
                if (lowChannel(c) >= 0) {
                    deferred.factorD[lowChannel(c)] = true;
                    deferred.factorDX[lowChannel(c)] = static_cast<std::int32_t>(loadU32(p)) / 65536.0;
                }
                break;
            case field::kPercentLabel: {
                if (pointsPerEntry <= 0) break;
                const std::uint32_t stored = loadU16(p);
                const int pct = static_cast<int>((((stored * 100) >> 15) + 1) >> 1);
                const std::size_t point = (c & 0xFF) % static_cast<unsigned>(pointsPerEntry);
                for (auto& ch : rec.channels)
                    for (auto& e : ch.statistics)
                        if (point < e.points.size()) e.points[point].label = "L" + std::to_string(pct);
                break;
            }
            case field::kAux701D: rec.aux701D = loadU32(p); break;
            case field::kFrequencyRaw:
            case field::kFrequencyDiv256: storeFrequencyPoint(rec, c, static_cast<double>(loadU32(p)), id, interpolate); break;
            case field::kFrequencyFraction: storeFrequencyPoint(rec, c, static_cast<double>(loadU32(p)), id, interpolate); break;
            case field::kHistogramPieceStart:
                pieceStarted = true;
                pieceStart = loadU32(p);
                break;
            case field::kHistogramBin: pieceBins.emplace_back(static_cast<int>(c & 0xFF), loadU32(p)); break;
            case field::kAux800F: rec.aux800F = static_cast<std::int32_t>(loadU32(p)) / 256.0; break;
            case field::kDeviceName: rec.comment = DecodeDeviceName(ByteSpan(p, 10), rec.charset); break;
            case field::kUnicodeComment: {
                std::u16string units;
                for (int i = 0; i < 32; ++i) {  // the 33rd unit is the forced terminator
                    const char16_t u = loadU16(p + 2 * i);
                    if (u == 0) break;
                    units.push_back(u);
                }
                rec.comment = utf16ToUtf8(units);
                break;
            }
            case field::kDurationHms: {
                const std::uint16_t hours = loadU16(p + 4);
                rec.durationSeconds = hours > 255 ? -1
                                                  : (loadU16(p) & 0xFF) + 60 * (loadU16(p + 2) & 0xFF) +
                                                        3600 * (hours & 0xFF);
                break;
            }
            default: break;
        }
    }
walkEnded:

    for (int ch = 0; ch < kMaxChannels; ++ch) {
        ChannelBlock& b = rec.channels[ch];
        if (deferred.calibration[ch]) b.calibrationFactor = std::pow(10.0, 0.05 * deferred.calibrationX[ch]);
        if (deferred.inverseC[ch]) b.inverseFactorC = std::pow(10.0, -deferred.inverseCX[ch]);
        if (deferred.factorD[ch]) b.factorD = std::pow(10.0, deferred.factorDX[ch]);
    }
    for (int a = 0; a < kFamilies; ++a) {
        auto& pts = rec.frequencyAxes[a];
        const std::size_t n = pts.size();
        if (!interpolate[a] || n < 2) continue;
        const double first = pts[0], second = pts[1];
        for (std::size_t i = 0; i < n; ++i)
            pts[i] = first + static_cast<double>(i) * (second - first) / static_cast<double>(n - 1);
    }
    // A histogram of 1024 bins arrives in pieces of k bins; the piece start
    // numbers the piece across all channels' statistics entries.
    const int k = layout.histogramPieceBins;
    if (pieceStarted && k > 0 && k <= kHistogramBins && layout.channelCount > 0) {
        const std::uint32_t piecesPerHistogram = static_cast<std::uint32_t>(kHistogramBins / k);
        const std::uint32_t h = pieceStart / piecesPerHistogram;
        const std::size_t channel = h % static_cast<std::uint32_t>(layout.channelCount);
        const std::size_t entry = h / static_cast<std::uint32_t>(layout.channelCount);
        const std::size_t first = static_cast<std::size_t>(pieceStart % piecesPerHistogram) * static_cast<std::size_t>(k);
        if (channel < kMaxChannels && entry < rec.channels[channel].statistics.size()) {
            auto& bins = rec.channels[channel].statistics[entry].histogram;
            for (const auto& [pos, value] : pieceBins) {
                const std::size_t at = first + static_cast<std::size_t>(pos);
                if (pos < k && at < bins.size()) bins[at] = value;
            }
        }
    }
    ++rec.decodeCount;
    return typeCheck;
}

}  // namespace phonotab
