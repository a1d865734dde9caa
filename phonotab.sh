#!/usr/bin/env bash
# Phonotab: set-up, build, demo and tests on Debian 12.
#   ./phonotab.sh run     install what is missing, build, start the program on the demo project
#                         (without a display: the batch tool on the demo data, and the demo
#                         project's report into build/: .docx, and .pdf where LibreOffice is installed)
#   ./phonotab.sh test    install what is missing, build, run every test (plain, sanitizers, fuzzers)
#   ./phonotab.sh build [--target T]   build only (build/), all targets or the named ones
#   ./phonotab.sh fuzz SECONDS         run every fuzz target that long (long campaigns outside CI):
#                         inputs run, inputs a second, peak memory and findings per target
#   ./phonotab.sh deps    install the Debian packages the build needs
#   ./phonotab.sh package build the Debian package of the programs into build/ (phonotab_VERSION_ARCH.deb)
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=${PHONOTAB_JOBS:-$(nproc)}
FUZZ_SECONDS=${PHONOTAB_FUZZ_SECONDS:-10}
# Builds take both cores: one at a time, whoever starts them.
LOCK=${PHONOTAB_BUILD_LOCK:-/tmp/phonotab-build.lock}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$ROOT")} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

PACKAGES=(build-essential cmake ninja-build pkg-config git clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  libxlsxwriter-dev libzip-dev libpugixml-dev
  python3 python3-numpy python3-openpyxl python3-lxml python3-docx
  desktop-file-utils libxml2-utils shared-mime-info file dpkg-dev)

deps() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then return 0; fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

BUILD_ARGS=()  # extra arguments of "build", e.g. --target core_tables_tests

configure_and_build() {  # DIR [cmake options...]
  local dir=$1; shift
  (
    flock 9
    if [ ! -f "$dir/build.ninja" ]; then
      local launcher=()
      # Worktrees of the same sources share compiled objects when ccache is there.
      command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
      cmake -S "$ROOT" -B "$dir" -G Ninja ${launcher[@]+"${launcher[@]}"} "$@"
    fi
    cmake --build "$dir" -j "$JOBS" ${BUILD_ARGS[@]+"${BUILD_ARGS[@]}"}
  ) 9>"$LOCK"
}

build() { configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo; }

# The sanitizer build (clang, address and undefined-behaviour sanitizers, no
# desktop windows): the tests run there, and the fuzz targets are linked from
# the same objects, so nothing is compiled twice for them.
build_asan() {
  configure_and_build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DPHONOTAB_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
}

# The corpus folder of a fuzz target, seeded from tests/fuzz/seeds and the
# tools' output in build/ (demo data, demo project, description).
fuzz_corpus() {  # NAME
  local name=$1 corpus=build-asan/corpus/$1
  mkdir -p "$corpus"
  if [ -d "tests/fuzz/seeds/$name" ]; then cp -n tests/fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true; fi
  case $name in
    fuzz_measurement_file) cp -n build/data/demo/*.bin build/data/demo/*.cbf build/data/demo/*.mnt "$corpus"/ 2>/dev/null || true ;;
    fuzz_project_file) cp -n build/data/demo/*.pht "$corpus"/ 2>/dev/null || true ;;
    fuzz_docx_template) cp -n build/data/report/*.docx data/report/document-*.xml "$corpus"/ 2>/dev/null || true ;;
    fuzz_teledesc) cp -n build/data/TeleDescFile.bin "$corpus"/ 2>/dev/null || true ;;
  esac
  echo "$corpus"
}

FUZZ_OPTIONS=(-max_len=65536 -rss_limit_mb=2048)

run_fuzzers() {
  local corpus
  for f in build-asan/fuzz_*; do
    [ -x "$f" ] || continue
    local name; name=$(basename "$f")
    corpus=$(fuzz_corpus "$name")
    echo "== $name (${FUZZ_SECONDS}s)"
    "$f" -max_total_time="$FUZZ_SECONDS" "${FUZZ_OPTIONS[@]}" -print_final_stats=0 "$corpus" \
      >"build-asan/$name.log" 2>&1 || { tail -40 "build-asan/$name.log"; echo "fuzzer $name failed"; return 1; }
  done
}

# Long campaigns: every target for SECONDS. A finding (crash, leak, timeout,
# memory limit) is kept under build-asan/findings/<campaign>/<target>/ and the
# target goes on for the rest of its time, up to 10 findings. Prints one line per target;
# exits 1 when anything was found.
fuzz_campaign() {  # SECONDS
  local seconds=$1 total_findings=0 campaign
  build_asan
  [ -d build/data/demo ] || { BUILD_ARGS=(--target phonotab_data); build; }
  campaign=build-asan/findings/$(date +%Y%m%d-%H%M%S)
  printf '%-24s %12s %9s %9s %s\n' target inputs inputs/s peak_MB findings
  for f in build-asan/fuzz_*; do
    [ -x "$f" ] || continue
    local name corpus findings log left start stat before found execs=0 rss=0
    name=$(basename "$f")
    corpus=$(fuzz_corpus "$name")
    findings=$campaign/$name
    log=build-asan/$name.campaign.log
    mkdir -p "$findings"
    : >"$log"
    left=$seconds
    found=0
    while [ "$left" -gt 0 ] && [ "$found" -lt 10 ]; do
      start=$(date +%s)
      before=$found
      "$f" -max_total_time="$left" "${FUZZ_OPTIONS[@]}" -timeout=30 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" >>"$log" 2>&1 || true
      left=$((left - ($(date +%s) - start)))
      found=$(find "$findings" -type f | wc -l)
      [ "$found" -gt "$before" ] || break  # the time ran out without a finding
    done
    # Each run ends with its own statistics; inputs add up, memory is the peak.
    while read -r stat; do execs=$((execs + stat)); done < <(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    while read -r stat; do [ "$stat" -le "$rss" ] || rss=$stat; done < <(sed -n 's/^stat::peak_rss_mb: *//p' "$log")
    rmdir "$findings" 2>/dev/null || true  # nothing found
    total_findings=$((total_findings + found))
    printf '%-24s %12d %9d %9d %s\n' "$name" "$execs" $((execs / (seconds > 0 ? seconds : 1))) "$rss" \
      "$([ "$found" -eq 0 ] && echo none || echo "$found in $findings")"
  done
  rmdir "$campaign" build-asan/findings 2>/dev/null || true
  [ "$total_findings" -eq 0 ] || { echo "Findings: $total_findings (logs: build-asan/*.campaign.log)"; return 1; }
}

