// Everything one draw of a pane puts on the picture, in window pixels: zone
// bands, grid, frame and tick marks, labels and titles, zone lines and curves,
// in that order. The desktop paints a scene with its drawing library; the
// numbers, texts and positions are all decided here.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/plots/AxisTicks.h"
#include "core/plots/CoordinateMap.h"
#include "core/plots/CurveRaster.h"
#include "core/plots/GraphColours.h"
#include "core/plots/GraphPane.h"
#include "core/plots/SeriesDecimator.h"
#include "core/plots/TextMetrics.h"
#include "core/plots/TickStep.h"

namespace phonotab {

struct SceneLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ColourWord colour = 0;
    int width = 1;
    bool dotted = false;
};

struct SceneBand {
    PlotRect rect;
    ColourWord colour = 0;
};

// One line of text; (x, y) is the top left of its box. A vertical text reads
// upwards and its box is height(role) wide.
struct SceneText {
    int x = 0, y = 0;
    std::string text;
    TextRole role = TextRole::Label;
    bool vertical = false;
};

// What a curve's points and runs were made of, besides the scene's coordinate
// map: a series whose samples, part and mapping are unchanged (its pyramid is
// rebuilt whenever its samples change) gives the same curve again.
struct CurveSource {
    std::weak_ptr<const MinMaxPyramid> pyramid;
    const double* samples = nullptr;
    std::int64_t first = 0, last = -1;
    double scale = 1, offset = 0;
    IndexRange part;
    double x0 = 0, dx = 1;
    bool clamp = false;
    double clampLo = 0, clampHi = 0;

    bool sameAs(const CurveSource& other) const;
};

struct SceneCurve {
    std::vector<ScenePoint> points;  // the reduced polyline (for vector pictures)
    std::vector<ColumnRun> runs;     // its pixels within the plot (for bitmaps)
    ColourWord colour = 0;
    CurveSource source;
};

struct PaneScene {
    bool empty = true;  // no series: nothing is drawn
    PlotRect plot;
    ColourWord background = 0xFFFFFF;
    ColourWord foreground = 0;  // axes, marks and texts
    std::vector<SceneBand> bands;
    std::vector<SceneLine> grid;   // dotted, width 1
    std::vector<SceneLine> marks;  // frame and tick marks, solid, width 1
    std::vector<SceneText> texts;
    std::vector<SceneLine> zoneLines;
    std::vector<SceneCurve> curves;

    PaneStats stats;
    CoordinateMap map;
    std::optional<TickStep> xStep, yStep;  // of linear and logarithmic axes
    std::vector<AxisTick> xTicks, yTicks;
    std::int64_t timeStep = 0;  // seconds between ticks of a calendar axis
    int widestYLabel = 0;

    // The texts of all labels, for checks and exports.
    bool hasText(const std::string& text) const;
};

struct SceneOptions {
    // Screen pictures keep colours and zones always; a vector export only with
    // the pane's flag 0x2000.
    bool colours = true;
    const ColourTable* table = nullptr;  // the standard table when absent
    // The pane's last scene, when there is one: curves whose series, part and
    // mapping are unchanged are copied from it instead of being reduced again,
    // so that redrawing an unchanged view (markers, resizes of other panes,
    // repaints) does not revisit the samples.
    const PaneScene* previous = nullptr;
};

// Lengths of tick marks and gaps around labels, in pixels.
namespace scenegeom {
constexpr int kMajorMark = 6, kMinorMark = 3, kLabelGap = 3;
constexpr int kSecondLineOffset = 14;  // the date line under a clock time
}  // namespace scenegeom

// Computes the pane's ranges over its visible range and lays out its picture.
PaneScene buildPaneScene(const GraphPane& pane, const TextMetrics& metrics, const SceneOptions& options = {});

}  // namespace phonotab
