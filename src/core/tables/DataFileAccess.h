// What the table commands that read data files directly ("Данные из файла" and
// cell macros) need from outside the table library: a loader that turns a file
// into a data tree, and the user's answers (the file, the parameter, the
// messages). The program implements them with its dialogs, the tests with
// scripted answers.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/base/Message.h"
#include "core/base/Result.h"
#include "core/tables/DataTree.h"

namespace phonotab {

// The open-file dialog for data files: its filter, and where it remembers the
// last folder (profile section and key).
inline constexpr const char* DataFileFilter =
    "Data files (*.bin,*.ldl,*.txt)|*.bin;*ldl;*txt|All Files (*.*)|*.*||";
inline constexpr const char* DataFileFolderSection = "BrowseSect";
inline constexpr const char* DataFileFolderKey = "BinPath";

class DataFileLoader {
public:
    virtual ~DataFileLoader() = default;
    // Loads a data file for a table: 414 for a monitoring stream, 312 for a file
    // that cannot be opened, the loader's message for any other refusal.
    virtual Result<std::unique_ptr<DataTree>> loadDataFile(const std::string& path) = 0;
};

// What the parameter dialog ("Выбор параметра") of a loaded file starts with.
struct FileParameterRequest {
    DataSelection preset;
    unsigned fixedItems = 0;  // dataspec bits the macro fixed: the dialog keeps them
    int count = 1;            // cells to fill ("Количество")
};

class DataFileDialogs {
public:
    virtual ~DataFileDialogs() = default;
    // The open-file dialog for data files; nothing when cancelled.
    virtual std::optional<std::string> chooseDataFile() = 0;
    // The parameter dialog for the loaded file; nothing when cancelled.
    virtual std::optional<DataSelection> chooseFileParameter(DataTree& file, const FileParameterRequest& request) = 0;
    // A message box titled "Phonotab".
    virtual void showMessage(const Message& message) = 0;
};

}  // namespace phonotab
