#!/usr/bin/env bash
# Installs what is needed, checks the format, builds with the sanitizers and warnings as errors,
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
tools/check-format.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELLUM_SANITIZE=ON -DVELLUM_TESTS=ON -DVELLUM_WERROR=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure
