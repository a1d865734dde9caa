// A word-processor document (.docx) filled from a template: the package is read
// whole, placeholders of the body are found and replaced by texts, tables and
// pictures, and the result is written as a new package. It stands where the
// program once drove a running word processor, and offers what the report asks
// of it: find a placeholder, put text there, paste a table, insert a picture.
//
// Placeholders are found once, by markPlaceholders(), even where the word
// processor split one across several runs (spelling marks, a change of format
// in the middle); each occurrence is then a run of its own. Only those marked
// places are ever replaced, so a text put into the document that looks like a
// placeholder stays as it is. The page headers and footers the document names
// are searched too; a placeholder there takes a text (a table or picture has
// no place there: it is emptied and the next occurrence in the body is used).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Result.h"
#include "core/platform/DocxTable.h"
#include "core/platform/ZipPackage.h"

namespace phonotab {

class DocxDocument {
public:
    // The package's parts are bounded: a part above this size, or more than
    // this many parts, is not read (a template is small; anything else is not one).
    static constexpr std::size_t MaxPartSize = 256u << 20;
    static constexpr std::size_t MaxParts = 10000;
    // The whole package, packed and unpacked: a template far beyond this is
    // no template (and a small archive must not unpack into gigabytes).
    static constexpr std::size_t MaxPackageSize = 1024u << 20;

    // 105 with the path when the file cannot be read; 6200 with the path when it
    // is not a word-processor document (no package, no main document part, or
    // that part is not XML) or is beyond the bounds above.
    static Result<DocxDocument> open(const std::string& path);
    static Result<DocxDocument> fromBytes(std::string_view bytes, const std::string& nameForMessages);
    // The same from parts already unpacked (the parts' limits are the caller's).
    static Result<DocxDocument> fromParts(std::vector<ZipPart> parts, const std::string& nameForMessages);

    DocxDocument(DocxDocument&&) noexcept;
    DocxDocument& operator=(DocxDocument&&) noexcept;
    ~DocxDocument();

    // Finds every occurrence of the given placeholders in the document's body
    // and marks it; a text that is one name inside a longer one is found as
    // the longer name when both are given. Returns the number of occurrences.
    std::size_t markPlaceholders(const std::vector<std::string>& names);
    // Occurrences of a name still waiting for their content.
    std::size_t count(const std::string& name) const;

    // Puts the text at the first marked occurrence, or at all of them. The
    // first line takes the placeholder's place; each further line ("\r\n",
    // "\n" and "\r" each end one) is a paragraph of its own in the
    // placeholder's paragraph and character format, and what followed the
    // placeholder follows the last line.
    void putText(const std::string& name, std::string_view text, bool firstOnly = false);
    // Removes every marked occurrence; a paragraph that held nothing else goes
    // with it.
    void clear(const std::string& name);
    // A table in place of the first occurrence: the paragraph is split around
    // it. False when the name has no occurrence left or the table has no cells.
    // A caption that is not empty takes the placeholder's place in the
    // paragraph before the table (its line breaks become blanks), which is
    // kept on the page of the table.
    bool putTable(const std::string& name, const DocxTable& table, std::string_view caption = {});
    // An inline picture (PNG, JPEG or BMP bytes) in place of the first
    // occurrence, sized from its pixels and resolution (96 dots per inch when
    // it does not say), never coarser than MinPictureDpi on the page, and made
    // smaller to fit the page; a PNG then states the resolution it is placed
    // at. A caption that is not empty follows it on a line of its own. Empty
    // picture bytes put the caption alone. With svg bytes the picture carries
    // the drawing too, the bitmap being what a reader without SVG shows.
    // 6203 with nameForMessages when the bytes are not a picture of those
    // kinds (nothing changed then).
    static constexpr double MinPictureDpi = 200;
    Status putPicture(const std::string& name, std::string_view picture, std::string_view caption,
                      const std::string& nameForMessages = {}, std::string_view svg = {});

    // The package's parts with everything put so far, and the package itself.
    std::vector<ZipPart> parts() const;
    Result<std::string> packageBytes() const;
    // Writes the package; the file is replaced only once it was written
    // completely (105 when it cannot be created, 5003 when writing fails).
    Status save(const std::string& path) const;

private:
    struct Impl;
    explicit DocxDocument(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace phonotab
