#include "core/acoustics/ResultFiles.h"

#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/acoustics/HistogramFile.h"
#include "core/base/CFormat.h"
#include "core/base/StringTable.h"
#include "core/platform/AtomicFile.h"

namespace phonotab {

std::string fileNamePart(const std::string& name) {
    std::string out = name;
    for (char& c : out) {
        if (c == '/') c = '~';
        if (c == ':') c = ' ';
    }
    return out;
}

namespace {

// The display name, or the default name when the entry has none.
const std::string& nameOrDefault(const ParameterEntry& e, const ParameterNames& defaults) {
    return e.displayName.empty() ? defaults.name : e.displayName;
}

}  // namespace

std::string entryName(const ParameterEntry& e, const NamingContext& naming) {
    return nameOrDefault(e, ParameterName(e.code, naming));
}

namespace {

// The names an entry's files and rows are written with, worked out once per
// entry: its rows and blocks repeat them for every statistic.
struct EntryNames {
    ParameterNames own;                 // full name (headings) and band text of the entry's code
    std::string fileName;               // the name its files are named after
    std::vector<std::string> subBands;  // the band text labelling each sub-entry's rows
};

EntryNames namesOf(const ParameterEntry& e, const NamingContext& naming) {
    EntryNames n;
    n.own = ParameterName(e.code, naming);
    n.fileName = nameOrDefault(e, n.own);
    n.subBands.reserve(e.subEntries.size());
    for (const ParameterEntry& sub : e.subEntries) n.subBands.push_back(ParameterName(sub.code, naming).bandText);
    return n;
}

std::string timeText(const char* format, const std::tm& tm) {
    char buf[128];
    const std::size_t n = std::strftime(buf, sizeof buf, format, &tm);
    return std::string(buf, n);
}

// Where the text of one result file goes: a fresh file replaced atomically, or
// the end of a shared file.
class ResultSink {
public:
    virtual ~ResultSink() = default;
    virtual void write(std::string_view bytes) = 0;
    virtual bool finish() = 0;
};

class NewFileSink : public ResultSink {
public:
    bool open(const std::string& path) { return w_.open(path).ok(); }
    void write(std::string_view bytes) override { w_.write(bytes); }
    bool finish() override { return w_.commit().ok(); }

private:
    AtomicFileWriter w_;
};

// The one file that gathers every entry (single-file mode) or the project's
// shared result file: the entries of one calculation are appended to what the
// file held, and the file is replaced once, after the last of them, so that a
// failure or a kill half-way leaves it as it was.
class GatheringSink : public ResultSink {
public:
    bool open(const std::string& path, bool keepExisting) {
        if (!w_.open(path).ok()) return false;
        if (keepExisting) {
            std::FILE* in = std::fopen(path.c_str(), "rb");
            if (in) {
                char buf[1 << 16];
                for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, in)) > 0;) w_.write(buf, n);
                if (std::ferror(in)) failed_ = true;
                std::fclose(in);
            }
        }
        return true;
    }
    void write(std::string_view bytes) override { w_.write(bytes); }
    bool finish() override { return !failed_; }
    bool commit() {
        if (failed_) {
            w_.abandon();
            return false;
        }
        return w_.commit().ok();
    }

private:
    AtomicFileWriter w_;
    bool failed_ = false;
};

// The text of one result file, streamed to its sink in pieces of about a
// megabyte: a file of a million windows never sits in memory whole.
class ResultText {
public:
    ResultText(const ResultFileContext& ctx, ResultSink& sink)
        : ctx_(ctx), sink_(sink), sep_(ctx.options.csv ? ';' : '\t') {}
    ~ResultText() { flush(); }

    void text(const std::string& s) {
        out_ += encodeForOutput(s, ctx_.encoding);
        maybeFlush();
    }
    void raw(std::string_view s) {
        out_ += s;
        maybeFlush();
    }
    void sep() { out_.push_back(sep_); }
    void values(const std::vector<double>& v) {
        for (double x : v) {
            appendLg(out_, x);
            out_.push_back(sep_);
            maybeFlush();
        }
    }
    void maybeFlush() {
        if (out_.size() >= kFlushSize) flush();
    }
    void flush() {
        sink_.write(out_);
        out_.clear();
    }
    char separator() const { return sep_; }

private:
    static constexpr std::size_t kFlushSize = 1 << 20;
    const ResultFileContext& ctx_;
    ResultSink& sink_;
    char sep_;
    std::string out_;
};

