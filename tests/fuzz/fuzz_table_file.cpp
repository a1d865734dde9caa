// Fuzzes the table file reader, then draws what it read (formulas included),
// writes it and reads the written bytes back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "project/ReferenceBooks.h"
#include "tables/TableDrawing.h"
#include "tables/io/TableFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    static const ReferenceBooks books = [] {
        ReferenceBooks b;
        b.referenceBooks["A"] = {{1, "one"}, {2, "two"}};
        return b;
    }();
    ReportTable t;
    if (!TableFile::LoadBytes(t, ByteSpan(data, size), "fuzz.tbl", nullptr).ok()) return 0;
    // Drawing a full 1000 x 1000 grid of default cells finds nothing new and is slow.
    if (static_cast<long>(t.rowCount()) * t.columnCount() <= 4096) (void)DrawDisplayTexts(t, TableEnvironment{&books, nullptr});
    const std::vector<std::uint8_t> written = TableFile::SaveBytes(t);
    ReportTable back;
    if (!TableFile::LoadBytes(back, written, "fuzz.tbl", nullptr).ok()) std::abort();
    if (TableFile::SaveBytes(back) != written) std::abort();
    return 0;
}
