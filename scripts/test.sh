#!/usr/bin/env bash
# Builds Vilkora with its tests and runs every test: the unit tests, the tests of
# the real binary with broken picture files, the game played under Xvfb, and the
# install.
#   scripts/test.sh              build/, optimised with debug information
#   scripts/test.sh --sanitize   build-asan/, debug, with AddressSanitizer and UBSan
# Further arguments go to ctest (e.g. -R e2e to run only the end-to-end tests).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

sanitize=false
ctest_args=()
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=true ;;
    *) ctest_args+=("$arg") ;;
  esac
done

scripts/install-deps.sh
jobs=$(nproc)

if [[ -z "${XDG_RUNTIME_DIR:-}" || ! -d "${XDG_RUNTIME_DIR:-}" ]]; then
  XDG_RUNTIME_DIR=$(mktemp -d /tmp/vilkora-runtime-XXXXXX)
  chmod 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

if $sanitize; then
  build=build-asan
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVILKORA_SANITIZE=ON -DVILKORA_TESTS=ON >/dev/null
  export ASAN_OPTIONS=detect_leaks=1
  export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  build=build
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVILKORA_SANITIZE=OFF -DVILKORA_TESTS=ON >/dev/null
fi

cmake --build "$build" --parallel "$jobs"
echo "Running the tests in $build/ (screenshots under Xvfb: $build/tests/e2e/screenshots/ and win-screenshots/)"
ctest --test-dir "$build" --output-on-failure --parallel "$jobs" "${ctest_args[@]}"