void writeHeader(ResultText& t, const ResultFileContext& ctx) {
    t.text(ctx.dataPath);
    t.raw("\n");
    struct stat st {};
    if (::stat(ctx.dataPath.c_str(), &st) == 0) {
        std::tm tm{};
        localtime_r(&st.st_mtime, &tm);
        t.raw(timeText("%d/%m/%y\n%X\n", tm));
    } else {
        t.raw("?\n?\n");
    }
    t.text(workModeName(ctx.mode));
    t.raw("\n");
    t.text(ctx.instrumentName);
    t.raw(cformat("\n%08X\n", ctx.vin));
}

// The time of day of 00:00:00 plus a number of seconds, in the locale's "%X".
class TimeOfDay {
public:
    TimeOfDay() {
        // Most locales write "%X" as hh:mm:ss, which is formatted directly:
        // a scanned file may have a million windows.
        plain_ = timeText("%X", at(3723)) == "01:02:03";
    }
    std::string operator()(double seconds) const {
        const double whole = std::floor(seconds + 0.5);
        const long long secs = std::isfinite(whole) ? static_cast<long long>(std::fmod(whole, 86400.0)) : 0;
        const long long day = (secs % 86400 + 86400) % 86400;
        if (plain_) {
            const int h = static_cast<int>(day / 3600), m = static_cast<int>(day % 3600 / 60),
                      sec = static_cast<int>(day % 60);
            const char text[8] = {static_cast<char>('0' + h / 10),   static_cast<char>('0' + h % 10),   ':',
                                  static_cast<char>('0' + m / 10),   static_cast<char>('0' + m % 10),   ':',
                                  static_cast<char>('0' + sec / 10), static_cast<char>('0' + sec % 10)};
            return std::string(text, sizeof text);
        }
        return timeText("%X", at(day));
    }

private:
    static std::tm at(long long day) {
        std::tm tm{};
        tm.tm_year = 100;
        tm.tm_mday = 1;
        tm.tm_hour = static_cast<int>(day / 3600);
        tm.tm_min = static_cast<int>(day % 3600 / 60);
        tm.tm_sec = static_cast<int>(day % 60);
        return tm;
    }
    bool plain_ = true;
};

void writeScanRow(ResultText& t, const CalcSettings& s) {
    if (!s.scanning) return;
    const TimeOfDay timeOfDay;
    t.raw("ScanTime");
    for (double start : s.windowStarts) {
        t.sep();
        t.raw(timeOfDay(start));
    }
    t.raw("\n");
}

// Whether the second variant is written: the entry asks for it and has results.
bool hasSecond(const ParameterEntry& e) { return e.twoVariants() && !e.second.leqs.empty(); }

struct Block {
    const char* label;  // "Maximum", "Minimum", "Leq" or a percentile label
    std::string percentileLabel;
    enum Kind { Max, Min, Leq, Pct } kind;
    std::size_t percentile = 0;
};

const std::vector<double>& blockValues(const VariantResults& r, const Block& b) {
    static const std::vector<double> none;
    switch (b.kind) {
        case Block::Max: return r.maxima;
        case Block::Min: return r.minima;
        case Block::Leq: return r.leqs;
        case Block::Pct: return b.percentile < r.percentiles.size() ? r.percentiles[b.percentile] : none;
    }
    return none;
}

std::vector<Block> blocksOf(const ParameterEntry& e, const CalcSettings& s, bool percentilesWritten) {
    std::vector<Block> blocks;
    if (e.flags.maximum) blocks.push_back({"Maximum", {}, Block::Max});
    if (e.flags.minimum) blocks.push_back({"Minimum", {}, Block::Min});
    if (e.flags.leq) blocks.push_back({"Leq", {}, Block::Leq});
    if (e.flags.percentiles && percentilesWritten) {
        std::size_t i = 0;
        for (double n : s.histogram.percentiles) blocks.push_back({nullptr, cformat("Percentile L%lg", n), Block::Pct, i++});
    }
    return blocks;
}

