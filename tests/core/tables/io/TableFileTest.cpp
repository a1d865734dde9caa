#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <filesystem>

#include "../TableTestSupport.h"
#include "TestSupport.h"
#include "core/base/Bytes.h"
#include "core/base/MappedFile.h"
#include "core/base/TextCodec.h"
#include "core/tables/formula/CellNumberFormat.h"
#include "core/tables/io/TableFile.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// A table with something in every part of the file.
ReportTable fullTable() {
    ReportTable t(3, 2);
    t.name = "Уровни звука";
    t.cell(0, 0).width = 120;
    t.cell(0, 1).height = 31;
    t.cell(1, 1).flags = cellflag::CoveredFromLeft | 0x100;  // unnamed bits are kept
    t.cell(1, 2).background = 0x00C0FFEE;
    t.cell(0, 2).alignment = (cellalign::Bottom << 16) | cellalign::Right;
    t.cell(0, 2).font = 3 | cellfont::Bold;
    t.cell(0, 2).fontFace = "Times New Roman";
    t.cell(1, 0).numberFormat = static_cast<std::int32_t>(numfmt::Engineering | 2);
    t.texts[{0, 0}] = "Точка 1\r\nдень";
    t.texts[{1, 0}] = "";
    t.bindings[{0, 1}] = CellBinding{"street", 0x11000102, 2, 63.25};
    t.formulas[{1, 2}] = CellFormula{"ESUM(A1:A2)", 0, FormulaState::Pending};
    t.formulas[{0, 2}] = CellFormula{"#Нормы#1", 0, FormulaState::Pending};
    t.macros[{1, 1}] = "A1 = {b+1}; RHIDE 3";
    t.carriedValue = -7;
    t.graph.series[1] = GraphSeriesSettings{0xFF, 0xFF00, 2.5, 3, "A1:A3"};
    t.graph.xMarkingRange = "B1:B3";
    t.graph.xCaption = "Время";
    t.graph.yCaption = "дБА";
    t.graph.optionWord = 0x1234;
    t.graph.axisFlags = TableGraphSettings::LogarithmicY | TableGraphSettings::ManualRange;
    t.graph.manualMinimum = 30;
    t.graph.manualMaximum = 110.5;
    return t;
}

void expectSameContent(const ReportTable& a, const ReportTable& b) {
    EXPECT_EQ(a.name, b.name);
    ASSERT_EQ(a.rowCount(), b.rowCount());
    ASSERT_EQ(a.columnCount(), b.columnCount());
    for (int r = 0; r < a.rowCount(); ++r)
        for (int c = 0; c < a.columnCount(); ++c) {
            // Only the cells of row 0 store a width; the others take their column's.
            TableCell x = a.cell(c, r);
            if (r > 0) x.width = a.cell(c, 0).width;
            EXPECT_TRUE(x == b.cell(c, r)) << c << "," << r;
        }
    EXPECT_EQ(a.texts, b.texts);
    EXPECT_EQ(a.bindings, b.bindings);
    ASSERT_EQ(a.formulas.size(), b.formulas.size());
    for (const auto& [k, f] : a.formulas) EXPECT_EQ(b.formulas.at(k).text, f.text);
    EXPECT_EQ(a.macros, b.macros);
    EXPECT_EQ(a.carriedValue, b.carriedValue);
    EXPECT_EQ(a.graph, b.graph);
}

// Writes the fields of an old file version by hand.
struct OldFile {
    ByteWriter w;
    void str(const std::string& s) {
        const std::u16string u = utf8ToUtf16(s);
        w.i32(static_cast<std::int32_t>(u.size()));
        for (char16_t c : u) w.u16(c);
    }
    void header(int version, int columns, int rows) {
        for (char c : {'T', 'B', 'L', 'S', '\0'}) w.u8(static_cast<std::uint8_t>(c));
        w.i32(version);
        w.i32(columns);
        w.i32(rows);
    }
};

class FixedSources final : public DataSourceDirectory {
public:
    std::optional<std::string> sourceFilePath(std::string_view) const override { return std::nullopt; }
    std::optional<std::int32_t> sourceFileType(std::string_view name) const override {
        if (name == "street") return 60001;
        return std::nullopt;
    }
};

}  // namespace

