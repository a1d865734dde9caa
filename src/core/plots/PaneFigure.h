// The time plot as a figure for print: the pane's curves over its visible
// range and its zones, laid out afresh at the figure's size with the axis
// titles, the title and a legend of the curves beneath.
#pragma once

#include <string>
#include <vector>

#include "core/plots/GraphPane.h"
#include "core/plots/PlotFigure.h"

namespace phonotab {

struct PaneFigureInput {
    std::string title, xTitle, yTitle;
    // The legend's names, one per series of the pane in its order; a series
    // without a name is called "График N" in the legend.
    std::vector<std::string> seriesNames;
    // Legend entries after the curves' for the colours of the zones shown
    // (exclusions, corrections), so that a reader knows what a band means.
    std::vector<FigureSeries> zoneKeys;
    bool markers = false;  // draw the markers that are set
};

// width × height figure units; colours from the table (the standard one when absent).
PlotFigure buildPaneFigure(const GraphPane& pane, const PaneFigureInput& input, int width, int height,
                           const TextMetrics& metrics, const ColourTable* table = nullptr);

}  // namespace phonotab
