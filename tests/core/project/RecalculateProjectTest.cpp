#include <gtest/gtest.h>

#include <utime.h>

#include <filesystem>

#include "DemoData.h"
#include "TestSupport.h"
#include "core/acoustics/CalculateFile.h"
#include "core/project/EntryCalculation.h"
#include "core/project/RecalculateProject.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

ParameterSelection leqOf(std::uint32_t code) {
    ParameterSelection s;
    s.parameterId = code;
    s.flags = {.minimum = true, .maximum = true, .leq = true, .percentiles = true};
    return s;
}

// Three sound level meter files; a table bound to their results.
ProjectState project(const ScratchDir& dir) {
    ProjectState p;
    for (int i = 0; i < 3; ++i) {
        const std::string name = "f" + std::to_string(i) + ".bin";
        writeBytes(dir.file(name), fixtures::makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 600, 10 + i, 55 + 5 * i));
        // One last-write time for every copy: it heads the result files compared below.
        struct utimbuf times {1700000000, 1700000000};
        utime(dir.file(name).c_str(), &times);
        ProjectFileEntry e;
        e.path = name;
        e.referenceName = "Точка " + std::to_string(i);
        e.fileType = 60101;
        e.instrumentCode = 101;
        e.selections = {leqOf(0x01300000)};
        p.files.push_back(e);
    }
    p.files[1].scanning = true;
    p.files[1].scanInterval = p.files[1].scanStep = 60;
    ProjectTable t;
    t.table = ReportTable(4, 4);
    auto bind = [&](int col, int row, const std::string& src, std::uint32_t code, int item) {
        CellBinding b;
        b.sourceName = src;
        b.parameterCode = static_cast<std::int32_t>(code);
        b.itemIndex = item;
        b.value = 123;  // stale: replaced or reset
        t.table.bindings[{col, row}] = b;
    };
    bind(0, 0, "Точка 0", 0x01300000, 2);
    bind(1, 0, "Точка 1", 0x01300000, 2);   // a scanned file: the value of the whole range
    bind(2, 0, "Точка 2", 0x01300100, 1);   // computed through a temporary entry
    bind(3, 0, "Точка 2", 0x01300000, 4);   // first percentile
    bind(0, 1, "нет такой", 0x01300000, 2); // stays without a value
    bind(1, 1, "Точка 0", 0x01300000, -1);
    p.tables.push_back(std::move(t));
    return p;
}

double direct(const ScratchDir& dir, const ProjectFileEntry& e, std::uint32_t code, int item) {
    Result<CalcFile> cf = openEntry(e, dir.file(e.path), demoDesc(), true);
    EXPECT_TRUE(cf.ok());
    std::vector<ParameterEntry> extra(1);
    extra[0].code = code;
    cf->settings.scanning = false;
    CalcRequest req;
    req.quiet = true;
    req.extraEntries = &extra;
    CalculateFile(*cf, demoDesc(), req);
    return boundValue(extra[0], item);
}

std::map<std::string, std::string> resultFiles(const ScratchDir& dir) {
    std::map<std::string, std::string> out;
    for (const auto& f : std::filesystem::directory_iterator(dir.path()))
        if (f.path().extension() == ".txt") out[f.path().filename().string()] = readText(f.path().string());
    return out;
}

}  // namespace

TEST(RecalculateProject, BindingsTakeTheFirstWindowOfTheWholeRange) {
    ScratchDir dir;
    ProjectState p = project(dir);
    RecalcRequest req;
    req.workingFolder = dir.path().string();
    req.resultFolder = dir.path().string() + "/";
    const RecalcReport report = RecalculateProject(p, demoDesc(), req);
    // The scanned file's one-minute windows count too few samples for percentiles.
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_EQ(report.messages[0].id, 310);
    const auto& b = p.tables[0].table.bindings;
    EXPECT_EQ(b.at({0, 0}).value, direct(dir, p.files[0], 0x01300000, 2));
    EXPECT_EQ(b.at({1, 0}).value, direct(dir, p.files[1], 0x01300000, 2));
    EXPECT_EQ(b.at({2, 0}).value, direct(dir, p.files[2], 0x01300100, 1));
    EXPECT_EQ(b.at({3, 0}).value, direct(dir, p.files[2], 0x01300000, 4));
    EXPECT_EQ(b.at({0, 1}).value, -1.0);
    EXPECT_EQ(b.at({1, 1}).value, 0.0);
    EXPECT_TRUE(p.tables[0].table.recalculationRequested());
    // The scanned file's result files are the scanned ones.
    const auto files = resultFiles(dir);
    EXPECT_NE(files.at("f1_A_Экв.txt").find("ScanTime"), std::string::npos);
    EXPECT_EQ(files.at("f0_A_Экв.txt").find("ScanTime"), std::string::npos);
    EXPECT_EQ(files.count("f2_A_Быстро.txt"), 0u);  // temporary entries write nothing
}

