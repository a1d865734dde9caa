// The open project and the rules that keep it. The controller wires the
// parts that hold the data — the project document (ProjectDocument), the
// current file and the telemetry description (CurrentFileSession), the
// working folder (WorkingFolderState), the reference books (ReferenceBookStore)
// and the recent lists — and keeps the rules between them: new, open, save and
// save as with the offer to save a modified project first, and the named edits
// (verbs) through which every change of the current file or the project goes,
// each one an undo step of the project's history. The desktop's session
// adapter and the batch tool both drive it; it asks through DocumentPrompts
// and tells the windows through notices.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/acoustics/CalculateFile.h"
#include "core/base/Result.h"
#include "core/plots/TimePlotContent.h"
#include "core/project/DocumentNotice.h"
#include "core/project/DocumentPrompts.h"
#include "core/project/DocumentWindows.h"
#include "core/project/CurrentFileSession.h"
#include "core/project/CurrentFileSnapshot.h"
#include "core/project/MruList.h"
#include "core/project/ProjectDocument.h"
#include "core/project/ProjectFiles.h"
#include "core/project/ProjectHistory.h"
#include "core/project/ProjectState.h"
#include "core/project/RecalculateProject.h"
#include "core/project/RecentLists.h"
#include "core/project/ReferenceBookStore.h"
#include "core/project/ReferenceBooks.h"
#include "core/project/WorkingFolderState.h"
#include "core/tables/OpenTables.h"

namespace phonotab {

class DocumentController {
public:
    using Listener = std::function<void(DocumentNotice)>;

    explicit DocumentController(DocumentPrompts& prompts);
    ~DocumentController();
    DocumentController(const DocumentController&) = delete;
    DocumentController& operator=(const DocumentController&) = delete;

    // The child windows, when there are any (the batch tool has none).
    void setWindows(DocumentWindows* windows) { windows_ = windows; }
    // Who hears the notices (the desktop's session adapter).
    void setListener(Listener listener) { listener_ = std::move(listener); }

    // The parts, for callers that need one of them whole.
    const ProjectDocument& document() const { return document_; }
    const CurrentFileSession& currentFileSession() const { return currentFile_; }
    ReferenceBookStore& books() { return books_; }
    RecentLists& recentLists() { return recent_; }

    const ProjectState& state() const { return document_.state(); }
    bool modified() const { return document_.modified(); }
    // The colour choosers' custom colours until a project brings its own
    // (the desktop gives the face colour of its buttons, as 0x00BBGGRR).
    void setDefaultCustomColour(std::uint32_t colour) { document_.state().customColours.fill(colour); }
    // The open project's file; empty for a project never saved.
    const std::string& projectPath() const { return document_.path(); }
    // Set once a project was made, opened or saved: the project commands need it.
    bool projectOpen() const { return document_.isOpen(); }
    // The current file open for calculation; null while none is.
    const CalcFile* currentFile() const { return currentFile_.file(); }
    ReferenceBooks& referenceBooks() { return books_.books(); }
    // The report tables open in windows (free-standing or in the report
    // window): a cell block on the clipboard names its table here, and the
    // project's recalculation fills their bindings.
    OpenTables& openTables() { return openTables_; }
    // The telemetry description read at start-up (empty until then): the
    // current file, the project's files and the windows' names read with it.
    const TeleDesc& teleDescription() const { return currentFile_.teleDescription(); }
    // A description read elsewhere (the batch tool reads its own once).
    void setTeleDescription(TeleDesc desc) { currentFile_.setTeleDescription(std::move(desc)); }
    MruList& recentFiles() { return recent_.files; }
    MruList& recentProjects() { return recent_.projects; }
    // The working folder on this system ('/'-terminated; empty while none
    // was chosen) and whether it exists.
    std::string localWorkingFolder() const;
    bool workingFolderOpen() const { return folder_.isOpen(); }
    // The main window's title.
    std::string title() const;

    // Start-up: the telemetry description (message 403 when it cannot be
    // read: no data file can then be recognised), the reference books (a file
    // that cannot be read is shown to the user to mend and never written over
    // until the next start), the working folder.
    bool loadTelemetryDescription(const std::string& path);
    void loadReferenceBooks(const std::string& path);
    void startInFolder(const std::string& localFolder);

