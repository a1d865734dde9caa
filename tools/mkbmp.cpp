// phonotab-mkbmp OUT.bmp WIDTH HEIGHT: the empty picture shipped beside the
// program ("empty.bmp"), a white 24-bit bitmap at 96 dots per inch. The report
// window copies it when the user creates a new illustration to draw.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/base/Bytes.h"
#include "core/platform/AtomicFile.h"

int main(int argc, char** argv) {
    using namespace phonotab;
    const int width = argc == 4 ? std::atoi(argv[2]) : 0, height = argc == 4 ? std::atoi(argv[3]) : 0;
    if (width <= 0 || height <= 0 || width > 10000 || height > 10000) {
        std::fprintf(stderr, "usage: phonotab-mkbmp OUT.bmp WIDTH HEIGHT\n");
        return 2;
    }
    const auto stride = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height);
    constexpr std::uint32_t kHeaders = 14 + 40;
    constexpr std::uint32_t kDotsPerMetre = 3780;  // 96 dpi
    ByteWriter w;
    w.u8('B'), w.u8('M');
    w.u32(kHeaders + pixels);
    w.u32(0);
    w.u32(kHeaders);
    w.u32(40);
    w.i32(width), w.i32(height);
    w.u16(1), w.u16(24);
    w.u32(0), w.u32(pixels);
    w.u32(kDotsPerMetre), w.u32(kDotsPerMetre);
    w.u32(0), w.u32(0);
    std::string bytes(w.data().begin(), w.data().end());
    bytes.append(pixels, '\xFF');
    AtomicFileWriter out;
    if (Status s = out.open(argv[1]); !s) {
        std::fprintf(stderr, "phonotab-mkbmp: cannot write %s\n", argv[1]);
        return 1;
    }
    out.write(bytes);
    if (Status s = out.commit(); !s) {
        std::fprintf(stderr, "phonotab-mkbmp: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
