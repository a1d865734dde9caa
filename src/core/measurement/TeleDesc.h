// The telemetry description: record layouts per file type, instrument names,
// family captions, detector names and band names, in the interface language.
// It is read once at start-up ("TeleDescFile.bin") and consulted by every part
// that reads instrument files.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/base/Bytes.h"
#include "core/base/Result.h"
#include "core/measurement/FieldCode.h"

namespace phonotab {

constexpr std::uint32_t kTeleDescMagic = 0x44545046;  // "FPTD"

struct TeleTypeEntry {
    std::uint32_t typeCode = 0;
    std::vector<FieldCode> codes;
    // Entries of the band-name list: octave band b is entry octaveBandNameEntry + 3·b,
    // third-octave band b entry octaveBandNameEntry − 1 + b, level b of the third
    // family entry furtherLevelNameEntry + b.
    std::uint32_t octaveBandNameEntry = 0;
    std::uint32_t furtherLevelNameEntry = 0;
    std::array<std::uint32_t, 3> reservedWords{};  // carried into the layout, no use known
    std::uint32_t statEntries = 0;
    double reference = 0.0;  // the two reference values: carried into the layout, no use known
    std::vector<FieldCode> statisticsCodes;  // code k names the quantity of statistics entry k
    double secondReference = 1.0;
    std::array<std::string, 6> titles;               // of the current language
    std::uint32_t recordSize = 0;
    bool longIndex = false;
    std::map<std::uint32_t, std::string> detectorNames;  // of the current language
    int typeCheckOffset = -1;                        // offset of field 0x201B0000
};

// The entries of sections 4 and 5 have no known use: they are read to keep the
// description in step and kept as they are.
struct TeleSection4Entry {
    std::uint32_t key = 0;
    double a = 0, b = 0;
    std::uint32_t c = 0, d = 0;
    std::array<std::uint16_t, 16> words{};
    std::array<double, 6> values{};
    std::vector<std::uint32_t> list;
};

struct TeleSection5Entry {
    std::string text;
    std::uint32_t a = 0, b = 0, c = 0;
};

struct TeleDesc {
    std::uint32_t version = 0;
    std::map<std::uint32_t, TeleTypeEntry> types;
    std::map<std::uint32_t, std::array<std::string, 5>> instruments;
    std::vector<std::string> bandNames;
    std::map<std::uint32_t, TeleSection4Entry> section4;
    std::vector<TeleSection5Entry> section5;

    // A type whose code list is empty counts as unknown.
    const TeleTypeEntry* type(std::uint32_t typeCode) const;
    // Empty when the instrument is unknown.
    std::string instrumentName(std::uint32_t instrumentCode) const;
    std::string bandName(std::size_t position) const;
    // Byte offset of a field in a record of the type, or -1.
    int fieldOffset(std::uint32_t typeCode, FieldCode code) const;
};

// Offset of the first occurrence of code in a code list by the field size rule, or -1.
int fieldOffsetIn(const std::vector<FieldCode>& codes, FieldCode code);

// Parses a description, keeping the texts of the named language. A file that
// is truncated, malformed or of another magic is refused with message 403, like
// a missing one; nothing is read past its end.
Result<TeleDesc> parseTeleDesc(ByteSpan bytes, const std::string& language);
Result<TeleDesc> loadTeleDesc(const std::string& path, const std::string& language);

}  // namespace phonotab
