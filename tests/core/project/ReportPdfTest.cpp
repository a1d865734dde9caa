#include <gtest/gtest.h>

#include <fstream>

#include "FakeOffice.h"
#include "TestSupport.h"
#include "core/project/ReportPdf.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(ReportPdf, PdfOutputsAreTheirNamesEndingInPdf) {
    for (const char* pdf : {"r.pdf", "/a/Отчет.PDF", "x.Pdf"}) EXPECT_TRUE(isPdfPath(pdf)) << pdf;
    for (const char* other : {"r.docx", "pdf", "r.pdf.docx", ""}) EXPECT_FALSE(isPdfPath(other)) << other;
}

// The document goes through LibreOffice as written (the fake one puts the
// document's bytes into its PDF), and what the document left out comes back.
TEST(ReportPdf, TheWrittenDocumentIsConverted) {
    FakeOffice office("{ printf '%%PDF-1.4\\n'; cat \"$doc\"; printf '\\n%%%%EOF\\n'; } > \"$out/$name.pdf\"");
    ScratchDir dir;
    PdfConverterSettings settings;
    settings.searchPath = office.bin();
    std::string docxWritten;
    const auto writer = [&](const std::string& docx, const Progress&) -> Result<ReportOutcome> {
        docxWritten = docx;
        std::ofstream(docx) << "the report";
        ReportOutcome outcome;
        outcome.skipped.push_back({"<PIC01>", Message(msg::PictureMissing, "Фото", "photo.jpg")});
        return outcome;
    };
    const Result<ReportOutcome> out = writeReportAsPdf(writer, dir.file("Протокол.pdf"), {}, settings);
    ASSERT_TRUE(out.ok()) << out.error().text();
    EXPECT_EQ(readText(dir.file("Протокол.pdf")), "%PDF-1.4\nthe report\n%%EOF\n");
    ASSERT_EQ(out->skipped.size(), 1u);
    EXPECT_EQ(out->skipped[0].placeholder, "<PIC01>");
    // The document was a scratch file, gone now.
    EXPECT_FALSE(std::filesystem::exists(docxWritten));
}

// Without LibreOffice nothing is written, not even the document; a document
// that cannot be written is the message, and LibreOffice is not started.
TEST(ReportPdf, NothingIsConvertedWithoutLibreOfficeOrADocument) {
    ScratchDir dir;
    PdfConverterSettings settings;
    settings.searchPath = dir.file("no-such-folder");
    bool written = false;
    const auto writer = [&](const std::string&, const Progress&) -> Result<ReportOutcome> {
        written = true;
        return Message(msg::NotWordDocument, "t.docx");
    };
    const Result<ReportOutcome> missing = writeReportAsPdf(writer, dir.file("r.pdf"), {}, settings);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().id, msg::PdfConverterMissing);
    EXPECT_FALSE(written);

    FakeOffice office("touch \"$log/started\"; " + kFakeOfficeWritesPdf);
    settings.searchPath = office.bin();
    const Result<ReportOutcome> refused = writeReportAsPdf(writer, dir.file("r.pdf"), {}, settings);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().id, msg::NotWordDocument);
    EXPECT_FALSE(std::filesystem::exists(office.log() + "/started"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("r.pdf")));
}