TEST(RecalculateProject, TablesOfOpenWindowsTakeTheirValuesToo) {
    ScratchDir dir;
    ProjectState p = project(dir);
    ReportTable open = p.tables[0].table;  // a table opened from the working folder
    p.tables.clear();
    RecalcRequest req;
    req.workingFolder = dir.path().string();
    req.resultFolder = dir.path().string() + "/";
    req.openTables = {&open, nullptr};
    RecalculateProject(p, demoDesc(), req);
    EXPECT_EQ(open.bindings.at({0, 0}).value, direct(dir, p.files[0], 0x01300000, 2));
    EXPECT_EQ(open.bindings.at({0, 1}).value, -1.0);
    EXPECT_TRUE(open.recalculationRequested());
    EXPECT_TRUE(open.modified());
}

TEST(RecalculateProject, InParallelExactlyAsOneAfterTheOther) {
    ScratchDir one, two;
    ProjectState a = project(one), b = project(two);
    RecalcRequest req;
    req.workingFolder = one.path().string();
    req.resultFolder = req.workingFolder + "/";
    req.parallel = false;
    RecalculateProject(a, demoDesc(), req);
    req.workingFolder = two.path().string();
    req.resultFolder = req.workingFolder + "/";
    req.parallel = true;
    RecalculateProject(b, demoDesc(), req);
    EXPECT_EQ(a.tables[0].table.bindings, b.tables[0].table.bindings);
    auto fa = resultFiles(one), fb = resultFiles(two);
    ASSERT_EQ(fa.size(), fb.size());
    for (auto& [name, text] : fa) {
        // The first line is the data file's own path, which differs.
        EXPECT_EQ(text.substr(text.find('\n')), fb[name].substr(fb[name].find('\n'))) << name;
    }
}

TEST(RecalculateProject, ChosenEntriesSharedFileAndMissingFiles) {
    ScratchDir dir;
    ProjectState p = project(dir);
    p.files[0].path = "gone.bin";
    RecalcRequest req;
    req.workingFolder = dir.path().string();
    req.resultFolder = req.workingFolder + "/";
    req.entries = {"Точка 0", "Точка 2"};
    req.sharedFile = dir.file("all.txt");
    writeBytes(*req.sharedFile, {'o', 'l', 'd'});
    const RecalcReport report = RecalculateProject(p, demoDesc(), req);
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_EQ(report.messages[0].id, 105);
    const auto& b = p.tables[0].table.bindings;
    EXPECT_EQ(b.at({0, 0}).value, -1.0);  // its file is missing
    EXPECT_EQ(b.at({1, 0}).value, 123.0);  // not chosen: keeps its value
    EXPECT_GT(b.at({2, 0}).value, 0.0);
    EXPECT_EQ(b.at({0, 1}).value, 123.0);  // a source no entry has is left alone by a partial run
    const std::string shared = readText(*req.sharedFile);
    EXPECT_EQ(shared.rfind("\n", 0), 0u);  // replaced, then appended to
    EXPECT_NE(shared.find("f2.bin"), std::string::npos);
}

TEST(RecalculateProject, AStoppedRunLeavesEveryBindingAsItWas) {
    ScratchDir dir;
    ProjectState p = project(dir);
    const auto before = p.tables[0].table.bindings;
    RecalcRequest req;
    req.workingFolder = dir.path().string();
    req.resultFolder = req.workingFolder + "/";
    // The user stopped the run before any file was done.
    Progress progress;
    progress.cancel();
    req.progress = progress;
    const RecalcReport report = RecalculateProject(p, demoDesc(), req);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(p.tables[0].table.bindings, before);
}

TEST(RecalculateProject, RefusesASharedFileThatIsADataFileOrTheProject) {
    ScratchDir dir;
    ProjectState p = project(dir);
    writeBytes(dir.file("p.pht"), {'p'});
    RecalcRequest req;
    req.workingFolder = dir.path().string();
    req.resultFolder = req.workingFolder + "/";
    req.projectFile = dir.file("p.pht");
    const auto data = readText(dir.file("f1.bin"));
    for (const std::string& shared : {dir.file("f1.bin"), dir.file("./p.pht")}) {
        req.sharedFile = shared;
        const RecalcReport report = RecalculateProject(p, demoDesc(), req);
        ASSERT_EQ(report.messages.size(), 1u) << shared;
        EXPECT_EQ(report.messages[0].id, msg::SharedFileInUse);
    }
    EXPECT_EQ(readText(dir.file("f1.bin")), data);
    EXPECT_EQ(readText(dir.file("p.pht")), "p");
    EXPECT_EQ(p.tables[0].table.bindings.at({0, 0}).value, 123.0);
}

// A file without parameters and without bound cells writes nothing: the user
// who asked for its calculation is told, alone or into one result file.
TEST(RecalculateProject, AFileWithNothingToCalculateSaysSo) {
    ScratchDir dir;
    ProjectState p = project(dir);
    p.files[0].selections.clear();
    p.tables.clear();
    RecalcRequest req;
    req.workingFolder = dir.path().string();
    req.resultFolder = req.workingFolder + "/";
    req.entries = {"Точка 0"};
    for (bool intoOneFile : {false, true}) {
        if (intoOneFile) req.sharedFile = dir.file("all.txt");
        const RecalcReport report = RecalculateProject(p, demoDesc(), req);
        ASSERT_EQ(report.messages.size(), 1u) << intoOneFile;
        EXPECT_EQ(report.messages[0], Message(msg::NothingToCalculate, "Точка 0"));
        EXPECT_EQ(report.messages[0].severity(), Severity::Notice);
    }
    EXPECT_TRUE(resultFiles(dir).empty());
}
