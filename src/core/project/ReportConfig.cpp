#include "core/project/ReportConfig.h"

#include "core/base/MappedFile.h"
#include "core/base/TextCodec.h"
#include "core/platform/AtomicFile.h"

namespace phonotab {

ReportConfig ReportConfig::parse(ByteSpan bytes) {
    ReportConfig cfg;
    ByteReader r(bytes);
    const std::int32_t lists = r.i32();
    // A name longer than the bytes left is damage: what follows it would be
    // read from misaligned bytes, so reading stops there.
    bool whole = r.ok();
    for (std::int32_t l = 0; whole && l < lists; ++l) {
        const std::int32_t key = r.i32();
        const std::int32_t n = r.i32();
        if (!r.ok()) break;
        std::vector<ReportColumn>& list = cfg.lists_[key];
        for (std::int32_t i = 0; i < n; ++i) {
            ReportColumn c;
            c.code = r.i32();
            const std::int32_t len = r.i32();
            if (!r.ok() || len < 0 || static_cast<std::size_t>(len) > r.remaining() / 2) {
                whole = false;
                break;
            }
            c.name = utf16leToUtf8(r.bytes(static_cast<std::size_t>(len) * 2));
            list.push_back(std::move(c));
        }
    }
    return cfg;
}

ReportConfig ReportConfig::load(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!readFileBytes(path, bytes)) return {};
    return parse(bytes);
}

std::vector<std::uint8_t> ReportConfig::serialize() const {
    ByteWriter w;
    w.i32(static_cast<std::int32_t>(lists_.size()));
    for (const auto& [key, list] : lists_) {
        w.i32(key);
        w.i32(static_cast<std::int32_t>(list.size()));
        for (const ReportColumn& c : list) {
            const std::u16string name = utf8ToUtf16(c.name);
            w.i32(c.code);
            w.i32(static_cast<std::int32_t>(name.size()));
            for (char16_t u : name) w.u16(u);
        }
    }
    return w.take();
}

Status ReportConfig::save(const std::string& path) const {
    const auto bytes = serialize();
    return writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::vector<ReportColumn> ReportConfig::list(std::int32_t key) const {
    auto it = lists_.find(key);
    return it == lists_.end() ? std::vector<ReportColumn>{} : it->second;
}

}  // namespace phonotab
