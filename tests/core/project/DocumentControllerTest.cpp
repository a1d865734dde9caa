#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <set>

#include "DemoData.h"
#include "TestSupport.h"
#include "core/project/DocumentController.h"
#include "core/project/ProjectFile.h"
#include "core/project/ReferenceBookFile.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// Scripted answers; what the controller showed and asked is recorded.
struct ScriptedPrompts : DocumentPrompts {
    std::deque<Answer> answers;
    std::deque<std::string> files, folders;
    bool stopLongWork = false;  // the user presses cancel at once
    std::vector<int> shown, asked, longWork;
    std::vector<std::string> opened;

    void showMessage(const Message& m) override { shown.push_back(m.id); }
    Answer ask(const Message& q, bool) override {
        asked.push_back(q.id);
        return take(answers, Answer::Cancel);
    }
    std::string chooseFile(FileQuestion, const std::string&) override { return take(files, std::string()); }
    std::string chooseFolder(const std::string&) override { return take(folders, std::string()); }
    void openExternally(const std::string& path) override { opened.push_back(path); }
    void runLong(const Message& label, const std::function<void(const Progress&)>& work) override {
        longWork.push_back(label.id);
        Progress p;
        if (stopLongWork) p.cancel();
        work(p);
    }

    template <typename T>
    static T take(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = std::move(q.front());
        q.pop_front();
        return v;
    }
};

struct FakeWindows : DocumentWindows {
    std::vector<WindowRecord> open;
    std::vector<ClearForm> clears;
    std::vector<WindowRecord> windowRecords() const override { return open; }
    void restoreWindows(const std::vector<WindowRecord>& records) override { open = records; }
    void closeWindows(ClearForm form) override {
        clears.push_back(form);
        if (form == ClearForm::Full) open.clear();
    }
    bool hasWindow(WindowKind kind) const override {
        for (const auto& w : open)
            if (w.kind == kind) return true;
        return false;
    }
    void showWindow(WindowKind kind) override { open.push_back(WindowRecord{kind, {}, {}}); }
};

struct Fixture {
    ScratchDir dir;
    ScriptedPrompts prompts;
    FakeWindows windows;
    DocumentController doc{prompts};
    std::vector<DocumentNotice> notices;

    Fixture() {
        doc.setTeleDescription(demoDesc());
        doc.setWindows(&windows);
        doc.setListener([this](DocumentNotice n) { notices.push_back(n); });
        writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 600, 10, 60));
    }
    // A project in the scratch folder with one file entry, saved as p.pht.
    std::string savedProject() {
        ProjectState p;
        p.workingFolder = storedFolder();
        ProjectFileEntry e;
        e.path = "a.bin";
        e.referenceName = "A";
        e.fileType = fixtures::kSlmType;
        p.files.push_back(e);
        p.reportTexts[0] = "stored";
        p.windows = {WindowRecord{WindowKind::ProjectFiles, {1, 2, 3, 4}, {}}};
        const std::string path = dir.file("p.pht");
        EXPECT_TRUE(SaveProject(p, path).ok());
        return path;
    }
    std::string storedFolder() const { return dir.path().string() + "/"; }
    bool heard(DocumentNotice n) const { return std::find(notices.begin(), notices.end(), n) != notices.end(); }
};

}  // namespace

