#include "core/measurement/MeasurementFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/base/MappedFile.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"
#include "core/measurement/RecordDecoder.h"

namespace phonotab {

namespace {


constexpr double kCbfRecordPeriod = 0.3413333333333333;  // 1024/3000 s
constexpr double kMonitoringEntryPeriod = 10.24;
constexpr double kMonitoringHistogramPeriod = 600.0;
constexpr std::size_t kCbfRecordAreaBase = 28;  // record area at 28 + 20·D
constexpr std::size_t kCbfDescriptorSize = 20;

ByteSpan recordAt(ByteSpan bytes, std::uint64_t offset, std::uint32_t size) {
    if (offset >= bytes.size()) return {};
    return bytes.subspan(static_cast<std::size_t>(offset),
                         static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes.size() - offset)));
}

MeasurementRecord decodeAt(const MeasurementFile& f, ByteSpan bytes, std::uint64_t offset) {
    MeasurementRecord rec;
    f.layout.sizeRecord(rec);
    rec.typeCode = f.typeCode;
    rec.instrumentCode = f.instrumentCode;
    rec.vin = f.vin;
    DecodeRecord(f.layout, recordAt(bytes, offset, f.recordSize), false, rec);
    return rec;
}

// Whole seconds between two record times, rounded as the instruments' duration.
double secondsBetween(const CalendarTime& start, const CalendarTime& end) {
    return std::floor(static_cast<double>(toCivilSeconds(end) - toCivilSeconds(start)) + 0.5);
}

void setStepFromDuration(MeasurementFile& f) {
    f.timeStep = f.count >= 2 ? f.duration / static_cast<double>(f.count - 1) : 1.0;
}

Status loadCbf(MeasurementFile& f, ByteSpan bytes, const TeleDesc& desc, const MeasurementLimits& limits) {
    ByteReader r(bytes);
    r.skip(18);
    f.typeCode = r.u16();
    f.instrumentCode = r.u16();
    f.vin = r.u32();
    const std::uint32_t d = r.u32();
    if (!r.ok()) return Message(msg::EmptyFile);
    // The descriptor table must fit before the record area (which begins two
    // bytes before the table's end, in its uninterpreted last field).
    if (d > (bytes.size() - kCbfRecordAreaBase) / kCbfDescriptorSize) return Message(msg::FormatErrorIn, f.path);
    std::vector<FieldCode> codes;
    std::uint64_t total = 0;
    for (std::uint32_t i = 0; i < d; ++i) {
        const std::int32_t n = r.i32();
        const std::uint32_t first = r.u32();
        const std::uint32_t step = r.u32();
        r.skip(8);
        // Descriptors are trusted only as far as the file could hold their fields.
        for (std::int32_t k = 0; k < n; ++k) {
            const FieldCode c = first + static_cast<std::uint32_t>(k) * step;
            total += field::size(c);
            if (total > bytes.size()) return Message(msg::FormatErrorIn, f.path);
            codes.push_back(c);
        }
    }
    f.layout = BuildCbfLayout(std::move(codes), f.typeCode);
    // The file describes its fields; the description of its type still names them.
    if (const TeleTypeEntry* t = desc.type(f.typeCode)) {
        f.layout.octaveBandNameEntry = t->octaveBandNameEntry;
        f.layout.furtherLevelNameEntry = t->furtherLevelNameEntry;
        f.layout.reservedWords = t->reservedWords;
        f.layout.reference = t->reference;
        f.layout.secondReference = t->secondReference;
        f.layout.statisticsCodes = t->statisticsCodes;
        f.layout.titles = t->titles;
        f.layout.detectorNames = t->detectorNames;
    }
    f.recordSize = f.layout.recordSize;
    if (f.recordSize == 0) return Message(msg::CbfNoFields);
    if (f.layout.recordValues() > limits.maxRecordValues) return Message(msg::FormatErrorIn, f.path);
    // The record area starts at 28 + 20·D, two bytes before the descriptor table
    // ends, as the instruments' files are read; this one rule serves the record
    // count and every field read.
    f.dataOffset = kCbfRecordAreaBase + static_cast<std::uint64_t>(kCbfDescriptorSize) * d;
    f.count = bytes.size() > f.dataOffset ? static_cast<std::int64_t>((bytes.size() - f.dataOffset) / f.recordSize) : 0;
    if (f.count == 0) return Message(msg::EmptyFile);

    const int dtOffset = f.layout.offsetOf(kCbfPackedDateTime);
    const int counterOffset = f.layout.offsetOf(kCbfSecondsCounter);
    const std::uint64_t lastRecord = f.dataOffset + static_cast<std::uint64_t>(f.count - 1) * f.recordSize;
    f.duration = static_cast<double>(f.count - 1) * kCbfRecordPeriod;
    f.startTime = fromDosDateTime(0, 0, false);
    if (dtOffset >= 0) {
        std::uint32_t a = 0, b = 0;
        (void)readU32At(bytes, f.dataOffset + dtOffset, a);
        (void)readU32At(bytes, lastRecord + dtOffset, b);
        f.startTime = fromPackedDateTime(a);
        f.duration = secondsBetween(f.startTime, fromPackedDateTime(b));
    }
    if (counterOffset >= 0) {
        std::uint32_t a = 0, b = 0;
        (void)readU32At(bytes, f.dataOffset + counterOffset, a);
        (void)readU32At(bytes, lastRecord + counterOffset, b);
        f.duration = static_cast<double>(static_cast<std::uint32_t>(b - a));
    }
    setStepFromDuration(f);
    f.header = decodeAt(f, bytes, f.dataOffset);
    if (dtOffset < 0) f.startTime = f.header.dateTime();
    return {};
}

