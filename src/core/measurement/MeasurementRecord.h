// One decoded record of an instrument file, with its channels' value tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/CalendarTime.h"

namespace phonotab {

// Marks a value that no record field filled; computations skip it.
constexpr double kNoValue = 1e-200;
constexpr int kMaxChannels = 4;
constexpr int kFamilies = 3;
constexpr int kHistogramBins = 1024;

// A family's values: detector × band, row-major by detector.
struct FamilyTable {
    int detectors = 0;
    int bands = 0;
    std::vector<double> cells;

    double value(int detector, int band) const {
        if (detector < 0 || band < 0 || detector >= detectors || band >= bands) return kNoValue;
        return cells[static_cast<std::size_t>(detector) * bands + band];
    }
    double* cell(int detector, int band) {
        if (detector < 0 || band < 0 || detector >= detectors || band >= bands) return nullptr;
        return &cells[static_cast<std::size_t>(detector) * bands + band];
    }
};

struct PercentPoint {
    double level = 0.0;
    std::string label;  // "L%d"
};

// One percentile statistics entry of a channel: its points and a histogram.
struct StatisticsEntry {
    std::vector<PercentPoint> points;
    std::vector<std::uint32_t> histogram = std::vector<std::uint32_t>(kHistogramBins, 0);
};

struct ChannelBlock {
    std::array<FamilyTable, kFamilies> families;  // families 1..3 at 0..2
    std::vector<StatisticsEntry> statistics;
    std::uint16_t overloadState = 0;
    std::uint16_t underloadFlag = 0;
    double calibrationDb = 0.0;
    double factorC = 0.0, factorB = 0.0;
    double inverseFactorC = 0.0, factorD = 0.0, calibrationFactor = 0.0;
    double factorB2 = 0.0;
};

struct MeasurementRecord {
    std::uint16_t instrumentCode = 0;
    std::uint16_t typeCode = 0;
    std::uint16_t date = 0;
    std::uint16_t time = 0;
    std::string comment;
    std::uint16_t aux0006 = 0;
    std::uint32_t vin = 0;
    std::uint8_t charset = 1;
    std::int32_t durationSeconds = -1;
    std::uint16_t rangeFlags = 0;
    std::uint16_t aux4012 = 0, aux4010 = 0;
    std::array<std::vector<double>, kFamilies> frequencyAxes;
    std::uint32_t aux701D = 0;
    std::uint16_t aux2022 = 0, aux401E = 0;
    std::uint16_t blockCounterLow = 0;
    std::uint32_t blockCounter = 0;
    std::uint32_t decodeCount = 0;
    std::uint32_t aux200E = 0;
    double aux800F = 0.0;
    std::uint16_t aux0028 = 0;
    std::array<ChannelBlock, kMaxChannels> channels;

    // Date and time with the odd second from bit 15 of the range word.
    CalendarTime dateTime() const { return fromDosDateTime(date, time, (rangeFlags & 0x8000) != 0); }
    int rangeIndex() const { return rangeFlags & 0xFF; }
};

}  // namespace phonotab
