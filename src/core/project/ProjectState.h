// The open project: its measurement files with their stored settings, report
// tables, illustrations, title-page texts, calculation options and the layout
// of the child windows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "core/acoustics/RangeSet.h"
#include "core/measurement/FileWorkMode.h"
#include "core/project/StoredFlag.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// The row flags of a chosen parameter, one per column of the parameters window.
struct SelectionFlags {
    StoredFlag plot = false, minimum = false, maximum = false, leq = false, percentiles = false, histogram = false;
    StoredFlag uncorrected = false;  // also evaluated without the correction zones

    // The flags in the order the project file stores them.
    template <class Flags>
    static auto inStoredOrder(Flags& f) {
        return std::array{&f.plot, &f.minimum, &f.maximum, &f.leq, &f.percentiles, &f.histogram, &f.uncorrected};
    }

    bool operator==(const SelectionFlags&) const = default;
};

// The stored part of a chosen parameter.
struct ParameterSelection {
    std::uint32_t parameterId = 0;  // the parameter code
    SelectionFlags flags;
    std::uint32_t colour = 0;
    std::string caption;
    std::vector<ParameterSelection> subSelections;

    bool operator==(const ParameterSelection&) const = default;
};

// One measurement file of the project and its stored settings.
struct ProjectFileEntry {
    std::string path;            // Windows-style, relative to the working folder where possible
    FileWorkMode workMode = FileWorkMode::Records;
    std::string referenceName;   // unique in the project, not empty
    std::int32_t fileType = 0;
    std::int32_t instrumentCode = 0;
    std::vector<ParameterSelection> selections;
    std::int32_t rangeFirst = 0, rangeCount = 0, viewRow = 0;
    double recordInterval = 0.0;
    double scanInterval = 10.0, scanStep = 10.0;
    double histogramLow = 20.0, histogramStep = 1.0;
    std::int32_t histogramClasses = 100;
    StoredFlag histogramExcludeEdges;
    std::set<double> percentiles = {5.0, 95.0};
    std::vector<RangeZone> ranges;
    StoredFlag scanning;

    bool operator==(const ProjectFileEntry&) const = default;
};

// The codes of the child window kinds in the project file.
enum class WindowKind : std::int32_t {
    Other = 0,
    ProjectFiles = 1,
    Ranges = 2,
    Parameters = 3,
    TimePlot = 4,
    HistogramPlot = 5,
    Table = 6,
    Report = 7,
};

struct WindowRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

// The own state each kind of window keeps in the project.
struct ProjectFilesWindowState {
    std::int32_t version = 1;
    std::array<std::int32_t, 4> columnWidths{};
    bool operator==(const ProjectFilesWindowState&) const = default;
};
struct TimePlotWindowState {
    std::int32_t version = 1;  // 0: no captions stored
    std::string xCaption, yCaption;
    bool operator==(const TimePlotWindowState&) const = default;
};
// The histogram plot window's fields in their stored order. The window keeps
// them as the project gave them: every value, one it names or not, is written
// back as it was read.
struct HistogramPlotWindowState {
    std::int32_t version = 1;
    std::int32_t kind = 0;  // 0 the current file's histograms, 1 a histogram file's, 2 a table's graph
    std::vector<std::vector<double>> histograms;
    std::vector<std::string> columnCaptions;
    std::int32_t current = 0;  // index of the histogram shown
    std::vector<std::string> histogramNames;
    std::int32_t displayMode = 0;  // 0 counts, 1 percentages, 2 normalised to the maximum, 3 percentile curve
    std::string title;
    std::int32_t binsPerColumn = 0;  // of 0.25 dB each
    std::uint32_t colour = 0;        // 0x00BBGGRR: the bars, or a table graph's background
    bool operator==(const HistogramPlotWindowState&) const = default;
};
struct ReportWindowState {
    std::int32_t reserved = 0;  // written as 0, kept as read
    bool operator==(const ReportWindowState&) const = default;
};
using WindowState = std::variant<std::monostate, ProjectFilesWindowState, TimePlotWindowState,
                                 HistogramPlotWindowState, ReportWindowState>;

struct WindowRecord {
    WindowKind kind = WindowKind::Other;
    WindowRect rect;
    WindowState state;
    bool operator==(const WindowRecord&) const = default;
};

struct Illustration {
    std::string caption;
    std::string picturePath;
    std::optional<std::size_t> table;  // index into the project's tables
    bool operator==(const Illustration&) const = default;
};

struct ProjectTable {
    ReportTable table;
    std::int64_t storedSize = 0;  // bytes of its table file in the project file last read
};

constexpr std::int32_t kProjectVersion = 23;
constexpr std::uint32_t kDefaultCurrentColour = 0xC800;
constexpr int kReportTexts = 10;

// The report's texts in their stored order: the title page's fields and the
// conclusion. Text i fills the placeholder <00i> of the report template.
enum class ReportText : std::size_t {
    Organisation = 0,          // that measured
    Instrument = 1,            // the measuring instrument
    MeasurementDate = 2,
    MeasurementPlace = 3,
    ProtocolNumber = 4,
    MeasuredBy = 5,            // the person who measured
    ObjectRepresentative = 6,  // of the object measured
    NormativeDocuments = 7,
    AdditionalInformation = 8,
    Conclusion = 9,
};

struct ProjectState {
    std::int32_t version = kProjectVersion;  // of the file last read
    ProjectFileEntry currentFile;
    std::int32_t serialNumber = -1;
    std::int32_t currentIndex = -1;
    std::string workingFolder;  // ends with a backslash once chosen
    std::vector<WindowRecord> windows;
    std::uint32_t currentColour = kDefaultCurrentColour;
    StoredFlag groupByParameter = true, noLeqTime, csvResults, singleResultFile;
    StoredFlag includeExclusionsUncorrected = true;
    std::array<std::string, kReportTexts> reportTexts;  // in ReportText order
    std::vector<Illustration> illustrations;
    std::vector<ProjectTable> tables;
    std::vector<ProjectFileEntry> files;
    std::array<std::uint32_t, 16> customColours{};

    ProjectState() {
        // The main window's current file starts with 20.48-second scanning.
        currentFile.scanInterval = currentFile.scanStep = 20.48;
    }

    std::string& reportText(ReportText t) { return reportTexts[static_cast<std::size_t>(t)]; }
    const std::string& reportText(ReportText t) const { return reportTexts[static_cast<std::size_t>(t)]; }
};


}  // namespace phonotab
