#!/usr/bin/env bash
# Runs the upgrade program in the build folder on the database beside it,
# creating a sample version-2 database there first when there is none.
# Usage: scripts/upgrade-sample.sh [BUILD_DIR]   (default: build)
set -euo pipefail

build=${1:-build}
db="$build/Marrowtide.mdb"
mkdir -p "$build/log"
if [ ! -e "$db" ]; then
  "$build/marrowtide-db" create "$db"
  echo "created sample database $db"
fi
"$build/marrowtide-dbupgrade"
echo "--- $build/log/marrowtide-dbupgrade.log (last lines)"
tail -n 5 "$build/log/marrowtide-dbupgrade.log"
echo "--- marrowtide-db info $db"
"$build/marrowtide-db" info "$db"
