#include "core/measurement/RecordDump.h"

#include <filesystem>
#include <map>
#include <memory>

#include "core/base/CFormat.h"
#include "core/base/MappedFile.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"
#include "core/measurement/Catalogue.h"
#include "core/measurement/FileProbe.h"
#include "core/measurement/RecordDecoder.h"

namespace phonotab {

namespace {

// How often a long dump or summary reports its progress and looks for a stop.
constexpr int kRecordsPerReport = 4096;

double fileFraction(std::size_t file, std::size_t files) {
    return static_cast<double>(file) / static_cast<double>(files);
}

// The type of the record at an offset: the version test at +4, then the type
// word at +0 (versioned) or +18 (plain, + 60000).
std::uint16_t recordType(ByteSpan bytes, std::size_t offset) {
    return ProbeFileType(offset < bytes.size() ? bytes.subspan(offset) : ByteSpan()).typeCode;
}

void appendDuration(std::string& out, const char* fmt, std::int32_t d) {
    // An unknown duration (−1) is written by the same format: "0:00:-1".
    cformatAppend(out, fmt, d / 3600, (d % 3600) / 60, d % 60);
}

std::string overloadText(std::uint16_t state) { return tr(state == 0 ? 432 : state == 1 ? 431 : 418); }

// A data file read front to back through a fixed buffer: memory stays the
// same whatever the size of the file.
class SequentialFile {
public:
    ~SequentialFile() {
        if (f_) std::fclose(f_);
    }
    bool open(const std::string& path) {
        f_ = std::fopen(path.c_str(), "rb");
        return f_ != nullptr;
    }
    // The next n bytes without consuming them (fewer at the end of the file).
    ByteSpan peek(std::size_t n) {
        if (buf_.size() - pos_ < n) {
            buf_.erase(buf_.begin(), buf_.begin() + static_cast<std::ptrdiff_t>(pos_));
            pos_ = 0;
            const std::size_t want = std::max<std::size_t>(n, 1 << 20);
            const std::size_t have = buf_.size();
            buf_.resize(have + want);
            const std::size_t got = std::fread(buf_.data() + have, 1, want, f_);
            buf_.resize(have + got);
        }
        return ByteSpan(buf_.data() + pos_, std::min(n, buf_.size() - pos_));
    }
    void consume(std::size_t n) { pos_ = std::min(buf_.size(), pos_ + n); }

private:
    std::FILE* f_ = nullptr;
    std::vector<std::uint8_t> buf_;
    std::size_t pos_ = 0;
};

// Layouts of the types met in a file, built once each, with a blank record
// sized for each (decoding starts from a copy of it).
class LayoutCache {
public:
    explicit LayoutCache(const TeleDesc& desc) : desc_(desc) {}
    struct Entry {
        RecordLayout layout;
        MeasurementRecord blank;
    };
    const Entry* get(std::uint16_t type) {
        auto it = cache_.find(type);
        if (it == cache_.end()) {
            Result<RecordLayout> l = BuildLayout(desc_, type);
            std::unique_ptr<Entry> e;
            if (l && l->recordSize > 0) {
                e = std::make_unique<Entry>();
                e->layout = std::move(*l);
                e->layout.sizeRecord(e->blank);
                e->blank.typeCode = type;
            }
            it = cache_.emplace(type, std::move(e)).first;
        }
        return it->second.get();
    }

private:
    const TeleDesc& desc_;
    std::map<std::uint16_t, std::unique_ptr<Entry>> cache_;
};

// Output that is written in pieces, converting texts to the chosen encoding.
class DumpOutput {
public:
    DumpOutput(std::FILE* f, TextEncoding e) : f_(f), e_(e) {}
    ~DumpOutput() { flush(); }
    void write(const std::string& utf8) {
        buf_ += encodeForOutput(utf8, e_);
        if (buf_.size() > (1u << 20)) flush();
    }
    void flush() {
        if (!buf_.empty()) std::fwrite(buf_.data(), 1, buf_.size(), f_);
        buf_.clear();
    }

private:
    std::FILE* f_;
    TextEncoding e_;
    std::string buf_;
};

}  // namespace

void appendRecordDump(std::string& out, const MeasurementRecord& rec, const RecordLayout& layout, const TeleDesc& desc) {
    const CalendarTime t = rec.dateTime();
    cformatAppend(out, "VIN:; %08X;\n", rec.vin);
    cformatAppend(out, "%s:; %02d/%02d/%d;\n", tr(text::DumpDate).c_str(), t.day, t.month, t.year);
    cformatAppend(out, "%s:; %02d:%02d:%02d;\n", tr(text::DumpTime).c_str(), t.hour, t.minute, t.second);
    appendDuration(out, (tr(text::DumpDuration) + ":; %d:%02d:%02d;\n").c_str(), rec.durationSeconds);
    if (layout.channelCount == 1) cformatAppend(out, "%s:; %d;\n", tr(text::DumpRange).c_str(), rec.rangeIndex() + 1);
    cformatAppend(out, "%s:; ", tr(text::DumpComment).c_str());
    out += rec.comment + ";\n";
    out += "\n" + desc.instrumentName(rec.instrumentCode) + ";\n\n";
    for (int c = 0; c < layout.channelCount && c < kMaxChannels; ++c) {
        const ChannelBlock& ch = rec.channels[static_cast<std::size_t>(c)];
        if (layout.channelCount > 1) out += channelCaption(c, true) + "; ";
        out += overloadText(ch.overloadState) + "; ";
        if (ch.underloadFlag) out += tr(text::DumpUnderload) + "; ";
        cformatAppend(out, "%s: %.2lf;", tr(text::DumpCalibration).c_str(), ch.calibrationDb);
        out += "\n";
        for (int f = 1; f <= kFamilies; ++f) {
            const FamilyTable& table = ch.families[static_cast<std::size_t>(f - 1)];
            if (layout.bandCount[static_cast<std::size_t>(f - 1)] <= 0) continue;
            out += familyCaption(layout, f) + ";\n";
            for (int b = 0; b < table.bands; ++b) out += ";" + bandCaption(desc, layout, &rec, f, b, BandForm::Text);
            out += ";\n";
            for (int d = 0; d < table.detectors; ++d) {
                out += detectorName(layout, d) + ";";
                for (int b = 0; b < table.bands; ++b) {
                    appendFixed(out, table.value(d, b), 2);
                    out += ';';
                }
                out += "\n";
            }
            out += "\n";
        }
        const auto& stats = ch.statistics;
        bool anyPoints = false;
        for (const auto& e : stats) anyPoints |= !e.points.empty();
        if (anyPoints) {
            out += tr(text::PercentilesCaption) + ";\n";
            for (const auto& p : stats.front().points) out += ";" + p.label;
            out += ";";
            for (std::size_t k = 0; k < stats.size(); ++k) {
                const std::string caption =
                    k < layout.statisticsCodes.size() ? parameterCaption(layout.statisticsCodes[k], desc, layout, &rec)
                                                      : std::string();
                out += "\n" + caption + ";";
                for (const auto& p : stats[k].points) {
                    appendFixed(out, p.level, 2);
                    out += ';';
                }
            }
            out += "\n\n";
        }
    }
}

Status DumpRecordFiles(const std::vector<std::string>& files, std::FILE* out, const TeleDesc& desc,
                       TextEncoding encoding, const Progress& progress) {
    DumpOutput output(out, encoding);
    LayoutCache layouts(desc);
    MeasurementRecord rec;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& path = files[i];
        SequentialFile f;
        if (!f.open(path)) return Message(msg::CannotOpen, path);
        // Records follow one another at multiples of the record size; each
        // record's own type decides its layout.
        for (int number = 1;; ++number) {
            if (number % kRecordsPerReport == 0 && !progress.report(fileFraction(i, files.size())))
                return Message(msg::Cancelled);
            const ByteSpan head = f.peek(kProbeBytes);
            if (head.empty()) break;
            const LayoutCache::Entry* e = layouts.get(ProbeFileType(head).typeCode);
            if (!e) return Message(msg::UnknownInstrumentType);
            const ByteSpan bytes = f.peek(e->layout.recordSize);
            if (bytes.size() < e->layout.recordSize) break;  // trailing bytes are no record
            if (rec.typeCode != e->blank.typeCode || rec.channels[0].statistics.size() != e->blank.channels[0].statistics.size())
                rec = e->blank;
            else
                e->layout.clearValues(rec);
            DecodeRecord(e->layout, bytes, false, rec);
            f.consume(e->layout.recordSize);
            std::string text = cformat("\n%s; %d;\n", tr(text::DumpRecord).c_str(), number);
            appendRecordDump(text, rec, e->layout, desc);
            output.write(text);
        }
    }
    return {};
}

