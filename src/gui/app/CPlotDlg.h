// The time plot window: the current file's chosen parameters against time.
// For now a plain window of its kind, so that projects that hold one keep it.
#pragma once

#include "app/CCrDialog.h"

namespace phonotab {

class CPlotDlg : public CCrDialog {
    Q_OBJECT
public:
    CPlotDlg(ProjectSession& session, QWidget* parent);
};

}  // namespace phonotab
