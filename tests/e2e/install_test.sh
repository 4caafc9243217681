#!/usr/bin/env bash
# Installs the build into a temporary prefix, validates the desktop entry, and
# starts the installed game the way the desktop entry does: the binary named by
# Exec, in the folder named by Path. Then stages an install with DESTDIR and
# checks that the entry still names the real prefix.
#   install_test.sh BUILD_DIR
set -euo pipefail

build_dir=$1
scratch=$(mktemp -d /tmp/vilkora-install-XXXXXX)
game_pid=
cleanup() {
  if [[ -n "$game_pid" ]] && kill -0 "$game_pid" 2>/dev/null; then kill -KILL "$game_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/prefix
cmake --install "$build_dir" --prefix "$prefix" >"$scratch/install.log" || { cat "$scratch/install.log"; fail "cmake --install failed"; }
if [[ ! -e "$prefix/bin/vilkora" ]]; then
  # The install rules live in packaging/; without them there is nothing to test.
  if ! grep -q 'add_subdirectory(packaging)' "$(dirname "$0")/../../CMakeLists.txt"; then
    echo "SKIPPED: the top-level CMakeLists.txt does not add packaging/, so the build installs nothing"
    exit 77
  fi
  fail "no bin/vilkora under $prefix"
fi

entry=$prefix/share/applications/vilkora.desktop
icon=$prefix/share/icons/hicolor/100x100/apps/vilkora.png
for file in "$prefix/bin/vilkora" "$entry" "$icon"; do
  [[ -f "$file" ]] || fail "not installed: ${file#"$prefix"/}"
done
[[ -x "$prefix/bin/vilkora" ]] || fail "bin/vilkora is not executable"
pictures=$(find "$prefix/share/vilkora/data" -maxdepth 1 -name '*.bmp' | wc -l)
((pictures == 18)) || fail "share/vilkora/data holds $pictures pictures, not 18"
[[ "$(head -c 4 "$icon" | tail -c 3)" == PNG ]] || fail "the icon is not a PNG file"

desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
value() { sed -n "s/^$1=//p" "$entry"; }
exec_line=$(value Exec)
work_dir=$(value Path)
[[ "$exec_line" == "$prefix/bin/vilkora" ]] || fail "Exec=$exec_line, expected $prefix/bin/vilkora"
[[ "$work_dir" == "$prefix/share/vilkora" ]] || fail "Path=$work_dir, expected $prefix/share/vilkora"
[[ "$(value Icon)" == vilkora ]] || fail "Icon=$(value Icon), expected vilkora"
echo "installed into $prefix; the desktop entry is valid"

# Started as the desktop entry starts it, the game loads every picture and stays up;
# a missing or broken picture would end it within a fraction of a second.
runtime_dir=$scratch/runtime
mkdir -m 700 "$runtime_dir"
(cd "$work_dir" && exec env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime_dir" "$exec_line" \
  </dev/null >"$scratch/game.out" 2>"$scratch/game.err") &
game_pid=$!
for ((i = 0; i < 20; i++)); do  # one second, polled: an early end is seen at once
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.05
done
if ! kill -0 "$game_pid" 2>/dev/null; then
  wait "$game_pid" && status=0 || status=$?
  cat "$scratch/game.err" >&2
  fail "the installed game ended with status $status instead of staying up"
fi
kill -TERM "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
if [[ -s "$scratch/game.err" ]]; then
  cat "$scratch/game.err" >&2
  fail "the installed game wrote to stderr"
fi
echo "the installed game started from $work_dir and stayed up"

# A staged install keeps the real prefix in the entry.
stage=$scratch/stage
DESTDIR=$stage cmake --install "$build_dir" --prefix /opt/vilkora >"$scratch/stage.log"
staged_entry=$stage/opt/vilkora/share/applications/vilkora.desktop
[[ -f "$staged_entry" && -f "$stage/opt/vilkora/bin/vilkora" ]] || fail "DESTDIR install did not stage under $stage"
grep -qx 'Path=/opt/vilkora/share/vilkora' "$staged_entry" || fail "staged entry: $(grep '^Path=' "$staged_entry")"
grep -qx 'Exec=/opt/vilkora/bin/vilkora' "$staged_entry" || fail "staged entry: $(grep '^Exec=' "$staged_entry")"
echo "a DESTDIR install stages the files and keeps the real prefix in the entry"
