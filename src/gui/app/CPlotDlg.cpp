#include "app/CPlotDlg.h"

#include "app/UiText.h"

namespace phonotab {

CPlotDlg::CPlotDlg(ProjectSession& session, QWidget* parent)
    : CCrDialog(session, WindowKind::TimePlot, uiText(108), QStringLiteral("PlotDlg"), parent) {}

}  // namespace phonotab
