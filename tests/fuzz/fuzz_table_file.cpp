// Fuzzes the table file reader, then draws what it read (formulas included),
// writes it and reads the written bytes back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/project/ReferenceBooks.h"
#include "core/tables/TableDrawing.h"
#include "core/tables/io/TableFile.h"

namespace {

// A header may claim 1000 x 1000 cells in 17 bytes: loading, drawing and
// writing a million default cells finds nothing that a small grid does not
// (the largest grid has a test of its own) and takes a second. Each cell costs
// about ten microseconds here, so inputs claiming more than a thousand cells
// (a report table's size; a row or column may still be a thousand long) are
// skipped.
constexpr std::int64_t kMaxCells = 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    static const ReferenceBooks books = [] {
        ReferenceBooks b;
        b.referenceBooks["A"] = {{1, "one"}, {2, "two"}};
        return b;
    }();
    if (TableFile::ClaimedCells(ByteSpan(data, size)) > kMaxCells) return 0;
    ReportTable t;
    if (!TableFile::LoadBytes(t, ByteSpan(data, size), "fuzz.tbl", nullptr).ok()) return 0;
    (void)DrawDisplayTexts(t, TableEnvironment{&books, nullptr});
    const std::vector<std::uint8_t> written = TableFile::SaveBytes(t);
    ReportTable back;
    if (!TableFile::LoadBytes(back, written, "fuzz.tbl", nullptr).ok()) std::abort();
    if (TableFile::SaveBytes(back) != written) std::abort();
    return 0;
}
