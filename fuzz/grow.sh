#!/bin/sh
# Grows a target's committed corpus: fuzzes for SECONDS from it (fuzz/run.sh),
# then adds to it only the fewest new inputs that reach the features it did
# not reach yet (libFuzzer's -merge=1 into the corpus; the named seeds stay).
#   fuzz/grow.sh TARGET [SECONDS] [BUILD_DIR]
# Inputs are at most 16 KiB, as in run.sh; the set stays as small as the
# features allow. Look at `git diff --stat fuzz/corpus` before committing.
set -eu
target=$1
seconds=${2:-300}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${3:-$here/../build-fuzz}" && pwd)
"$here/run.sh" "$target" "$seconds" "$build" >/dev/null 2>&1 || true
"$build/fuzz/$target" -merge=1 -max_len=16384 -rss_limit_mb=2048 -timeout=25 \
  "$here/corpus/$target" "$build/fuzz/work/$target" 2>&1 | grep -E "MERGE-OUTER: [0-9]+ new files" || true
echo "$target: $(ls "$here/corpus/$target" | wc -l) inputs, $(du -sk "$here/corpus/$target" | cut -f1) KiB"
