#!/usr/bin/env bash
# Installs what is needed, builds and starts Quor Vellum on the local starter database.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUM_TESTS=OFF
cmake --build build
exec build/app/vellum "$@"