    // The project commands; each returns whether it was carried out. A
    // modified open project is offered for saving before another replaces it.
    bool newProject();
    bool openProject();  // asks for the file
    bool loadProject(const std::string& path);
    bool openRecentProject(int position);
    bool saveProject();  // asks for a file only when the project has none
    bool saveProjectAs();
    bool changeWorkingFolder();
    // Reads a project into the controller without opening its current file,
    // its working folder or its windows (the batch tool); the open project
    // stays as it was when the file fails.
    Status readProject(const std::string& path);
    // Writes the project as it stands to the path (atomically, keeping the
    // file's permissions) and makes it the project's file.
    Status saveProjectTo(const std::string& path);

    // The data-file commands: the file dialog, a path, a recent file, an
    // entry of the project's file list.
    bool chooseAndOpenDataFile();
    bool openDataFile(const std::string& path);
    bool openRecentFile(int position);
    bool openProjectEntry(int index);

    // Calculates the current file (results into the working folder) as long
    // work; the messages are shown afterwards.
    CalcReport calculateCurrentFile();
    // Loads the series of the current file's entries that have none, as long
    // work, for the plots: nothing is computed and the project is not modified.
    // A stop gives msg::Cancelled and leaves the entries without series.
    Status loadPlotSeries();
    // Recalculates the project's files (as long work): results written, the
    // tables' bound values filled, the project modified.
    RecalcReport recalculateProject(RecalcRequest request);

    // ---- edits -------------------------------------------------------------
    // Every edit below checks its input first: a refused edit answers its
    // message and changes nothing (the project stays unmodified). An edit
    // that changes what the project stores marks it modified, sends its
    // notices and becomes one step of the undo history; an edit that changes
    // nothing (a rename to the same name, a move past the end) is no step.

    // The project's file list (the project files window).
    Status addFiles(AddFilesRequest request);  // the working folder is the project's
    Status substituteFiles(const std::vector<int>& selected, const std::vector<std::string>& paths);
    Status copyEntry(int index, const std::string& name);
    Status removeEntries(const std::vector<int>& indices);
    Status moveEntry(int index, int direction);
    // The tables' bindings that read the entry by its reference name follow it.
    Status renameEntry(int index, const std::string& name);
    Status giveCurrentSettings(const std::vector<int>& selected);
    // The report's title-page texts: (index of the text, its new content).
    Status setReportTexts(const std::vector<std::pair<std::size_t, std::string>>& texts);
    // The report's tables: appended, swapped (with the illustrations of their
    // graphs), removed (with them), replaced by an edited or reloaded table.
    Status addReportTable(ReportTable table);
    Status swapReportTables(std::size_t a, std::size_t b);
    Status removeReportTable(std::size_t index);
    Status replaceReportTable(std::size_t index, ReportTable table);
    // The report's illustrations.
    Status addIllustration(Illustration illustration);
    Status moveIllustration(std::size_t index, int direction);  // up: −1, down: +1
    Status removeIllustration(std::size_t index);
    Status setIllustrationCaption(std::size_t index, const std::string& caption);
    // The colour choosers' custom colours that the project keeps.
    Status setCustomColours(const std::array<std::uint32_t, 16>& colours);
    // The calculation settings: the project's options and the current file's
    // scanning, in one step.
    struct CalculationOptions {
        double scanInterval = 10.0, scanStep = 10.0;
        bool grouped = true, includeExclusionsUncorrected = true, noLeqTime = false, csv = false, singleFile = false;
    };
    Status setCalculationOptions(const CalculationOptions& options);
    // A window's own state that the project file stores with its window
    // record (a plot's legend or histogram step) changed: it goes into the
    // project at the next save, so the project is modified. No undo step:
    // the window keeps that state itself.
    void windowStateChanged();

    // The current file (the ranges, parameters and plot windows); without a
    // current file each answers 392.
    Status setWorkRange(std::int64_t firstSample, std::int64_t lastSample);
    Status setWorkRangeTimes(double begin, double end);
    Status setWorkRangeSeconds(const TimePlotContent& content, double begin, double end);
    Status addExclusionZone(double begin, double end);
    Status addCorrectionZone(double begin, double end, const Corrections& corrections);
    Status invertExclusionZones();
    Status setZoneBounds(std::size_t zone, double begin, double end);
    Status setZoneCorrections(std::size_t zone, const Corrections& corrections);
    Status removeZone(std::size_t zone);
    Status convertToExclusion(std::size_t zone);
    Status convertToCorrection(std::size_t zone, const Corrections& corrections);
    Status addParameterEntry(const ParameterEntry& entry);
    Status removeParameterEntry(std::size_t row);
    Status toggleParameterFlag(std::size_t row, int column);
    Status setParameterColour(std::size_t row, std::uint32_t colour);
    Status setParameterName(std::size_t row, const std::string& name);
    Status setScanning(bool on);
    // A new percentile set keeps the tables' cells on their levels; cells
    // whose level is gone are named in a question first (No: msg::Cancelled,
    // nothing changes).
    Status setHistogramSettings(const HistogramSettings& settings);

