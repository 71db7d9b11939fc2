#!/usr/bin/env bash
# Builds everything and runs every test; then builds the core libraries with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs their tests again.
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