Status loadMonitoring(MeasurementFile& f, ByteSpan bytes, const Progress& progress) {
    f.monitoring = ParseMonitoringStream(bytes, progress);
    if (progress.cancelled()) return Message(msg::Cancelled);
    if (f.workMode == FileWorkMode::Records) f.workMode = FileWorkMode::Samples;
    if (f.histogramMode()) {
        f.count = static_cast<std::int64_t>(f.monitoring.firstHistograms.size());
        f.timeStep = kMonitoringHistogramPeriod;
    } else {
        f.count = static_cast<std::int64_t>(f.monitoring.entries.size());
        f.timeStep = kMonitoringEntryPeriod;
    }
    f.duration = static_cast<double>(std::max<std::int64_t>(f.count - 1, 0)) * f.timeStep;
    f.startTime = f.header.dateTime();
    return {};
}

Status loadMnt(MeasurementFile& f, ByteSpan bytes, const Progress& progress) {
    MntScanResult scan = ScanMntFile(bytes, f.recordSize, f.typeCode, progress);
    if (progress.cancelled()) return Message(msg::Cancelled);
    f.recordOffsets = std::move(scan.recordOffsets);
    f.blocks = std::move(scan.blocks);
    f.histogramSets = FindMntHistogramSets(f.blocks, f.recordSize);
    f.startTime = f.header.dateTime();
    if (f.histogramMode()) {
        if (f.histogramSets.tagZeroBlocks < 2) return Message(msg::TooFewHistograms);
        // The histogram sets are timed by the records written just before the
        // first and the last run of blocks: the first run opens the first
        // interval, the last run closes the last one.
        f.count = static_cast<std::int64_t>(f.histogramSets.setCount);
        CalendarTime start = f.header.dateTime();
        CalendarTime end = start;
        if (f.histogramSets.firstRunRecordOffset >= 0)
            start = decodeAt(f, bytes, static_cast<std::uint64_t>(f.histogramSets.firstRunRecordOffset)).dateTime();
        if (f.histogramSets.lastRunRecordOffset >= 0)
            end = decodeAt(f, bytes, static_cast<std::uint64_t>(f.histogramSets.lastRunRecordOffset)).dateTime();
        f.startTime = start;
        f.duration = std::max(secondsBetween(start, end), 0.0);
        f.timeStep = f.count >= 2 && f.duration > 0 ? f.duration / static_cast<double>(f.count - 1)
                                                     : kMonitoringHistogramPeriod;
        if (f.count >= 2 && f.duration <= 0) f.duration = static_cast<double>(f.count - 1) * f.timeStep;
        return {};
    }
    f.count = static_cast<std::int64_t>(f.recordOffsets.size());
    if (f.count == 0) return Message(msg::EmptyFile);
    const MeasurementRecord last = decodeAt(f, bytes, f.recordOffsets.back());
    f.duration = secondsBetween(f.startTime, last.dateTime());
    setStepFromDuration(f);
    return {};
}

