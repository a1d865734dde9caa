#include "app/CRangeDlg.h"

#include "app/UiText.h"

namespace phonotab {

CRangeDlg::CRangeDlg(ProjectSession& session, QWidget* parent)
    : CCrDialog(session, WindowKind::Ranges, uiText(5534), QStringLiteral("RangeDlg"), parent) {}

}  // namespace phonotab
