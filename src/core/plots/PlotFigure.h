// A plot drawn for print: what the time plot, the histogram plot and a report
// table's graph put into a document or an exported picture. It holds only
// what a reader of the printed page needs: the plot with its zones and curves,
// the axes with their titles and units, the title and a legend that names
// every series in its colour. Nothing of the window is in it: no buttons, no
// readout fields, no markers unless asked for.
//
// A figure is laid out in figure units, a 96th of an inch (the fonts' pixels),
// at the printed size; the bitmap is drawn at a print resolution and the SVG
// says its size in millimetres, so that a word processor places either at
// that size.
#pragma once

#include <string>
#include <vector>

#include "core/plots/GraphColours.h"
#include "core/plots/PaneScene.h"
#include "core/plots/PlotRect.h"
#include "core/plots/TextMetrics.h"

namespace phonotab {

namespace figure {
constexpr double kUnitsPerInch = 96.0;
// The printed size: the width of a portrait page's text, a pleasant height.
constexpr double kWidthCm = 16.0, kHeightCm = 10.0;
// Pixels per inch of a figure's bitmap: above the 200 a printed page needs.
constexpr int kPrintDpi = 240;
// The fonts' em sizes in figure units: labels and axis titles 9 pt, the title 12 pt.
constexpr int kLabelPixels = 12, kAxisTitlePixels = 12, kTitlePixels = 16;
// Figure units of a length in centimetres.
int unitsOfCm(double cm);
// Pixels of a length in figure units at a resolution.
int pixelsAt(int units, int dpi);
}  // namespace figure

// A name of the legend with the sample of its colour (a bar's colour, or a
// short thick stroke of a curve's).
struct FigureLegendEntry {
    std::string name;
    ColourWord colour = 0;
    PlotRect swatch;
};

// A text and its measured width (an SVG reader places a vertical text by it).
struct FigureText {
    SceneText text;
    int width = 0;
};

// An entry of the legend: a curve (a stroke of its colour) or a filled area,
// a bar or a zone (a block of its colour).
struct FigureSeries {
    std::string name;
    ColourWord colour = 0;
    bool block = false;
};

struct PlotFigure {
    int width = 0, height = 0;  // figure units
    ColourWord background = 0xFFFFFF, foreground = 0;
    // Drawn in this order: fills (the plot's background, zone bands, bars,
    // legend swatches), lines (grid dotted, frame and tick marks), texts, and
    // within the plot only the plot's lines (zone lines, markers) and curves.
    std::vector<SceneBand> fills;
    std::vector<SceneLine> lines;
    std::vector<FigureText> texts;
    PlotRect plot;
    std::vector<SceneLine> plotLines;
    std::vector<SceneCurve> curves;  // their points; a figure has no pixel runs
    std::vector<FigureLegendEntry> legend;

    bool hasText(const std::string& text) const;
};

// Lays out the legend's entries in rows centred across width, starting at
// top; returns the height the rows take (0 without series).
int layoutFigureLegend(PlotFigure& figure, const std::vector<FigureSeries>& series, int top,
                       const TextMetrics& metrics);
// The height layoutFigureLegend would take.
int figureLegendHeight(const std::vector<FigureSeries>& series, int width, const TextMetrics& metrics);

}  // namespace phonotab
