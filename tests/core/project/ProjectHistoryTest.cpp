#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DemoData.h"
#include "TestSupport.h"
#include "core/project/DocumentController.h"
#include "core/project/ProjectFile.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// Prompts that never answer: the edit verbs must not ask anything.
struct SilentPrompts : DocumentPrompts {
    std::vector<int> shown;
    void showMessage(const Message& m) override { shown.push_back(m.id); }
    Answer ask(const Message&, bool) override { return Answer::Cancel; }
    std::string chooseFile(FileQuestion, const std::string&) override { return {}; }
    std::string chooseFolder(const std::string&) override { return {}; }
    void openExternally(const std::string&) override {}
    void runLong(const Message&, const std::function<void(const Progress&)>& work) override { work(Progress{}); }
};

// A project with two file entries (the first one open as the current file),
// two report tables, an illustration of each kind and title-page texts.
struct Project {
    ScratchDir dir;
    SilentPrompts prompts;
    DocumentController doc{prompts};

    Project() {
        doc.setTeleDescription(demoDesc());
        writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 600, 10, 60));
        writeBytes(dir.file("b.bin"), fixtures::makeSlmFile(demoSource(), {2024, 1, 2, 0, 0, 0}, 300, 10, 60));
        writeBytes(dir.file("c.bin"), fixtures::makeSlmFile(demoSource(), {2024, 1, 3, 0, 0, 0}, 300, 10, 60));
        ProjectState p;
        p.workingFolder = dir.path().string() + "/";
        for (int k = 0; k < 2; ++k) {
            ProjectTable t;
            t.table = ReportTable(2, 2 + k);
            p.tables.push_back(std::move(t));
        }
        p.illustrations = {Illustration{"picture", "pic.bmp", std::nullopt}, Illustration{"graph", "", 1}};
        p.reportTexts[0] = "title";
        const std::string path = dir.file("p.pht");
        EXPECT_TRUE(SaveProject(p, path).ok());
        EXPECT_TRUE(doc.readProject(path).ok());
        for (const char* name : {"a", "b"}) {
            AddFilesRequest r;
            r.paths = {dir.file(std::string(name) + ".bin")};
            r.name = name == std::string("a") ? "A" : "B";
            r.askHistogramMode = [] { return false; };
            EXPECT_TRUE(doc.addFiles(r).ok());
        }
        EXPECT_TRUE(doc.openProjectEntry(0));
        EXPECT_TRUE(doc.addParameterEntry(entry()).ok());
        EXPECT_TRUE(doc.addExclusionZone(10, 20).ok());
        // Opened again from its entry (which takes the file's settings back):
        // a clean start with no steps.
        EXPECT_TRUE(doc.openProjectEntry(0));
        EXPECT_TRUE(doc.saveProjectTo(path).ok());
    }
    static ParameterEntry entry() {
        ParameterEntry e;
        e.code = 0x01300100;
        return e;
    }
    std::vector<std::uint8_t> bytes() const { return WriteProject(doc.state()); }
};

enum class Outcome { Changed, Unchanged, Refused };

struct VerbCase {
    const char* name;
    std::function<Status(DocumentController&, const std::string& folder)> verb;
    Outcome outcome;
};

Corrections someCorrections() {
    Corrections c{};
    c.fill(1.5);
    return c;
}

