#include "core/platform/ZipPackage.h"

#include <zip.h>

#include <memory>

namespace phonotab {

namespace {

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

}  // namespace

std::optional<std::vector<ZipPart>> readZipParts(std::string_view bytes, std::size_t maxParts,
                                                 std::size_t maxPartSize, std::size_t maxTotalSize) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return std::nullopt;
    }
    std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > maxParts) return std::nullopt;
    std::vector<ZipPart> parts;
    parts.reserve(static_cast<std::size_t>(count));
    std::size_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0) return std::nullopt;
        if (!(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE)) return std::nullopt;
        std::string name = st.name;
        if (name.empty() || name.back() == '/') continue;
        if (st.size > maxPartSize || st.size > maxTotalSize - total) return std::nullopt;
        total += static_cast<std::size_t>(st.size);
        std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0));
        if (!file) return std::nullopt;
        ZipPart part;
        part.name = std::move(name);
        part.bytes.resize(static_cast<std::size_t>(st.size));
        std::size_t got = 0;
        while (got < part.bytes.size()) {
            const zip_int64_t n = zip_fread(file.get(), part.bytes.data() + got, part.bytes.size() - got);
            if (n <= 0) return std::nullopt;
            got += static_cast<std::size_t>(n);
        }
        // The stated size is all there is: a longer stream is a damaged archive.
        char extra;
        if (zip_fread(file.get(), &extra, 1) != 0) return std::nullopt;
        const std::string& n = part.name;
        const auto dot = n.rfind('.');
        const std::string ext = dot == std::string::npos ? std::string() : n.substr(dot + 1);
        part.compress = !(ext == "png" || ext == "jpeg" || ext == "jpg" || ext == "gif");
        parts.push_back(std::move(part));
    }
    return parts;
}

std::optional<std::string> writeZipParts(const std::vector<const ZipPart*>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) {
        zip_error_fini(&error);
        return std::nullopt;
    }
    zip_source_keep(buffer);  // outlives the archive: the written bytes are read from it
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    auto dropBuffer = [&] { zip_source_free(buffer); };
    if (!archive) {
        zip_source_free(buffer);  // the reference the failed open did not take
        dropBuffer();
        return std::nullopt;
    }
    for (const ZipPart* part : parts) {
        zip_source_t* s = zip_source_buffer(archive, part->bytes.data(), part->bytes.size(), 0);
        if (!s) {
            zip_discard(archive);
            dropBuffer();
            return std::nullopt;
        }
        const zip_int64_t index = zip_file_add(archive, part->name.c_str(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(s);
            zip_discard(archive);
            dropBuffer();
            return std::nullopt;
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 part->compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, part->compress ? 6 : 0);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        dropBuffer();
        return std::nullopt;
    }
    std::optional<std::string> out;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        if (size >= 0) {
            std::string bytes(static_cast<std::size_t>(size), '\0');
            if (zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size)) == size) out = std::move(bytes);
        }
        zip_source_close(buffer);
    }
    dropBuffer();
    return out;
}

}  // namespace phonotab
