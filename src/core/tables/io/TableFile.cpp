#include "core/tables/io/TableFile.h"

#include <cstring>

#include "core/base/MappedFile.h"
#include "core/base/TextCodec.h"
#include "core/tables/io/LegacyParameterId.h"
#include "core/platform/AtomicFile.h"
#include "core/tables/TableDrawing.h"

namespace phonotab {

namespace {


void putString(ByteWriter& w, const std::string& s) {
    const std::u16string u = utf8ToUtf16(s);
    w.i32(static_cast<std::int32_t>(u.size()));
    for (char16_t c : u) w.u16(static_cast<std::uint16_t>(c));
}

// Field reads that stop at the end of the data: once a field is missing,
// nothing more is read and every later field keeps the value it had.
class FieldReader {
public:
    explicit FieldReader(ByteSpan bytes) : r_(bytes) {}
    bool ended() const { return ended_; }

    template <typename T>
    bool i32(T& out) {
        if (!take(4)) return false;
        out = static_cast<T>(r_.u32());
        return true;
    }
    bool f64(double& out) {
        if (!take(8)) return false;
        out = r_.f64();
        return true;
    }
    bool str(std::string& out) {
        std::int32_t n = 0;
        if (!i32(n)) return false;
        if (n < 0 || !take(static_cast<std::size_t>(n) * 2)) {
            ended_ = true;
            return false;
        }
        out = utf16leToUtf8(r_.bytes(static_cast<std::size_t>(n) * 2));
        return true;
    }
    bool skipString() {
        std::string ignored;
        return str(ignored);
    }

private:
    bool take(std::size_t n) {
        if (ended_ || !r_.has(n)) {
            ended_ = true;
            return false;
        }
        return true;
    }
    ByteReader r_;
    bool ended_ = false;
};

// A map of (column, row) -> text; entries outside the grid are dropped.
void readTextMap(FieldReader& in, const ReportTable& t, std::map<CellKey, std::string>& out) {
    out.clear();
    std::int32_t count = 0;
    if (!in.i32(count)) return;
    for (std::int32_t i = 0; i < count; ++i) {
        CellKey k;
        std::string text;
        if (!in.i32(k.column) || !in.i32(k.row) || !in.str(text)) return;
        if (t.inside(k)) out[k] = std::move(text);
    }
}

void writeTextMap(ByteWriter& w, const std::map<CellKey, std::string>& m) {
    w.i32(static_cast<std::int32_t>(m.size()));
    for (const auto& [k, text] : m) {
        w.i32(k.column);
        w.i32(k.row);
        putString(w, text);
    }
}

}  // namespace

std::vector<std::uint8_t> TableFile::SaveBytes(const ReportTable& t) {
    ByteWriter w;
    for (char c : {'T', 'B', 'L', 'S', '\0'}) w.u8(static_cast<std::uint8_t>(c));
    w.i32(Version);
    w.i32(t.columnCount());
    w.i32(t.rowCount());
    for (int r = 0; r < t.rowCount(); ++r)
        for (int c = 0; c < t.columnCount(); ++c) {
            const TableCell& cell = t.cell(c, r);
            if (r == 0) w.i32(cell.width);
            w.i32(cell.height);
            w.u32(cell.flags);
            w.u32(cell.background);
            w.u32(cell.textColour);
            w.u32(cell.alignment);
            w.u32(cell.font);
            putString(w, cell.fontFace);
            w.i32(cell.numberFormat);
        }
    writeTextMap(w, t.texts);
    w.i32(static_cast<std::int32_t>(t.bindings.size()));
    for (const auto& [k, b] : t.bindings) {
        w.i32(k.column);
        w.i32(k.row);
        putString(w, b.sourceName);
        w.i32(b.parameterCode);
        w.i32(b.itemIndex);
        w.f64(b.value);
    }
    w.i32(t.carriedValue);
    w.i32(static_cast<std::int32_t>(t.formulas.size()));
    for (const auto& [k, f] : t.formulas) {
        w.i32(k.column);
        w.i32(k.row);
        putString(w, f.text);
    }
    putString(w, t.name);
    for (const GraphSeriesSettings& s : t.graph.series) {
        w.i32(s.fillColour);
        w.i32(s.lineColour);
        w.f64(s.lineWidth);
        w.i32(s.graphType);
        putString(w, s.cellRange);
    }
    putString(w, t.graph.xMarkingRange);
    putString(w, t.graph.xCaption);
    putString(w, t.graph.yCaption);
    w.i32(t.graph.optionWord);
    w.i32(t.graph.axisFlags);
    w.i32(0);  // a string that is always empty
    w.f64(t.graph.manualMinimum);
    w.f64(t.graph.manualMaximum);
    writeTextMap(w, t.macros);
    return w.take();
}

Status TableFile::Save(ReportTable& table, const std::string& path) {
    const std::vector<std::uint8_t> bytes = SaveBytes(table);
    Status s = writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (s.ok()) table.SetModified(false);
    return s;
}

std::int64_t TableFile::ClaimedCells(ByteSpan bytes) {
    if (bytes.size() < 17 || std::memcmp(bytes.data(), "TBLS", 5) != 0) return 0;
    const std::int64_t columns = static_cast<std::int32_t>(loadU32(bytes.data() + 9));
    const std::int64_t rows = static_cast<std::int32_t>(loadU32(bytes.data() + 13));
    return columns > 0 && rows > 0 ? columns * rows : 0;
}

Status TableFile::LoadBytes(ReportTable& table, ByteSpan bytes, const std::string& path,
                            const DataSourceDirectory* sources) {
    if (bytes.size() < 5 || std::memcmp(bytes.data(), "TBLS", 5) != 0) return Message(msg::FormatError);
    FieldReader in(bytes.subspan(5));
    std::int32_t v = 0, columns = 0, rows = 0;
    in.i32(v);
    in.i32(columns);
    in.i32(rows);
    // Zero and negative counts are refused alike.
    if (v == 0 || columns <= 0 || rows <= 0 || columns > ReportTable::MaxColumns || rows > ReportTable::MaxRows)
        return Message(msg::FormatError);

    ReportTable t(1, 1);
    {
        std::vector<std::vector<TableCell>> grid(static_cast<std::size_t>(rows),
                                                 std::vector<TableCell>(static_cast<std::size_t>(columns)));
        for (TableCell& c : grid[0]) {
            c.width = ReportTable::DefaultWidth;
            c.height = ReportTable::DefaultHeight;
        }
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                TableCell& cell = grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                if (r > 0) {
                    cell.width = grid[0][static_cast<std::size_t>(c)].width;
                    cell.height = grid[0][static_cast<std::size_t>(c)].height;
                }
                if (in.ended()) continue;
                if (v > 1) {
                    if (r == 0) in.i32(cell.width);
                    in.i32(cell.height);
                    in.i32(cell.flags);
                    in.i32(cell.background);
                    in.i32(cell.textColour);
                }
                if (v > 2) {
                    in.i32(cell.alignment);
                    in.i32(cell.font);
                    in.str(cell.fontFace);
                }
                if (v > 5) in.i32(cell.numberFormat);
            }
        t.setGrid(std::move(grid));
    }

    t.name = fileStem(path);
    if (v > 1) {
        readTextMap(in, t, t.texts);
        std::int32_t count = 0;
        if (in.i32(count))
            for (std::int32_t i = 0; i < count; ++i) {
                CellKey k;
                CellBinding b;
                if (!in.i32(k.column) || !in.i32(k.row) || !in.str(b.sourceName)) break;
                if (v >= 12) {
                    if (!in.i32(b.parameterCode)) break;
                } else {
                    std::int32_t a = 0, old = 0;
                    if (!in.i32(a) || !in.i32(old)) break;
                    const std::optional<std::int32_t> type = sources ? sources->sourceFileType(b.sourceName) : std::nullopt;
                    b.parameterCode = type ? ConvertLegacyParameterId(old, a & 0xFF, *type) : 0;
                }
                if (!in.i32(b.itemIndex)) break;
                in.f64(b.value);
                if (t.inside(k)) t.bindings[k] = std::move(b);
                if (in.ended()) break;
            }
        in.i32(t.carriedValue);
    }
    if (v > 3) {
        std::map<CellKey, std::string> texts;
        readTextMap(in, t, texts);
        for (auto& [k, text] : texts) t.formulas[k] = CellFormula{std::move(text), 0.0, FormulaState::Pending};
    }
    if (v > 4) in.str(t.name);
    if (v > 6) {
        for (GraphSeriesSettings& s : t.graph.series) {
            in.i32(s.fillColour);
            in.i32(s.lineColour);
            in.f64(s.lineWidth);
            in.i32(s.graphType);
            in.str(s.cellRange);
        }
        in.str(t.graph.xMarkingRange);
        in.str(t.graph.xCaption);
        in.str(t.graph.yCaption);
    }
    if (v > 7) in.i32(t.graph.optionWord);
    if (v > 8) {
        in.i32(t.graph.axisFlags);
        in.skipString();
    }
    if (v > 9) {
        in.f64(t.graph.manualMinimum);
        in.f64(t.graph.manualMaximum);
    }
    if (v > 10) readTextMap(in, t, t.macros);

    t.filePath = path;
    t.SetModified(false);
    t.RequestRecalculation();
    table = std::move(t);
    return Status::success();
}

Status TableFile::Load(ReportTable& table, const std::string& path, const DataSourceDirectory* sources) {
    std::vector<std::uint8_t> bytes;
    if (!readFileBytes(path, bytes)) return Message(msg::CannotOpen, path);
    return LoadBytes(table, bytes, path, sources);
}

}  // namespace phonotab
