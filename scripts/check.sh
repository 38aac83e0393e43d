#!/usr/bin/env bash
# Every test, twice: on the optimised build, then on a build with
# AddressSanitizer and UndefinedBehaviorSanitizer; then a short run of the
# UCI fuzzer (built with clang) over its seed corpus and past failures.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-sanitize -G Ninja -DKELVRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j2

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKELVRA_FUZZ=ON -DKELVRA_SANITIZE=ON -DKELVRA_BUILD_GAME=OFF
cmake --build build-fuzz --target uci_fuzzer
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/corpus/* tests/fuzz/regressions/* "$corpus"/
./build-fuzz/tests/fuzz/uci_fuzzer -runs=300 -seed=1 -max_len=2048 -dict=tests/fuzz/uci.dict \
  -artifact_prefix="$corpus/" "$corpus"
echo "fuzz: 300 runs, no failure"
