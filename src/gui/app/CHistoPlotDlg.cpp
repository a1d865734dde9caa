#include "app/CHistoPlotDlg.h"

#include "app/UiText.h"

namespace phonotab {

namespace {
constexpr int kTitle = 5535;
}  // namespace

CHistoPlotDlg::CHistoPlotDlg(ProjectSession& session, QWidget* parent)
    : CCrDialog(session, WindowKind::HistogramPlot, uiText(kTitle), QStringLiteral("HistoDlg"), parent) {}

CHistoPlotDlg::CHistoPlotDlg(ProjectSession& session, const HistogramFile& file, QWidget* parent)
    : CCrDialog(session, WindowKind::HistogramPlot, uiText(kTitle), QString(), parent), file_(file) {
    HistogramPlotWindowState s;
    for (const auto& [name, values] : file.series) s.histograms.push_back(values);
    state_ = s;
}

}  // namespace phonotab
