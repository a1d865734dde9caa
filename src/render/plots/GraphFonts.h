// The five fonts of a graph window: a serif title font, a regular and a bold
// label font, the bold font of vertical axis titles and the bold font of the
// drawn controls. Sizes are in pixels so that pictures do not depend on the
// screen's resolution.
#pragma once

#include <QFont>

#include "core/plots/TextMetrics.h"

namespace phonotab {

struct GraphFonts {
    QFont title, label, labelBold, vertical, control;

    static GraphFonts standard();
    // The fonts of a figure for print, in figure units: one sans-serif family,
    // the title bold (see core/plots/PlotFigure.h for the sizes).
    static GraphFonts figure();
    const QFont& forRole(TextRole role) const;
};

}  // namespace phonotab
