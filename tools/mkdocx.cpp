// phonotab-mkdocx OUT.docx PART=FILE ...: packs readable XML sources into a
// word-processor package (the default report templates shipped in data/).
// Every source must be well-formed XML: a broken template never ships.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "core/platform/AtomicFile.h"
#include "core/platform/ZipPackage.h"

int main(int argc, char** argv) {
    using namespace phonotab;
    if (argc < 3) {
        std::fprintf(stderr, "usage: phonotab-mkdocx OUT.docx PART=FILE ...\n");
        return 2;
    }
    std::vector<ZipPart> parts;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        if (eq == std::string::npos || eq == 0) {
            std::fprintf(stderr, "phonotab-mkdocx: expected PART=FILE, got %s\n", arg.c_str());
            return 2;
        }
        std::ifstream in(arg.substr(eq + 1), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in) {
            std::fprintf(stderr, "phonotab-mkdocx: cannot read %s\n", arg.substr(eq + 1).c_str());
            return 1;
        }
        pugi::xml_document doc;
        const std::string bytes = text.str();
        if (pugi::xml_parse_result r = doc.load_buffer(bytes.data(), bytes.size()); !r) {
            std::fprintf(stderr, "phonotab-mkdocx: %s: %s at byte %td\n", arg.substr(eq + 1).c_str(), r.description(),
                         r.offset);
            return 1;
        }
        parts.push_back({arg.substr(0, eq), bytes, true});
    }
    std::vector<const ZipPart*> refs;
    for (const ZipPart& p : parts) refs.push_back(&p);
    const std::optional<std::string> package = writeZipParts(refs);
    if (!package || !writeFileAtomically(argv[1], *package)) {
        std::fprintf(stderr, "phonotab-mkdocx: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
