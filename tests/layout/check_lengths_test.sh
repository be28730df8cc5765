#!/bin/sh
# The length check on a small tree: a .cpp of 5 lines, a .h of 6, a .cpp of
# 2 whose last line has no newline, and a text file of 9 that is no source.
set -u
check=$1
fixture=$2
fail() { echo "FAIL: $*"; exit 1; }

out=$(sh "$check" "$fixture/src" 5 2>&1); status=$?
[ "$status" -eq 1 ] || fail "limit 5: exit status $status, wanted 1"
[ "$out" = "b/Six.h: 6 lines, limit 5" ] || fail "limit 5 printed: $out"

out=$(sh "$check" "$fixture/src" 1 2>&1)
expected='a/Five.cpp: 5 lines, limit 1
b/NoNewline.cpp: 2 lines, limit 1
b/Six.h: 6 lines, limit 1'
[ "$out" = "$expected" ] || fail "limit 1 printed:
$out
wanted:
$expected"

out=$(sh "$check" "$fixture/src" 6 2>&1) || fail "limit 6 refused: $out"
[ -z "$out" ] || fail "limit 6 printed: $out"

sh "$check" "$fixture/src" five >/dev/null 2>&1; [ $? -eq 2 ] || fail "a limit that is no number was taken"
sh "$check" "$fixture/none" 5 >/dev/null 2>&1; [ $? -eq 2 ] || fail "a missing folder was taken"
echo "ok"
