#!/usr/bin/env bash
# Builds everything and runs every test; then builds the core libraries with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs their tests again;
# then runs each fuzz target for a minute on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

# Formatting is part of the build: every C++ file follows .clang-format.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTARVEL_SANITIZE=ON \
  -DTARVEL_GUI=OFF -DTARVEL_REPORT=OFF -DTARVEL_BENCH=OFF
cmake --build build-sanitize -j"$jobs" --target tarvel_core_tests tarvel_edit_tests tarvel-cli
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

# Clang with libFuzzer; the libraries are instrumented too. New inputs go to a
# scratch folder, so the seed corpus in the tree stays as committed.
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTARVEL_FUZZ=ON \
  -DTARVEL_GUI=OFF -DTARVEL_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target tarvel-area-fuzz tarvel-text-fuzz
for target in area text; do
  scratch=$(mktemp -d)
  build-fuzz/tests/fuzz/tarvel-$target-fuzz -max_total_time=60 -print_final_stats=1 \
    "$scratch" tests/fuzz/corpus/$target
  rm -rf "$scratch"
done