TEST(TableFile, WritesVersion12AndReadsBackEverything) {
    ReportTable t = fullTable();
    const std::vector<std::uint8_t> bytes = TableFile::SaveBytes(t);
    ASSERT_GE(bytes.size(), 17u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), std::string("TBLS\0", 5));
    EXPECT_EQ(loadU32(&bytes[5]), 12u);
    EXPECT_EQ(loadU32(&bytes[9]), 2u);   // columns
    EXPECT_EQ(loadU32(&bytes[13]), 3u);  // rows
    EXPECT_EQ(loadU32(&bytes[17]), 120u);  // the first cell begins with its width

    ReportTable back(5, 5);
    back.texts[{4, 4}] = "stale";
    ASSERT_TRUE(TableFile::LoadBytes(back, bytes, "/x/ignored.tbl", nullptr).ok());
    expectSameContent(t, back);
    EXPECT_FALSE(back.modified());
    EXPECT_TRUE(back.recalculationRequested());
    EXPECT_EQ(back.formulas.begin()->second.state, FormulaState::Pending);
    EXPECT_EQ(TableFile::SaveBytes(back), bytes);
}

TEST(TableFile, RefusesWrongHeaders) {
    ReportTable t = fullTable();
    const std::vector<std::uint8_t> good = TableFile::SaveBytes(t);
    auto patched = [&](std::size_t offset, std::uint32_t v) {
        std::vector<std::uint8_t> b = good;
        for (int i = 0; i < 4; ++i) b[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        return b;
    };
    std::vector<std::uint8_t> badMagic = good;
    badMagic[4] = 'X';
    const std::vector<std::vector<std::uint8_t>> refused = {
        {},        badMagic,          patched(5, 0),      patched(9, 0),    patched(13, 0),
        patched(9, 0xFFFFFFFF), patched(13, 0x80000000), patched(9, 1001), patched(13, 1001),
        std::vector<std::uint8_t>(good.begin(), good.begin() + 9)};
    for (const auto& bytes : refused) {
        ReportTable target(2, 2);
        target.name = "before";
        Status s = TableFile::LoadBytes(target, bytes, "t.tbl", nullptr);
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.error().id, 227);
        EXPECT_EQ(s.error().text(), "Ошибка в формате файла");
        EXPECT_EQ(target.name, "before");
    }
}

TEST(TableFile, AThousandByAThousandLoads) {
    OldFile f;
    f.header(1, 1000, 1000);
    ReportTable t;
    ASSERT_TRUE(TableFile::LoadBytes(t, f.w.data(), "big.tbl", nullptr).ok());
    EXPECT_EQ(t.rowCount(), 1000);
    EXPECT_EQ(t.columnCount(), 1000);
}

TEST(TableFile, Version1HasDefaultGeometryAndTheFileName) {
    OldFile f;
    f.header(1, 3, 2);
    ReportTable t;
    ASSERT_TRUE(TableFile::LoadBytes(t, f.w.data(), "/data/tables/Шум у дома.tbl", nullptr).ok());
    EXPECT_EQ(t.name, "Шум у дома");
    EXPECT_EQ(t.cell(2, 1).width, 70);
    EXPECT_EQ(t.cell(2, 1).height, 20);
    EXPECT_EQ(t.cell(2, 1).fontFace, "Arial");
    EXPECT_EQ(t.cell(2, 1).numberFormat, 1);
    EXPECT_TRUE(t.texts.empty());
}

