#include "core/measurement/TeleDesc.h"

#include "core/base/MappedFile.h"
#include "core/base/TextCodec.h"
#include "core/measurement/BandNameLanguage.h"

namespace phonotab {

namespace {


// Reads the description's strings and counts. A count is only trusted when the
// bytes left can hold that many items of their smallest size, so a damaged
// count never turns into a huge allocation.
class DescReader {
public:
    explicit DescReader(ByteSpan bytes) : r_(bytes) {}
    bool ok() const { return r_.ok(); }
    std::uint32_t u32() { return r_.u32(); }
    std::uint16_t u16() { return r_.u16(); }
    double f64() { return r_.f64(); }
    std::uint32_t count(std::size_t minItemSize) {
        const std::uint32_t n = r_.u32();
        if (!r_.ok()) return 0;
        if (minItemSize > 0 && n > r_.remaining() / minItemSize) {
            r_.fail();
            return 0;
        }
        return n;
    }
    std::string string() {
        const std::uint32_t n = count(2);
        return utf16leToUtf8(r_.bytes(static_cast<std::size_t>(n) * 2));
    }

private:
    ByteReader r_;
};

bool readTypeEntry(DescReader& r, std::uint32_t version, const std::string& language, TeleTypeEntry& t) {
    t.typeCode = r.u32();
    const std::uint32_t n = r.count(4);
    t.codes.reserve(n);
    for (std::uint32_t i = 0; i < n && r.ok(); ++i) t.codes.push_back(r.u32());
    t.octaveBandNameEntry = r.u32();
    t.furtherLevelNameEntry = r.u32();
    for (auto& w : t.reservedWords) w = r.u32();
    t.statEntries = r.u32();
    t.reference = r.f64();
    const std::uint32_t m = r.count(4);
    t.statisticsCodes.reserve(m);
    for (std::uint32_t i = 0; i < m && r.ok(); ++i) t.statisticsCodes.push_back(r.u32());
    t.secondReference = r.f64();
    const std::uint32_t k = r.count(4 * 7);
    for (std::uint32_t g = 0; g < k && r.ok(); ++g) {
        const std::string lang = r.string();
        std::array<std::string, 6> titles;
        for (auto& title : titles) title = r.string();
        // A later group of the current language replaces an earlier one.
        if (lang == language) t.titles = std::move(titles);
    }
    t.recordSize = r.u32();
    t.longIndex = version > 2 ? r.u32() == 1 : false;
    const std::uint32_t l = r.count(8);
    for (std::uint32_t g = 0; g < l && r.ok(); ++g) {
        const std::string lang = r.string();
        const std::uint32_t p = r.count(8);
        std::map<std::uint32_t, std::string> names;
        for (std::uint32_t i = 0; i < p && r.ok(); ++i) {
            const std::uint32_t key = r.u32();
            names[key] = r.string();
        }
        if (lang == language) t.detectorNames = std::move(names);
    }
    t.typeCheckOffset = fieldOffsetIn(t.codes, kTypeCheckField);
    return r.ok();
}

}  // namespace

int fieldOffsetIn(const std::vector<FieldCode>& codes, FieldCode code) {
    long offset = 0;
    for (FieldCode c : codes) {
        if (c == code) return offset <= 0x7FFFFFFF ? static_cast<int>(offset) : -1;
        offset += field::size(c);
    }
    return -1;
}

const TeleTypeEntry* TeleDesc::type(std::uint32_t typeCode) const {
    auto it = types.find(typeCode);
    if (it == types.end() || it->second.codes.empty()) return nullptr;
    return &it->second;
}

std::string TeleDesc::instrumentName(std::uint32_t instrumentCode) const {
    auto it = instruments.find(instrumentCode);
    return it == instruments.end() ? std::string() : it->second[0];
}

std::string TeleDesc::bandName(std::size_t position) const {
    return position < bandNames.size() ? bandNames[position] : std::string();
}

int TeleDesc::fieldOffset(std::uint32_t typeCode, FieldCode code) const {
    const TeleTypeEntry* t = type(typeCode);
    return t ? fieldOffsetIn(t->codes, code) : -1;
}

Result<TeleDesc> parseTeleDesc(ByteSpan bytes, const std::string& language) {
    DescReader r(bytes);
    TeleDesc d;
    if (r.u32() != kTeleDescMagic || !r.ok()) return Message(msg::NoTelemetryDescription);
    d.version = r.u32();

    const std::uint32_t n1 = r.count(4 * 13);
    for (std::uint32_t i = 0; i < n1 && r.ok(); ++i) {
        TeleTypeEntry t;
        if (!readTypeEntry(r, d.version, language, t)) break;
        // A later entry with the same code replaces the earlier one.
        d.types[t.typeCode] = std::move(t);
    }

    const std::uint32_t n2 = r.count(8);
    for (std::uint32_t i = 0; i < n2 && r.ok(); ++i) {
        const std::uint32_t code = r.u32();
        const std::uint32_t p = r.count(4 * 6);
        for (std::uint32_t g = 0; g < p && r.ok(); ++g) {
            const std::string lang = r.string();
            std::array<std::string, 5> strings;
            for (auto& s : strings) s = r.string();
            if (lang == language && r.ok()) d.instruments[code] = std::move(strings);
        }
    }

    const std::uint32_t n3 = r.count(4);
    d.bandNames.reserve(n3);
    for (std::uint32_t i = 0; i < n3 && r.ok(); ++i) d.bandNames.push_back(r.string());

    const std::uint32_t n4 = r.count(4 + 16 + 8 + 32 + 48 + 4);
    for (std::uint32_t i = 0; i < n4 && r.ok(); ++i) {
        TeleSection4Entry e;
        e.key = r.u32();
        e.a = r.f64();
        e.b = r.f64();
        e.c = r.u32();
        e.d = r.u32();
        for (auto& w : e.words) w = r.u16();
        for (auto& v : e.values) v = r.f64();
        const std::uint32_t q = r.count(4);
        for (std::uint32_t k = 0; k < q && r.ok(); ++k) e.list.push_back(r.u32());
        d.section4[e.key] = std::move(e);
    }

    const std::uint32_t n5 = r.count(16);
    for (std::uint32_t i = 0; i < n5 && r.ok(); ++i) {
        TeleSection5Entry e;
        e.text = r.string();
        e.a = r.u32();
        e.b = r.u32();
        e.c = r.u32();
        d.section5.push_back(std::move(e));
    }

    // A description that ends early is refused as a whole, like a missing one:
    // half a list of types would refuse some files for no visible reason.
    if (!r.ok()) return Message(msg::NoTelemetryDescription);
    return d;
}

Result<TeleDesc> loadTeleDesc(const std::string& path, const std::string& language) {
    MappedFile file;
    if (!file.open(path)) return Message(msg::NoTelemetryDescription);
    Result<TeleDesc> d = parseTeleDesc(file.bytes(), language);
    // The description's band names carry Russian units: read in the interface language.
    if (d) localizeBandNames(d->bandNames, currentBandNameUnits());
    return d;
}

}  // namespace phonotab