run_demo() {
  build
  if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "== Phonotab on the demo project build/data/demo/demo.pht"
    exec build/phonotab build/data/demo/demo.pht
  fi
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the desktop application needs one."
  echo "Running the batch tool on the demo data instead; pictures of the main window: build/phonotab-app-pictures."
  echo "== Demo data in build/data/demo"
  for f in build/data/demo/*.bin build/data/demo/*.cbf build/data/demo/*.mnt; do
    echo "-- $(basename "$f")"
    build/phonotab-cli info "$f"
  done
  echo "== The demo project recalculated (result files in build/data/demo)"
  build/phonotab-cli project calc build/data/demo/demo.pht -o build/data/demo/demo-recalculated.pht || true
  ls build/data/demo/*.txt
  demo_report
}

# The deliverable of the demo project: its report from the recalculated
# project, as a document and, where LibreOffice is installed, as PDF.
demo_report() {
  local project=build/data/demo/demo-recalculated.pht
  [ -f "$project" ] || project=build/data/demo/demo.pht
  echo "== The demo project's report"
  build/phonotab-cli report "$project" -o build/demo-report.docx
  echo "Report written: $ROOT/build/demo-report.docx"
  if command -v soffice >/dev/null || command -v libreoffice >/dev/null; then
    if build/phonotab-cli report "$project" -o build/demo-report.pdf; then
      echo "Report written: $ROOT/build/demo-report.pdf"
    else
      echo "The PDF of the report could not be written (see above)."
    fi
  else
    echo "No PDF of the report: LibreOffice is not installed (Debian package libreoffice-writer-nogui)."
  fi
}

# The Debian package, built from build/ under the build lock (cpack builds what is missing first).
package() {
  build
  (
    flock 9
    cd build && cpack -G DEB
  ) 9>"$LOCK"
  ls build/*.deb
}

test_all() {
  build
  (cd build && ctest --output-on-failure -j "$JOBS")
  build_asan
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$JOBS")
  run_fuzzers
  echo "All tests passed."
}

case "${1:-}" in
  deps) deps ;;
  build) shift; BUILD_ARGS=("$@"); deps; build ;;
  run) deps; run_demo ;;
  test) deps; test_all ;;
  package) deps; package ;;
  fuzz)
    [[ "${2:-}" =~ ^[0-9]+$ ]] || { echo "usage: $0 fuzz SECONDS" >&2; exit 2; }
    deps; fuzz_campaign "$2" ;;
  *) echo "usage: $0 run|test|build|deps|package|fuzz SECONDS" >&2; exit 2 ;;
esac
