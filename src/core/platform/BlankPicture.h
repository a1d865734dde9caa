// Whether a picture was never drawn on: an uncompressed bitmap (the kind the
// report window's "Создать иллюстрацию" copies from the shipped empty picture,
// and the kind a simple paint program saves it back as) whose pixels are all
// of one colour. The report leaves such a picture out instead of printing a
// blank page. The bytes are untrusted: anything short, compressed or odd is
// simply not called blank.
#pragma once

#include <string_view>

namespace phonotab {

bool isBlankBitmap(std::string_view bytes);

}  // namespace phonotab
