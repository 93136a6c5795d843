#!/usr/bin/env bash
# Mutation check by hand: ./tools/mutation-check.sh [--build-dir DIR] [--only ID|AREA] [--list] ...
# See tools/README.md. Needs a configured build folder (default: build).
exec python3 "$(dirname "$0")/mutation-check.py" "$@"
