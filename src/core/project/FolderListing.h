// The working folder as the main window lists it: the files that belong to a
// report (texts, pictures, tables) with what a text file's first line tells
// about its instrument.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace phonotab {

// The icon a listed file gets, in the order of the folder view's images.
enum class FolderItemKind { Text = 0, Bitmap = 1, Metafile = 2, Table = 3, Workbook = 4, Document = 5 };

struct FolderItem {
    std::string name;  // file name inside the folder
    FolderItemKind kind = FolderItemKind::Text;
    // The columns "Тип файла", "Прибор", "VIN" (".txt" files only).
    std::array<std::string, 3> columns;
    bool operator==(const FolderItem&) const = default;
};

// The kind of a file by its extension (the end of its name, letter case
// ignored): ".txt", ".csv" text, ".bmp" and ".png" bitmap, ".wmf" and ".svg"
// vector picture, ".tbl" table, ".xlsx" workbook, ".docx" document (the
// pictures, workbooks and documents this program writes); other files are
// not listed.
std::optional<FolderItemKind> folderItemKind(std::string_view fileName);

// The fourth, fifth and sixth tab-separated fields of the first line of a text
// (at most 4096 characters of it, each field at most 128 characters); missing
// fields are empty. 8-bit text that is not UTF-8 is read as CP1251.
std::array<std::string, 3> textFileColumns(std::string_view head);

// Whether a text holds a histogram file (its first line begins with
// "#comment_histo:").
bool isHistogramText(std::string_view head);

// The first bytes of a file (at most `limit`); empty when it cannot be read.
std::string readFileHead(const std::string& path, std::size_t limit = 4096);

// The listed files of a folder of this system, sorted by name; folders and
// other files are left out. A folder that cannot be read gives an empty list.
std::vector<FolderItem> listWorkingFolder(const std::string& localFolder);

}  // namespace phonotab
