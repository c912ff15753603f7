#!/usr/bin/env bash
# Builds the document reader's fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and fuzzes for the given number of seconds (60 by
# default), starting from the example documents and the test documents. Exits
# non-zero on any finding (a crash, a sanitizer report, a leak, a document
# that changes when written back and read again, or one input running longer
# than 30 s); the input that caused it is left in the build directory's
# findings/.
#
#   tools/fuzz/run-document-fuzz.sh [SECONDS]
#
# QUORIN_FUZZ_BUILD_DIR chooses the build directory (default build-fuzz/ in
# the source tree); the corpus grows in its document-corpus/ from run to run.
set -euo pipefail

seconds=${1:-60}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_dir=${QUORIN_FUZZ_BUILD_DIR:-$source_dir/build-fuzz}

cmake -G Ninja -S "$source_dir/tools/fuzz" -B "$build_dir" \
    -DCMAKE_CXX_COMPILER="${QUORIN_FUZZ_CXX:-clang++}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    ${Qt6_DIR:+-DQt6_DIR="$Qt6_DIR"} >/dev/null
cmake --build "$build_dir" --target document_reader_fuzzer

seeds=$build_dir/document-seeds
corpus=$build_dir/document-corpus
findings=$build_dir/findings
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus" "$findings"
cp "$source_dir"/examples/*.xml "$source_dir"/tests/data/document/*.xml "$seeds/"

# One run: new inputs go to the corpus, the seeds are only read. The largest
# grid a document may declare takes a few megabytes; no input of 64 kB may
# make the reader ask for 64 MB at once.
exec "$build_dir/document_reader_fuzzer" -max_total_time="$seconds" -timeout=30 \
    -max_len=65536 -malloc_limit_mb=64 -rss_limit_mb=4096 -print_final_stats=1 \
    -dict="$source_dir/tools/fuzz/document.dict" \
    -artifact_prefix="$findings/document-" "$corpus" "$seeds"
