#!/usr/bin/env bash
# Installs what is needed, builds with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELLUM_SANITIZE=ON -DVELLUM_TESTS=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure
