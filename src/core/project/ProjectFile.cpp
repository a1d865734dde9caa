#include "core/project/ProjectFile.h"

#include "core/base/MappedFile.h"
#include "core/platform/AtomicFile.h"
#include "core/project/ArchiveStream.h"
#include "core/tables/io/LegacyParameterId.h"
#include "core/tables/io/TableFile.h"

namespace phonotab {

namespace {

constexpr std::int32_t kFirstVersion = 15;
constexpr int kCorrectionsBefore3 = 49;

// Smallest sizes of the counted items, for checking counts against the bytes left.
constexpr std::size_t kMinSelection = 1 + 4 + 8 * 4 + 4;
constexpr std::size_t kMinZone = 8 + 8 + 4 + 8 * kCorrectionsBefore3;
constexpr std::size_t kMinEntry = 4 + 1 + 4 + 1 + 4 + 4 + 12 + 8 + 16 + 16 + 8 + 4 + 4;
// The cells all of a project's embedded tables may hold together: two tables
// of the largest size. Report tables are far smaller; the bound keeps a
// damaged or crafted file (a few bytes may claim a full-size table) from
// asking for gigabytes, and such a project is refused whole with a message
// rather than opened with tables silently missing.
constexpr std::int64_t kMaxProjectCells = 2LL * ReportTable::MaxColumns * ReportTable::MaxRows;

StoredFlag readFlag(ArchiveReader& a) { return StoredFlag::fromStored(a.i32()); }

// The stored form of an entry's selection; version 2 carries the argument of
// the conversion of old parameter ids (of the entry's file type).
void readSelection(ArchiveReader& a, ParameterSelection& s, std::int32_t fileType) {
    const std::uint8_t version = a.byte();
    if (version > 3) a.fail();
    s.parameterId = a.u32();
    for (StoredFlag* f : SelectionFlags::inStoredOrder(s.flags)) *f = readFlag(a);
    s.colour = a.u32();
    if (version >= 1) s.caption = a.text();
    if (version == 2) {
        const std::int32_t x = a.i32();
        s.parameterId = static_cast<std::uint32_t>(
            ConvertLegacyParameterId(static_cast<std::int32_t>(s.parameterId), x & 0xFF, fileType));
    }
}

void writeSelection(ArchiveWriter& w, const ParameterSelection& s) {
    w.byte(3);
    w.u32(s.parameterId);
    for (const StoredFlag* f : SelectionFlags::inStoredOrder(s.flags)) w.i32(f->stored());
    w.u32(s.colour);
    w.text(s.caption);
}

void readEntry(ArchiveReader& a, ProjectFileEntry& e) {
    const std::int32_t version = a.i32();
    if (version < 0 || version > 3) a.fail();
    e.path = a.text();
    e.workMode = static_cast<FileWorkMode>(a.i32());
    e.referenceName = a.text();
    e.fileType = a.i32();
    if (version >= 3) {
        e.instrumentCode = a.i32();
    } else {
        e.instrumentCode = e.fileType;
        if (e.fileType < 28) e.fileType += 60000;
    }
    const std::int32_t selections = a.count(kMinSelection + 4);
    e.selections.assign(static_cast<std::size_t>(selections), ParameterSelection{});
    for (auto& s : e.selections) {
        readSelection(a, s, e.fileType);
        const std::int32_t subs = a.count(kMinSelection);
        s.subSelections.assign(static_cast<std::size_t>(subs), ParameterSelection{});
        for (auto& sub : s.subSelections) readSelection(a, sub, e.fileType);
        if (!a.ok()) return;
    }
    e.rangeFirst = a.i32();
    e.rangeCount = a.i32();
    e.viewRow = a.i32();
    e.recordInterval = a.f64();
    e.scanInterval = a.f64();
    e.scanStep = a.f64();
    e.histogramLow = a.f64();
    e.histogramStep = a.f64();
    e.histogramClasses = a.i32();
    e.histogramExcludeEdges = readFlag(a);
    const std::int32_t percentiles = a.count(8);
    e.percentiles.clear();
    for (std::int32_t i = 0; i < percentiles; ++i) e.percentiles.insert(a.f64());
    const std::int32_t zones = a.count(kMinZone);
    e.ranges.assign(static_cast<std::size_t>(zones), RangeZone{});
    const int corrections = version <= 2 ? kCorrectionsBefore3 : kCorrectionCount;
    for (auto& z : e.ranges) {
        z.begin = a.f64();
        z.end = a.f64();
        z.exclusion = a.i32();
        for (int i = 0; i < corrections; ++i) z.corrections[static_cast<std::size_t>(i)] = a.f64();
        if (!a.ok()) return;
    }
    if (version >= 2) e.scanning = readFlag(a);
}

void writeEntry(ArchiveWriter& w, const ProjectFileEntry& e) {
    w.i32(3);
    w.text(e.path);
    w.i32(static_cast<std::int32_t>(e.workMode));
    w.text(e.referenceName);
    w.i32(e.fileType);
    w.i32(e.instrumentCode);
    w.i32(static_cast<std::int32_t>(e.selections.size()));
    for (const auto& s : e.selections) {
        writeSelection(w, s);
        w.i32(static_cast<std::int32_t>(s.subSelections.size()));
        for (const auto& sub : s.subSelections) writeSelection(w, sub);
    }
    w.i32(e.rangeFirst);
    w.i32(e.rangeCount);
    w.i32(e.viewRow);
    w.f64(e.recordInterval);
    w.f64(e.scanInterval);
    w.f64(e.scanStep);
    w.f64(e.histogramLow);
    w.f64(e.histogramStep);
    w.i32(e.histogramClasses);
    w.i32(e.histogramExcludeEdges.stored());
    w.i32(static_cast<std::int32_t>(e.percentiles.size()));
    for (double p : e.percentiles) w.f64(p);
    w.i32(static_cast<std::int32_t>(e.ranges.size()));
    for (const auto& z : e.ranges) {
        w.f64(z.begin);
        w.f64(z.end);
        w.i32(z.exclusion);
        for (double c : z.corrections) w.f64(c);
    }
    w.i32(e.scanning.stored());
}

WindowRect readRect(ArchiveReader& a) {
    WindowRect r;
    r.left = a.i32();
    r.top = a.i32();
    r.right = a.i32();
    r.bottom = a.i32();
    return r;
}

void writeRect(ArchiveWriter& w, const WindowRect& r) {
    w.i32(r.left);
    w.i32(r.top);
    w.i32(r.right);
    w.i32(r.bottom);
}

std::vector<std::string> readTexts(ArchiveReader& a) {
    std::vector<std::string> out(static_cast<std::size_t>(a.count(1)));
    for (auto& t : out) t = a.text();
    return out;
}

void writeTexts(ArchiveWriter& w, const std::vector<std::string>& texts) {
    w.i32(static_cast<std::int32_t>(texts.size()));
    for (const auto& t : texts) w.text(t);
}

WindowState readWindowState(ArchiveReader& a, WindowKind kind, const WindowState& before) {
    switch (kind) {
        case WindowKind::ProjectFiles: {
            ProjectFilesWindowState s;
            s.version = a.i32();
            for (auto& c : s.columnWidths) c = a.i32();
            return s;
        }
        case WindowKind::TimePlot: {
            // Version 0 carries nothing and leaves the captions as they were.
            TimePlotWindowState s;
            if (const auto* old = std::get_if<TimePlotWindowState>(&before)) s = *old;
            s.version = a.i32();
            if (s.version != 0) {
                s.xCaption = a.text();
                s.yCaption = a.text();
            }
            return s;
        }
        case WindowKind::HistogramPlot: {
            HistogramPlotWindowState s;
            s.version = a.i32();
            s.kind = a.i32();
            s.histograms.resize(static_cast<std::size_t>(a.count(4)));
            for (auto& h : s.histograms) {
                h.resize(static_cast<std::size_t>(a.count(8)));
                for (auto& v : h) v = a.f64();
            }
            s.columnCaptions = readTexts(a);
            s.current = a.i32();
            s.histogramNames = readTexts(a);
            s.displayMode = a.i32();
            s.title = a.text();
            s.binsPerColumn = a.i32();
            s.colour = a.u32();
            return s;
        }
        case WindowKind::Report: return ReportWindowState{a.i32()};
        default: return std::monostate{};
    }
}

void writeWindowState(ArchiveWriter& w, const WindowRecord& rec) {
    switch (rec.kind) {
        case WindowKind::ProjectFiles: {
            const auto s = std::holds_alternative<ProjectFilesWindowState>(rec.state)
                               ? std::get<ProjectFilesWindowState>(rec.state)
                               : ProjectFilesWindowState{};
            w.i32(1);
            for (auto c : s.columnWidths) w.i32(c);
            break;
        }
        case WindowKind::TimePlot: {
            const auto s = std::holds_alternative<TimePlotWindowState>(rec.state) ? std::get<TimePlotWindowState>(rec.state)
                                                                                 : TimePlotWindowState{};
            w.i32(1);
            w.text(s.xCaption);
            w.text(s.yCaption);
            break;
        }
        case WindowKind::HistogramPlot: {
            const auto s = std::holds_alternative<HistogramPlotWindowState>(rec.state)
                               ? std::get<HistogramPlotWindowState>(rec.state)
                               : HistogramPlotWindowState{};
            w.i32(1);
            w.i32(s.kind);
            w.i32(static_cast<std::int32_t>(s.histograms.size()));
            for (const auto& h : s.histograms) {
                w.i32(static_cast<std::int32_t>(h.size()));
                for (double v : h) w.f64(v);
            }
            writeTexts(w, s.columnCaptions);
            w.i32(s.current);
            writeTexts(w, s.histogramNames);
            w.i32(s.displayMode);
            w.text(s.title);
            w.i32(s.binsPerColumn);
            w.u32(s.colour);
            break;
        }
        case WindowKind::Report: w.i32(0); break;
        default: break;
    }
}

bool hasRect(WindowKind k) {
    const auto v = static_cast<std::int32_t>(k);
    return (v >= 1 && v <= 5) || v == 7;
}

}  // namespace

std::optional<std::string> ProjectSources::sourceFilePath(std::string_view referenceName) const {
    for (const auto& f : files_)
        if (f.referenceName == referenceName) return f.path;
    return std::nullopt;
}

std::optional<std::int32_t> ProjectSources::sourceFileType(std::string_view referenceName) const {
    for (const auto& f : files_)
        if (f.referenceName == referenceName) return f.fileType;
    return std::nullopt;
}

Result<ProjectState> ReadProject(ByteSpan bytes, const ProjectState& previous, const std::string& path) {
    ArchiveReader a(bytes);
    const std::int32_t version = a.i32();
    if (!a.ok()) return Message(msg::ProjectDamaged, path);
    if (version < kFirstVersion) return Message(msg::ProjectVersion);

    // A fresh project; the fields an older file lacks keep the open project's values.
    ProjectState s;
    s.version = version;
    s.groupByParameter = previous.groupByParameter;
    s.currentIndex = previous.currentIndex;
    s.reportTexts = previous.reportTexts;
    s.illustrations = previous.illustrations;
    s.includeExclusionsUncorrected = previous.includeExclusionsUncorrected;
    s.noLeqTime = previous.noLeqTime;
    s.csvResults = previous.csvResults;
    s.singleResultFile = previous.singleResultFile;
    // Tables are never kept over a load: older illustrations lose their links.
    for (auto& ill : s.illustrations) ill.table.reset();

    readEntry(a, s.currentFile);
    for (auto& c : s.customColours) c = a.u32();
    s.workingFolder = a.text();

    const std::int32_t windows = a.count(4);
    for (std::int32_t i = 0; i < windows && a.ok(); ++i) {
        const auto kind = static_cast<WindowKind>(a.i32());
        if (!hasRect(kind)) continue;  // table windows and unknown kinds carry nothing more
        WindowRecord rec;
        rec.kind = kind;
        rec.rect = readRect(a);
        // The single windows (project files, ranges, parameters, report) are
        // reused when the file names them twice; plots are created anew.
        WindowRecord* target = nullptr;
        if (kind != WindowKind::TimePlot && kind != WindowKind::HistogramPlot)
            for (auto& w : s.windows)
                if (w.kind == kind) target = &w;
        rec.state = readWindowState(a, kind, target ? target->state : WindowState{});
        if (target)
            *target = std::move(rec);
        else
            s.windows.push_back(std::move(rec));
    }
    s.currentColour = a.u32();
    const std::int32_t files = a.count(kMinEntry);
    s.files.resize(static_cast<std::size_t>(files));
    for (auto& e : s.files) {
        readEntry(a, e);
        if (!a.ok()) break;
    }
    if (version > 15) s.groupByParameter = readFlag(a);
    if (version > 16) s.currentIndex = a.i32();
    if (version > 17) {
        for (auto& t : s.reportTexts) t = a.text();
        const std::int32_t tables = a.count(4);
        // Tables of size 0 are skipped; illustrations keep pointing at the same
        // table through the map of stored positions to kept ones.
        std::vector<std::optional<std::size_t>> kept;
        const ProjectSources sources(s.files);
        std::int64_t cellsLeft = kMaxProjectCells;
        for (std::int32_t i = 0; i < tables && a.ok(); ++i) {
            const std::string name = version > 18 ? a.text() : std::string();
            const std::int32_t size = a.count(1);
            const ByteSpan tableBytes = a.bytes(static_cast<std::size_t>(size));
            if (!a.ok()) break;
            if (size == 0) {
                kept.push_back(std::nullopt);
                continue;
            }
            ProjectTable t;
            // A damaged embedded table is dropped like an empty one; the rest of
            // the project still loads.
            const std::int64_t claimed = TableFile::ClaimedCells(tableBytes);
            if (claimed > cellsLeft) return Message(msg::ProjectTooManyCells, path, kMaxProjectCells);
            cellsLeft -= claimed;
            if (!TableFile::LoadBytes(t.table, tableBytes, name, &sources).ok()) {
                kept.push_back(std::nullopt);
                continue;
            }
            t.table.name = name;
            t.storedSize = size;
            kept.push_back(s.tables.size());
            s.tables.push_back(std::move(t));
        }
        const std::int32_t illustrations = a.count(1 + 1 + 4);
        s.illustrations.assign(static_cast<std::size_t>(illustrations), Illustration{});
        for (auto& ill : s.illustrations) {
            ill.caption = a.text();
            ill.picturePath = a.text();
            const std::int32_t index = a.i32();
            if (index >= 0 && static_cast<std::size_t>(index) < kept.size()) ill.table = kept[static_cast<std::size_t>(index)];
        }
    }
    if (version > 19) s.includeExclusionsUncorrected = readFlag(a);
    if (version > 20) s.noLeqTime = readFlag(a);
    if (version > 21) s.csvResults = readFlag(a);
    if (version > 22) s.singleResultFile = readFlag(a);
    if (!a.ok()) return Message(msg::ProjectDamaged, path);
    return s;
}

Result<ProjectState> LoadProject(const std::string& path, const ProjectState& previous) {
    std::vector<std::uint8_t> bytes;
    if (!readFileBytes(path, bytes)) return Message(msg::CannotOpen, path);
    return ReadProject(bytes, previous, path);
}

std::vector<std::uint8_t> WriteProject(const ProjectState& s) {
    ArchiveWriter w;
    w.i32(kProjectVersion);
    writeEntry(w, s.currentFile);
    for (auto c : s.customColours) w.u32(c);
    w.text(s.workingFolder);
    w.i32(static_cast<std::int32_t>(s.windows.size()));
    for (const auto& rec : s.windows) {
        w.i32(static_cast<std::int32_t>(rec.kind));
        if (!hasRect(rec.kind)) continue;
        writeRect(w, rec.rect);
        writeWindowState(w, rec);
    }
    w.u32(s.currentColour);
    w.i32(static_cast<std::int32_t>(s.files.size()));
    for (const auto& e : s.files) writeEntry(w, e);
    w.i32(s.groupByParameter.stored());
    w.i32(s.currentIndex);
    for (const auto& t : s.reportTexts) w.text(t);
    w.i32(static_cast<std::int32_t>(s.tables.size()));
    for (const auto& t : s.tables) {
        w.text(t.table.name);
        const auto bytes = TableFile::SaveBytes(t.table);
        w.i32(static_cast<std::int32_t>(bytes.size()));
        w.bytes(bytes);
    }
    w.i32(static_cast<std::int32_t>(s.illustrations.size()));
    for (const auto& ill : s.illustrations) {
        w.text(ill.caption);
        w.text(ill.picturePath);
        w.i32(ill.table && *ill.table < s.tables.size() ? static_cast<std::int32_t>(*ill.table)
                                                        : static_cast<std::int32_t>(s.tables.size()));
    }
    w.i32(s.includeExclusionsUncorrected.stored());
    w.i32(s.noLeqTime.stored());
    w.i32(s.csvResults.stored());
    w.i32(s.singleResultFile.stored());
    return w.take();
}

Status SaveProject(const ProjectState& state, const std::string& path) {
    const auto bytes = WriteProject(state);
    return writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace phonotab
