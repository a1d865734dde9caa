// The store of standard tables (the folder "TblStore" beside the program) and
// the copies between it and a project's working folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/base/Result.h"

namespace phonotab {

// The file names of the store's tables: the files matching "*.tbl" (the
// extension in any letter case), folders excluded, sorted. Empty when the folder
// is missing.
std::vector<std::string> ListStandardTables(const std::string& storeFolder);

// Asked when the target file exists: "Файл уже существует.\nПерезаписать файл?"
// (string 363); true means Yes.
using ConfirmOverwrite = std::function<bool()>;

enum class CopyOutcome { Copied, Declined };

// "Вставить копию стандартной таблицы": copies the store's table fileName into
// the working folder as newName without overwriting; when the file exists the
// question decides whether it is overwritten. 364 "Не могу скопировать файл"
// when the copy fails (the target is then as it was).
Result<CopyOutcome> CopyStandardTableToProject(const std::string& storeFolder, const std::string& fileName,
                                               const std::string& workingFolder, const std::string& newName,
                                               const ConfirmOverwrite& confirm);

// "Поместить копию в стандартные": copies a project's table file into the store
// under its own file name, with the same question and failure.
Result<CopyOutcome> CopyTableToStore(const std::string& tablePath, const std::string& storeFolder,
                                     const ConfirmOverwrite& confirm);

}  // namespace phonotab
