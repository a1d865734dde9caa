// One opened instrument data file: its kind, layout, time base and header.
// The file itself is not kept open; readers map it again per operation.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/base/CalendarTime.h"
#include "core/base/Progress.h"
#include "core/base/Result.h"
#include "core/measurement/FileProbe.h"
#include "core/measurement/FileWorkMode.h"
#include "core/measurement/MeasurementRecord.h"
#include "core/measurement/MntScan.h"
#include "core/measurement/MonitoringStream.h"
#include "core/measurement/RecordLayout.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

// The text of a work mode ("выборка", "гистогр.", "запись").
std::string workModeName(FileWorkMode mode);

struct MeasurementFile {
    std::string path;
    FileKind kind = FileKind::Plain;
    FileWorkMode workMode = FileWorkMode::Records;
    std::uint16_t typeCode = 0;
    std::uint16_t instrumentCode = 0;
    std::uint32_t vin = 0;
    RecordLayout layout;
    std::uint32_t recordSize = 0;
    std::uint64_t dataOffset = 0;
    std::int64_t firstIndex = 0;
    std::int64_t count = 0;
    double timeStep = 1.0;
    CalendarTime startTime;
    double duration = 0.0;
    MeasurementRecord header;

    bool isMnt = false;                     // record file with the extension "mnt"
    std::vector<std::uint64_t> recordOffsets;  // "mnt" files: offset of each record
    MonitoringData monitoring;              // monitoring streams
    std::vector<MntBlock> blocks;           // "mnt" files: histogram blocks
    MntHistogramSets histogramSets;         // "mnt" files: complete histogram sets

    bool isMonitoring() const { return typeCode == kMonitoringType && kind != FileKind::Cbf; }
    bool isCbf() const { return kind == FileKind::Cbf; }
    // Samples are stored histograms rather than level records.
    bool histogramMode() const { return workMode == FileWorkMode::Histograms; }
    int channelCount() const { return layout.channelCount; }

    // Seconds from the start of the file to sample i.
    double sampleSeconds(std::int64_t i) const { return static_cast<double>(firstIndex + i) * timeStep; }
    // Calendar time of sample i, whole seconds.
    CalendarTime sampleTime(std::int64_t i) const;
    // Byte offset of record i (record and CBF files), or -1 when out of range.
    std::int64_t recordOffset(std::int64_t i) const;
};

// True when the path's last three characters, lower-cased, are "mnt".
bool hasMntExtension(const std::string& path);

// The work mode a file gets unless the user says otherwise: stations' streams
// and "mnt" files are read as samples, every other file as records.
FileWorkMode defaultWorkMode(const std::string& path);

// Bounds on what reading one file may take; none by default. A record holds a
// value for every detector and band its layout names, so a short file that
// describes its own fields can ask for millions of values per record; a caller
// that reads untrusted files in bulk (the fuzz targets) bounds them. A file
// beyond a bound is refused as damaged (5001).
struct MeasurementLimits {
    std::size_t maxRecordValues = std::numeric_limits<std::size_t>::max();
};

// Opens, recognises and reads a data file as the given work mode (a monitoring
// stream read as records is read as samples). Refusals: 105 cannot open,
// 404 old CBF, 132 unknown type, 143 no whole record, 413 too few histograms,
// 5006 when a stop was asked for through the progress (scanning a long
// monitoring stream or "mnt" file is what takes time).
Result<MeasurementFile> LoadMeasurementFile(const std::string& path, FileWorkMode mode, const TeleDesc& desc,
                                            const Progress& progress = {});
// The same from bytes already in memory (path is kept for names and extension).
Result<MeasurementFile> LoadMeasurementFromBytes(const std::string& path, ByteSpan bytes, FileWorkMode mode,
                                                 const TeleDesc& desc, const Progress& progress = {},
                                                 const MeasurementLimits& limits = {});

}  // namespace phonotab
