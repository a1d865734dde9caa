// Numbers as a Russian document prints them: "72.5" becomes "72,5". Only a
// line that is a number as a whole changes (a sign, digits, a decimal point,
// digits, an exponent, blanks around it); anything else stays as it is: a band
// name already written "31,5", a date "20.05.2024", a text "ГОСТ 12.1.003",
// "72.5 дБА". The program's own files, the clipboard and the workbook keep the
// point; only a document written for a reader takes the comma.
#pragma once

#include <string>
#include <string_view>

namespace phonotab {

// The text with the decimal point of each line that is a number as a whole
// turned into a comma; the lines ("\r\n", "\n" or "\r" ends one) and their
// ends stay as they were.
std::string withDecimalComma(std::string_view text);

}  // namespace phonotab