const std::vector<VerbCase>& verbCases() {
    using D = DocumentController;
    using S = const std::string&;
    static const std::vector<VerbCase> cases = {
        {"add a file", [](D& d, S dir) {
             AddFilesRequest r;
             r.paths = {dir + "b.bin"};
             r.name = "C";
             r.askHistogramMode = [] { return false; };
             return d.addFiles(r);
         }, Outcome::Changed},
        {"add a missing file", [](D& d, S dir) {
             AddFilesRequest r;
             r.paths = {dir + "none.bin"};
             r.name = "C";
             r.askHistogramMode = [] { return false; };
             return d.addFiles(r);
         }, Outcome::Refused},
        {"substitute a file", [](D& d, S dir) { return d.substituteFiles({1}, {dir + "c.bin"}); }, Outcome::Changed},
        {"substitute with too few files", [](D& d, S dir) { return d.substituteFiles({0, 1}, {dir + "a.bin"}); },
         Outcome::Refused},
        {"copy an entry", [](D& d, S) { return d.copyEntry(0, "C"); }, Outcome::Changed},
        {"copy under a taken name", [](D& d, S) { return d.copyEntry(0, "B"); }, Outcome::Refused},
        {"remove an entry", [](D& d, S) { return d.removeEntries({0}); }, Outcome::Changed},
        {"move an entry down", [](D& d, S) { return d.moveEntry(0, +1); }, Outcome::Changed},
        {"move an entry past the end", [](D& d, S) { return d.moveEntry(1, +1); }, Outcome::Unchanged},
        {"rename an entry", [](D& d, S) { return d.renameEntry(1, "Z"); }, Outcome::Changed},
        {"rename an entry to its name", [](D& d, S) { return d.renameEntry(1, "B"); }, Outcome::Unchanged},
        {"rename to a taken name", [](D& d, S) { return d.renameEntry(1, "A"); }, Outcome::Refused},
        {"give the open file's settings", [](D& d, S) { return d.giveCurrentSettings({1}); }, Outcome::Changed},
        {"edit a report text", [](D& d, S) { return d.setReportTexts({{2, "client"}}); }, Outcome::Changed},
        {"edit a report text to itself", [](D& d, S) { return d.setReportTexts({{0, "title"}}); }, Outcome::Unchanged},
        {"add a report table", [](D& d, S) { return d.addReportTable(ReportTable(3, 3)); }, Outcome::Changed},
        {"swap report tables", [](D& d, S) { return d.swapReportTables(0, 1); }, Outcome::Changed},
        {"swap past the end", [](D& d, S) { return d.swapReportTables(1, 2); }, Outcome::Unchanged},
        {"remove a report table", [](D& d, S) { return d.removeReportTable(1); }, Outcome::Changed},
        {"replace a report table", [](D& d, S) { return d.replaceReportTable(0, ReportTable(4, 4)); }, Outcome::Changed},
        {"replace a missing table", [](D& d, S) { return d.replaceReportTable(7, ReportTable(4, 4)); }, Outcome::Refused},
        {"add an illustration", [](D& d, S) { return d.addIllustration({"more", "", 0}); }, Outcome::Changed},
        {"add a graph of no table", [](D& d, S) { return d.addIllustration({"more", "", 5}); }, Outcome::Refused},
        {"move an illustration", [](D& d, S) { return d.moveIllustration(1, -1); }, Outcome::Changed},
        {"remove an illustration", [](D& d, S) { return d.removeIllustration(0); }, Outcome::Changed},
        {"caption an illustration", [](D& d, S) { return d.setIllustrationCaption(0, "photo"); }, Outcome::Changed},
        {"custom colours", [](D& d, S) {
             std::array<std::uint32_t, 16> c{};
             c.fill(0x123456);
             return d.setCustomColours(c);
         }, Outcome::Changed},
        {"calculation options", [](D& d, S) {
             D::CalculationOptions o;
             o.scanInterval = o.scanStep = 30;
             o.csv = true;
             return d.setCalculationOptions(o);
         }, Outcome::Changed},
        {"work range", [](D& d, S) { return d.setWorkRange(5, 50); }, Outcome::Changed},
        {"exclusion zone", [](D& d, S) { return d.addExclusionZone(30, 40); }, Outcome::Changed},
        {"correction zone", [](D& d, S) { return d.addCorrectionZone(30, 40, someCorrections()); }, Outcome::Changed},
        {"invert exclusions", [](D& d, S) { return d.invertExclusionZones(); }, Outcome::Changed},
        {"zone bounds", [](D& d, S) { return d.setZoneBounds(0, 12, 18); }, Outcome::Changed},
        {"zone bounds as they are", [](D& d, S) {
             const RangeZone& z = d.currentFile()->ranges.zone(0);
             return d.setZoneBounds(0, z.begin, z.end);
         }, Outcome::Unchanged},
        {"bounds of no zone", [](D& d, S) { return d.setZoneBounds(3, 12, 18); }, Outcome::Refused},
        {"zone to correction", [](D& d, S) { return d.convertToCorrection(0, someCorrections()); }, Outcome::Changed},
        {"remove a zone", [](D& d, S) { return d.removeZone(0); }, Outcome::Changed},
        {"add a parameter", [](D& d, S) { return d.addParameterEntry(Project::entry()); }, Outcome::Changed},
        {"remove a parameter", [](D& d, S) { return d.removeParameterEntry(0); }, Outcome::Changed},
        {"remove no parameter", [](D& d, S) { return d.removeParameterEntry(9); }, Outcome::Refused},
        {"parameter colour", [](D& d, S) { return d.setParameterColour(0, 0xFF); }, Outcome::Changed},
        {"parameter name", [](D& d, S) { return d.setParameterName(0, "Level"); }, Outcome::Changed},
        {"scanning", [](D& d, S) { return d.setScanning(true); }, Outcome::Changed},
    };
    return cases;
}

}  // namespace

