// phonotab-teledesc SOURCE OUTPUT
// Compiles a readable telemetry description into the binary TeleDescFile.bin.
#include <cstdio>
#include <string>

#include "TeleDescSource.h"
#include "InstrumentFiles.h"
#include "core/base/MappedFile.h"

int main(int argc, char** argv) {
    using namespace phonotab;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE OUTPUT\n", argv[0]);
        return 2;
    }
    std::string text;
    if (!readFileText(argv[1], text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    fixtures::TeleDescSource src;
    std::string error;
    if (!fixtures::parseTeleDescSource(text, src, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    if (!fixtures::writeFile(argv[2], fixtures::writeTeleDesc(src))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
