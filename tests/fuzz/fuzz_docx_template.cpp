// Fuzzes the reading and filling of report templates (.docx): whatever the
// package holds, a document that opens takes texts, a table and a picture at
// its placeholders, and what it writes opens again.
//
// Most inputs are taken as the document part of a sound package, handed over
// as parts (no archive made or read per input), so that the placeholder search
// and the document writer meet every shape of XML at full speed. Inputs that
// begin as an archive ("PK") are also read whole, through the package reader
// and writer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "PngFile.h"
#include "core/platform/DocxDocument.h"
#include "core/platform/PictureInfo.h"
#include "core/platform/ZipPackage.h"

namespace {

using namespace phonotab;

// Puts texts, a table and a picture at the placeholders.
void fill(DocxDocument& doc) {
    doc.markPlaceholders({"<000>", "<001>", "<TBL01>", "<PIC01>"});
    doc.putText("<000>", "one\r\ntwo <001>\rthree");
    doc.clear("<001>");
    DocxTable table;
    table.columnWidths = {1000, 1000};
    table.rowHeights = {300, 0};
    table.rows.resize(2, std::vector<DocxCell>(2));
    table.rows[0][0].columnSpan = 2;
    table.rows[0][1].covered = true;
    table.rows[1][1].text = "a & <b>";
    (void)doc.putTable("<TBL01>", table);
    static const std::string picture = fixtures::makePng(4, 3, 3780);
    if (!doc.putPicture("<PIC01>", picture, "caption")) std::abort();
}

void fillPackage(std::string_view bytes) {
    Result<DocxDocument> doc = DocxDocument::fromBytes(bytes, "fuzz.docx");
    if (!doc) return;
    fill(*doc);
    const Result<std::string> written = doc->packageBytes();
    if (!written) return;  // the input's parts may be beyond what an archive can hold
    if (!DocxDocument::fromBytes(*written, "again.docx")) std::abort();
}

void fillDocumentPart(std::string_view xml) {
    std::vector<ZipPart> parts = {
        {"[Content_Types].xml", "<Types/>"},
        {"_rels/.rels", "<Relationships><Relationship Type=\"http://schemas.openxmlformats.org/officeDocument/"
                        "2006/relationships/officeDocument\" Target=\"word/document.xml\"/></Relationships>"},
        {"word/document.xml", std::string(xml)},
    };
    Result<DocxDocument> doc = DocxDocument::fromParts(std::move(parts), "fuzz.docx");
    if (!doc) return;
    fill(*doc);
    // What the writer makes of the document must read again.
    if (!DocxDocument::fromParts(doc->parts(), "again.docx")) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)readPictureInfo(bytes);
    if (bytes.substr(0, 2) == "PK") fillPackage(bytes);
    fillDocumentPart(bytes);
    return 0;
}