// Every edit verb: a refused edit (or one that changes nothing) leaves the
// stored project byte for byte and unmodified, with no step; an edit that
// changes it is undone to the same bytes and redone to the edited ones.
TEST(ProjectHistory, EveryVerbUndoesAndRedoesByteForByte) {
    for (const VerbCase& c : verbCases()) {
        SCOPED_TRACE(c.name);
        Project p;
        ASSERT_FALSE(p.doc.modified());
        ASSERT_FALSE(p.doc.canUndo());
        const std::vector<std::uint8_t> before = p.bytes();

        const Status status = c.verb(p.doc, p.dir.path().string() + "/");
        EXPECT_EQ(status.ok(), c.outcome != Outcome::Refused);
        if (c.outcome != Outcome::Changed) {
            EXPECT_EQ(p.bytes(), before);
            EXPECT_FALSE(p.doc.modified());
            EXPECT_FALSE(p.doc.canUndo());
            continue;
        }
        const std::vector<std::uint8_t> after = p.bytes();
        EXPECT_NE(after, before);
        EXPECT_TRUE(p.doc.modified());
        ASSERT_TRUE(p.doc.undo());
        EXPECT_EQ(p.bytes(), before);
        EXPECT_FALSE(p.doc.canUndo());
        ASSERT_TRUE(p.doc.redo());
        EXPECT_EQ(p.bytes(), after);
        EXPECT_FALSE(p.doc.redo());
    }
}

// Project and current-file edits share one history; undone in turn they give
// back each state on the way; a new edit forgets what could be redone; the
// history keeps at most its depth of steps.
TEST(ProjectHistory, OneHistoryForProjectAndFileEdits) {
    Project p;
    const std::vector<std::uint8_t> start = p.bytes();
    ASSERT_TRUE(p.doc.renameEntry(1, "Z").ok());
    const std::vector<std::uint8_t> renamed = p.bytes();
    ASSERT_TRUE(p.doc.addExclusionZone(30, 40).ok());
    ASSERT_TRUE(p.doc.undo());
    EXPECT_EQ(p.doc.currentFile()->ranges.zoneCount(), 1u);
    EXPECT_EQ(p.bytes(), renamed);
    ASSERT_TRUE(p.doc.undo());
    EXPECT_EQ(p.bytes(), start);
    ASSERT_TRUE(p.doc.setReportTexts({{1, "x"}}).ok());
    EXPECT_FALSE(p.doc.canRedo());

    for (std::size_t i = 0; i < ProjectHistory::Depth + 5; ++i)
        ASSERT_TRUE(p.doc.setReportTexts({{1, std::to_string(i)}}).ok());
    std::size_t steps = 0;
    while (p.doc.undo()) ++steps;
    EXPECT_EQ(steps, ProjectHistory::Depth);
}
