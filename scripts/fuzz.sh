#!/usr/bin/env bash
# Runs the fuzz targets of fuzz/ (libFuzzer, with AddressSanitizer and
# UndefinedBehaviorSanitizer), built with clang in build-fuzz/.
#
#   scripts/fuzz.sh [TARGET|all] [SECONDS]   fuzz each target for SECONDS
#                                            (default 60), one after another
#   scripts/fuzz.sh --replay                 replay every kept input (seconds)
#   scripts/fuzz.sh --seeds                  write fuzz/corpus/*/ anew from the
#                                            seeds each target makes
#
# Targets: the fuzz/*_fuzzer.cpp files without the suffix (Dictionary,
# Message, ...). A run starts from fuzz/corpus/TARGET (the seeds) and
# fuzz/regressions/TARGET, grows build-fuzz/corpus/TARGET, and puts every
# input that crashes, leaks, stalls or swells into fuzz/regressions/TARGET,
# where it stays: the test suite replays it ever after. Each run ends with a
# line of executions and coverage.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets() {
  for f in fuzz/*_fuzzer.cpp; do basename "$f" _fuzzer.cpp; done
}

case "${1:-all}" in
  --replay)
    scripts/setup.sh build >/dev/null
    cd build && exec ctest --output-on-failure -R '^fuzz_replay\.'
    ;;
  --seeds)
    scripts/setup.sh build >/dev/null
    for t in $(all_targets); do
      rm -rf "fuzz/corpus/$t"
      build/fuzz_replay --seeds "$t" "fuzz/corpus/$t"
    done
    exit 0
    ;;
  all) targets=$(all_targets) ;;
  *)
    [ -f "fuzz/$1_fuzzer.cpp" ] || { echo "scripts/fuzz.sh: no target $1 (have: $(all_targets | xargs))" >&2; exit 2; }
    targets=$1
    ;;
esac
seconds=${2:-60}

# Only the fuzzers are built there: the plain build (scripts/setup.sh) has
# installed what the project needs; libFuzzer comes with clang.
if ! command -v clang++ >/dev/null; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq clang >/dev/null
fi
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DSKERROW_FUZZERS=ON -DSKERROW_BENCHMARKS=OFF >/dev/null
for t in $targets; do
  cmake --build build-fuzz --target "${t}_fuzzer" -j "$(nproc)" >build-fuzz/build.log 2>&1 ||
    { echo "scripts/fuzz.sh: building ${t}_fuzzer failed; see build-fuzz/build.log" >&2; exit 1; }
done

export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in $targets; do
  work=build-fuzz/corpus/$t
  kept=fuzz/regressions/$t
  mkdir -p "$work" "$kept"
  log=build-fuzz/$t.log
  echo "fuzzing $t for ${seconds}s..." >&2
  set +e
  "build-fuzz/${t}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$kept/" "$work" "fuzz/corpus/$t" "$kept" >"$log" 2>&1
  result=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[^ ]+' "$log" | tail -1)
  if [ "$result" -eq 0 ]; then
    echo "$t: ${runs:-?} executions in ${seconds}s, $cov, nothing found"
  else
    echo "$t: FOUND a fault after ${runs:-?} executions (kept in $kept/); see $log"
    status=1
  fi
done
exit $status
