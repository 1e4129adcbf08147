#!/usr/bin/env bash
# Runs every test: the XML layer natively with sanitizers, bounded runs of the native fuzzers,
# then all Windows test executables through ctest under Wine in one virtual display.
set -euo pipefail
build=$(realpath -m "${1:-build}")
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/wine-env.sh"

if [ -z "${ZORLA_IN_XVFB:-}" ] && [ -f "$top/tests/native/CMakeLists.txt" ]; then
  cmake -S "$top/tests/native" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build/native" -j2 >/dev/null
  (cd "$build/native" && ctest --output-on-failure --timeout 600 </dev/null) | tail -n 3
fi

in_virtual_display "$0" "$@"

wine_env "$build"
wine_up
trap wine_down EXIT
cd "$build"

# Very rarely a Wine process ends at start, before the test's own code runs: no
# output at all, 0.00 s; or, on a loaded machine, it passes and then dies in the
# dynamic loader on its way out. Only such a test runs once more, and is named;
# a test that ran and failed is a real fault and is never run again. What a test did is
# read from its output in ctest's log: GoogleTest prints "[ RUN      ]" as the
# test's code begins.
log=Testing/Temporary/LastTest.log
failed_log=Testing/Temporary/LastTestsFailed.log
rm -f "$log" "$failed_log"
status=0
ctest --output-on-failure --timeout 600 ${CTEST_ARGS:-} </dev/null || status=$?
[ "$status" = 0 ] || [ -f "$failed_log" ] || { echo "test: ctest failed without running the tests" >&2; exit "$status"; }

# The output of test $1, as the log keeps it between "Output:" and "<end of output>".
test_output() {
  awk -v name="$1" '
    /^[0-9]+\/[0-9]+ Test: / { current = substr($0, index($0, " Test: ") + 7); output = 0; next }
    !output && $0 == "Output:" { output = 1; next }
    output && $0 == "<end of output>" { output = 0; next }
    output && current == name { print }' "$log"
}

# True when the output of test $1 shows GoogleTest starting the test.
test_started() {
  test_output "$1" | grep -F '[ RUN      ]' >/dev/null
}

# True when test $1 passed and only then its Wine process failed on its way out:
# GoogleTest printed its verdict, and the dynamic loader complained at exit.
passed_then_exit_crashed() {
  test_output "$1" | awk '
    index($0, "[  PASSED  ] 1 test.") { verdict = 1; next }
    verdict && index($0, "Inconsistency detected by ld.so") { found = 1 }
    END { exit !found }'
}

passed=$(grep -c '^Test Passed\.$' "$log" || true)
failures=0
reruns=()
if [ "$status" != 0 ]; then
  while IFS= read -r name; do
    if test_started "$name" && ! passed_then_exit_crashed "$name"; then
      failures=$((failures + 1))
    else
      reruns+=("$name")
    fi
  done < <(cut -d: -f2- "$failed_log")
fi
for name in "${reruns[@]}"; do
  echo "re-run after a Wine start-up or exit hiccup: $name"
  pattern=$(printf '%s' "$name" | sed 's/[][\.*^$+?(){}|]/\\&/g')
  if ctest --output-on-failure --timeout 600 -R "^$pattern\$" </dev/null; then
    passed=$((passed + 1))
  else
    failures=$((failures + 1))
  fi
done
[ ${#reruns[@]} = 0 ] || echo "tests re-run after a Wine start-up or exit hiccup: ${#reruns[@]}"
echo "tests: $passed passed, $failures failed"
[ "$failures" = 0 ]
