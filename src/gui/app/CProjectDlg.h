// The project files window: the measurement files of the project and their
// reference names.
// For now a plain window of its kind, so that projects that hold one keep it.
#pragma once

#include "app/CCrDialog.h"

namespace phonotab {

class CProjectDlg : public CCrDialog {
    Q_OBJECT
public:
    CProjectDlg(ProjectSession& session, QWidget* parent);
};

}  // namespace phonotab
