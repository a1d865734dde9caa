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
#include "core/tables/ReportTable.h"

namespace phonotab {

// The stored part of a chosen parameter.
struct ParameterSelection {
    std::uint32_t parameterId = 0;  // the parameter code
    std::array<std::int32_t, 7> flags{};  // plot, minimum, maximum, Leq, percentiles, histogram, without correction
    std::uint32_t colour = 0;
    std::string caption;
    std::vector<ParameterSelection> subSelections;

    bool operator==(const ParameterSelection&) const = default;
};

// One measurement file of the project and its stored settings.
struct ProjectFileEntry {
    std::string path;            // Windows-style, relative to the working folder where possible
    std::int32_t workMode = 2;
    std::string referenceName;   // unique in the project, not empty
    std::int32_t fileType = 0;
    std::int32_t instrumentCode = 0;
    std::vector<ParameterSelection> selections;
    std::int32_t rangeFirst = 0, rangeCount = 0, viewRow = 0;
    double recordInterval = 0.0;
    double scanInterval = 10.0, scanStep = 10.0;
    double histogramLow = 20.0, histogramStep = 1.0;
    std::int32_t histogramClasses = 100, histogramExcludeEdges = 0;
    std::set<double> percentiles = {5.0, 95.0};
    std::vector<RangeZone> ranges;
    std::int32_t scanning = 0;

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
// The histogram plot window's fields in their stored order.
struct HistogramPlotWindowState {
    std::int32_t version = 1;
    std::int32_t field1 = 0;
    std::vector<std::vector<double>> histograms;
    std::vector<std::string> texts1;
    std::int32_t field2 = 0;
    std::vector<std::string> texts2;
    std::int32_t field3 = 0;
    std::string text;
    std::int32_t field4 = 0;
    std::int32_t field5 = 0;
    bool operator==(const HistogramPlotWindowState&) const = default;
};
struct ReportWindowState {
    std::int32_t word = 0;
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

struct ProjectState {
    std::int32_t version = kProjectVersion;  // of the file last read
    ProjectFileEntry currentFile;
    std::int32_t serialNumber = -1;
    std::int32_t currentIndex = -1;
    std::string workingFolder;  // ends with a backslash once chosen
    std::vector<WindowRecord> windows;
    std::uint32_t currentColour = kDefaultCurrentColour;
    std::int32_t groupByParameter = 1, noLeqTime = 0, csvResults = 0, singleResultFile = 0;
    std::int32_t includeExclusionsUncorrected = 1;
    std::array<std::string, kReportTexts> reportTexts;
    std::vector<Illustration> illustrations;
    std::vector<ProjectTable> tables;
    std::vector<ProjectFileEntry> files;
    std::array<std::uint32_t, 16> customColours{};

    ProjectState() {
        // The main window's current file starts with 20.48-second scanning.
        currentFile.scanInterval = currentFile.scanStep = 20.48;
    }
};


}  // namespace phonotab
