#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "core/base/MappedFile.h"
#include "core/base/TextCodec.h"
#include "core/project/ArchiveStream.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectPaths.h"
#include "core/tables/io/TableFile.h"

using namespace phonotab;

namespace {

ProjectState richProject() {
    ProjectState p;
    p.workingFolder = "D:\\Измерения\\Объект 7\\";
    p.currentColour = 0x408040;
    p.customColours[3] = 0xABCDEF;
    p.currentIndex = 1;
    p.noLeqTime = true;
    ProjectFileEntry e;
    e.path = "data\\a.bin";
    e.referenceName = "Точка 1";
    e.fileType = 60101;
    e.instrumentCode = 101;
    ParameterSelection s;
    s.parameterId = 0x81300100;  // codes above 2^31 stay unsigned
    s.flags = {.plot = true, .maximum = true, .percentiles = true, .uncorrected = true};
    s.colour = 0xFF;
    s.caption = "A_Быстро";
    s.subSelections.push_back(s);
    e.selections = {s};
    e.percentiles = {1, 50.5};
    RangeZone z;
    z.begin = 1.5;
    z.end = 2.5;
    z.corrections[1028] = 12.5;
    e.ranges = {RangeZone{}, z};
    e.scanning = true;
    p.currentFile = e;
    p.files = {e, e};
    p.files[1].referenceName = "Точка 2";
    p.reportText(ReportText::ProtocolNumber) = "П-7";
    p.reportText(ReportText::MeasuredBy) = "Иванов И. И.";
    p.reportText(ReportText::Conclusion) = "Заключение:\nнорма";
    ProjectTable t;
    t.table = ReportTable(3, 2);
    t.table.name = "Таблица 1";
    t.table.texts[{1, 2}] = "текст";
    p.tables.push_back(std::move(t));
    p.illustrations = {{"Рис. 1", "pic.png", 0}, {"Рис. 2", "p2.png", std::nullopt}};
    // Every field of its own value, so that two fields swapped show.
    HistogramPlotWindowState h;
    h.kind = 1;
    h.histograms = {{1, 2, 3}, {}};
    h.columnCaptions = {"<0.25", "1\n[0.25 - 1]"};
    h.current = 2;
    h.histogramNames = {"LAF", "LAS", "LCpeak"};
    h.displayMode = 3;
    h.title = "Смена";
    h.binsPerColumn = 8;
    h.colour = 0x00FF0000;
    p.windows = {{WindowKind::ProjectFiles, {1, 2, 3, 4}, ProjectFilesWindowState{1, {5, 6, 7, 8}}},
                 {WindowKind::Ranges, {0, 0, 10, 10}, std::monostate{}},
                 {WindowKind::TimePlot, {1, 1, 2, 2}, TimePlotWindowState{1, "время", "дБ"}},
                 {WindowKind::TimePlot, {3, 3, 4, 4}, TimePlotWindowState{1, "", ""}},
                 {WindowKind::HistogramPlot, {5, 5, 6, 6}, h},
                 {WindowKind::Table, {}, std::monostate{}},
                 {WindowKind::Report, {7, 7, 8, 8}, ReportWindowState{}}};
    return p;
}

}  // namespace

TEST(ProjectFile, EverythingSurvivesAWriteAndARead) {
    const ProjectState p = richProject();
    const auto bytes = WriteProject(p);
    Result<ProjectState> back = ReadProject(bytes, ProjectState{});
    ASSERT_TRUE(back.ok()) << back.error().text();
    EXPECT_EQ(back->version, 23);
    EXPECT_EQ(back->currentFile, p.currentFile);
    EXPECT_EQ(back->files, p.files);
    EXPECT_EQ(back->workingFolder, p.workingFolder);
    EXPECT_EQ(back->customColours, p.customColours);
    EXPECT_EQ(back->currentColour, p.currentColour);
    EXPECT_EQ(back->currentIndex, 1);
    EXPECT_TRUE(back->noLeqTime);
    EXPECT_EQ(back->reportTexts, p.reportTexts);
    EXPECT_EQ(back->reportText(ReportText::Conclusion), "Заключение:\nнорма");
    EXPECT_EQ(back->illustrations, p.illustrations);
    ASSERT_EQ(back->tables.size(), 1u);
    EXPECT_EQ(back->tables[0].table.name, "Таблица 1");
    EXPECT_EQ(back->tables[0].table.texts.at({1, 2}), "текст");
    // Table windows are stored by their kind alone and not restored from there.
    std::vector<WindowRecord> want = p.windows;
    want.erase(want.begin() + 5);
    EXPECT_EQ(back->windows, want);
    // What was read writes the same bytes again.
    const auto again = WriteProject(*back);
    EXPECT_EQ(WriteProject(*ReadProject(again, ProjectState{})), again);
}

