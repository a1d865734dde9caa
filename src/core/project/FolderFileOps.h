// The file operations of the folder view on the working folder: copying under
// a new name, renaming and deleting. None of them ever replaces another file.
#pragma once

#include <string>
#include <string_view>

namespace phonotab {

// A name the user typed for a file inside the folder: not empty, not "." or
// "..", without a path separator.
bool isPlainFileName(std::string_view name);

// Copies a file to a new name inside the same folder. False when the name is
// not a plain file name, the target exists or the copy fails; a failed copy
// leaves no partial target behind.
bool copyFileInFolder(const std::string& localFolder, const std::string& fromName, const std::string& toName);

// Renames a file inside the folder; false (and nothing changed) when the new
// name is not plain, equals an existing file or the rename fails.
bool renameInFolder(const std::string& localFolder, const std::string& fromName, const std::string& toName);

// Deletes a file of the folder; false when it could not be deleted.
bool deleteInFolder(const std::string& localFolder, const std::string& name);

}  // namespace phonotab