// A modified project is offered for saving before a new one replaces it:
// Cancel keeps everything, No drops the changes, Yes saves them first.
TEST(DocumentController, OfferToSaveBeforeANewProject) {
    struct Case {
        DocumentPrompts::Answer answer;
        bool replaced;
        bool saved;
    };
    for (const Case c : {Case{DocumentPrompts::Answer::Cancel, false, false}, Case{DocumentPrompts::Answer::No, true, false},
                         Case{DocumentPrompts::Answer::Yes, true, true}}) {
        Fixture f;
        const std::string path = f.savedProject();
        ASSERT_TRUE(f.doc.loadProject(path));
        ASSERT_TRUE(f.doc.setReportTexts({{0, "edited"}}).ok());
        ASSERT_TRUE(f.doc.modified());

        f.prompts.answers = {c.answer};
        f.prompts.folders = {f.dir.path().string()};
        EXPECT_EQ(f.doc.newProject(), c.replaced);
        EXPECT_EQ(f.prompts.asked, std::vector<int>{msg::ProjectChanged});
        EXPECT_EQ(f.doc.state().files.empty(), c.replaced);
        EXPECT_EQ(f.doc.projectPath().empty(), c.replaced);
        Result<ProjectState> onDisk = LoadProject(path, ProjectState{});
        ASSERT_TRUE(onDisk.ok());
        EXPECT_EQ(onDisk->reportTexts[0], c.saved ? "edited" : "stored");
        if (c.replaced) {
            EXPECT_FALSE(f.doc.modified());
            EXPECT_EQ(f.doc.state().currentIndex, -1);
            EXPECT_TRUE(f.windows.open.empty());
        }
    }
}

// Loading restores the stored windows (and the report window of a recent
// project); a file that fails leaves the open project, its path and its
// modified flag as they were; saving stores the windows that are open.
TEST(DocumentController, LoadAndSaveKeepTheProjectWhole) {
    Fixture f;
    const std::string path = f.savedProject();
    ASSERT_TRUE(f.doc.loadProject(path));
    EXPECT_TRUE(f.doc.workingFolderOpen());
    ASSERT_EQ(f.windows.open.size(), 2u);
    EXPECT_EQ(f.windows.open[1].kind, WindowKind::Report);
    EXPECT_TRUE(f.heard(DocumentNotice::SyncFromProject));
    EXPECT_EQ(f.doc.recentProjects().at(0), path);

    ASSERT_TRUE(f.doc.setReportTexts({{1, "more"}}).ok());
    writeBytes(f.dir.file("bad.pht"), {0x17, 0, 0, 0, 3, 0});
    EXPECT_FALSE(f.doc.loadProject(f.dir.file("bad.pht")));
    EXPECT_EQ(f.prompts.shown.size(), 1u);
    EXPECT_EQ(f.doc.projectPath(), path);
    EXPECT_EQ(f.doc.state().reportTexts[1], "more");
    EXPECT_TRUE(f.doc.modified());
    EXPECT_EQ(f.windows.open.size(), 2u);

    f.prompts.files = {f.dir.file("copy.pht")};
    ASSERT_TRUE(f.doc.saveProjectAs());
    EXPECT_FALSE(f.doc.modified());
    EXPECT_EQ(f.doc.projectPath(), f.dir.file("copy.pht"));
    Result<ProjectState> copy = LoadProject(f.dir.file("copy.pht"), ProjectState{});
    ASSERT_TRUE(copy.ok());
    EXPECT_EQ(copy->windows.size(), 2u);
    EXPECT_EQ(copy->reportTexts[1], "more");
}

// Every edit of the current file goes through one door: stored into the
// project's current-file entry, the project modified, the notice sent; a
// failing edit changes nothing.
TEST(DocumentController, EditsOfTheCurrentFileAreStoredAndAnnounced) {
    Fixture f;
    EXPECT_EQ(f.doc.addExclusionZone(1, 2).error().id, msg::NoSourceData);

    ASSERT_TRUE(f.doc.openDataFile(f.dir.file("a.bin")));
    ASSERT_NE(f.doc.currentFile(), nullptr);
    EXPECT_EQ(f.prompts.longWork.size(), 1u);  // loaded as long work
    EXPECT_EQ(f.doc.recentFiles().at(0), f.dir.file("a.bin"));
    f.notices.clear();

    EXPECT_FALSE(f.doc.removeZone(5).ok());
    EXPECT_FALSE(f.doc.modified());
    EXPECT_TRUE(f.notices.empty());

    DocumentController::CalculationOptions options;
    options.scanInterval = 30;
    options.scanStep = 15;
    ASSERT_TRUE(f.doc.setCalculationOptions(options).ok());
    EXPECT_TRUE(f.doc.modified());
    EXPECT_EQ(f.doc.state().currentFile.scanInterval, 30);
    EXPECT_EQ(f.doc.state().currentFile.scanStep, 15);
    EXPECT_TRUE(f.heard(DocumentNotice::PlotContentChanged));
}

