// The project's working folder in its stored form (Windows-style, ending with
// a backslash) and as a folder of this system.
#pragma once

#include <string>

namespace phonotab {

// The stored form of a folder of this system: made absolute, separators as
// backslashes, one final backslash.
std::string storedWorkingFolder(const std::string& localFolder);

// A stored working folder as a folder of this system, ending with '/'; empty
// when none is set.
std::string localWorkingFolder(const std::string& storedFolder);

}  // namespace phonotab