void writeGrouped(ResultText& t, const ResultFileContext& ctx, const ParameterEntry& e, const EntryNames& names,
                  bool percentilesWritten) {
    const char sep = t.separator();
    const bool two = hasSecond(e);
    for (const Block& b : blocksOf(e, *ctx.settings, percentilesWritten)) {
        const std::string label = b.label ? b.label : b.percentileLabel;
        const bool leqTime = b.kind == Block::Leq && !ctx.options.noLeqTime;
        t.text(label + ": " + names.own.fullName + "\n" + names.own.bandText);
        if (two) {
            t.text(" без корр.");
            t.sep();
            t.values(blockValues(e.first, b));
            t.text("\n" + names.own.bandText + " с корр.");
            t.sep();
            t.values(blockValues(e.second, b));
            if (leqTime) {
                t.text(cformat("\nВремя Leq без корр.%c", sep));
                t.values(e.first.durations);
                t.text(cformat("\nВремя Leq с корр.%c", sep));
                t.values(e.second.durations);
            }
            t.raw("\n");
            for (std::size_t i = 0; i < e.subEntries.size(); ++i) {
                const ParameterEntry& sub = e.subEntries[i];
                const std::string& row = names.subBands[i];
                t.text(row + " без корр.");
                t.sep();
                t.values(blockValues(sub.first, b));
                t.text("\n" + row + " с корр.");
                t.sep();
                t.values(blockValues(sub.second, b));
                t.raw("\n");
            }
        } else {
            t.sep();
            t.values(blockValues(e.first, b));
            if (leqTime) {
                t.text(cformat("\nВремя Leq%c", sep));
                t.values(e.first.durations);
            }
            t.raw("\n");
            for (std::size_t i = 0; i < e.subEntries.size(); ++i) {
                t.text(names.subBands[i]);
                t.sep();
                t.values(blockValues(e.subEntries[i].first, b));
                t.raw("\n");
            }
        }
    }
}

// The rows of the entry or of one of its sub-entries (e), headed by the
// entry's full name and e's band text; f: the entry's statistics.
void writePlainRows(ResultText& t, const ResultFileContext& ctx, const StatisticFlags& f, const std::string& heading,
                    const ParameterEntry& e, bool two, bool percentilesWritten) {
    const char sep = t.separator();
    t.text(heading + "\n");
    auto rows = [&](const std::string& label, const std::vector<double>& a, const std::vector<double>& b) {
        if (two) {
            t.text(label + cformat(" без корр.%c", sep));
            t.values(a);
            t.text("\n" + label + cformat(" с корр.%c", sep));
            t.values(b);
        } else {
            t.text(label + cformat("%c", sep));
            t.values(a);
        }
    };
    if (f.maximum) {
        rows("Maximum", e.first.maxima, e.second.maxima);
        t.raw("\n");
    }
    if (f.minimum) {
        rows("Minimum", e.first.minima, e.second.minima);
        t.raw("\n");
    }
    if (f.leq) {
        rows("LEq", e.first.leqs, e.second.leqs);
        if (!ctx.options.noLeqTime) {
            t.raw("\n");
            rows("Время LEq", e.first.durations, e.second.durations);
        }
        t.raw("\n");
    }
    if (f.percentiles && percentilesWritten) {
        std::size_t i = 0;
        static const std::vector<double> none;
        for (double n : ctx.settings->histogram.percentiles) {
            const auto& a = i < e.first.percentiles.size() ? e.first.percentiles[i] : none;
            const auto& b = i < e.second.percentiles.size() ? e.second.percentiles[i] : none;
            rows(cformat("Percentile L%lg", n), a, b);
            t.raw("\n");
            ++i;
        }
    }
}

// "%d\t" of every count.
void appendCounts(std::string& out, const std::vector<int>& counts) {
    char buf[16];
    for (int c : counts) {
        char* end = std::to_chars(buf, buf + sizeof buf - 1, c).ptr;
        *end++ = '\t';
        out.append(buf, end);
    }
}

