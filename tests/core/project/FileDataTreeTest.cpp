#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "../tables/ScriptedDialogs.h"
#include "DemoData.h"
#include "InstrumentFiles.h"
#include "TestSupport.h"
#include "core/base/CFormat.h"
#include "core/base/TextCodec.h"
#include "core/measurement/Catalogue.h"
#include "core/project/FileDataTree.h"
#include "core/project/ProjectTableSources.h"
#include "core/tables/macros/MacroRunner.h"
#include "core/tables/TableCellCommands.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

const CalendarTime kStart{2024, 5, 20, 14, 30, 0};

std::vector<int> numbers(const auto& items) {
    std::vector<int> out;
    for (const auto& i : items) out.push_back(i.number);
    return out;
}

std::unique_ptr<DataTree> treeOf(const std::string& name, std::vector<std::uint8_t> bytes) {
    Result<std::unique_ptr<RecordFileDataTree>> t = RecordFileDataTree::fromBytes(name, std::move(bytes), demoDesc());
    if (!t) {
        ADD_FAILURE() << name << ": " << t.error().text();
        return nullptr;
    }
    return std::move(*t);
}

}  // namespace

TEST(FileDataTree, RecordFileMirrorsItsRecords) {
    const fixtures::TypeSource& type = demoType(fixtures::kSlmType);
    const fixtures::RecordBuilder proto(type.codes, type.effectiveRecordSize());
    std::vector<fixtures::RecordBuilder> records;
    for (int i = 0; i < 2; ++i) {
        fixtures::RecordBuilder r = proto;
        r.setRaw(0x201C0000, fixtures::kSlmInstrument);
        r.setDateTime({2024, 5, 20, 14, 30, 2 * i});
        r.setLevel(0x01100003, 61.5 + i);   // octaves, "Экв", band 4
        r.setLevel(0x01300102, 80.25);      // broadband, "Быстро", "Lin"
        r.setLevel(0x00170001, 70.0);       // the second percentile point
        r.setRaw(0x60160001, 6554);         // labelled L10
        records.push_back(r);
    }
    std::unique_ptr<DataTree> tree = treeOf("slm.bin", fixtures::joinRecords(records));
    ASSERT_TRUE(tree);
    ASSERT_EQ(tree->recordCount(), 2u);
    EXPECT_EQ(tree->record(2), nullptr);
    const DataRecord& r = *tree->record(1);
    EXPECT_EQ(r.names[0], "Запись 2");
    EXPECT_EQ(r.names[1], "20/05/2024 14:30:02");
    ASSERT_EQ(r.channels.size(), 1u);
    const DataChannel& ch = r.channels[0];
    EXPECT_EQ(ch.name, "канал 1");
    EXPECT_EQ(numbers(ch.types), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(ch.types[0].name, "Октавы");
    EXPECT_EQ(ch.types[3].name, "процентили");
    EXPECT_EQ(numbers(ch.types[0].modes), (std::vector<int>{0, 1}));
    EXPECT_EQ(ch.types[0].modes[1].name, "Быстро");
    ASSERT_EQ(ch.types[0].modes[0].bands.size(), 10u);
    EXPECT_EQ(ch.types[0].modes[0].bands[3].name, "250 Гц");
    EXPECT_EQ(ch.types[0].modes[0].bands[3].value, "62.500000");
    EXPECT_EQ(ch.types[2].modes[1].bands[2].name, "Lin");
    EXPECT_EQ(ch.types[2].modes[1].bands[2].value, "80.250000");
    EXPECT_EQ(ch.types[3].modes[0].bands[1].name, "L10");
    EXPECT_EQ(ch.types[3].modes[0].bands[1].value, "70.000000");
    EXPECT_EQ(ch.types[3].modes[0].name, "Быстро, A");  // as the record dump names it

    DataSelection s;
    s.band = 3;
    EXPECT_EQ(SelectedDataText(*tree, s), "61.500000");
    s.record = 1;
    EXPECT_EQ(SelectedDataText(*tree, s), "62.500000");
}

TEST(FileDataTree, EveryKindOfInstrumentFile) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::size_t records;
        std::vector<int> channels;
        std::vector<int> types;  // of the first channel
        std::vector<int> modes;  // of its last type
    };
    const Case cases[] = {
        {"vm.bin", fixtures::makeVibrationFile(demoSource(), kStart, 3, 7), 3, {0, 1, 2, 3}, {0, 2}, {0, 1}},
        {"nd.mnt", fixtures::makeDosimeterMnt(demoSource(), kStart, 12, 5, 7), 12, {0}, {2}, {0, 1, 2, 4}},
        {"dl.cbf", fixtures::makeLoggerCbf(kStart, 4, 60, 7), 4, {0}, {2}, {0}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<DataTree> tree = treeOf(c.name, c.bytes);
        ASSERT_TRUE(tree) << c.name;
        EXPECT_EQ(tree->recordCount(), c.records) << c.name;
        const DataRecord* last = tree->record(c.records - 1);
        ASSERT_TRUE(last) << c.name;
        EXPECT_EQ(last->names[0], "Запись " + std::to_string(c.records)) << c.name;
        EXPECT_EQ(numbers(last->channels), c.channels) << c.name;
        EXPECT_EQ(last->channels.back().name, "канал " + std::to_string(c.channels.size())) << c.name;
        EXPECT_EQ(numbers(last->channels[0].types), c.types) << c.name;
        EXPECT_EQ(numbers(last->channels[0].types.back().modes), c.modes) << c.name;
        for (const DataBand& b : last->channels[0].types.back().modes[0].bands)
            EXPECT_TRUE(b.number && *b.number > 0 && *b.number < 200) << c.name << " " << b.name << " " << b.value;
    }
    // The dosimeter stores "Быстро" (detector 1) in the first band only.
    std::unique_ptr<DataTree> nd = treeOf("nd.mnt", fixtures::makeDosimeterMnt(demoSource(), kStart, 12, 5, 7));
    const DataMode& fast = nd->record(0)->channels[0].types[0].modes[1];
    ASSERT_EQ(fast.bands.size(), 2u);
    EXPECT_EQ(fast.bands[1].value, "?");
    EXPECT_FALSE(fast.bands[1].number);

    // Monitoring streams, unknown and unreadable files are refused.
    const auto refusal = [](const std::string& name, std::vector<std::uint8_t> bytes) {
        Result<std::unique_ptr<RecordFileDataTree>> t = RecordFileDataTree::fromBytes(name, std::move(bytes), demoDesc());
        return t ? 0 : t.error().id;
    };
    EXPECT_EQ(refusal("ms.bin", fixtures::makeStationFile(demoSource(), kStart, 40, 10, 7)), 414);
    EXPECT_EQ(refusal("x.bin", std::vector<std::uint8_t>(64, 0x5A)), 132);
    EXPECT_EQ(refusal("x.bin", {}), 143);
    FileDataLoader loader(demoDesc(), "", "");
    for (const char* missing : {"/nonexistent/a.bin", "/nonexistent/a.TXT"})
        EXPECT_EQ(loader.loadDataFile(missing).error().id, 312) << missing;
}

