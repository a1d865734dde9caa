// Long work (loading a long file, a calculation, a recalculation) off the
// interface thread: the work runs on a worker thread while the interface
// stays alive; after a moment a progress dialog with a cancel button appears.
// A cancel asks the work to stop through its Progress, and the call returns
// when the work has ended: no work outlives its caller.
#pragma once

#include <QString>

#include <functional>

#include "core/base/Progress.h"

class QWidget;

namespace phonotab {

// Runs the work and waits for its end; true when the user asked it to stop.
bool runLongTask(QWidget* parent, const QString& label, const std::function<void(const Progress&)>& work);

}  // namespace phonotab