bool readSummaryType(const std::string& path, std::uint16_t& typeCode) {
    MappedFile f;
    if (!f.open(path)) return false;
    typeCode = recordType(f.bytes(), 0);
    return true;
}

Status WriteSummary(const std::vector<std::string>& files, const std::vector<SummaryColumn>& columns,
                    const SummaryOptions& options, std::FILE* out, const TeleDesc& desc, TextEncoding encoding,
                    const Progress& progress) {
    // All files must be of one type; nothing is written otherwise.
    std::uint16_t firstType = 0;
    std::string firstInstrument;
    for (std::size_t i = 0; i < files.size(); ++i) {
        MappedFile f;
        if (!f.open(files[i])) return Message(msg::CannotOpen, files[i]);
        const FileProbe p = ProbeFileType(f.bytes());
        if (i == 0) {
            firstType = p.typeCode;
            firstInstrument = desc.instrumentName(p.instrumentCode);
        } else if (p.typeCode != firstType) {
            return Message(msg::DifferentFileTypes, firstInstrument, desc.instrumentName(p.instrumentCode));
        }
    }
    DumpOutput output(out, encoding);
    Result<RecordLayout> firstLayout = BuildLayout(desc, firstType);

    std::string header = tr(text::DumpFileName) + "; ";
    if (options.includeDate) header += tr(text::DumpDate) + "; ";
    if (options.includeTime) header += tr(text::DumpTime) + "; ";
    if (options.includeVin) header += "VIN; ";
    if (options.includeDuration) header += tr(text::DumpDuration) + "; ";
    MeasurementRecord firstHeader;
    if (firstLayout && !files.empty()) {
        // Frequency captions come from the first file's first record.
        MappedFile f;
        if (f.open(files.front()) && f.size() >= firstLayout->recordSize) {
            firstLayout->sizeRecord(firstHeader);
            firstHeader.typeCode = firstType;
            DecodeRecord(*firstLayout, f.bytes().subspan(0, firstLayout->recordSize), false, firstHeader);
        }
    }
    for (const SummaryColumn& c : columns) {
        if (options.frequencyAsNumber && firstLayout)
            header += bandCaption(desc, *firstLayout, &firstHeader, c.familyIndex() + 1, options.band, BandForm::Text) + "; ";
        else
            header += c.name + "; ";
    }
    output.write(header + "\n");

    LayoutCache layouts(desc);
    MeasurementRecord rec;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& path = files[i];
        SequentialFile f;
        if (!f.open(path)) return Message(msg::CannotOpen, path);
        const LayoutCache::Entry* e = layouts.get(ProbeFileType(f.peek(kProbeBytes)).typeCode);
        if (!e) return Message(msg::UnknownInstrumentType);
        const std::string name = std::filesystem::path(path).filename().string();
        rec = e->blank;
        for (int number = 1;; ++number) {
            if (number % kRecordsPerReport == 0 && !progress.report(fileFraction(i, files.size())))
                return Message(msg::Cancelled);
            const ByteSpan bytes = f.peek(e->layout.recordSize);
            if (bytes.size() < e->layout.recordSize) break;
            e->layout.clearValues(rec);
            DecodeRecord(e->layout, bytes, false, rec);
            f.consume(e->layout.recordSize);
            const CalendarTime t = rec.dateTime();
            std::string line = name + "; ";
            if (options.includeDate) cformatAppend(line, "%02d/%02d/%d; ", t.day, t.month, t.year);
            if (options.includeTime) cformatAppend(line, "%02d:%02d:%02d; ", t.hour, t.minute, t.second);
            if (options.includeVin) cformatAppend(line, "%08X; ", rec.vin);
            if (options.includeDuration) appendDuration(line, "%d:%02d:%02d; ", rec.durationSeconds);
            for (const SummaryColumn& c : columns) {
                double v = 0.0;
                const int fam = c.familyIndex();
                if (fam >= 0 && fam <= 2 && c.channel() < kMaxChannels)
                    v = rec.channels[static_cast<std::size_t>(c.channel())].families[static_cast<std::size_t>(fam)].value(
                        c.detector(), options.band);
                appendFixed(line, v, 2);
                line += "; ";
            }
            output.write(line + "\n");
        }
    }
    return {};
}

}  // namespace phonotab
