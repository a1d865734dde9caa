#include "app/CProjectDlg.h"

#include "app/UiText.h"

namespace phonotab {

CProjectDlg::CProjectDlg(ProjectSession& session, QWidget* parent)
    : CCrDialog(session, WindowKind::ProjectFiles, uiText(5533), QStringLiteral("ProjectDlg"), parent) {}

}  // namespace phonotab
