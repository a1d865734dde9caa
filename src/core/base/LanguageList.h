// The interface languages offered at start-up: the language tables in the
// program's data folder, each named by its string 103 and carrying its own
// captions of the confirming and cancelling buttons, so that the language
// dialog can speak the language selected in it.
#pragma once

#include <string>
#include <vector>

namespace phonotab {

struct LanguageChoice {
    std::string fileName;  // the table's file name in the folder
    std::string name;      // its string 103
    std::string okCaption;      // its confirming button's caption; "OK" when it has none
    std::string cancelCaption;  // its cancelling button's caption; "Cancel" when it has none
    bool operator==(const LanguageChoice&) const = default;
};

// Every "*.txt" table of the folder that carries string 103, ordered by file
// name; tables with the same language name are all listed.
std::vector<LanguageChoice> listLanguageTables(const std::string& folder);

// Makes the named table of the folder the current one. False (and the current
// table kept) when the name is no plain file name or the table cannot be read.
bool applyLanguageTable(const std::string& folder, const std::string& fileName);

}  // namespace phonotab
