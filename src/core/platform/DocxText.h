// Text on its way into a word-processor document: made valid, split into
// lines, escaped for XML.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace phonotab {

// Valid UTF-8 (other bytes read as the 8-bit code page) without the control
// characters XML forbids; tabs and line ends stay.
std::string cleanDocumentText(std::string_view text);
// "\r\n", "\n" and "\r" each end a line; always at least one line.
std::vector<std::string> splitDocumentLines(std::string_view text);
// Appends the text with "&", "<" and ">" escaped, and '"' too in an attribute.
void appendXmlEscaped(std::string& out, std::string_view text, bool attribute);

}  // namespace phonotab
