#!/bin/sh
# tilecrest-pack from the outside: exit status, stderr, no OUT on failure,
# and a file built byte by byte from the container layout unpacking.
set -u
pack=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$pack" --help | grep -q "tilecrest-pack pack IN OUT" || fail "--help"
[ "$("$pack" --version)" = "tilecrest-pack 1.0.3.5" ] || fail "--version"
"$pack" frobnicate >/dev/null 2>&1 && fail "unknown command accepted"

# "abcabcabcX": literals a b c, a back-reference (offset 3, length 6), X.
printf 'WRZL\012\000\000\000\011\000\100\020\000abc\000\063X' > "$dir/hand.wrzl"
"$pack" unpack "$dir/hand.wrzl" "$dir/hand.out" || fail "unpack of a hand-built file"
[ "$(cat "$dir/hand.out")" = "abcabcabcX" ] || fail "hand-built file content"

# Packing an empty file gives the 11 bytes of the layout.
: > "$dir/empty"
"$pack" pack "$dir/empty" "$dir/empty.wrzl" || fail "pack empty"
[ "$(od -An -tx1 "$dir/empty.wrzl" | tr -d ' \n')" = "57525a4c00000000010080" ] || fail "empty container bytes"

# A damaged file: status 1, the reason on stderr, no OUT.
printf 'XXXXjunk' > "$dir/bad"
"$pack" unpack "$dir/bad" "$dir/out" 2> "$dir/err" && fail "bad header accepted"
[ $? -eq 1 ] || fail "exit status"
grep -q "this file has no valid header !" "$dir/err" || fail "header message"
[ -e "$dir/out" ] && fail "OUT left behind"
[ "$(ls "$dir" | wc -l)" -eq 6 ] || fail "scratch file left behind"

# show: a tally with one opponent as a table.
printf '9\r\n2\r\n0\r\nAnn\r\n4\r\n1\r\n3\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n' > "$dir/tally.txt"
"$pack" pack "$dir/tally.txt" "$dir/tally.tld" || fail "pack tally"
"$pack" show "$dir/tally.tld" > "$dir/shown" || fail "show"
grep -q "Total Games: 4" "$dir/shown" && grep -q "Your Wins: 3" "$dir/shown" || fail "show own totals"
grep -Eq "^Ann +1 +0 +1 +0 +1 +0 +1 +0$" "$dir/shown" || fail "show opponent row: $(cat "$dir/shown")"
"$pack" show "$dir/hand.wrzl" 2> "$dir/err" && fail "show of a non-tally"
grep -q "column count is not 9" "$dir/err" || fail "show reason"
echo ok
