// Where the program's files live. What ships with the program (telemetry
// description, language tables, reference books, standard tables, help
// texts, pictures, demo data) is only ever read, in the data folder found
// from the executable: "data" beside it in a build folder, the installed
// data folder ("../share/phonotab" from the installed "bin") otherwise. What
// the program writes back for the user (the reference books, the store of
// standard tables) lives in the user's data folder, made from the shipped
// files on first use.
#pragma once

#include <string>

#include "core/base/Result.h"

namespace phonotab {

// The folder of the running executable; empty when it cannot be told.
std::string executableFolder();

// The data folder of a program whose executable lies in `executableFolder`:
// its "data" folder when there is one (a build folder), else the installed
// data folder relative to it (returned even when missing, so that messages
// name the place where the files belong).
std::string shippedDataFolder(const std::string& executableFolder);

// The shipped files that the user's data folder holds its own copies of.
inline constexpr const char* kUserReferenceBooks = "RefMap.txt";
inline constexpr const char* kUserTableStore = "TblStore";

// Gives the user's data folder the copies it lacks: the reference books, and
// the store of standard tables with every shipped table when the user has no
// store yet. Existing copies are never replaced, so the user's changes stay.
// Message 5003 when the folder cannot be made; a shipped file that is missing
// is skipped.
Status seedUserDataFolder(const std::string& shippedFolder, const std::string& userFolder);

}  // namespace phonotab
