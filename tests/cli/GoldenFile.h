// Golden files of the batch tool: outputs whose format fixes them byte for byte
// (result files, dumps, summaries, clipboard bytes) are compared whole with a
// copy kept under tests/cli/golden/.
//
// After a deliberate change of such an output, write the copies anew and read
// the difference before committing it:
//     PHONOTAB_UPDATE_GOLDEN=1 build/cli_tests
//     git diff tests/cli/golden
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace phonotab::testing {

// The bytes of a golden file ("calc/x.txt" is tests/cli/golden/calc/x.txt).
std::string goldenBytes(const std::string& name);

// Success when actual equals the golden file byte for byte; otherwise the first
// line that differs. With PHONOTAB_UPDATE_GOLDEN set, the file is written instead.
::testing::AssertionResult matchesGolden(const std::string& name, const std::string& actual);

// The text with the scratch folder's path written as "<dir>": outputs that name
// their input files do so under a folder that differs from run to run.
std::string withScratchFolder(std::string text, const ScratchDir& dir);

}  // namespace phonotab::testing