Status loadRecordFile(MeasurementFile& f, ByteSpan bytes) {
    f.count = static_cast<std::int64_t>(bytes.size() / f.recordSize);
    if (f.count == 0) return Message(msg::EmptyFile);
    f.startTime = f.header.dateTime();
    const MeasurementRecord last =
        decodeAt(f, bytes, static_cast<std::uint64_t>(f.count - 1) * f.recordSize);
    f.duration = secondsBetween(f.startTime, last.dateTime());
    setStepFromDuration(f);
    return {};
}

}  // namespace

std::string workModeName(FileWorkMode mode) {
    switch (mode) {
        case FileWorkMode::Samples: return tr(text::SamplesMode);
        case FileWorkMode::Histograms: return tr(text::HistogramsMode);
        case FileWorkMode::Records: return tr(text::RecordsMode);
    }
    return {};
}

bool hasMntExtension(const std::string& path) {
    if (path.size() < 3) return false;
    std::string ext = path.substr(path.size() - 3);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "mnt";
}

FileWorkMode defaultWorkMode(const std::string& path) {
    MappedFile f;
    if (!f.open(path)) return FileWorkMode::Records;
    const FileProbe p = ProbeFileType(f.bytes());
    if (p.isMonitoring() || (hasMntExtension(path) && p.kind != FileKind::Cbf)) return FileWorkMode::Samples;
    return FileWorkMode::Records;
}

CalendarTime MeasurementFile::sampleTime(std::int64_t i) const {
    const double s = std::floor(sampleSeconds(i));
    return fromCivilSeconds(toCivilSeconds(startTime) + static_cast<std::int64_t>(s));
}

std::int64_t MeasurementFile::recordOffset(std::int64_t i) const {
    if (i < 0 || i >= count) return -1;
    if (isMnt && !histogramMode()) return static_cast<std::int64_t>(recordOffsets[static_cast<std::size_t>(i)]);
    return static_cast<std::int64_t>(dataOffset + static_cast<std::uint64_t>(i) * recordSize);
}

Result<MeasurementFile> LoadMeasurementFromBytes(const std::string& path, ByteSpan bytes, FileWorkMode mode,
                                                 const TeleDesc& desc, const Progress& progress,
                                                 const MeasurementLimits& limits) {
    MeasurementFile f;
    f.path = path;
    f.workMode = mode;
    if (bytes.empty()) return Message(msg::EmptyFile);
    const FileProbe probe = ProbeFileType(bytes);
    f.kind = probe.kind;
    if (probe.kind == FileKind::OldCbf) return Message(msg::OldCbf);
    if (probe.kind == FileKind::Cbf) {
        if (Status s = loadCbf(f, bytes, desc, limits); !s) return s.error();
        return f;
    }
    // Too short to tell a plain file's type: nothing of a record is there.
    if (bytes.size() < kProbeBytes && probe.kind == FileKind::Plain) return Message(msg::EmptyFile);
    f.typeCode = probe.typeCode;
    f.instrumentCode = probe.instrumentCode;
    Result<RecordLayout> layout = BuildLayout(desc, f.typeCode);
    if (!layout) return layout.error();
    f.layout = std::move(*layout);
    f.recordSize = f.layout.recordSize;
    if (f.recordSize == 0) return Message(msg::UnknownFileType);
    if (f.layout.recordValues() > limits.maxRecordValues) return Message(msg::FormatErrorIn, path);
    f.isMnt = hasMntExtension(path) && !f.isMonitoring();
    if (f.workMode == FileWorkMode::Histograms && !f.isMonitoring() && !f.isMnt)
        f.workMode = FileWorkMode::Records;  // only stations and "mnt" files store histograms
    if (!f.isMonitoring() && bytes.size() < f.recordSize) return Message(msg::EmptyFile);

    f.header = decodeAt(f, bytes, 0);
    f.instrumentCode = f.header.instrumentCode;
    f.vin = f.header.vin;
    Status s = f.isMonitoring() ? loadMonitoring(f, bytes, progress)
               : f.isMnt        ? loadMnt(f, bytes, progress)
                                : loadRecordFile(f, bytes);
    if (!s) return s.error();
    return f;
}

Result<MeasurementFile> LoadMeasurementFile(const std::string& path, FileWorkMode mode, const TeleDesc& desc,
                                            const Progress& progress) {
    MappedFile file;
    if (!file.open(path)) return Message(msg::CannotOpen, path);
    return LoadMeasurementFromBytes(path, file.bytes(), mode, desc, progress);
}

}  // namespace phonotab