// Undo walks the current file's edits back with their notices and keeps the
// loaded series of the entries that stay; another file forgets the steps.
TEST(DocumentController, EditsOfTheCurrentFileUndoAndRedo) {
    Fixture f;
    ASSERT_TRUE(f.doc.openDataFile(f.dir.file("a.bin")));
    const std::size_t entriesBefore = f.doc.currentFile()->entries.size();
    const ProjectFileEntry entryAtOpen = f.doc.state().currentFile;
    ASSERT_TRUE(f.doc.addExclusionZone(1, 2).ok());
    ParameterEntry added;
    added.code = 0x01300100;
    added.data.assign(5, 60.0);
    added.loaded = true;
    ASSERT_TRUE(f.doc.addParameterEntry(added).ok());
    // A refused edit leaves no step behind.
    EXPECT_FALSE(f.doc.removeZone(5).ok());

    ASSERT_TRUE(f.doc.setParameterColour(f.doc.currentFile()->entries.size() - 1, 0xFF).ok());
    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.currentFile()->entries.back().colour, 0u);
    EXPECT_EQ(f.doc.currentFile()->entries.back().data.size(), 5u);  // the series stays

    f.notices.clear();
    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.currentFile()->entries.size(), entriesBefore);
    EXPECT_EQ(f.doc.state().currentFile.selections.size(), entriesBefore);
    EXPECT_EQ(f.notices.front(), DocumentNotice::PlotContentChanged);
    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(f.doc.currentFile()->ranges.zoneCount(), 0u);
    EXPECT_EQ(f.doc.state().currentFile, entryAtOpen);  // the entry as it was
    EXPECT_FALSE(f.doc.undo());

    f.notices.clear();
    ASSERT_TRUE(f.doc.redo());
    EXPECT_EQ(f.notices.front(), DocumentNotice::WorkRangeChanged);
    EXPECT_EQ(f.doc.currentFile()->ranges.zoneCount(), 1u);
    ASSERT_TRUE(f.doc.redo());
    ASSERT_EQ(f.doc.currentFile()->entries.size(), entriesBefore + 1);
    ASSERT_TRUE(f.doc.redo());
    EXPECT_EQ(f.doc.currentFile()->entries.back().colour, 0xFFu);
    EXPECT_FALSE(f.doc.redo());

    ASSERT_TRUE(f.doc.undo());
    ASSERT_TRUE(f.doc.openDataFile(f.dir.file("a.bin")));
    EXPECT_FALSE(f.doc.canUndo());
    EXPECT_FALSE(f.doc.canRedo());
}

// A load the user stops leaves no current file and shows no failure.
TEST(DocumentController, StoppedLoadingLeavesNoCurrentFile) {
    Fixture f;
    // A station's monitoring stream is scanned while it loads.
    writeBytes(f.dir.file("station.bin"), fixtures::makeStationFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 200, 20, 7));
    ASSERT_TRUE(f.doc.openDataFile(f.dir.file("station.bin")));
    f.prompts.stopLongWork = true;
    EXPECT_FALSE(f.doc.openDataFile(f.dir.file("station.bin")));
    EXPECT_EQ(f.doc.currentFile(), nullptr);
    EXPECT_EQ(f.doc.state().currentFile.fileType, 0);
    EXPECT_TRUE(f.prompts.shown.empty());
}

