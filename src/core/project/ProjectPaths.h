// Paths as the project file stores them: Windows-style, with backslashes, and
// relative to the working folder where possible.
#pragma once

#include <string>

namespace phonotab {

// The stored form of a path: its relative form when it lies on the working
// folder's drive (letter case ignored), else the path itself. A working folder
// without a backslash after its first character leaves the path unchanged.
std::string MakeRelativeToWorkingFolder(const std::string& path, const std::string& workingFolder);

// A path of this system in the stored form: '/' becomes '\'.
std::string toStoredPath(const std::string& localPath);
// A stored path as a path of this system: '\' becomes '/'; a relative path is
// taken from localWorkingFolder ("..\" climbs out of it). Windows drive paths
// keep their letter ("D:/data/x.bin"): such a file shows up as missing when opened.
std::string storedPathToLocal(const std::string& stored, const std::string& localWorkingFolder);

// The project's working folder on this system: the stored folder when it
// exists here, else the folder of the project file (a project moved with its data).
std::string localWorkingFolderOf(const std::string& storedWorkingFolder, const std::string& projectPath);

// The file name after the last backslash or slash of a stored path.
std::string storedFileName(const std::string& stored);

}  // namespace phonotab
