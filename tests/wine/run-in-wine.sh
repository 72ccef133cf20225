#!/usr/bin/env bash
# Runs one Windows program in the test prefix with a hard time limit.
#   run-in-wine.sh SECONDS PROGRAM [ARGS...]
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/env.sh"
limit="$1"; shift
# --kill-after: a Wine process that ignores TERM must still go.
exec timeout --kill-after=5 "$limit" "$PREPKIT_WINE" "$@"
