#!/usr/bin/env bash
# Builds the dataset import's fuzz target, ReadStat inside, with clang
# (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer), writes the seed
# corpus of every release and fuzzes for the given number of seconds (60 by
# default). Exits non-zero on any finding (a crash, a sanitizer report, a
# leak, or one input running longer than 30 s); the input that caused it is
# left in the build directory's findings/.
#
#   tools/fuzz/run-dataset-fuzz.sh [SECONDS]
#
# QUORIN_FUZZ_BUILD_DIR chooses the build directory (default build-fuzz/ in
# the source tree); the corpus grows there from run to run.
set -euo pipefail

seconds=${1:-60}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_dir=${QUORIN_FUZZ_BUILD_DIR:-$source_dir/build-fuzz}

cmake -G Ninja -S "$source_dir/tools/fuzz" -B "$build_dir" \
    -DCMAKE_CXX_COMPILER="${QUORIN_FUZZ_CXX:-clang++}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    ${Qt6_DIR:+-DQt6_DIR="$Qt6_DIR"} >/dev/null
cmake --build "$build_dir"

seeds=$build_dir/seeds
corpus=$build_dir/corpus
findings=$build_dir/findings
rm -rf "$seeds"
"$build_dir/dataset_seed_writer" "$seeds"
mkdir -p "$corpus" "$findings"

# One run: new inputs go to the corpus, the seeds are only read. No input of
# 16 kB may make the reader ask for 64 MB at once; the whole process may grow
# to 4 GB, as the sanitizers' allocator keeps what it has freed.
exec "$build_dir/dataset_reader_fuzzer" -max_total_time="$seconds" -timeout=30 \
    -max_len=16384 -malloc_limit_mb=64 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "$seeds"
