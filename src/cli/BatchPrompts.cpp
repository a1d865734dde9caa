#include "BatchPrompts.h"

#include "CliContext.h"

namespace phonotab::cli {

void BatchPrompts::showMessage(const Message& message) { (void)fail(message); }

}  // namespace phonotab::cli
