#!/usr/bin/env bash
# On a fresh machine: installs the build tools, builds tlconv and shows a
# sample client list that the project makes itself.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target tlconv
sample=$(scripts/make-sample.sh build/sample/data.db)
build/tlconv show "$sample"
