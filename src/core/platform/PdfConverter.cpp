#include "core/platform/PdfConverter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "core/platform/AtomicFile.h"
#include "core/platform/ChildProcess.h"
#include "core/platform/TemporaryFolder.h"

namespace phonotab {

namespace {

using std::chrono::milliseconds;

constexpr const char* kProgramNames[] = {"soffice", "libreoffice"};
constexpr std::size_t kShownLines = 8;
constexpr std::size_t kShownBytes = 1500;
// What a conversion usually takes, for a progress that moves while
// LibreOffice gives none: half way after this long, and on from there.
constexpr double kTypicalSeconds = 8.0;

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// A local path as a file URL, as LibreOffice takes its profile folder.
std::string fileUrl(const std::string& absolutePath) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : absolutePath) {
        if (std::isalnum(c) || std::strchr("/-._~", c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

// The last lines of LibreOffice's error output, for the message: at most a
// few lines and a screenful of bytes, without blank lines at its ends and
// without a character cut in half at its start.
std::string lastLines(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    std::size_t from = text.size(), lines = 0;
    while (from > 0 && lines < kShownLines) {
        const std::size_t newline = text.rfind('\n', from - 1);
        from = newline == std::string_view::npos ? 0 : newline;
        ++lines;
        if (from == 0) break;
    }
    if (text.size() - from > kShownBytes) from = text.size() - kShownBytes;
    while (from < text.size() && (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80) ++from;
    text.remove_prefix(from);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    return std::string(text);
}

Message failure(msg::Id withOutput, msg::Id silent, const std::string& pdfPath, const std::string& output,
                std::optional<int> code = std::nullopt) {
    const std::string said = lastLines(output);
    if (code) return said.empty() ? Message(silent, pdfPath, *code) : Message(withOutput, pdfPath, *code, said);
    return said.empty() ? Message(silent, pdfPath) : Message(withOutput, pdfPath, said);
}

// Whether the file is a PDF that LibreOffice finished: its header at the start
// and the end-of-file marker near the end.
bool isCompletePdf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[5] = {};
    if (!in.read(head, sizeof head) || std::memcmp(head, "%PDF-", sizeof head) != 0) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    const std::streamoff tailSize = std::min<std::streamoff>(size, 1024);
    std::string tail(static_cast<std::size_t>(tailSize), '\0');
    in.seekg(size - tailSize);
    return in.read(tail.data(), tailSize) && tail.find("%%EOF") != std::string::npos;
}

}  // namespace

Result<std::string> findPdfConverter(const std::optional<std::string>& searchPath) {
    std::string path;
    if (searchPath) {
        path = *searchPath;
    } else if (const char* env = std::getenv("PATH")) {
        path = env;
    }
    for (const char* name : kProgramNames) {
        std::size_t from = 0;
        while (from <= path.size()) {
            std::size_t to = path.find(':', from);
            if (to == std::string::npos) to = path.size();
            const std::string folder = to == from ? "." : path.substr(from, to - from);  // an empty entry is the current folder
            if (const std::string candidate = folder + "/" + name; isExecutableFile(candidate)) return candidate;
            from = to + 1;
        }
    }
    return Message(msg::PdfConverterMissing);
}

Status convertDocxToPdf(const std::string& docxPath, const std::string& pdfPath, const Progress& progress,
                        const PdfConverterSettings& settings) {
    const Result<std::string> program = findPdfConverter(settings.searchPath);
    if (!program) return program.error();
    std::error_code ec;
    const std::filesystem::path document = std::filesystem::absolute(docxPath, ec);
    if (ec || !std::filesystem::is_regular_file(document, ec)) return Message(msg::CannotOpen, docxPath);
    Result<TemporaryFolder> scratch = TemporaryFolder::create("phonotab-pdf-");
    if (!scratch) return scratch.error();
    const std::string profile = scratch->file("profile"), outFolder = scratch->file("pdf");
    if (!std::filesystem::create_directory(outFolder, ec)) return Message(msg::CannotWrite, outFolder);

    const std::vector<std::string> arguments = {
        *program, "--headless", "--invisible", "--nologo", "--nodefault", "--norestore", "--nolockcheck",
        "-env:UserInstallation=" + fileUrl(profile), "--convert-to", "pdf:writer_pdf_Export", "--outdir", outFolder,
        document.string()};
    const ChildProcessEnd end = runChildProcess(arguments, settings.timeLimit, [&progress](milliseconds elapsed) {
        const double seconds = static_cast<double>(elapsed.count()) / 1000.0;
        return progress.report(seconds / (seconds + kTypicalSeconds));
    });
    switch (end.kind) {
        case ChildProcessEnd::Kind::NotStarted:
            return Message(msg::ConverterFailed, *program + ": " + std::strerror(end.code));
        case ChildProcessEnd::Kind::Stopped:
            return Message(msg::Cancelled);
        case ChildProcessEnd::Kind::TimedOut:
            return Message(msg::PdfConversionTimedOut, pdfPath, static_cast<int>(settings.timeLimit.count()));
        case ChildProcessEnd::Kind::Signalled:  // as a shell reports a program ended by a signal
            return failure(msg::PdfConversionFailed, msg::PdfConversionFailedSilently, pdfPath, end.errorOutput,
                           128 + end.code);
        case ChildProcessEnd::Kind::Exited:
            if (end.code != 0)
                return failure(msg::PdfConversionFailed, msg::PdfConversionFailedSilently, pdfPath, end.errorOutput,
                               end.code);
            break;
    }
    // LibreOffice names the PDF after the document.
    const std::string written = outFolder + "/" + document.stem().string() + ".pdf";
    if (!isCompletePdf(written))
        return failure(msg::PdfNotWritten, msg::PdfNotWrittenSilently, pdfPath, end.errorOutput);
    if (!progress.report(1.0)) return Message(msg::Cancelled);
    return copyFileReplacing(written, pdfPath);
}

}  // namespace phonotab
