// The histogram plot window: level histograms of the current file, of a
// histogram file or of a table, drawn as bars. For now a plain window of its
// kind that keeps its stored state and the histograms it was opened with.
#pragma once

#include <optional>

#include "acoustics/HistogramFile.h"
#include "app/CCrDialog.h"

namespace phonotab {

class CHistoPlotDlg : public CCrDialog {
    Q_OBJECT
public:
    // The window of the current file's histograms.
    CHistoPlotDlg(ProjectSession& session, QWidget* parent);
    // A window showing the histograms of a histogram file.
    CHistoPlotDlg(ProjectSession& session, const HistogramFile& file, QWidget* parent);

    const std::optional<HistogramFile>& histogramFile() const { return file_; }

private:
    std::optional<HistogramFile> file_;
};

}  // namespace phonotab
