#include "core/measurement/FileProbe.h"

#include <array>
#include <cstring>

namespace phonotab {

namespace {
constexpr char kOldCbfSignature[18] = "S110CF~e&9gt5F7lJ";
constexpr char kCbfSignature[18] = "S210CF~e&9gt5F7lJ";
}  // namespace

FileProbe ProbeFileType(ByteSpan head) {
    std::array<std::uint8_t, kProbeBytes> b{};
    if (!head.empty()) std::memcpy(b.data(), head.data(), head.size() < b.size() ? head.size() : b.size());
    FileProbe p;
    // The signatures are compared with their terminating zero (18 bytes).
    if (std::memcmp(b.data(), kOldCbfSignature, 18) == 0) {
        p.kind = FileKind::OldCbf;
        p.typeCode = p.instrumentCode = loadU16(&b[18]);
    } else if (std::memcmp(b.data(), kCbfSignature, 18) == 0) {
        p.kind = FileKind::Cbf;
        p.typeCode = loadU16(&b[18]);
        p.instrumentCode = loadU16(&b[20]);
    } else if (const std::uint32_t version = loadU32(&b[4]); version >= 0x20000 && version < 0x30000) {
        p.kind = FileKind::Versioned;
        p.typeCode = loadU16(&b[0]);
        p.instrumentCode = loadU16(&b[2]);
    } else {
        p.kind = FileKind::Plain;
        p.instrumentCode = loadU16(&b[18]);
        p.typeCode = static_cast<std::uint16_t>(p.instrumentCode + 60000u);
    }
    return p;
}

bool sameTypeFamily(std::uint16_t a, std::uint16_t b) {
    if (a == b) return true;
    static constexpr std::array<std::array<std::uint16_t, 3>, 5> kFamilies = {
        {{3, 8, 13}, {4, 9, 0}, {5, 10, 0}, {6, 11, 0}, {7, 12, 0}}};
    for (const auto& f : kFamilies) {
        bool hasA = false, hasB = false;
        for (std::uint16_t t : f) {
            if (t == 0) continue;
            hasA |= t == a;
            hasB |= t == b;
        }
        if (hasA && hasB) return true;
    }
    return false;
}

}  // namespace phonotab
