// Large input files of the benchmarks, written once into a scratch folder
// ($PHONOTAB_BENCH_DIR, default /tmp/phonotab-bench) and reused.
#pragma once

#include <cstdint>
#include <string>

namespace phonotab::bench {

std::string benchDir();
// A sound level meter record file of the demo family with `records` records;
// written when missing. Returns its path.
std::string largeSlmFile(std::int64_t records);
// The demo description (source folder from $PHONOTAB_SOURCE_DIR or the build's).
std::string demoTdscPath();

}  // namespace phonotab::bench
