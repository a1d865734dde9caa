// The report window: title-page texts, conclusion, illustrations and tables.
// For now a plain window of its kind, so that projects that hold one keep it.
#pragma once

#include "app/CCrDialog.h"

namespace phonotab {

class CPrjReportDlg : public CCrDialog {
    Q_OBJECT
public:
    CPrjReportDlg(ProjectSession& session, QWidget* parent);
};

}  // namespace phonotab
