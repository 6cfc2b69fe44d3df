#!/usr/bin/env bash
# The whole suite: the sanitizer build of the core libraries, short fuzz runs
# (when clang is present), then every test of the main build. CTest's summary
# of the main build is the last thing printed.
set -uo pipefail
build=${1:-build}
status=0
jobs=$(nproc)

echo "== core libraries under AddressSanitizer and UndefinedBehaviorSanitizer"
if cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTREL_CORE_ONLY=ON -DKESTREL_SANITIZE=ON >/dev/null \
   && cmake --build build-asan -j "$jobs" >/dev/null; then
  log=build-asan/ctest.log
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       ctest --test-dir build-asan -L unit -j "$jobs" --output-on-failure --timeout 300 >"$log" 2>&1; then
    grep -E "tests passed" "$log"
  else
    tail -n 80 "$log"; status=1
  fi
else
  echo "sanitizer build failed"; status=1
fi

if command -v clang++ >/dev/null 2>&1; then
  echo "== fuzz targets (short runs)"
  if CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_CORE_ONLY=ON -DKESTREL_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null \
     && cmake --build build-fuzz -j "$jobs" >/dev/null; then
    bash scripts/fuzz.sh build-fuzz "${KESTREL_FUZZ_SECONDS:-20}" || status=1
  else
    echo "fuzz build failed"; status=1
  fi
fi

echo "== main build"
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 600 || status=1
exit $status