TEST(TableFile, Version4FileAndLegacyBindings) {
    OldFile f;
    f.header(4, 2, 2);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            if (r == 0) f.w.i32(80 + c);
            f.w.i32(25);
            f.w.u32(0);
            f.w.u32(0xFFFFFF);
            f.w.u32(0);
            f.w.u32(2);
            f.w.u32(1);
            f.str("Arial");
        }
    f.w.i32(1);  // texts
    f.w.i32(0), f.w.i32(0), f.str("Точка");
    f.w.i32(2);  // bindings with the old pair (a, b)
    for (const char* source : {"street", "nowhere"}) {
        f.w.i32(1), f.w.i32(0), f.str(source);
        f.w.i32(0x0305);  // a: its low byte goes into the code
        f.w.i32(41);      // b: old id 41 = channel 1, index 1
        f.w.i32(2);
        f.w.f64(64.5);
    }
    f.w.i32(99);  // carried value
    f.w.i32(1);   // formulas
    f.w.i32(1), f.w.i32(1), f.str("A2*2");

    FixedSources sources;
    ReportTable t;
    ASSERT_TRUE(TableFile::LoadBytes(t, f.w.data(), "C:/old/Отчет 4.tbl", &sources).ok());
    EXPECT_EQ(t.name, "Отчет 4");
    EXPECT_EQ(t.cell(1, 1).width, 81);
    EXPECT_EQ(t.cell(1, 1).numberFormat, 1);
    EXPECT_EQ(t.texts.at({0, 0}), "Точка");
    EXPECT_EQ(t.bindings.at({1, 0}).parameterCode, 0);  // "nowhere" replaced "street" at the same key
    EXPECT_EQ(t.carriedValue, 99);
    EXPECT_EQ(t.formulas.at({1, 1}).text, "A2*2");
    EXPECT_TRUE(t.macros.empty());
    EXPECT_EQ(t.graph, TableGraphSettings{});

    // The same file with only the "street" binding converts its code.
    OldFile g;
    g.header(2, 1, 1);
    g.w.i32(20), g.w.i32(20), g.w.u32(0), g.w.u32(0), g.w.u32(0);
    g.w.i32(0);
    g.w.i32(1);
    g.w.i32(0), g.w.i32(0), g.str("street"), g.w.i32(0x0305), g.w.i32(41), g.w.i32(2), g.w.f64(-1);
    ASSERT_TRUE(TableFile::LoadBytes(t, g.w.data(), "g.tbl", &sources).ok());
    EXPECT_EQ(t.bindings.at({0, 0}).parameterCode, 0x1110105);
}

// Version 5 stores the table's name but no number formats: the name comes from
// the file, not from the file name, and every cell keeps one decimal.
TEST(TableFile, Version5HasItsOwnNameAndNoNumberFormats) {
    OldFile f;
    f.header(5, 2, 2);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            if (r == 0) f.w.i32(90 + c);
            f.w.i32(22 + r);
            f.w.u32(r == 1 ? cellflag::RowExcluded : 0u);
            f.w.u32(0xE0E0E0);
            f.w.u32(0x0000FF);
            f.w.u32(6);
            f.w.u32(2 | cellfont::Italic);
            f.str(c == 0 ? "Courier New" : "Arial");
        }
    f.w.i32(1);  // texts
    f.w.i32(1), f.w.i32(0), f.str("Ночь");
    f.w.i32(0);  // bindings
    f.w.i32(5);  // carried value
    f.w.i32(1);  // formulas
    f.w.i32(1), f.w.i32(1), f.str("B1+1");
    f.str("Уровни ночью");

    ReportTable t;
    ASSERT_TRUE(TableFile::LoadBytes(t, f.w.data(), "/data/Отчет.tbl", nullptr).ok());
    EXPECT_EQ(t.name, "Уровни ночью");
    EXPECT_EQ(t.cell(1, 0).width, 91);
    EXPECT_EQ(t.cell(1, 1).width, 91);
    EXPECT_EQ(t.cell(1, 1).height, 23);
    EXPECT_EQ(t.cell(0, 1).flags, cellflag::RowExcluded);
    EXPECT_EQ(t.cell(1, 1).fontFace, "Arial");
    EXPECT_EQ(t.cell(0, 1).fontFace, "Courier New");
    EXPECT_EQ(t.cell(0, 1).font, 2 | cellfont::Italic);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) EXPECT_EQ(t.cell(c, r).numberFormat, 1) << c << "," << r;
    EXPECT_EQ(t.texts, (std::map<CellKey, std::string>{{{1, 0}, "Ночь"}}));
    EXPECT_EQ(t.carriedValue, 5);
    EXPECT_EQ(t.formulas.at({1, 1}).text, "B1+1");
    EXPECT_EQ(t.graph, TableGraphSettings{});
    EXPECT_TRUE(t.macros.empty());
}

