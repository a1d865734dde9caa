// The parts of a zip package (a .docx) in memory, in their order: read whole
// from untrusted bytes with bounds on the number and sizes of parts, and
// written back as a new archive.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace phonotab {

struct ZipPart {
    std::string name;
    std::string bytes;
    bool compress = true;  // false for parts that are compressed already (pictures)
};

// Nothing when the bytes are not a zip archive, a part cannot be read, or the
// archive holds more than maxParts parts, a part above maxPartSize bytes or
// parts above maxTotalSize bytes together (all as stated before unpacking,
// and held to while unpacking). Folder entries are left out.
std::optional<std::vector<ZipPart>> readZipParts(std::string_view bytes, std::size_t maxParts,
                                                 std::size_t maxPartSize, std::size_t maxTotalSize);

// The archive of the parts, in their order; nothing when the library fails.
std::optional<std::string> writeZipParts(const std::vector<const ZipPart*>& parts);

}  // namespace phonotab