// The reference books are written back at the end only when they changed,
// and never over a file that could not be read (the user mends it).
TEST(DocumentController, ReferenceBooksWriteBackGuard) {
    {
        Fixture f;
        const std::string path = f.dir.file("RefMap.txt");
        ASSERT_TRUE(SaveReferenceBooks(path, ReferenceBooks{}).ok());
        const auto before = std::filesystem::last_write_time(path);
        f.doc.loadReferenceBooks(path);
        f.doc.shutdown();
        EXPECT_EQ(std::filesystem::last_write_time(path), before);  // unchanged: not written
    }
    {
        Fixture f;
        const std::string path = f.dir.file("RefMap.txt");
        writeBytes(path, {0xff, '\n', '{', '\n'});
        const std::string broken = readText(path);
        f.doc.loadReferenceBooks(path);
        EXPECT_EQ(f.prompts.shown.size(), 1u);
        EXPECT_EQ(f.prompts.opened, std::vector<std::string>{path});
        // An edit now would be dropped at exit: it is refused with a message.
        EXPECT_EQ(f.doc.referenceBooksEditable().error().id, msg::BooksNotEditable);
        EXPECT_EQ(f.doc.renameReferenceBook("a", "b").error().id, msg::BooksNotEditable);
        f.doc.referenceBooks() = ReferenceBooks{};
        f.doc.shutdown();
        EXPECT_EQ(readText(path), broken);
    }
}

// A book renamed in the editor takes its formulas with it and modifies the
// project; an edit of its records makes the tables that read it recalculate.
TEST(DocumentController, ReferenceBookRenamesAndEditsReachTheTables) {
    Fixture f;
    ASSERT_TRUE(f.doc.referenceBooks().addBook("Нормы").ok());
    ASSERT_TRUE(f.doc.referenceBooks().addRecord("Нормы", {55, "день"}));
    ReportTable table(2, 2);
    table.formulas[{0, 0}].text = "#Нормы#0";
    table.macros[{1, 1}] = "B1=#Нормы#0";
    ASSERT_TRUE(f.doc.addReportTable(table).ok());
    // A table open from its own file reads the book too.
    ReportTable own(2, 2);
    own.macros[{0, 1}] = "A1=#Нормы#0";
    f.doc.openTables().add(own, OpenTables::Home::OwnFile);
    EXPECT_EQ(f.doc.referenceBookUses("Нормы"), 3);
    ASSERT_TRUE(f.doc.saveProjectTo(f.dir.file("p.pht")).ok());
    ASSERT_FALSE(f.doc.modified());
    EXPECT_FALSE(f.doc.renameReferenceBook("Нормы", "  ").value());
    ASSERT_TRUE(f.doc.referenceBooks().addBook("Другой").ok());
    EXPECT_FALSE(f.doc.renameReferenceBook("Нормы", "Другой").ok());
    ASSERT_TRUE(f.doc.renameReferenceBook("Нормы", "Пределы").value());
    EXPECT_EQ(f.doc.state().tables[0].table.formulas.at({0, 0}).text, "#Пределы#0");
    EXPECT_EQ(f.doc.state().tables[0].table.macros.at({1, 1}), "B1=#Пределы#0");
    EXPECT_EQ(own.macros.at({0, 1}), "A1=#Пределы#0");
    EXPECT_TRUE(f.doc.modified());
    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(own.macros.at({0, 1}), "A1=#Нормы#0");
    EXPECT_EQ(f.doc.state().tables[0].table.macros.at({1, 1}), "B1=#Нормы#0");
    ASSERT_TRUE(f.doc.redo());
    EXPECT_EQ(own.macros.at({0, 1}), "A1=#Пределы#0");

    ReportTable settled = f.doc.state().tables[0].table;
    settled.clearRecalculationRequest();
    ASSERT_TRUE(f.doc.replaceReportTable(0, settled).ok());
    f.doc.referenceBookEdited("Другой");
    EXPECT_FALSE(f.doc.state().tables[0].table.recalculationRequested());
    f.doc.referenceBookEdited("Пределы");
    EXPECT_TRUE(f.doc.state().tables[0].table.recalculationRequested());
    // A table that reads the book only in a macro recalculates too.
    own.clearRecalculationRequest();
    f.doc.referenceBookEdited("Пределы");
    EXPECT_TRUE(own.recalculationRequested());
}

