// What a document needs to know of a picture file before it embeds it: its
// kind (PNG, JPEG or BMP, the kinds a document takes as they are), its size in
// pixels and its resolution. Read from the file's header alone; the bytes are
// untrusted, so every field is bounds-checked and a short or odd header is
// simply not recognised.
#pragma once

#include <optional>
#include <string_view>

namespace phonotab {

enum class PictureKind { Png, Jpeg, Bmp };

struct PictureInfo {
    PictureKind kind = PictureKind::Png;
    int width = 0, height = 0;   // pixels, both above 0
    double dpiX = 0, dpiY = 0;   // dots per inch; 0 when the file does not say
};

// The file's extension and content type inside a document package.
const char* pictureExtension(PictureKind kind);
const char* pictureContentType(PictureKind kind);

// Nothing when the bytes are none of the three kinds or their header is cut
// short or names an empty picture.
std::optional<PictureInfo> readPictureInfo(std::string_view bytes);

}  // namespace phonotab
