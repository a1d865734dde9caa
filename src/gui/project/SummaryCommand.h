// "Сделать сводку": choose record files of one kind, choose the columns in
// the summary dialog, then the result file; the summary is written as long
// work into a temporary file that replaces the result when complete.
#pragma once

#include <functional>

class QWidget;

namespace phonotab {

class ProjectSession;
class SummaryDialog;

// Shows the dialog and answers whether the user asked for the summary; the
// program runs it modally, the tests script it.
using SummaryDialogRunner = std::function<bool(SummaryDialog&)>;

void makeSummary(ProjectSession& session, QWidget* parent, const SummaryDialogRunner& run = {});

}  // namespace phonotab
