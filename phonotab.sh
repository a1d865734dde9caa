#!/usr/bin/env bash
# Phonotab: set-up, build, demo and tests on Debian 12.
#   ./phonotab.sh run     install what is missing, build, start the program on the demo project
#                         (without a display: the batch tool on the demo data)
#   ./phonotab.sh test    install what is missing, build, run every test (plain, sanitizers, fuzzers)
#   ./phonotab.sh build [--target T]   build only (build/), all targets or the named ones
#   ./phonotab.sh deps    install the Debian packages the build needs
#   ./phonotab.sh package build the Debian package of the programs into build/ (phonotab_VERSION_ARCH.deb)
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=${PHONOTAB_JOBS:-$(nproc)}
FUZZ_SECONDS=${PHONOTAB_FUZZ_SECONDS:-10}
# Builds take both cores: one at a time, whoever starts them.
LOCK=${PHONOTAB_BUILD_LOCK:-/tmp/phonotab-build.lock}

PACKAGES=(build-essential cmake ninja-build pkg-config git clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  libxlsxwriter-dev libzip-dev libpugixml-dev
  python3 python3-numpy python3-openpyxl python3-lxml
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
      cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir" -j "$JOBS" ${BUILD_ARGS[@]+"${BUILD_ARGS[@]}"}
  ) 9>"$LOCK"
}

build() { configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo; }

build_asan() {
  configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DPHONOTAB_SANITIZE=ON \
    -DPHONOTAB_BUILD_GUI=OFF -DPHONOTAB_BUILD_BENCH=OFF
}

build_fuzz() {
  configure_and_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPHONOTAB_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
}

run_fuzzers() {
  local corpus
  for f in build-fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    local name; name=$(basename "$f")
    corpus=build-fuzz/corpus/$name
    mkdir -p "$corpus"
    # Seeds: the tools' output (demo data, description, tables ...).
    if [ -d "tests/fuzz/seeds/$name" ]; then cp -n tests/fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true; fi
    case $name in
      fuzz_measurement_file) cp -n build/data/demo/* "$corpus"/ 2>/dev/null || true ;;
      fuzz_teledesc) cp -n build/data/TeleDescFile.bin "$corpus"/ 2>/dev/null || true ;;
    esac
    echo "== $name (${FUZZ_SECONDS}s)"
    "$f" -max_total_time="$FUZZ_SECONDS" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=0 "$corpus" \
      >"build-fuzz/$name.log" 2>&1 || { tail -40 "build-fuzz/$name.log"; echo "fuzzer $name failed"; return 1; }
  done
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
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$JOBS")
  build_fuzz
  run_fuzzers
  echo "All tests passed."
}

case "${1:-}" in
  deps) deps ;;
  build) shift; BUILD_ARGS=("$@"); deps; build ;;
  run) deps; run_demo ;;
  test) deps; test_all ;;
  package) deps; package ;;
  *) echo "usage: $0 run|test|build|deps|package" >&2; exit 2 ;;
esac
