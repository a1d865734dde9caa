// Fuzzes the reader of "RefMap.txt": whatever it reads, writing it and reading
// the text back must give the same text again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/project/ReferenceBookFile.h"

namespace {
// Reading, writing and reading again cost about a millisecond per 5 KB; a
// reference book file's lines and entries are all there in a few kilobytes.
constexpr std::size_t kMaxBytes = 4096;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    if (size > kMaxBytes) return 0;
    ReferenceBooks books;
    (void)ReadRefMap(std::string_view(reinterpret_cast<const char*>(data), size), books);
    const std::string once = WriteRefMap(books);
    ReferenceBooks again;
    if (!ReadRefMap(once, again).ok()) std::abort();
    if (WriteRefMap(again) != once) std::abort();
    return 0;
}
