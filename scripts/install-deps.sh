#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need.
# The one list of packages of the project: README and CI both use this script.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev
  libsqlcipher-dev sqlcipher
  libsodium-dev
  libcurl4-openssl-dev
  libgtest-dev libgmock-dev
  fonts-nanum ieee-data iso-codes
  xvfb
)

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${packages[@]}"