void writeHistogramFile(const ResultFileContext& ctx, const ParameterEntry& e, const EntryNames& names,
                        std::vector<Message>& messages) {
    const std::string path =
        ctx.options.resultFolder + ctx.options.baseName + "_" + fileNamePart(names.fileName) + "_H.txt";
    const HistogramSettings& h = ctx.settings->histogram;
    std::string out = cformat("%s %lg %lg %lg %d\n", kHistogramFileTag, h.lower, h.upper(), h.width,
                              h.excludeEdges ? 1 : 0);
    out += encodeForOutput("Histogram: " + names.own.fullName + "\n" + names.own.bandText, ctx.encoding);
    out += '\t';
    appendCounts(out, e.first.classCounts);
    out += '\n';
    for (std::size_t i = 0; i < e.subEntries.size(); ++i) {
        out += encodeForOutput(names.subBands[i], ctx.encoding);
        out += '\t';
        appendCounts(out, e.subEntries[i].first.classCounts);
        out += '\n';
    }
    if (!writeFileAtomically(path, out)) messages.push_back(Message(msg::CannotOpen, path));
}

}  // namespace

std::vector<Message> WriteFileResults(const ResultFileContext& ctx, const std::vector<ParameterEntry>& entries,
                                      const std::string* sharedFile) {
    std::vector<Message> messages;
    const ResultOptions& o = ctx.options;
    const std::string ext = o.csv ? ".csv" : ".txt";
    const bool oneFile = o.singleFile && !sharedFile;
    const std::string onePath = o.resultFolder + o.baseName + ext;
    const bool percentilesWritten = ctx.mode != FileWorkMode::Samples;
    bool headed = false;
    // Single-file mode begins its file afresh, the shared file is added to.
    GatheringSink gathered;
    bool gatheredOpened = false;
    const std::string gatheredPath = sharedFile ? *sharedFile : onePath;

    for (const ParameterEntry& e : entries) {
        if (parameterKind(e.code) == ParameterKind::SynthesizedLeq) continue;
        const EntryNames names = namesOf(e, ctx.naming);
        if (e.flags.anyStatistic()) {
            NewFileSink fresh;
            const std::string path = (sharedFile || oneFile)
                                         ? gatheredPath
                                         : o.resultFolder + o.baseName + "_" + fileNamePart(names.fileName) + ext;
            ResultSink* sink = nullptr;
            if (sharedFile || oneFile) {
                if (!gatheredOpened) gatheredOpened = gathered.open(path, sharedFile != nullptr);
                if (gatheredOpened) sink = &gathered;
            } else if (fresh.open(path)) {
                sink = &fresh;
            }
            if (!sink) {
                messages.push_back(Message(msg::CannotOpen, path));
            } else {
                {
                    ResultText t(ctx, *sink);
                    if (sharedFile || oneFile) t.raw("\n");
                    if (!(oneFile && ctx.fromParametersWindow && headed)) writeHeader(t, ctx);
                    headed = true;
                    writeScanRow(t, *ctx.settings);
                    if (o.grouped) {
                        writeGrouped(t, ctx, e, names, percentilesWritten);
                    } else {
                        const bool two = hasSecond(e);
                        const std::string& full = names.own.fullName;
                        writePlainRows(t, ctx, e.flags, full + " " + names.own.bandText, e, two, percentilesWritten);
                        for (std::size_t i = 0; i < e.subEntries.size(); ++i)
                            writePlainRows(t, ctx, e.flags, full + " " + names.subBands[i], e.subEntries[i], two,
                                           percentilesWritten);
                    }
                }
                if (!sink->finish()) messages.push_back(Message(msg::CannotOpen, path));
            }
        }
        if (e.flags.histogram && percentilesWritten) writeHistogramFile(ctx, e, names, messages);
    }
    if (gatheredOpened && !gathered.commit()) messages.push_back(Message(msg::CannotOpen, gatheredPath));
    // A single file without any entry of statistics is not left over from before.
    if (oneFile && !gatheredOpened) std::remove(onePath.c_str());
    return messages;
}

}  // namespace phonotab
