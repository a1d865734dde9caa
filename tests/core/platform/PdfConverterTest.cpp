#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "FakeOffice.h"
#include "TestSupport.h"
#include "core/platform/PdfConverter.h"

using namespace phonotab;
using namespace phonotab::testing;
using ::testing::HasSubstr;

namespace {

const StringTable& english() {
    static const StringTable table = [] {
        StringTable t;
        EXPECT_TRUE(loadStringTableFile(sourceDir() + "/data/lang/en.txt", t));
        return t;
    }();
    return table;
}

// Whether a process is gone: no longer there, or ended and waiting to be collected.
bool processGone(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

struct Conversion {
    ScratchDir dir;
    std::string docx = dir.file("Протокол 12.docx"), pdf = dir.file("out.pdf");
    Conversion() {
        std::ofstream(docx) << "a document";
        std::ofstream(pdf) << "old";
    }
    Status run(const FakeOffice& office, int seconds, const Progress& progress = {}) {
        PdfConverterSettings settings;
        settings.searchPath = office.bin();
        settings.timeLimit = std::chrono::seconds(seconds);
        return convertDocxToPdf(docx, pdf, progress, settings);
    }
};

}  // namespace

TEST(PdfConverter, WritesThePdfThroughAPrivateProfileAndRemovesIt) {
    FakeOffice office("mkdir -p \"$profile\" && echo \"$profile\" > \"$log/profile\"\n" + kFakeOfficeWritesPdf);
    Conversion c;
    ASSERT_TRUE(c.run(office, 10).ok());
    EXPECT_EQ(readText(c.pdf), "%PDF-1.4\n%%EOF\n");  // the old file replaced
    const std::string arguments = readText(office.log() + "/arguments");
    for (const char* expected : {"--headless\n", "--convert-to\npdf:writer_pdf_Export\n", "--outdir\n"})
        EXPECT_THAT(arguments, HasSubstr(expected));
    EXPECT_THAT(arguments, HasSubstr("\n" + c.docx + "\n"));  // the document last, as an absolute path
    // The profile folder was LibreOffice's own for this run and is gone with its scratch folder.
    std::string profile = readText(office.log() + "/profile");
    profile.pop_back();
    EXPECT_EQ(std::filesystem::path(profile).filename(), "profile");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(profile).parent_path()));
    EXPECT_THAT(readText(office.log() + "/arguments"), HasSubstr("-env:UserInstallation=file://"));
}

// Every way a conversion fails leaves the old PDF as it was and says why,
// with what LibreOffice said where it said anything.
TEST(PdfConverter, FailuresKeepTheOldFileAndSayWhy) {
    struct Case {
        const char* name;
        std::string commands;
        int seconds;
        int message;
        const char* said;  // in the message's text
    };
    const Case cases[] = {
        {"non-zero exit", "echo 'Error: source file could not be loaded' >&2; exit 3", 10, msg::PdfConversionFailed,
         "(exit code 3). LibreOffice's last messages:\nError: source file could not be loaded"},
        {"non-zero exit, silent", "exit 5", 10, msg::PdfConversionFailedSilently, "(exit code 5) and said nothing"},
        {"killed by a signal", "kill -9 $$", 10, msg::PdfConversionFailedSilently, "(exit code 137)"},
        {"no PDF", "echo 'Error: no export filter' >&2", 10, msg::PdfNotWritten, "Error: no export filter"},
        {"a PDF cut short", "printf '%%PDF-1.4\\n' > \"$out/$name.pdf\"", 10, msg::PdfNotWrittenSilently,
         "without writing the PDF"},
        {"time limit", "sleep 30 & echo $! > \"$log/child\"; wait", 1, msg::PdfConversionTimedOut, "within 1 s"},
        {"deaf to the stop", "trap '' TERM; sleep 30 & echo $! > \"$log/child\"; wait; wait", 1,
         msg::PdfConversionTimedOut, "within 1 s"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FakeOffice office(k.commands);
        Conversion c;
        const auto start = std::chrono::steady_clock::now();
        const Status s = c.run(office, k.seconds);
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.error().id, k.message);
        EXPECT_THAT(s.error().text(english()), HasSubstr(k.said));
        EXPECT_THAT(s.error().text(english()), HasSubstr(c.pdf));
        EXPECT_EQ(readText(c.pdf), "old");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(k.seconds + 4));
        // What the program started went with it.
        if (std::filesystem::exists(office.log() + "/child")) {
            std::string child = readText(office.log() + "/child");
            child.pop_back();
            EXPECT_TRUE(processGone(child)) << child;
        }
    }
}

TEST(PdfConverter, AStopEndsLibreOfficeAndWritesNothing) {
    FakeOffice office("sleep 30");
    Conversion c;
    const Progress progress;
    std::thread stopper([progress] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        progress.cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    const Status s = c.run(office, 20, progress);
    stopper.join();
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().id, msg::Cancelled);
    EXPECT_EQ(readText(c.pdf), "old");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// "soffice" first, "libreoffice" otherwise, each only where it can run; none
// names the package to install.
TEST(PdfConverter, FindsLibreOfficeOnTheSearchPathOrNamesThePackage) {
    ScratchDir a, b;
    std::ofstream(a.file("soffice")) << "#!/bin/sh\n";  // not executable: passed over
    std::ofstream(b.file("libreoffice")) << "#!/bin/sh\n";
    ::chmod(b.file("libreoffice").c_str(), 0755);
    const std::string both = a.path().string() + ":" + b.path().string();
    Result<std::string> found = findPdfConverter(both);
    ASSERT_TRUE(found.ok());
    EXPECT_EQ(*found, b.file("libreoffice"));
    ::chmod(a.file("soffice").c_str(), 0755);
    EXPECT_EQ(*findPdfConverter(both), a.file("soffice"));

    Conversion c;
    PdfConverterSettings settings;
    settings.searchPath = c.dir.path().string() + "/nothing-here";
    const Status missing = convertDocxToPdf(c.docx, c.pdf, {}, settings);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().id, msg::PdfConverterMissing);
    EXPECT_THAT(missing.error().text(english()), HasSubstr("libreoffice-writer-nogui"));
    EXPECT_THAT(missing.error().text(StringTable::russian()), HasSubstr("libreoffice-writer-nogui"));
    EXPECT_EQ(readText(c.pdf), "old");
}
