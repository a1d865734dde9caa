// Writing a report of 50 tables of 100 x 10 cells and 20 pictures from a
// template, against the bound of re-packing the same parts (the written
// report's) with libzip alone. Printed at the end as a ratio; the goal is at
// most 3 times the bound.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zip.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "PngFile.h"
#include "core/base/CFormat.h"
#include "core/platform/ZipPackage.h"
#include "core/project/ReportDocument.h"
#include "core/tables/TableDrawing.h"

using namespace phonotab;

namespace {

constexpr int kTables = 50, kRows = 100, kColumns = 10, kPictures = 20;

struct Scene {
    std::filesystem::path folder;
    ProjectState project;
    std::vector<DisplayTexts> shown;
    std::vector<std::string> pictures;
    std::string templatePath, reportPath, repackPath;
    std::vector<ZipPart> reportParts;  // the parts of a written report, for the bound
    double reportSeconds = 0, repackSeconds = 0;
    long reportRuns = 0, repackRuns = 0;
};

Scene& scene() {
    static Scene s = [] {
        Scene s;
        s.folder = std::filesystem::temp_directory_path() / cformat("phonotab-bench-report-%d", static_cast<int>(::getpid()));
        std::filesystem::create_directories(s.folder);
        s.templatePath = (s.folder / "template.docx").string();
        s.reportPath = (s.folder / "report.docx").string();
        s.repackPath = (s.folder / "repack.docx").string();

        // A template with a paragraph per placeholder.
        std::string body;
        auto para = [&](const std::string& text) {
            body += "<w:p><w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>";
        };
        for (int i = 0; i < kReportTexts; ++i) para(cformat("Поле &lt;%03d&gt;", i));
        for (int k = 1; k <= kTables; ++k) para(cformat("&lt;TBL%02d&gt;", k));
        for (int k = 1; k <= kPictures; ++k) para(cformat("&lt;PIC%02d&gt;", k));
        const std::vector<ZipPart> parts = {
            {"[Content_Types].xml",
             R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
             R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
             R"(<Default Extension="xml" ContentType="application/xml"/>)"
             R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>)"},
            {"_rels/.rels",
             R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
             R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)"},
            {"word/document.xml",
             R"(<?xml version="1.0" encoding="UTF-8"?><w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)" +
                 body + "</w:body></w:document>"},
        };
        std::vector<const ZipPart*> refs;
        for (const ZipPart& p : parts) refs.push_back(&p);
        std::ofstream(s.templatePath, std::ios::binary) << writeZipParts(refs).value_or("");

        for (int i = 0; i < kReportTexts; ++i)
            s.project.reportTexts[static_cast<std::size_t>(i)] = cformat("Текст %d\r\nвторая строка", i);
        for (int k = 0; k < kTables; ++k) {
            ProjectTable t;
            t.table = ReportTable(kRows, kColumns);
            t.table.name = cformat("Таблица %d", k + 1);
            for (int r = 0; r < kRows; ++r)
                for (int c = 0; c < kColumns; ++c)
                    t.table.texts[{c, r}] = r == 0 ? cformat("Столбец %d", c + 1) : cformat("%.1f", 40.0 + (r * 7 + c * 3 + k) % 50);
            t.table.cell(1, 0).flags |= cellflag::CoveredFromLeft;  // a caption over two columns
            t.table.cell(0, 2).flags |= cellflag::CoveredFromAbove;  // a block over two rows
            s.shown.push_back(DrawDisplayTexts(t.table, TableEnvironment{}));
            s.project.tables.push_back(std::move(t));
        }
        for (int k = 0; k < kPictures; ++k) {
            s.pictures.push_back(fixtures::makePng(400, 300, 3780, static_cast<std::uint32_t>(k)));
            s.project.illustrations.push_back({cformat("Рисунок %d", k + 1), "", std::nullopt});
        }
        return s;
    }();
    return s;
}

void BM_WriteReport(benchmark::State& state) {
    Scene& s = scene();
    const ReportTableTexts texts = [&](std::size_t k) { return s.shown[k]; };
    const ReportPictureSource pictures = [&](const Illustration&, std::size_t k) -> Result<ReportPicture> {
        return ReportPicture(s.pictures[k]);
    };
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const Result<ReportOutcome> out = WriteReport(s.project, s.templatePath, s.reportPath, texts, pictures, Progress());
        s.reportSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++s.reportRuns;
        if (!out || !out->skipped.empty()) state.SkipWithError("the report was not written whole");
    }
    std::ifstream in(s.reportPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    state.counters["bytes"] = static_cast<double>(bytes.str().size());
    s.reportParts = readZipParts(bytes.str(), 1000, 1u << 30, 1u << 30).value_or(std::vector<ZipPart>());
}

// The bound: the same parts, already made, written as an archive with libzip
// directly (same compression per part), to a file.
void BM_RepackWithLibzip(benchmark::State& state) {
    Scene& s = scene();
    if (s.reportParts.empty()) {
        state.SkipWithError("run the report benchmark first");
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        int error = 0;
        zip_t* z = zip_open(s.repackPath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        for (const ZipPart& p : s.reportParts) {
            zip_source_t* src = zip_source_buffer(z, p.bytes.data(), p.bytes.size(), 0);
            const zip_int64_t i = zip_file_add(z, p.name.c_str(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
            zip_set_file_compression(z, static_cast<zip_uint64_t>(i), p.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                     p.compress ? 6 : 0);
        }
        if (zip_close(z) != 0) state.SkipWithError("libzip failed");
        s.repackSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++s.repackRuns;
    }
}

BENCHMARK(BM_WriteReport)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RepackWithLibzip)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Scene& s = scene();
    if (s.reportRuns > 0 && s.repackRuns > 0) {
        const double report = s.reportSeconds / static_cast<double>(s.reportRuns);
        const double repack = s.repackSeconds / static_cast<double>(s.repackRuns);
        std::printf("report of %d tables of %d x %d cells and %d pictures: %.1f ms; re-packing its parts with libzip: "
                    "%.1f ms; ratio %.2f (goal at most 3)\n",
                    kTables, kRows, kColumns, kPictures, report * 1e3, repack * 1e3, report / repack);
    }
    std::filesystem::remove_all(s.folder);
    return 0;
}
