#include "project/CPrjReportDlg.h"

#include "app/UiText.h"

namespace phonotab {

CPrjReportDlg::CPrjReportDlg(ProjectSession& session, QWidget* parent)
    : CCrDialog(session, WindowKind::Report, uiText(5516), QString(), parent) {}

}  // namespace phonotab
