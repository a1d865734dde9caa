// What the two plot windows share: their exports through a save dialog,
// written through a temporary file so that a failed write leaves no half file.
#pragma once

#include <QImage>
#include <QString>

#include "core/base/Result.h"
#include "core/plots/PlotFigure.h"

namespace phonotab {

class Prompts;

// Writes the image in the format of the path's suffix (bmp, png) through a
// temporary file.
Result<QString> writeImage(const QImage& image, const QString& path);

// The plot windows' "-> BMP" and "-> SVG": the figure for print (not the
// window's picture) as a bitmap at a print resolution, or as SVG. Each asks
// for the file, suggesting `suggested` in folder; empty when cancelled.
Result<QString> saveFigureBitmapAs(const PlotFigure& figure, Prompts& prompts, const QString& folder);
Result<QString> saveFigureSvgAs(const PlotFigure& figure, Prompts& prompts, const QString& folder,
                                const QString& suggested);
// Lays out a figure with the figure fonts (the ones figureImage paints with).
const TextMetrics& figureMetrics();

}  // namespace phonotab
