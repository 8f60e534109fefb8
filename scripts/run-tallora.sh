#!/usr/bin/env bash
# Builds Tallora if needed and starts it; see scripts/run-program.sh.
exec "$(dirname "$0")/run-program.sh" tallora "$@"
