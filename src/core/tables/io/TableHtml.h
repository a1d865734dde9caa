// The HTML copy of a report table, as it goes to the clipboard under the type
// "HTML Format" (the header with the offsets of the HTML part, the HTML table,
// a terminating zero byte) and into the report document.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

enum class HtmlColours {
    Colour,         // the cells' backgrounds and text colours
    BlackAndWhite,  // white backgrounds, black text
};

struct ClipboardHtml {
    std::string bytes;          // UTF-8: "Version:0.9" header, HTML, one zero byte
    std::size_t startHtml = 0;  // byte offset of "<HTML>"
    std::size_t endHtml = 0;    // byte offset just after "</HTML>"

    // The HTML document alone, for clipboards that take it without the header.
    std::string_view html() const { return std::string_view(bytes).substr(startHtml, endHtml - startHtml); }
};

// The clipboard bytes of the table's report working copy (rows and columns
// excluded from the report left out), each cell showing its text of `shown`, a
// drawing of the table. Cells showing "???" are left empty; the characters "&",
// "<" and ">" of a text are escaped and "\r\n" becomes "<BR>". Nothing when
// every row or every column is excluded.
std::optional<ClipboardHtml> TableClipboardHtml(const ReportTable& table, const DisplayTexts& shown,
                                                HtmlColours colours);

}  // namespace phonotab
