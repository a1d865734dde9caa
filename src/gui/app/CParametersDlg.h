// The parameters window: the parameters chosen for the current file and their
// statistics.
// For now a plain window of its kind, so that projects that hold one keep it.
#pragma once

#include "app/CCrDialog.h"

namespace phonotab {

class CParametersDlg : public CCrDialog {
    Q_OBJECT
public:
    CParametersDlg(ProjectSession& session, QWidget* parent);
};

}  // namespace phonotab
