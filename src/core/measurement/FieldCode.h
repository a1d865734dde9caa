// FieldCode: the 32-bit code that names a record field and every measured
// parameter.
//
//   31    28 27                    16 15                              0
//  +--------+------------------------+---------------------------------+
//  |encoding|          kind          |              index              |
//  +--------+------------------------+---------------------------------+
//   \_____ identity (upper 16 bits) _/
//
// Measured values have kind 0x1fc or 0x2fc (f = family 1..3, c = channel 0..3);
// their index holds detector and band, read short (8:8) or long (4:12) per file
// type. A code of 0 is a 2-byte filler.
#pragma once

#include <cstdint>

namespace phonotab {

using FieldCode = std::uint32_t;

namespace field {

constexpr unsigned encoding(FieldCode c) { return c >> 28; }
constexpr unsigned kind(FieldCode c) { return (c >> 16) & 0xFFF; }
constexpr unsigned identity(FieldCode c) { return c >> 16; }
constexpr unsigned index(FieldCode c) { return c & 0xFFFF; }

// Bytes a field occupies in a record.
constexpr unsigned size(FieldCode c) {
    if (c == 0) return 2;
    const unsigned enc = encoding(c);
    if (enc <= 4 || enc == 6) return 2;
    if (enc != 15) return 4;
    const unsigned k = kind(c);
    if (k == 0x003) return 10;
    if (k == 0x005) return 66;
    return 6;
}

// A measured value: kind masked with 0xF00 is 0x100 or 0x200.
constexpr bool isMeasuredValue(FieldCode c) {
    const unsigned m = kind(c) & 0xF00;
    return m == 0x100 || m == 0x200;
}
constexpr unsigned family(FieldCode c) { return (c >> 20) & 0xF; }
constexpr unsigned channel(FieldCode c) { return (c >> 16) & 0xF; }
constexpr unsigned detector(FieldCode c, bool longIndex) {
    return longIndex ? (c >> 12) & 0xF : (c >> 8) & 0xFF;
}
constexpr unsigned band(FieldCode c, bool longIndex) { return longIndex ? c & 0xFFF : c & 0xFF; }

// Code of a measured value (encoding nibble 0) from its parts.
constexpr FieldCode measuredCode(unsigned kindHigh, unsigned fam, unsigned chan, unsigned det,
                                 unsigned bnd, bool longIndex) {
    const FieldCode head = (kindHigh << 24) | (fam << 20) | (chan << 16);
    return longIndex ? head | ((det & 0xF) << 12) | (bnd & 0xFFF) : head | ((det & 0xFF) << 8) | (bnd & 0xFF);
}

// Field identities the record decoder understands.
enum Identity : unsigned {
    kDate = 0x0001,
    kTime = 0x0002,
    kAux0006 = 0x0006,
    kPercentPointIndex = 0x0016,
    kPercentileLevel = 0x0017,
    kAux0028 = 0x0028,
    kAux200E = 0x200E,
    kRangeFlags = 0x2011,
    kCharset = 0x2019,
    kTypeCheck = 0x201B,
    kInstrumentCode = 0x201C,
    kRangeByte = 0x2021,
    kAux2022 = 0x2022,
    kBlockCounter = 0x2025,
    kCalibration16 = 0x3018,
    kAux4010 = 0x4010,
    kAux4012 = 0x4012,
    kOverload = 0x4013,
    kUnderload = 0x4014,
    kAux401E = 0x401E,
    kSerialNumber = 0x5004,
    kPackedDateTime = 0x5007,
    kDurationSeconds = 0x5008,
    kCalibration32 = 0x500A,
    kFactorB = 0x500B,
    kFactorC = 0x500C,
    kFactorD = 0x500D,
    kPercentLabel = 0x6016,
    kAux200E32 = 0x700E,
    kAux701D = 0x701D,
    kFrequencyRaw = 0x7020,
    kHistogramPieceStart = 0x7023,
    kHistogramBin = 0x7024,
    kAux800F = 0x800F,
    kFrequencyDiv256 = 0x8020,
    kFrequencyFraction = 0x901F,
    kDeviceName = 0xF003,
    kUnicodeComment = 0xF005,
    kDurationHms = 0xF01A,
};

// The kinds of parameter code the calculation tells apart.
constexpr bool isInstrumentPercentile(FieldCode c) { return (c & 0xFFF0000) == 0x170000; }
constexpr bool isStoredHistogram(FieldCode c) { return (c >> 16) == 0x2026; }
constexpr bool isSynthesizedLeq(FieldCode c) { return (c >> 16) == 0x0027; }
// A measured level as parameters name it: bits 27–20 are 0x11, 0x12 or 0x13.
constexpr bool isMeasuredLevel(FieldCode c) {
    const unsigned b = (c & 0xFF00000) >> 20;
    return b == 0x11 || b == 0x12 || b == 0x13;
}

}  // namespace field

// Derived parameter codes that no record stores.
constexpr FieldCode kStoredHistogramCode = 0x20260000;  // stored histogram, first stream
constexpr FieldCode kSynthesizedLeqCode = 0x00270000;   // Leq synthesized from histograms
constexpr FieldCode kTypeCheckField = 0x201B0000;
constexpr FieldCode kCbfPackedDateTime = 0x50070000;
constexpr FieldCode kCbfSecondsCounter = 0x50080000;

}  // namespace phonotab
