#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Vilkora need.
# Only what is missing is installed; a machine that has everything is left alone.
#   scripts/install-deps.sh            build, run and test
#   scripts/install-deps.sh --bench    also the benchmark library
set -euo pipefail

# python3 runs the end-to-end tests (tests/e2e/); a minimal Debian 12 may lack it.
packages=(g++ make cmake qt6-base-dev libgtest-dev xvfb xauth xdotool imagemagick desktop-file-utils python3)
for arg in "$@"; do
  case "$arg" in
    --bench) packages+=(libbenchmark-dev) ;;
    -h|--help) sed -n '2,5s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "install-deps.sh: unknown option: $arg" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [[ "$status" == installed ]] || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

if ((EUID != 0)); then
  echo "install-deps.sh: missing packages: ${missing[*]}; as root, run:" >&2
  echo "sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "install-deps.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
