#include "core/measurement/RecordDecoder.h"

#include <cmath>
#include <vector>

#include "core/base/TextCodec.h"
#include "core/measurement/DeviceName.h"

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

// What the walk over one record's fields carries from field to field and
// settles once it has ended.
struct RecordWalk {
    RecordWalk(const RecordLayout& l, MeasurementRecord& r)
        : layout(l), rec(r), pointsPerEntry(l.pointsPerEntry()), typeCheck(r.typeCode) {}

    const RecordLayout& layout;
    MeasurementRecord& rec;
    const int pointsPerEntry;
    std::uint16_t typeCheck;  // the type-check field's value; the record's type without one
    DeferredFactors deferred;
    std::array<bool, kFamilies> interpolate{};
    bool pieceStarted = false;
    std::uint32_t pieceStart = 0;
    std::vector<std::pair<int, std::uint32_t>> pieceBins;
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

// A level of a channel's value table, stored as the level or, accumulating,
// added as its energy.
void decodeMeasuredField(RecordWalk& w, FieldCode c, const std::uint8_t* p, bool accumulate) {
    const unsigned ch = field::channel(c);
    const unsigned fam = field::family(c);
    if (ch > 3 || fam < 1 || fam > 3) return;
    const bool longIndex = w.layout.longIndex;
    double* cell = w.rec.channels[ch].families[fam - 1].cell(static_cast<int>(field::detector(c, longIndex)),
                                                             static_cast<int>(field::band(c, longIndex)));
    if (!cell) return;
    const double v = decodeMeasuredValue(c, p);
    if (!accumulate)
        *cell = v;
    else if (*cell != kNoValue)
        *cell += std::pow(10.0, 0.1 * v);
}

// Date, time of day and duration, in their packed and plain forms. The odd
// second lives in bit 15 of the range word.
void decodeDateTime(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    MeasurementRecord& rec = w.rec;
    switch (field::identity(c)) {
        case field::kDate: rec.date = loadU16(p); break;
        case field::kTime:
            rec.time = loadU16(p);
            rec.rangeFlags &= 0x7FFF;
            break;
        case field::kPackedDateTime: {
            const CalendarTime t = fromPackedDateTime(loadU32(p));
            rec.date = dosDate(t);
            rec.time = dosTime(t);
            rec.rangeFlags = static_cast<std::uint16_t>((rec.rangeFlags & 0x7FFF) | ((t.second & 1) << 15));
            break;
        }
        case field::kDurationSeconds: rec.durationSeconds = static_cast<std::int32_t>(loadU32(p)); break;
        case field::kDurationHms: {
            static_assert(field::size(FieldCode{field::kDurationHms} << 16) >= 6);
            const std::uint16_t hours = loadU16(p + 4);
            rec.durationSeconds =
                hours > 255 ? -1 : (loadU16(p) & 0xFF) + 60 * (loadU16(p + 2) & 0xFF) + 3600 * (hours & 0xFF);
            break;
        }
        default: break;
    }
}

// The record's type check, instrument, serial number and block counter.
// Returns false when the type check stops the walk.
bool decodeIdentity(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    MeasurementRecord& rec = w.rec;
    switch (field::identity(c)) {
        case field::kTypeCheck:
            w.typeCheck = loadU16(p);
            return w.typeCheck == rec.typeCode;
        case field::kInstrumentCode: rec.instrumentCode = loadU16(p); break;
        case field::kSerialNumber: rec.vin = loadU32(p); break;
        case field::kBlockCounter: {
            // A 16-bit counter widened to 32 bits across the records.
            const std::uint16_t v = loadU16(p);
            if (v != rec.blockCounterLow) {
                rec.blockCounter += static_cast<std::uint16_t>(v - rec.blockCounterLow);
                rec.blockCounterLow = v;
            }
            ++rec.blockCounterLow;
            break;
        }
        default: break;
    }
    return true;
}

// The measuring range: a whole word or a two-bit code; bit 15 stays the time's.
void decodeRange(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    MeasurementRecord& rec = w.rec;
    switch (field::identity(c)) {
        case field::kRangeFlags:
            rec.rangeFlags = static_cast<std::uint16_t>((rec.rangeFlags & 0x8000) | loadU16(p));
            break;
        case field::kRangeByte: {
            const unsigned b = loadU16(p) & 3;
            const unsigned r = b == 3 ? 3 : 2 - b;
            rec.rangeFlags = static_cast<std::uint16_t>((rec.rangeFlags & 0x8000) | r);
            break;
        }
        default: break;
    }
}

// Values the record keeps without reading more into them.
void decodeAuxiliary(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    MeasurementRecord& rec = w.rec;
    switch (field::identity(c)) {
        case field::kAux0006: rec.aux0006 = loadU16(p); break;
        case field::kAux0028: rec.aux0028 = loadU16(p); break;
        case field::kAux200E: rec.aux200E = loadU16(p); break;
        case field::kAux200E32: rec.aux200E = loadU32(p); break;
        case field::kAux2022: rec.aux2022 = loadU16(p); break;
        case field::kAux4010: rec.aux4010 = loadU16(p); break;
        case field::kAux4012: rec.aux4012 = loadU16(p); break;
        case field::kAux401E: rec.aux401E = loadU16(p); break;
        case field::kAux701D: rec.aux701D = loadU32(p); break;
        case field::kAux800F: rec.aux800F = static_cast<std::int32_t>(loadU32(p)) / 256.0; break;
        default: break;
    }
}

// Calibration levels and the channels' factors. The 32-bit calibration, B and C
// also reach the channel in the low byte when that rule applied or the selector
// is 2 (B at once, calibration and C as factors computed after the walk); D
// addresses the low byte's channel only.
void decodeCalibration(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    MeasurementRecord& rec = w.rec;
    const unsigned id = field::identity(c);
    if (id == field::kCalibration16) {
        bool fromLow;
        const int ch = calibrationChannel(c, w.layout.selectorCount, fromLow);
        if (ch >= 0) rec.channels[ch].calibrationDb = static_cast<std::int16_t>(loadU16(p)) / 256.0;
        return;
    }
    const double x = static_cast<std::int32_t>(loadU32(p)) / 65536.0;
    const int low = lowChannel(c);
    if (id == field::kFactorD) {
        if (low >= 0) w.deferred.factorD[low] = true, w.deferred.factorDX[low] = x;
        return;
    }
    bool fromLow;
    const int ch = calibrationChannel(c, w.layout.selectorCount, fromLow);
    const bool alsoLow = (fromLow || ((c >> 8) & 0xFF) == 2) && low >= 0;
    if (id == field::kCalibration32) {
        if (ch >= 0) rec.channels[ch].calibrationDb = x;
        if (alsoLow) w.deferred.calibration[low] = true, w.deferred.calibrationX[low] = x;
    } else if (id == field::kFactorB) {
        if (ch >= 0) rec.channels[ch].factorB = std::pow(10.0, x);
        if (alsoLow) rec.channels[low].factorB2 = std::pow(10.0, x);
    } else if (id == field::kFactorC) {
        if (ch >= 0) rec.channels[ch].factorC = std::pow(10.0, x);
        if (alsoLow) w.deferred.inverseC[low] = true, w.deferred.inverseCX[low] = x;
    }
}

// Overload and underload of the channel in the low byte.
void decodeChannelState(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    const int ch = lowChannel(c);
    if (ch < 0) return;
    if (field::identity(c) == field::kOverload)
        w.rec.channels[ch].overloadState = loadU16(p);
    else
        w.rec.channels[ch].underloadFlag = loadU16(p);
}

// The instrument's percentile levels (channel in bits 15–12, point number in
// bits 7–0 across the statistics entries) and their labels, shared by every
// channel and entry.
void decodePercentiles(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    const int pointsPerEntry = w.pointsPerEntry;
    if (pointsPerEntry <= 0) return;
    if (field::identity(c) == field::kPercentileLevel) {
        const int ch = static_cast<int>((c >> 12) & 0xF);
        if (ch >= kMaxChannels) return;
        const int idx = static_cast<int>(c & 0xFF);
        const std::size_t entry = static_cast<std::size_t>(idx / pointsPerEntry);
        const std::size_t point = static_cast<std::size_t>(idx % pointsPerEntry);
        auto& stats = w.rec.channels[ch].statistics;
        if (entry < stats.size() && point < stats[entry].points.size())
            stats[entry].points[point].level = loadU16(p) / 256.0;
        return;
    }
    const std::uint32_t stored = loadU16(p);
    const int pct = static_cast<int>((((stored * 100) >> 15) + 1) >> 1);
    const std::size_t point = (c & 0xFF) % static_cast<unsigned>(pointsPerEntry);
    for (auto& ch : w.rec.channels)
        for (auto& e : ch.statistics)
            if (point < e.points.size()) e.points[point].label = "L" + std::to_string(pct);
}

// A point of a frequency axis: selector 1–3 / 4–6 in bits 15–12 picks the axis
// and the base of fractional values, index 0xFFE / 0xFFF the first and second
// point of an axis to interpolate.
void decodeFrequencyPoint(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    const unsigned sel = (c >> 12) & 0xF;
    if (sel < 1 || sel > 6) return;
    const int axis = static_cast<int>((sel - 1) % 3);
    const double base = sel <= 3 ? 1152000.0 : 96000.0;
    const double raw = static_cast<double>(loadU32(p));
    double value = raw;
    const unsigned id = field::identity(c);
    if (id == field::kFrequencyDiv256) value = raw / 256.0;
    if (id == field::kFrequencyFraction) value = base * raw * std::ldexp(1.0, -32);
    auto& points = w.rec.frequencyAxes[axis];
    const unsigned idx = c & 0xFFF;
    std::size_t pos;
    if (idx == 0xFFE) {
        pos = 0;
    } else if (idx == 0xFFF) {
        pos = 1;
        w.interpolate[axis] = true;
    } else {
        pos = idx;
    }
    if (pos < points.size()) points[pos] = value;
}

// A piece of a stored histogram: its number and its bins, placed after the walk.
void decodeHistogramPiece(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    if (field::identity(c) == field::kHistogramPieceStart) {
        w.pieceStarted = true;
        w.pieceStart = loadU32(p);
    } else {
        w.pieceBins.emplace_back(static_cast<int>(c & 0xFF), loadU32(p));
    }
}

// The comment: the device name in the record's character set, or a text of
// UTF-16 units.
void decodeText(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    MeasurementRecord& rec = w.rec;
    switch (field::identity(c)) {
        case field::kCharset: rec.charset = static_cast<std::uint8_t>(loadU16(p) & 0xFF); break;
        case field::kDeviceName:
            static_assert(field::size(FieldCode{field::kDeviceName} << 16) >= 10);
            rec.comment = DecodeDeviceName(ByteSpan(p, 10), rec.charset);
            break;
        case field::kUnicodeComment: {
            static_assert(field::size(FieldCode{field::kUnicodeComment} << 16) >= 64);
            std::u16string units;
            for (int i = 0; i < 32; ++i) {  // the 33rd unit is the forced terminator
                const char16_t u = loadU16(p + 2 * i);
                if (u == 0) break;
                units.push_back(u);
            }
            rec.comment = utf16ToUtf8(units);
            break;
        }
        default: break;
    }
}

// Decodes one field other than a measured value through the handler of its
// group; fields of other identities are skipped. Returns false when the walk
// stops there.
bool decodeField(RecordWalk& w, FieldCode c, const std::uint8_t* p) {
    using namespace field;
    switch (identity(c)) {
        case kDate: case kTime: case kPackedDateTime: case kDurationSeconds: case kDurationHms:
            decodeDateTime(w, c, p);
            break;
        case kTypeCheck: case kInstrumentCode: case kSerialNumber: case kBlockCounter:
            return decodeIdentity(w, c, p);
        case kRangeFlags: case kRangeByte:
            decodeRange(w, c, p);
            break;
        case kAux0006: case kAux0028: case kAux200E: case kAux200E32: case kAux2022:
        case kAux4010: case kAux4012: case kAux401E: case kAux701D: case kAux800F:
            decodeAuxiliary(w, c, p);
            break;
        case kCalibration16: case kCalibration32: case kFactorB: case kFactorC: case kFactorD:
            decodeCalibration(w, c, p);
            break;
        case kOverload: case kUnderload:
            decodeChannelState(w, c, p);
            break;
        case kPercentileLevel: case kPercentLabel:
            decodePercentiles(w, c, p);
            break;
        case kFrequencyRaw: case kFrequencyDiv256: case kFrequencyFraction:
            decodeFrequencyPoint(w, c, p);
            break;
        case kHistogramPieceStart: case kHistogramBin:
            decodeHistogramPiece(w, c, p);
            break;
        case kCharset: case kDeviceName: case kUnicodeComment:
            decodeText(w, c, p);
            break;
        default: break;
    }
    return true;
}

void applyDeferredFactors(const DeferredFactors& deferred, MeasurementRecord& rec) {
    for (int ch = 0; ch < kMaxChannels; ++ch) {
        ChannelBlock& b = rec.channels[ch];
        if (deferred.calibration[ch]) b.calibrationFactor = std::pow(10.0, 0.05 * deferred.calibrationX[ch]);
        if (deferred.inverseC[ch]) b.inverseFactorC = std::pow(10.0, -deferred.inverseCX[ch]);
        if (deferred.factorD[ch]) b.factorD = std::pow(10.0, deferred.factorDX[ch]);
    }
}

// An axis given by its first two points runs evenly from the first to the second.
void interpolateFrequencyAxes(const std::array<bool, kFamilies>& interpolate, MeasurementRecord& rec) {
    for (int a = 0; a < kFamilies; ++a) {
        auto& pts = rec.frequencyAxes[a];
        const std::size_t n = pts.size();
        if (!interpolate[a] || n < 2) continue;
        const double first = pts[0], second = pts[1];
        for (std::size_t i = 0; i < n; ++i)
            pts[i] = first + static_cast<double>(i) * (second - first) / static_cast<double>(n - 1);
    }
}

// A histogram of 1024 bins arrives in pieces of k bins; the piece start
// numbers the piece across all channels' statistics entries.
void placeHistogramPiece(const RecordWalk& w, MeasurementRecord& rec) {
    const RecordLayout& layout = w.layout;
    const int k = layout.histogramPieceBins;
    if (!w.pieceStarted || k <= 0 || k > kHistogramBins || layout.channelCount <= 0) return;
    const std::uint32_t piecesPerHistogram = static_cast<std::uint32_t>(kHistogramBins / k);
    const std::uint32_t h = w.pieceStart / piecesPerHistogram;
    const std::size_t channel = h % static_cast<std::uint32_t>(layout.channelCount);
    const std::size_t entry = h / static_cast<std::uint32_t>(layout.channelCount);
    const std::size_t first = static_cast<std::size_t>(w.pieceStart % piecesPerHistogram) * static_cast<std::size_t>(k);
    if (channel >= kMaxChannels || entry >= rec.channels[channel].statistics.size()) return;
    auto& bins = rec.channels[channel].statistics[entry].histogram;
    for (const auto& [pos, value] : w.pieceBins) {
        const std::size_t at = first + static_cast<std::size_t>(pos);
        if (pos < k && at < bins.size()) bins[at] = value;
    }
}

}  // namespace

std::uint16_t DecodeRecord(const RecordLayout& layout, ByteSpan bytes, bool accumulate, MeasurementRecord& rec) {
    resetRecord(rec);
    RecordWalk w(layout, rec);

    std::size_t offset = 0;
    for (FieldCode c : layout.codes) {
        const unsigned size = field::size(c);
        if (bytes.size() < offset + size) break;
        const std::uint8_t* p = bytes.data() + offset;
        offset += size;
        if (c == 0) continue;
        if (field::isMeasuredValue(c))
            decodeMeasuredField(w, c, p, accumulate);
        else if (!decodeField(w, c, p))
            break;
    }

    applyDeferredFactors(w.deferred, rec);
    interpolateFrequencyAxes(w.interpolate, rec);
    placeHistogramPiece(w, rec);
    ++rec.decodeCount;
    return w.typeCheck;
}

}  // namespace phonotab
