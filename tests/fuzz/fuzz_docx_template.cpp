// Fuzzes the reading and filling of report templates (.docx): whatever the
// package holds, a document that opens takes texts, a table and a picture at
// its placeholders, and what it writes opens again. The input is tried as a
// whole package, and as the document part of a sound package (so that the
// placeholder search meets every shape of XML, not only archives that fail
// their checksums).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "PngFile.h"
#include "core/platform/DocxDocument.h"
#include "core/platform/PictureInfo.h"
#include "core/platform/ZipPackage.h"

namespace {

void fill(std::string_view bytes) {
    using namespace phonotab;
    Result<DocxDocument> doc = DocxDocument::fromBytes(bytes, "fuzz.docx");
    if (!doc) return;
    doc->markPlaceholders({"<000>", "<001>", "<TBL01>", "<PIC01>"});
    doc->putText("<000>", "one\r\ntwo <001>\rthree");
    doc->clear("<001>");
    DocxTable table;
    table.columnWidths = {1000, 1000};
    table.rowHeights = {300, 0};
    table.rows.resize(2, std::vector<DocxCell>(2));
    table.rows[0][0].columnSpan = 2;
    table.rows[0][1].covered = true;
    table.rows[1][1].text = "a & <b>";
    (void)doc->putTable("<TBL01>", table);
    static const std::string picture = fixtures::makePng(4, 3, 3780);
    if (!doc->putPicture("<PIC01>", picture, "caption")) std::abort();
    const Result<std::string> written = doc->packageBytes();
    if (!written) return;  // the input's parts may be beyond what an archive can hold
    if (!DocxDocument::fromBytes(*written, "again.docx")) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)readPictureInfo(bytes);
    fill(bytes);
    static const ZipPart types{"[Content_Types].xml", "<Types/>"};
    static const ZipPart rels{"_rels/.rels",
                              "<Relationships><Relationship Type=\"http://schemas.openxmlformats.org/officeDocument/"
                              "2006/relationships/officeDocument\" Target=\"word/document.xml\"/></Relationships>"};
    const ZipPart document{"word/document.xml", std::string(bytes)};
    if (const auto package = writeZipParts({&types, &rels, &document})) fill(*package);
    return 0;
}
