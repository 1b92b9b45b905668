#!/usr/bin/env bash
# Converts every sample document with every available reader/writer pair into
# a scratch folder and prints a table.
set -euo pipefail
bin=${1:-build/bin}
"$bin/lettrix-convert" --list-formats