TEST(TableFile, AFileThatEndsEarlyKeepsWhatWasRead) {
    ReportTable t = fullTable();
    const std::vector<std::uint8_t> bytes = TableFile::SaveBytes(t);
    for (std::size_t cut = 17; cut < bytes.size(); cut += 7) {
        ReportTable back;
        ASSERT_TRUE(TableFile::LoadBytes(back, ByteSpan(bytes.data(), cut), "cut.tbl", nullptr).ok()) << cut;
        EXPECT_EQ(back.rowCount(), 3);
    }
    ReportTable back;
    ASSERT_TRUE(TableFile::LoadBytes(back, ByteSpan(bytes.data(), bytes.size() - 30), "cut.tbl", nullptr).ok());
    EXPECT_EQ(back.texts, t.texts);
    EXPECT_EQ(back.formulas.size(), t.formulas.size());
    EXPECT_TRUE(back.macros.empty());
}

TEST(TableFile, EntriesOutsideTheGridAreDropped) {
    OldFile f;
    f.header(2, 1, 1);
    f.w.i32(70), f.w.i32(20), f.w.u32(0), f.w.u32(0), f.w.u32(0);
    f.w.i32(3);
    f.w.i32(0), f.w.i32(0), f.str("in");
    f.w.i32(5), f.w.i32(0), f.str("right of the grid");
    f.w.i32(0), f.w.i32(-1), f.str("above the grid");
    ReportTable back;
    ASSERT_TRUE(TableFile::LoadBytes(back, f.w.data(), "x.tbl", nullptr).ok());
    EXPECT_EQ(back.texts.size(), 1u);
    EXPECT_EQ(back.texts.at({0, 0}), "in");
}

TEST(TableFile, SavingGoesThroughATemporaryFile) {
    ScratchDir dir;
    ReportTable t = fullTable();
    t.SetModified();
    const std::string path = dir.file("t.tbl");
    ASSERT_TRUE(TableFile::Save(t, path).ok());
    EXPECT_FALSE(t.modified());
    ReportTable back;
    ASSERT_TRUE(TableFile::Load(back, path, nullptr).ok());
    expectSameContent(t, back);
    EXPECT_EQ(back.filePath, path);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary file left

    // A save that cannot create its file keeps the old one and the modified flag.
    t.SetModified();
    const std::string missing = dir.file("no/such/folder/t.tbl");
    Status s = TableFile::Save(t, missing);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().text(), "Не могу открыть файл '" + missing + "'");
    EXPECT_TRUE(t.modified());

    // A write that fails half-way (the file size limit stands in for a full disk)
    // leaves the old file as it was.
    t.name = "changed";
    t.texts[{1, 2}] = std::string(4000, 'x');
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    Status failed = TableFile::Save(t, path);
    ::setrlimit(RLIMIT_FSIZE, &before);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().text(), "Не могу записать файл '" + path + "'");
    ASSERT_TRUE(TableFile::Load(back, path, nullptr).ok());
    EXPECT_EQ(back.name, "Уровни звука");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    Status missingFile = TableFile::Load(back, dir.file("none.tbl"), nullptr);
    ASSERT_FALSE(missingFile.ok());
    EXPECT_EQ(missingFile.error().id, 105);
}

// Versions 6 to 11 share the cell layout of version 12; a table without bindings
// reads the same bytes, each version only as far as its gates allow.
TEST(TableFile, VersionGatesOfTheGraphAndMacros) {
    ReportTable t = fullTable();
    t.bindings.clear();
    std::vector<std::uint8_t> bytes = TableFile::SaveBytes(t);
    for (std::uint8_t v = 6; v <= 11; ++v) {
        bytes[5] = v;
        ReportTable back;
        ASSERT_TRUE(TableFile::LoadBytes(back, bytes, "x.tbl", nullptr).ok());
        EXPECT_EQ(back.name, t.name);
        EXPECT_EQ(back.cell(1, 0).numberFormat, t.cell(1, 0).numberFormat);
        EXPECT_EQ(back.graph.series[1].cellRange, v > 6 ? "A1:A3" : "") << int(v);
        EXPECT_EQ(back.graph.yCaption, v > 6 ? "дБА" : "") << int(v);
        EXPECT_EQ(back.graph.optionWord, v > 7 ? 0x1234 : 0) << int(v);
        EXPECT_EQ(back.graph.axisFlags, v > 8 ? 5 : 0) << int(v);
        EXPECT_EQ(back.graph.manualMaximum, v > 9 ? 110.5 : 0.0) << int(v);
        EXPECT_EQ(back.macros.size(), v > 10 ? 1u : 0u) << int(v);
    }
}
