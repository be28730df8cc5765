#!/bin/sh
# run-installed.sh PROGRAM REPORT: starts the installed game, writes to
# REPORT the sound module it has loaded once it has one (or nothing after
# 8 s), then ends it with SIGTERM as a logout would and exits with its
# status.
program=$1 report=$2
"$program" &
pid=$!
: >"$report"
i=0
while [ "$i" -lt 80 ]; do
  module=$(grep -o '/[^ ]*/tilecrest-sound\.so$' "/proc/$pid/maps" 2>/dev/null | head -n 1)
  if [ -n "$module" ]; then
    printf '%s\n' "$module" >"$report"
    break
  fi
  sleep 0.1
  i=$((i + 1))
done
# A moment more, so the window and the game have settled before the signal.
sleep 1
kill -TERM "$pid"
wait "$pid"