TEST(FileDataTree, TextTablesByBlocks) {
    const std::string text =
        "Точка;LAeq;LAmax;\r\n"
        "Улица; 62,5 ; 71.25\n"
        "  \n"
        "Двор;55;нет\n"
        "_____ следующий блок\n"
        "_____\n"
        "Цех;80\n" +
        std::string(5000, 'x') + ";1\n";
    std::unique_ptr<MemoryDataTree> tree = TextTableDataTree(text);
    ASSERT_EQ(tree->recordCount(), 2u);
    const DataRecord& first = *tree->record(0);
    EXPECT_EQ(first.names[0], "Запись 1");
    EXPECT_EQ(first.names[1], "Точка");
    const DataType& t = first.channels.at(0).types.at(0);
    ASSERT_EQ(t.modes.size(), 3u);
    EXPECT_EQ(t.modes[1].name, "Улица");
    EXPECT_EQ(t.modes[2].number, 2);
    ASSERT_EQ(t.modes[1].bands.size(), 2u);
    EXPECT_EQ(t.modes[1].bands[1].name, "LAmax");
    EXPECT_EQ(t.modes[1].bands[1].value, "71.25");
    EXPECT_EQ(t.modes[1].bands[1].number, 71.25);
    EXPECT_EQ(t.modes[1].bands[0].number, 62.0);  // read as far as it is a number
    EXPECT_FALSE(t.modes[2].bands[1].number);
    // A line longer than 4096 bytes is read in pieces.
    const DataType& second = tree->record(1)->channels[0].types[0];
    ASSERT_EQ(second.modes.size(), 3u);
    EXPECT_EQ(second.modes[2].name, std::string(5000 - 4096, 'x'));

    // 8-bit text that is not UTF-8 is read as CP1251.
    std::unique_ptr<MemoryDataTree> cp = TextTableDataTree(utf8ToCp1251("Шум;60\n"));
    EXPECT_EQ(cp->record(0)->names[1], "Шум");
    EXPECT_EQ(TextTableDataTree("")->recordCount(), 0u);
}

TEST(FileDataTree, ConverterDumpsOfLdlFiles) {
    ScratchDir dir;
    const std::string script = dir.file("conv.sh");
    {
        std::ofstream f(script);
        f << "#!/bin/sh\nprintf '"
             "\"Dump of record # 1 , Type = 1 , Length = 1 , Name = Улица\\n"
             "\"\",\"\",\"filter =\",\"1/1 octave\"\\n"
             "\"\",\"\",\"detector =\",\"Fast\"\\n"
             "\"\",\"\",\"Frequency\",\"Channel 2\"\\n"
             "\"\",\"\",\"63\",50.5\\n\"\",\"\",\"125\",48\\n' > \"$2\"\n";
    }
    ASSERT_EQ(std::system(("chmod +x " + script).c_str()), 0);
    FileDataLoader loader(demoDesc(), script, dir.file("out22.txt"));
    Result<std::unique_ptr<DataTree>> tree = loader.loadDataFile(dir.file("in.LDL"));
    ASSERT_TRUE(tree.ok()) << tree.error().text();
    const DataRecord& r = *(*tree)->record(0);
    EXPECT_EQ(r.names[0], "Запись 1");
    EXPECT_EQ(r.names[1], "Улица");
    EXPECT_EQ(r.channels[0].number, 1);
    EXPECT_EQ(r.channels[0].name, "канал 2");
    EXPECT_EQ(r.channels[0].types[0].name, "1/1 octave");
    EXPECT_EQ(r.channels[0].types[0].modes[0].name, "Fast");
    EXPECT_EQ(r.channels[0].types[0].modes[0].bands[1].value, "48.000000");
    DataSelection s = InitialDataSelection(**tree);
    EXPECT_EQ(s.channel, 1);  // the file's first channel
    s.band = 1;
    s.output = 1;
    EXPECT_EQ(SelectedDataText(**tree, s), "125");
}

