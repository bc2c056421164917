#!/usr/bin/env bash
# Times the manager's start-up: from launch to its sheet shown on an X display
# (a private Xvfb). Builds the optimised program first.
#   bench/startup-bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
build=build/run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target TARNEX -j"${JOBS:-2}" >/dev/null

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
export ODBCSYSINI=$(mktemp -d) ODBCINI=/dev/null
until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done

times=()
for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  "$build/app/TARNEX" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name 'Quill\*Marsh Database Manager' >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "TARNEX ended before its sheet was shown" >&2; exit 1; }
    sleep 0.002
  done
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start-up to the sheet shown, $runs runs: median ${sorted[$((runs / 2))]} ms," \
     "min ${sorted[0]} ms, max ${sorted[$((runs - 1))]} ms"
