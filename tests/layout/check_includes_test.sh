#!/bin/sh
# The include check on a small tree: one planted upward include, one Qt
# header in a Qt-free folder, one folder missing from the table; everything
# else in the tree is allowed (a Qt header where the table allows Qt).
set -u
check=$1
fixture=$2
fail() { echo "FAIL: $*"; exit 1; }

out=$(sh "$check" "$fixture/floors.md" "$fixture/src" 2>&1); status=$?
expected='low/Low.h:3: low may not include high/High.h
low/Other.h:2: low is free of Qt and may not include QString
stray/Stray.h: folder stray is not in the floor table'
[ "$status" -eq 1 ] || fail "exit status $status, wanted 1"
[ "$out" = "$expected" ] || fail "printed:
$out
wanted:
$expected"

# Without the planted include and the stray folder the same tree passes.
clean=$(mktemp -d)
trap 'rm -rf "$clean"' EXIT
cp -r "$fixture/src" "$clean/src"
rm -r "$clean/src/stray"
sed -i '/high\/High.h/d' "$clean/src/low/Low.h"
sed -i '/QString/d' "$clean/src/low/Other.h"
out=$(sh "$check" "$fixture/floors.md" "$clean/src" 2>&1) || fail "clean tree refused: $out"
[ -z "$out" ] || fail "clean tree printed: $out"

# A table with no rows refuses everything rather than passing.
printf 'no table here\n' > "$clean/empty.md"
sh "$check" "$clean/empty.md" "$clean/src" >/dev/null 2>&1 && fail "an empty table passed"
echo "ok"
