#!/usr/bin/env bash
# Runs the end-to-end weather test against stand-ins of the weather services on
# 127.0.0.1 (tests/e2e/weather_stand_ins.py), over HTTPS with certificates made
# here; the test trusts their authority inside its own prefix only and finds the
# stand-ins' folder (their log and switches) in ZORLA_STAND_INS.
# ctest runs it inside tools/test.sh, which sets up Wine.
#
# usage: with_weather_services.sh PATH/TO/e2e_tests.exe
set -euo pipefail
tests_exe=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

. "$here/../support/test_certs.sh"
make_test_certs "$work"
python3 "$here/weather_stand_ins.py" "$work" & pid=$!
for port in 8460 8461 8462 8463 8464; do
  for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done
done
authority=$(winepath -w "$work/ca.der" </dev/null | tr -d '\r')
stand_ins=$(winepath -w "$work" </dev/null | tr -d '\r')
ZORLA_TEST_AUTHORITY=$authority ZORLA_STAND_INS=$stand_ins \
  wine "$tests_exe" --gtest_filter='WeatherServicesChild.*' </dev/null | tr -d '\r'
