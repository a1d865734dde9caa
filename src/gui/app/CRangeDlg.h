// The ranges window: the current file's work range, exclusion zones and
// correction zones.
// For now a plain window of its kind, so that projects that hold one keep it.
#pragma once

#include "app/CCrDialog.h"

namespace phonotab {

class CRangeDlg : public CCrDialog {
    Q_OBJECT
public:
    CRangeDlg(ProjectSession& session, QWidget* parent);
};

}  // namespace phonotab