    // Takes back the last edit (or makes it again): what it changed goes
    // back, the project is modified and the edit's notices sent. False when
    // there is nothing to take back. Opening or making a project forgets the
    // steps, and so does opening another data file: the current file's steps
    // belong to the file they were made on.
    bool undo();
    bool redo();
    bool canUndo() const { return document_.history().canUndo(); }
    bool canRedo() const { return document_.history().canRedo(); }
    // The reference-book editors. A book renamed takes its "#book#index"
    // formulas with it (the project is then modified; 5101 when the name is
    // taken, false when there was nothing to rename); after an edit of a
    // book's records the tables that read it recalculate.
    Result<bool> renameReferenceBook(const std::string& oldName, const std::string& newName);
    void referenceBookEdited(const std::string& book);
    // How many "#book#index" references read the book, in formulas and cell
    // macros, in the project's tables and in the tables open in windows.
    int referenceBookUses(const std::string& book) const;
    // The books are edited only when they were read: a file that failed to
    // read is never written over, so an edit then would be lost (msg::BooksNotEditable).
    Status referenceBooksEditable() const;
    // Sends a notice without a change (a window's view changed).
    void notify(DocumentNotice notice) const;

    // Closing the program: the windows put their edits into the project and
    // a modified project is offered for saving. False keeps the program running.
    bool confirmClose();
    // After the main window closed: the project is cleared and the reference
    // books are written back when they changed.
    void shutdown();

private:
    bool offerToSave();
    void clearProject(ClearForm form);
    void captureCurrentFile();
    // The parts of the project that an edit may change; an undo step keeps
    // the parts its edit names, as they were and as they became.
    enum Part : unsigned {
        FileList = 1, ReportTexts = 2, Tables = 4, Illustrations = 8, Colours = 16, Options = 32, Folder = 64,
        CurrentEntry = 128
    };
    // Makes a project edit on a copy of the named parts: applied only when
    // the change succeeds (or changed something before it failed) and the
    // stored project differs.
    // `always` applies a successful change even when the project file would
    // not differ (a table's pending recalculation is not stored).
    Status changeProject(unsigned parts, const std::function<Status(ProjectState&)>& change,
                         std::vector<DocumentNotice> notices = {DocumentNotice::StateChanged}, bool always = false);
    void putParts(const ProjectState& from, unsigned parts);
    // Makes an edit of the current file; a change that fails changes nothing.
    // What follows a change of the current file in the tables (their
    // bindings after a new percentile set): called with the project's state
    // when the edit is made, and with none (only the tables open outside the
    // project) when its step is undone (forward false) or redone.
    using TablesFollow = std::function<void(ProjectState* project, bool forward)>;
    Status changeCurrentFile(DocumentNotice notice, const std::function<Status(CalcFile&)>& change,
                             const TablesFollow& tablesFollow = {});
    // Before the entries' percentile sets change (entry reference name,
    // the set it had, the set it gets): the cells whose level is gone are
    // named in a question. False when the user keeps the old sets.
    struct PercentileSetChange {
        std::string source;
        std::set<double> before, after;
    };
    bool confirmPercentileChanges(const std::vector<PercentileSetChange>& changes);
    // Keeps the tables' percentile bindings on their levels: the project's
    // tables in the project given, the open tables outside it directly.
    void remapPercentiles(ProjectState* project, const std::vector<PercentileSetChange>& changes, bool forward);
    void afterHistoryStep(const ProjectCommand* command);
    bool openWorkingFolder(bool reportMissing);
    bool loadCurrentFile(const std::string& localPath);
    std::string askProjectPath(bool forSaving);
    bool writeProject(const std::string& path, bool asked);

    DocumentPrompts& prompts_;
    DocumentWindows* windows_ = nullptr;
    Listener listener_;
    ProjectDocument document_;
    CurrentFileSession currentFile_;
    WorkingFolderState folder_;
    ReferenceBookStore books_;
    RecentLists recent_;
    OpenTables openTables_;
};

}  // namespace phonotab
