#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need,
# from the project's one list, scripts/packages.txt (README and CI both use it).
set -euo pipefail

list="$(dirname "$0")/packages.txt"
mapfile -t packages < <(grep -v '^\s*#' "$list" | grep -v '^\s*$')

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${packages[@]}"
