#!/usr/bin/env bash
# Runs a test executable in a copy of the tests' Wine prefix whose display
# scale is ZORLA_TEST_DPI (default 144), so a scaled screen never reaches the
# other tests.
set -e
. "$(dirname "$0")/../../tools/wine-env.sh"
export LC_ALL=C.UTF-8
wine_scaled "${ZORLA_TEST_DPI:-144}"
exec wine "$@"