// The plots load the series they draw as long work without a calculation and
// without marking the project modified; a stop leaves the entries empty.
TEST(DocumentController, PlotSeriesLoadAsLongWork) {
    Fixture f;
    EXPECT_EQ(f.doc.loadPlotSeries().error().id, msg::NoSourceData);
    ASSERT_TRUE(f.doc.openDataFile(f.dir.file("a.bin")));
    ParameterEntry plotted;
    plotted.code = 0x01300100;
    plotted.flags.plot = true;
    ASSERT_TRUE(f.doc.addParameterEntry(plotted).ok());
    ASSERT_TRUE(f.doc.saveProjectTo(f.dir.file("p.pht")).ok());
    ASSERT_FALSE(f.doc.modified());
    f.notices.clear();

    f.prompts.stopLongWork = true;
    EXPECT_EQ(f.doc.loadPlotSeries().error().id, msg::Cancelled);
    EXPECT_TRUE(f.doc.currentFile()->entries[0].data.empty());

    f.prompts.stopLongWork = false;
    f.prompts.longWork.clear();
    ASSERT_TRUE(f.doc.loadPlotSeries().ok());
    EXPECT_EQ(f.prompts.longWork, std::vector<int>{6004});
    EXPECT_EQ(f.doc.currentFile()->entries[0].data.size(), 600u);
    EXPECT_FALSE(f.doc.modified());
    EXPECT_TRUE(f.notices.empty());
}

// "Yes" to saving the changes, and then the save fails: the project stays
// open and modified, and the user is told, rather than losing the changes to
// the project that was to replace it.
TEST(DocumentController, AFailedSaveOnTheOfferKeepsTheProjectModified) {
    Fixture f;
    const std::string path = f.savedProject();
    ASSERT_TRUE(f.doc.loadProject(path));
    ASSERT_TRUE(f.doc.setReportTexts({{0, "edited"}}).ok());
    // The project's file can no longer be replaced: a folder stands in its place.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);

    f.prompts.answers = {DocumentPrompts::Answer::Yes};
    f.prompts.folders = {f.dir.path().string()};
    EXPECT_FALSE(f.doc.newProject());
    EXPECT_TRUE(f.doc.modified());
    EXPECT_EQ(f.doc.projectPath(), path);
    EXPECT_EQ(f.doc.state().files.size(), 1u);
    EXPECT_EQ(f.doc.state().reportTexts[0], "edited");
    EXPECT_EQ(f.prompts.shown, std::vector<int>{msg::CannotWrite});
}

// A project travels with its files: saved in its working folder, it stores
// that folder relative to itself, and a copy opened elsewhere works in the
// copy's folder; a stored folder that does not exist here gives way to the
// project's own folder, and the user is told.
TEST(DocumentController, AProjectCopiedElsewhereWorksInItsNewFolder) {
    Fixture f;
    ASSERT_TRUE(f.doc.loadProject(f.savedProject()));
    const std::string original = f.dir.file("p.pht");
    ASSERT_TRUE(f.doc.saveProjectTo(original).ok());
    Result<ProjectState> onDisk = LoadProject(original, ProjectState{});
    ASSERT_TRUE(onDisk.ok());
    EXPECT_EQ(onDisk->workingFolder, ".\\");

    const ScratchDir elsewhere;
    std::filesystem::copy_file(original, elsewhere.file("p.pht"));
    std::filesystem::copy_file(f.dir.file("a.bin"), elsewhere.file("a.bin"));
    ASSERT_TRUE(f.doc.loadProject(elsewhere.file("p.pht")));
    EXPECT_EQ(f.doc.localWorkingFolder(), elsewhere.path().string() + "/");
    EXPECT_TRUE(f.doc.workingFolderOpen());
    EXPECT_TRUE(f.prompts.shown.empty());

    // A stored absolute folder that is not here: the project's folder, with a notice.
    onDisk->workingFolder = "C:\\Measurements\\";
    ASSERT_TRUE(SaveProject(*onDisk, elsewhere.file("q.pht")).ok());
    ASSERT_TRUE(f.doc.loadProject(elsewhere.file("q.pht")));
    EXPECT_EQ(f.doc.localWorkingFolder(), elsewhere.path().string() + "/");
    EXPECT_EQ(f.prompts.shown, std::vector<int>{msg::FolderMissing});
}

