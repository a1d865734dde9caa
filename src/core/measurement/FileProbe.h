// Recognising the kind of an instrument data file from its first bytes.
#pragma once

#include <cstdint>

#include "core/base/Bytes.h"

namespace phonotab {

enum class FileKind { OldCbf, Cbf, Versioned, Plain };

constexpr std::uint16_t kMonitoringType = 60017;

struct FileProbe {
    FileKind kind = FileKind::Plain;
    std::uint16_t typeCode = 0;
    std::uint16_t instrumentCode = 0;
    // Versioned or plain record file of the monitoring type.
    bool isMonitoring() const {
        return (kind == FileKind::Versioned || kind == FileKind::Plain) && typeCode == kMonitoringType;
    }
};

// Number of leading bytes ProbeFileType looks at.
constexpr std::size_t kProbeBytes = 22;

// The (type code, instrument code) pair and the kind of a file from its first
// bytes. Bytes beyond the end of a short file read as zero.
FileProbe ProbeFileType(ByteSpan head);

// Type families: a project file may be replaced by a file of another type of
// the same family ({3, 8, 13}, {4, 9}, {5, 10}, {6, 11}, {7, 12}).
bool sameTypeFamily(std::uint16_t a, std::uint16_t b);

}  // namespace phonotab
