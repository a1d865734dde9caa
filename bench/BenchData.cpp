#include "BenchData.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "DemoData.h"
#include "core/base/MappedFile.h"

namespace phonotab::bench {

std::string benchDir() {
    const char* d = std::getenv("PHONOTAB_BENCH_DIR");
    std::string dir = d ? d : "/tmp/phonotab-bench";
    std::filesystem::create_directories(dir);
    return dir;
}

std::string demoTdscPath() {
    const char* s = std::getenv("PHONOTAB_SOURCE_DIR");
    return std::string(s ? s : PHONOTAB_SOURCE_DIR_DEFAULT) + "/data/teledesc/demo.tdsc";
}

std::string largeSlmFile(std::int64_t records) {
    const std::string path = benchDir() + "/slm_" + std::to_string(records) + ".bin";
    if (std::filesystem::exists(path)) return path;
    std::string text, error;
    fixtures::TeleDescSource desc;
    if (!readFileText(demoTdscPath(), text) || !fixtures::parseTeleDescSource(text, desc, error)) {
        std::fprintf(stderr, "cannot read %s\n", demoTdscPath().c_str());
        std::exit(1);
    }
    std::fprintf(stderr, "writing %s ...\n", path.c_str());
    const std::string tmp = path + ".tmp";
    if (!fixtures::writeLargeSlmFile(desc, tmp, records, 11)) {
        std::fprintf(stderr, "cannot write %s\n", tmp.c_str());
        std::exit(1);
    }
    std::filesystem::rename(tmp, path);
    return path;
}

}  // namespace phonotab::bench