// A version-23 file written field by field, whose entry settings all differ
// from each other: each must land in its own field, and saving must put it
// back in its own place (two fields swapped on writing or on reading show).
TEST(ProjectFile, EntrySettingsKeepTheirPlaces) {
    const auto entry = [](ArchiveWriter& w, std::int32_t viewRow) {
        w.i32(3);
        w.text("data\\yard.bin");
        w.i32(0);  // work mode
        w.text("Двор");
        w.i32(60101);
        w.i32(101);
        w.i32(1);  // one selection without sub-selections
        w.byte(3);
        w.u32(0x01300100);
        for (std::int32_t flag : {1, 0, 1, 1, 0, 0, 1}) w.i32(flag);
        w.u32(0x00FF8040);
        w.text("A_Быстро");
        w.i32(0);
        w.i32(120);     // range first
        w.i32(3480);    // range count
        w.i32(viewRow);
        w.f64(0.5);     // record interval
        w.f64(60.0);    // scan interval
        w.f64(15.0);    // scan step
        w.f64(30.0);    // histogram lower bound
        w.f64(0.25);    // class width
        w.i32(360);     // classes
        w.i32(1);       // edges excluded
        w.i32(2);
        w.f64(10.0);
        w.f64(90.0);
        w.i32(1);       // one exclusion zone
        w.f64(100.0);
        w.f64(200.0);
        w.i32(1);
        for (int i = 0; i < kCorrectionCount; ++i) w.f64(i == 5 ? 2.5 : 0.0);
        w.i32(1);       // scanning
    };
    ArchiveWriter w;
    w.i32(23);
    entry(w, 17);
    for (int i = 0; i < 16; ++i) w.u32(0x00101010u * static_cast<std::uint32_t>(i));
    w.text("D:\\Замеры\\");
    w.i32(0);  // windows
    w.u32(0x00408040);
    w.i32(1);
    entry(w, 0);
    w.i32(0);  // group by parameter
    w.i32(0);  // current index
    for (int i = 0; i < kReportTexts; ++i) w.text(i == 4 ? "Протокол 7" : "");
    w.i32(0);  // tables
    w.i32(0);  // illustrations
    for (std::int32_t flag : {0, 1, 1, 0}) w.i32(flag);
    const std::vector<std::uint8_t> bytes = w.take();

    Result<ProjectState> p = ReadProject(bytes, ProjectState{});
    ASSERT_TRUE(p.ok()) << p.error().text();
    const ProjectFileEntry& e = p->currentFile;
    EXPECT_EQ(e.workMode, FileWorkMode::Samples);
    EXPECT_EQ(e.fileType, 60101);
    EXPECT_EQ(e.instrumentCode, 101);
    ASSERT_EQ(e.selections.size(), 1u);
    EXPECT_EQ(e.selections[0].flags,
              (SelectionFlags{.plot = true, .maximum = true, .leq = true, .uncorrected = true}));
    EXPECT_EQ(e.selections[0].colour, 0x00FF8040u);
    EXPECT_EQ(e.rangeFirst, 120);
    EXPECT_EQ(e.rangeCount, 3480);
    EXPECT_EQ(e.viewRow, 17);
    EXPECT_EQ(e.recordInterval, 0.5);
    EXPECT_EQ(e.scanInterval, 60.0);
    EXPECT_EQ(e.scanStep, 15.0);
    EXPECT_EQ(e.histogramLow, 30.0);
    EXPECT_EQ(e.histogramStep, 0.25);
    EXPECT_EQ(e.histogramClasses, 360);
    EXPECT_TRUE(e.histogramExcludeEdges);
    EXPECT_EQ(e.percentiles, (std::set<double>{10, 90}));
    ASSERT_EQ(e.ranges.size(), 1u);
    EXPECT_EQ(e.ranges[0].begin, 100.0);
    EXPECT_EQ(e.ranges[0].end, 200.0);
    EXPECT_EQ(e.ranges[0].corrections[5], 2.5);
    EXPECT_TRUE(e.scanning);
    ASSERT_EQ(p->files.size(), 1u);
    EXPECT_EQ(p->files[0].viewRow, 0);
    EXPECT_EQ(p->files[0].rangeCount, 3480);
    EXPECT_EQ(p->currentColour, 0x00408040u);
    EXPECT_EQ(p->reportText(ReportText::ProtocolNumber), "Протокол 7");
    EXPECT_FALSE(p->includeExclusionsUncorrected);
    EXPECT_TRUE(p->noLeqTime);
    EXPECT_TRUE(p->csvResults);
    EXPECT_FALSE(p->singleResultFile);

    phonotab::testing::ScratchDir dir;
    ASSERT_TRUE(SaveProject(*p, dir.file("p.pht")).ok());
    std::vector<std::uint8_t> saved;
    ASSERT_TRUE(readFileBytes(dir.file("p.pht"), saved));
    EXPECT_EQ(saved, bytes);
    Result<ProjectState> back = LoadProject(dir.file("p.pht"), ProjectState{});
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->currentFile, e);
    EXPECT_EQ(back->files, p->files);
}

// Stored integers outside the values the program names (a work mode of 7, a
// flag of 5, a histogram window's kind of 9) are read and written back as they were.
TEST(ProjectFile, UnnamedStoredValuesAreKept) {
    ProjectState p = richProject();
    ProjectFileEntry& e = p.files[0];
    e.workMode = static_cast<FileWorkMode>(7);
    e.scanning = StoredFlag::fromStored(5);
    e.histogramExcludeEdges = StoredFlag::fromStored(-1);
    e.selections[0].flags.histogram = StoredFlag::fromStored(2);
    p.csvResults = StoredFlag::fromStored(3);
    std::get<HistogramPlotWindowState>(p.windows[4].state).kind = 9;
    p.windows.erase(p.windows.begin() + 5);  // a table window is not read back from here
    const auto bytes = WriteProject(p);
    Result<ProjectState> back = ReadProject(bytes, ProjectState{});
    ASSERT_TRUE(back.ok()) << back.error().text();
    const ProjectFileEntry& b = back->files[0];
    EXPECT_FALSE(isKnownWorkMode(b.workMode));
    EXPECT_EQ(static_cast<int>(b.workMode), 7);
    EXPECT_TRUE(b.scanning);
    EXPECT_EQ(b.scanning.stored(), 5);
    EXPECT_EQ(b, e);
    EXPECT_EQ(back->csvResults.stored(), 3);
    EXPECT_EQ(std::get<HistogramPlotWindowState>(back->windows[4].state).kind, 9);
    EXPECT_EQ(WriteProject(*back), bytes);
}

TEST(ProjectFile, DamagedFilesAreRefusedWhole) {
    const auto bytes = WriteProject(richProject());
    for (std::size_t n = 0; n < bytes.size(); n += (n < 400 ? 1 : 97)) {
        Result<ProjectState> r = ReadProject(ByteSpan(bytes.data(), n), ProjectState{}, "p.pht");
        ASSERT_FALSE(r.ok()) << n;
        EXPECT_EQ(r.error().id, 5310) << n;
    }
    // An impossible count: the first selection count made huge.
    ArchiveWriter w;
    w.i32(23);
    w.i32(3);
    w.text("x");
    w.i32(2);
    w.text("r");
    w.i32(60101);
    w.i32(101);
    w.i32(0x7FFFFFFF);
    const auto bad = w.take();
    EXPECT_EQ(ReadProject(bad, ProjectState{}).error().id, 5310);
    ArchiveWriter old;
    old.i32(14);
    EXPECT_EQ(ReadProject(old.take(), ProjectState{}).error().text(), "Версия проекта не поддерживается");
}

TEST(ProjectFile, OlderVersionsAndRecords) {
    // Version 15 with an entry of version 2 (49 corrections) and selections of
    // versions 0 and 2 (the latter converted from an old parameter id).
    ArchiveWriter w;
    w.i32(15);
    w.i32(2);             // entry version
    w.text("a.bin");
    w.i32(0);             // work mode
    w.text("A");
    w.i32(13);            // file type of the old numbering
    w.i32(2);             // two selections
    w.byte(0);
    w.i32(0x01300100);
    for (int i = 0; i < 8; ++i) w.i32(1);
    w.i32(0);             // sub-selections
    w.byte(2);
    w.i32(3);             // old id: i = 3 → family 1, index 3 for type 13
    for (int i = 0; i < 8; ++i) w.i32(0);
    w.text("legacy");
    w.i32(0x05);          // the argument: 5 in the low byte
    w.i32(0);
    for (int i = 0; i < 3; ++i) w.i32(7);
    for (int i = 0; i < 5; ++i) w.f64(1.0);
    w.i32(100);
    w.i32(0);
    w.i32(0);             // no percentiles
    w.i32(1);             // one range
    w.f64(0);
    w.f64(10);
    w.i32(0);
    for (int i = 0; i < 49; ++i) w.f64(i + 1.0);
    w.i32(1);             // scanning (entry version 2)
    for (int i = 0; i < 16; ++i) w.i32(0);
    // An 8-bit working folder in the code page of the system it was written on.
    const std::string folder = utf8ToCp1251("C:\\Замеры\\");
    w.byte(static_cast<std::uint8_t>(folder.size()));
    w.bytes(ByteSpan(reinterpret_cast<const std::uint8_t*>(folder.data()), folder.size()));
    w.i32(0);  // windows
    w.i32(0);  // colour
    w.i32(0);  // files
    ProjectState before;
    before.groupByParameter = false;
    before.reportText(ReportText::Organisation) = "kept";
    before.illustrations = {{"old", "x.png", 0}};
    Result<ProjectState> p = ReadProject(w.take(), before);
    ASSERT_TRUE(p.ok()) << p.error().text();
    const ProjectFileEntry& e = p->currentFile;
    EXPECT_EQ(e.fileType, 60013);
    EXPECT_EQ(e.instrumentCode, 13);
    ASSERT_EQ(e.selections.size(), 2u);
    EXPECT_EQ(e.selections[0].caption, "");
    EXPECT_EQ(e.selections[1].caption, "legacy");
    EXPECT_EQ(e.selections[1].parameterId, 0x01100305u);
    EXPECT_EQ(e.ranges[0].corrections[48], 49.0);
    EXPECT_EQ(e.ranges[0].corrections[49], 0.0);
    EXPECT_TRUE(e.scanning);
    EXPECT_EQ(p->workingFolder, "C:\\Замеры\\");
    // Fields a version-15 file does not carry keep their values; tables do not.
    EXPECT_FALSE(p->groupByParameter);
    EXPECT_EQ(p->reportText(ReportText::Organisation), "kept");
    ASSERT_EQ(p->illustrations.size(), 1u);
    EXPECT_FALSE(p->illustrations[0].table.has_value());
    EXPECT_TRUE(p->tables.empty());
}

TEST(ProjectFile, EmptyTablesAreSkippedAndLinksFollowTheKeptTables) {
    ProjectState p;
    for (const char* name : {"first", "second"}) {
        ProjectTable t;
        t.table.name = name;
        p.tables.push_back(std::move(t));
    }
    p.illustrations = {{"a", "", 1}, {"b", "", 0}, {"c", "", std::nullopt}};
    auto bytes = WriteProject(p);
    // Empty the first embedded table: size 0 and no bytes. Its size field is
    // the one followed by its table file.
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end());
    const auto first = TableFile::SaveBytes(p.tables[0].table);
    std::size_t at = 0;
    for (std::size_t i = 0; i + 4 < cut.size(); ++i) {
        std::int32_t v = static_cast<std::int32_t>(loadU32(&cut[i]));
        if (v == static_cast<std::int32_t>(first.size()) && i + 4 + first.size() <= cut.size() &&
            std::equal(first.begin(), first.begin() + 4, cut.begin() + static_cast<std::ptrdiff_t>(i + 4))) {
            at = i;
            break;
        }
    }
    ASSERT_GT(at, 0u);
    cut.erase(cut.begin() + static_cast<std::ptrdiff_t>(at + 4), cut.begin() + static_cast<std::ptrdiff_t>(at + 4 + first.size()));
    cut[at] = cut[at + 1] = cut[at + 2] = cut[at + 3] = 0;
    Result<ProjectState> back = ReadProject(cut, ProjectState{});
    ASSERT_TRUE(back.ok()) << back.error().text();
    ASSERT_EQ(back->tables.size(), 1u);
    EXPECT_EQ(back->tables[0].table.name, "second");
    EXPECT_EQ(back->illustrations[0].table, std::optional<std::size_t>(0));  // still "second"
    EXPECT_FALSE(back->illustrations[1].table.has_value());                 // "first" is gone
    EXPECT_FALSE(back->illustrations[2].table.has_value());
}

