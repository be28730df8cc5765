#!/bin/sh
# Runs one fuzz target: fuzz/run.sh TARGET [SECONDS] [BUILD_DIR]
# New inputs go to BUILD_DIR/fuzz/work/TARGET (the seeds in fuzz/corpus stay
# as they are); crashes, leaks and timeouts to BUILD_DIR/fuzz/artifacts/TARGET/.
# With -jobs=1 libFuzzer runs one worker and writes its output to fuzz-0.log
# in the current folder, so the run happens in BUILD_DIR/fuzz/logs/TARGET.
set -u
target=$1
seconds=${2:-300}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${3:-$here/../build-fuzz}" && pwd)
case $target in
  chat_line) dict=$here/dict/chat.dict ;;
  lzrw1_decode|tally_text) dict=$here/dict/tally.dict ;;
  *) dict=$here/dict/protocol.dict ;;
esac
mkdir -p "$build/fuzz/work/$target" "$build/fuzz/artifacts/$target" "$build/fuzz/logs/$target"
cd "$build/fuzz/logs/$target"
"$build/fuzz/$target" \
  -max_total_time="$seconds" -max_len=16384 -rss_limit_mb=2048 -timeout=25 -jobs=1 -workers=1 \
  -dict="$dict" -print_final_stats=1 \
  -artifact_prefix="$build/fuzz/artifacts/$target/" \
  "$build/fuzz/work/$target" "$here/corpus/$target"
status=$?
cat fuzz-0.log
exit $status
