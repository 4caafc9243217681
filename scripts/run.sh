#!/usr/bin/env bash
# Builds Vilkora (build/, optimised, without tests) and starts the game.
# The game loads its pictures from data/, so it runs from the repository root.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVILKORA_TESTS=OFF >/dev/null
cmake --build build --parallel "$(nproc)" --target vilkora
exec build/vilkora "$@"