TEST(ProjectFile, TablesPastTheCellBudgetRefuseTheProject) {
    // Each embedded table's header is rewritten to claim 1000 x 1000 cells in
    // a few bytes: two such tables fill the project's budget and load; a third
    // refuses the whole project with a message that says why.
    auto craft = [](int tables) {
        ProjectState p;
        for (int k = 0; k < tables; ++k) {
            ProjectTable t;
            t.table.name = std::string(1, static_cast<char>('a' + k));
            p.tables.push_back(std::move(t));
        }
        std::vector<std::uint8_t> bytes = WriteProject(p);
        int patched = 0;
        for (std::size_t i = 0; i + 17 <= bytes.size(); ++i)
            if (std::memcmp(&bytes[i], "TBLS", 5) == 0) {
                for (std::size_t at : {i + 9, i + 13}) {
                    bytes[at] = 0xE8;  // 1000, little-endian
                    bytes[at + 1] = 0x03;
                    bytes[at + 2] = bytes[at + 3] = 0;
                }
                ++patched;
            }
        EXPECT_EQ(patched, tables);
        return bytes;
    };
    Result<ProjectState> two = ReadProject(craft(2), ProjectState{}, "two.pht");
    ASSERT_TRUE(two.ok()) << two.error().text();
    ASSERT_EQ(two->tables.size(), 2u);
    EXPECT_EQ(two->tables[1].table.rowCount(), 1000);
    Result<ProjectState> three = ReadProject(craft(3), ProjectState{}, "three.pht");
    ASSERT_FALSE(three.ok());
    EXPECT_EQ(three.error(), Message(msg::ProjectTooManyCells, "three.pht", 2LL * 1000 * 1000));
}

TEST(ProjectFile, SavingReplacesTheFileOnlyWhenWritten) {
    phonotab::testing::ScratchDir dir;
    const std::string path = dir.file("p.pht");
    ASSERT_TRUE(SaveProject(richProject(), path).ok());
    Result<ProjectState> back = LoadProject(path, ProjectState{});
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->files.size(), 2u);
    EXPECT_EQ(SaveProject(richProject(), dir.file("missing/p.pht")).error().id, 105);
    EXPECT_EQ(LoadProject(dir.file("none.pht"), ProjectState{}).error().id, 105);
}

TEST(ProjectPaths, RelativeToTheWorkingFolder) {
    struct Case {
        const char *path, *folder, *want;
    } cases[] = {
        {"D:\\Work\\data\\x.bin", "D:\\Work\\", "data\\x.bin"},
        {"d:\\WORK\\Data\\x.bin", "D:\\Work\\", "Data\\x.bin"},             // case ignored, kept in the rest
        {"D:\\Work\\other\\x.bin", "D:\\Work\\proj\\", "..\\other\\x.bin"},
        {"D:\\data\\x.bin", "D:\\data2\\a\\", "..\\..\\data\\x.bin"},
        {"E:\\Work\\x.bin", "D:\\Work\\", "E:\\Work\\x.bin"},               // another drive
        {"D:\\Work\\x.bin", "Work", "D:\\Work\\x.bin"},                     // no backslash after the first character
        {"D:\\Измерения\\Фон.bin", "D:\\ИЗМЕРЕНИЯ\\", "Фон.bin"},
        {"D:\\Work\\x.bin", "D:\\Work\\sub\\file.pht", "..\\x.bin"},        // up to the folder's last backslash
    };
    for (const auto& c : cases) EXPECT_EQ(MakeRelativeToWorkingFolder(c.path, c.folder), c.want) << c.path;
    EXPECT_EQ(storedPathToLocal("..\\data\\x.bin", "/home/u/proj"), "/home/u/data/x.bin");
    EXPECT_EQ(storedPathToLocal("D:\\data\\x.bin", "/home/u"), "D:/data/x.bin");
    EXPECT_EQ(storedPathToLocal("\\tmp\\x.bin", "/home/u"), "/tmp/x.bin");
    EXPECT_EQ(storedFileName("..\\data\\x.bin"), "x.bin");
}
