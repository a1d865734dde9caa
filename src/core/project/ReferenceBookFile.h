// "RefMap.txt": the reference books as a text file beside the program, one item
// a line:
//   NAME: <book>           starts a book
//   <number> <description> a record of the book being read
//   DEVICE: <instrument>
//   NORM: <document>
// Books come first (in name order), then the instruments, then the documents.
#pragma once

#include <string>
#include <string_view>

#include "core/base/Result.h"
#include "core/base/TextCodec.h"
#include "core/project/ReferenceBooks.h"

namespace phonotab {

// Reads the text of "RefMap.txt" (UTF-8; a file that is not valid UTF-8 is read
// as CP1251) into books, which is emptied first. An error gives 5100 "Ошибка в
// файле справочников на строчке %d" with the line number (from 1); what was read
// before that line stays, except the records of the book being read.
Status ReadRefMap(std::string_view text, ReferenceBooks& books);

// The file's text (UTF-8).
std::string WriteRefMap(const ReferenceBooks& books);

// LoadReferenceBooks: reads the file; a missing file leaves the books empty
// without a message.
Status LoadReferenceBooks(const std::string& path, ReferenceBooks& books);

// SaveReferenceBooks: creates or replaces the file (through a temporary file) in
// the chosen encoding.
Status SaveReferenceBooks(const std::string& path, const ReferenceBooks& books,
                          TextEncoding encoding = TextEncoding::Utf8);

}  // namespace phonotab
