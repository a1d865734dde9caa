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

// Projects travel: a working folder that is the project file's own folder, or
// lies below it, is written into the project file relative to it (".\\" or
// "sub\\"), so that a copied or moved project works in its new place. Others
// are written as they are.
std::string workingFolderForProjectFile(const std::string& storedFolder, const std::string& projectPath);

// The working folder of a project read from projectPath, in the stored form
// of a folder of this system: an empty or relative stored folder is taken from
// the project file's folder; an absolute one that does not exist here gives
// the project file's folder, and fellBack says so, for the user to be told.
struct ProjectWorkingFolder {
    std::string stored;
    bool fellBack = false;
};
ProjectWorkingFolder resolveProjectWorkingFolder(const std::string& storedFolder, const std::string& projectPath);

}  // namespace phonotab
