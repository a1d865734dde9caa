// Fuzzes the project file reader (versions 15 to 23, with their embedded
// tables): what it reads must write as version 23, read back, and write the
// same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/base/Bytes.h"
#include "core/project/ProjectFile.h"

namespace {

// An embedded table may claim up to 1000 x 1000 cells in 17 bytes, and a
// project may embed thousands of them; taking that much memory per input
// finds nothing the table target does not, so such inputs are skipped. Every
// table the reader loads starts with the magic, so looking at each occurrence
// of it is enough.
constexpr std::int64_t kMaxTableCells = 1024;

bool claimsLargeTables(const std::uint8_t* data, std::size_t size) {
    using namespace std::string_view_literals;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = bytes.find("TBLS\0"sv); at != std::string_view::npos && at + 17 <= size;
         at = bytes.find("TBLS\0"sv, at + 1)) {
        const std::int64_t columns = static_cast<std::int32_t>(phonotab::loadU32(data + at + 9));
        const std::int64_t rows = static_cast<std::int32_t>(phonotab::loadU32(data + at + 13));
        if (columns * rows > kMaxTableCells) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    if (claimsLargeTables(data, size)) return 0;
    Result<ProjectState> p = ReadProject(ByteSpan(data, size), ProjectState{}, "fuzz.pht");
    if (!p.ok()) {
        (void)p.error().text();
        return 0;
    }
    const std::vector<std::uint8_t> written = WriteProject(*p);
    Result<ProjectState> back = ReadProject(written, ProjectState{}, "fuzz.pht");
    if (!back.ok()) std::abort();
    if (WriteProject(*back) != written) std::abort();
    return 0;
}
