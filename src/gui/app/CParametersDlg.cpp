#include "app/CParametersDlg.h"

#include "app/UiText.h"

namespace phonotab {

CParametersDlg::CParametersDlg(ProjectSession& session, QWidget* parent)
    : CCrDialog(session, WindowKind::Parameters, uiText(5514), QStringLiteral("ParameterDlg"), parent) {}

}  // namespace phonotab
