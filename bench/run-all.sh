#!/usr/bin/env bash
# Reproduces every number in docs/performance.md: builds a release build of
# its own (build/bench), tells the machine, then runs the per-operation
# benchmarks (with KALVERO_BIOS_SAMPLES naming a folder of real BIOS images,
# the LH5 codec on their modules and the BIOS image work on each image too),
# the start-up times under Xvfb and the batch of 10,000 bitmaps on the disk
# and on tmpfs. BASELINE_CLI=PATH times another kalvero-cli's batch too (an
# older build, for a before/after comparison).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BENCH_PACKAGES[@]}"

build=${BENCH_BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVERO_BUILD_TESTS=OFF \
    >/dev/null
cmake --build "$build" >/dev/null
bin=$build/bin
disk=$build/batch-$$
shm=/dev/shm/kalvero-batch-$$
trap 'rm -rf "$shm" "$disk" "$shm-start" "$disk-start"' EXIT

echo "== Machine"
echo "CPU: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
echo "Memory: $(free -g | awk '/^Mem:/ { print $2 }') GiB"
echo "Kernel: $(uname -r)"
echo "Compiler: $(c++ --version | head -1)"
echo "Disk for the batch: $(df -T "$build" | awk 'NR == 2 { print $1 ", " $2 }')"

echo
echo "== Per operation (Google Benchmark)"
"$bin/kalvero_bench_core" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
QT_QPA_PLATFORM=offscreen "$bin/kalvero_bench_canvas" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true

echo
echo "== BIOS modules: LH5 codec (the real images' logos when KALVERO_BIOS_SAMPLES names them)"
"$bin/kalvero_bench_lh5" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo
echo "== BIOS images: walking one and unpacking every module, a whole logo replacement"
"$bin/kalvero_bench_bios" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo
echo "== bios try to its verdict: the real images that boot in QEMU (KALVERO_BIOS_SAMPLES)"
"$bin/kalvero_bench_try" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo
echo "== Start-up until the window is shown (the editor: with its logo read)"
logo=$build/startup-logo.epa
head -c 2582 /dev/zero | tr '\0' '\146' >"$build/startup-logo.bmp"
"$bin/kalvero-cli" bmp2epa "$build/startup-logo.bmp" "$logo"
echo -n "floor (a bare Qt Widgets window): "
bench/startup.sh 20 Floor "$bin/kalvero_bench_floor"
echo -n "kalvero with a logo: "
STARTUP_READS=$logo bench/startup.sh 20 Kalvero "$bin/kalvero" "$logo"
rm -f "$logo" "${logo%.epa}".[0-9]*
"$bin/make_award_seeds" "$build/startup-seeds" >/dev/null
image=$build/startup-seeds/layout-a.bin
echo -n "kalvero with a BIOS image: "
STARTUP_READS=$image bench/startup.sh 20 Kalvero "$bin/kalvero" "$image"
echo -n "floor again: "
bench/startup.sh 20 Floor "$bin/kalvero_bench_floor"
rm -rf "$build/startup-seeds"

echo
echo "== kalvero-cli on one file beside cp of the same file (whole process, hyperfine)"
for cli in "$bin/kalvero-cli" ${BASELINE_CLI:+"$BASELINE_CLI"}; do
    echo "-- $cli on $(df -T "$build" | awk 'NR == 2 { print $2 }')"
    bench/cli-start.sh "$cli" "$disk-start" 50
    echo "-- $cli on tmpfs"
    bench/cli-start.sh "$cli" "$shm-start" 50
done

echo
echo "== kalvero-cli bmp2epa --output-dir, 10,000 bitmaps in one process"
for cli in "$bin/kalvero-cli" ${BASELINE_CLI:+"$BASELINE_CLI"}; do
    echo "-- $cli on $(df -T "$build" | awk 'NR == 2 { print $2 }')"
    bench/batch.sh "$cli" "$disk" 10000 5
    echo "-- $cli on tmpfs"
    bench/batch.sh "$cli" "$shm" 10000 5
done

echo
echo "== Where the batch's time goes (perf, tmpfs and disk)"
if perf stat -e instructions true >/dev/null 2>&1; then
    cli=$(realpath "$bin/kalvero-cli")
    for folder in "$shm" "$disk"; do
        mkdir "$folder/perf-out"
        (cd "$folder" && perf record -q -o perf.data "$cli" bmp2epa --output-dir perf-out in/*.bmp)
        echo "-- $folder: share of samples in kalvero-cli's own code, in the kernel"
        perf report -q -i "$folder/perf.data" --sort dso 2>/dev/null |
            awk '{ share[$2 == "[kernel.kallsyms]" ? "kernel" : ($2 == "kalvero-cli" ? "kalvero-cli" : "libraries")] += $1 }
                 END { for (part in share) printf "  %s: %.1f%%\n", part, share[part] }'
        rm -f "$folder/perf.data"
    done
else
    echo "perf cannot count on this machine"
fi