TEST(FileDataTree, MacrosAndFileDataReadRealFiles) {
    ScratchDir dir;
    const std::string slm = dir.file("SLM.bin");
    writeBytes(slm, fixtures::makeSlmFile(demoSource(), kStart, 5, 3));
    writeBytes(dir.file("MS.bin"), fixtures::makeStationFile(demoSource(), kStart, 40, 10, 7));
    FileDataLoader loader(demoDesc(), "", "");
    Result<std::unique_ptr<DataTree>> direct = loader.loadDataFile(slm);
    ASSERT_TRUE(direct.ok());

    ReportTable t(3, 12);
    t.macros[{0, 0}] = "CHECK{c1} FIX{t1m1} A2 = [TEXT]{n5}, {n6}; B2:K2 = 0; B2 = {b1}; C2 = {b2}; L2 = ESUM(B2:C2)";
    ScriptedDialogs d;
    d.files = {slm};
    d.fileParameter = [](const FileParameterRequest& r) {
        DataSelection s = r.preset;
        s.record = 4;
        return std::optional<DataSelection>(s);
    };
    ASSERT_EQ(RunMacro(t, {0, 0}, d, &loader, TableEnvironment{}), MacroEnd::Completed);
    EXPECT_EQ(t.texts.at({0, 1}), "Запись 5, 20/05/2024 14:30:04");
    DataSelection s;
    s.record = 4;
    const std::string b1 = SelectedDataText(**direct, s);
    EXPECT_EQ(t.texts.at({1, 1}), cformat("%.6lg", std::stod(b1)));
    EXPECT_EQ(t.texts.at({10, 1}), "0");
    EXPECT_NE(t.texts.at({11, 1}), "???");

    // "Данные из файла" over a row: the octave spectrum of the first record.
    TableSelection row = TableSelection::fromRect(CellRect{1, 2, 11, 3});
    d.files = {slm};
    d.fileParameter = [](const FileParameterRequest& r) { return std::optional<DataSelection>(r.preset); };
    ASSERT_TRUE(FileDataCommand(t, row, loader, d));
    s.record = 0;
    for (int b = 0; b < 10; ++b, ++s.band) EXPECT_EQ(t.texts.at({1 + b, 2}), SelectedDataText(**direct, s)) << b;
    d.files = {dir.file("MS.bin")};
    EXPECT_FALSE(FileDataCommand(t, row, loader, d));
    EXPECT_EQ(d.messages.back(), Message(msg::MonitoringFileInTable));
}

TEST(ProjectTableSources, NamesSourcesParametersAndBookEntries) {
    std::vector<ProjectFileEntry> files(2);
    files[0].referenceName = "Улица";
    files[0].path = "street.bin";
    files[0].fileType = fixtures::kSlmType;
    files[0].percentiles = {10, 90};
    files[1].referenceName = "Склад";
    files[1].fileType = 4242;  // unknown to the description
    files[1].workMode = FileWorkMode::Histograms;
    ProjectTableSources sources(files, &demoDesc());
    EXPECT_EQ(sources.sourceNames(), (std::vector<std::string>{"Улица", "Склад"}));
    EXPECT_EQ(sources.sourceWorkMode("Склад"), 1);
    EXPECT_EQ(sources.parameterDescription("Улица", 0x01300100), "A, Быстро");
    EXPECT_EQ(sources.parameterDescription("Склад", 0x01300100), "0x01300100");
    EXPECT_EQ(sources.sourcePercentile("Улица", 1), 90.0);
    EXPECT_FALSE(sources.sourcePercentile("Улица", 2));

    ReferenceBooks books;
    books.referenceBooks["Нормы"] = {{40, "LAeq днём"}};
    ProjectBookEntries entries(books);
    ReportTable t(1, 3);
    t.bindings[{0, 0}] = CellBinding{"Улица", 0x01300100, CellBinding::FirstPercentile + 1, 70};
    t.formulas[{1, 0}] = CellFormula{"#Нормы#0", 0, FormulaState::Pending};
    const CellHintEnvironment env{&entries, &sources};
    EXPECT_EQ(CellHintText(t, {0, 0}, env), "Улица [street.bin]: A, Быстро Процентиль L90");
    EXPECT_EQ(CellHintText(t, {1, 0}, env), "Нормы, LAeq днём");
}