// Substituting the data file of the entry that is open reopens it: the
// windows and the calculation read the new file, not the one still loaded.
TEST(DocumentController, SubstitutingTheOpenEntryReopensIt) {
    Fixture f;
    writeBytes(f.dir.file("b.bin"), fixtures::makeSlmFile(demoSource(), {2024, 2, 1, 0, 0, 0}, 300, 11, 70));
    ASSERT_TRUE(f.doc.loadProject(f.savedProject()));
    ASSERT_TRUE(f.doc.openProjectEntry(0));
    ASSERT_TRUE(f.doc.addExclusionZone(1, 2).ok());  // a setting of the entry, kept across
    ASSERT_TRUE(f.doc.substituteFiles({0}, {f.dir.file("b.bin")}).ok());
    ASSERT_NE(f.doc.currentFile(), nullptr);
    EXPECT_EQ(std::filesystem::path(f.doc.currentFile()->file.path).filename(), "b.bin");
    EXPECT_EQ(f.doc.currentFile()->file.count, 300);
    EXPECT_EQ(f.doc.currentFile()->ranges.zoneCount(), 1u);
    EXPECT_EQ(f.doc.state().currentFile.path, f.doc.state().files[0].path);
}

// A new percentile set keeps every bound cell on its level; a cell whose
// level is gone is named in a question first, No keeps the old set. The
// project's entry takes the set at once (the tables' chooser reads it), and
// undo gives set, entry and bindings back — in tables open from their own
// files too.
TEST(DocumentController, PercentileBindingsFollowTheirLevels) {
    Fixture f;
    ASSERT_TRUE(f.doc.loadProject(f.savedProject()));
    ASSERT_TRUE(f.doc.openProjectEntry(0));
    const std::int32_t p = CellBinding::FirstPercentile;
    ReportTable table(2, 1);
    table.name = "T";
    table.bindings[{0, 0}] = CellBinding{"A", 0x01300100, p + 0};  // L5 of {5, 95}
    table.bindings[{1, 0}] = CellBinding{"A", 0x01300100, p + 1};  // L95
    ASSERT_TRUE(f.doc.addReportTable(table).ok());
    ReportTable own = table;
    f.doc.openTables().add(own, OpenTables::Home::OwnFile);
    auto items = [](const ReportTable& t) {
        std::vector<std::int32_t> out;
        for (const auto& [cell, b] : t.bindings) out.push_back(b.itemIndex - CellBinding::FirstPercentile);
        return out;
    };

    HistogramSettings h = f.doc.currentFile()->settings.histogram;
    h.percentiles = {1, 5, 95};
    ASSERT_TRUE(f.doc.setHistogramSettings(h).ok());
    EXPECT_TRUE(f.prompts.asked.empty());
    EXPECT_EQ(items(f.doc.state().tables[0].table), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(items(own), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(f.doc.state().files[0].percentiles, (std::set<double>{1, 5, 95}));

    ASSERT_TRUE(f.doc.undo());
    EXPECT_EQ(items(f.doc.state().tables[0].table), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(items(own), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(f.doc.state().files[0].percentiles, (std::set<double>{5, 95}));

    h.percentiles = {5, 50};
    f.prompts.answers = {DocumentPrompts::Answer::No};
    EXPECT_EQ(f.doc.setHistogramSettings(h).error().id, msg::Cancelled);
    EXPECT_EQ(f.prompts.asked, std::vector<int>{msg::PercentileBindingsLost});
    EXPECT_EQ(f.doc.currentFile()->settings.histogram.percentiles, (std::set<double>{5, 95}));
    EXPECT_EQ(items(f.doc.state().tables[0].table), (std::vector<std::int32_t>{0, 1}));

    f.prompts.answers = {DocumentPrompts::Answer::Yes};
    ASSERT_TRUE(f.doc.setHistogramSettings(h).ok());
    EXPECT_EQ(items(f.doc.state().tables[0].table), std::vector<std::int32_t>{0});  // L95's cell lost its binding
}
