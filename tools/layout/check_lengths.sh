#!/bin/sh
# Checks that no source file (.h or .cpp) under a source tree is longer than
# a limit of lines: a file near its limit tells the next change that it has
# no room, so each capability goes into a class and file of its own.
# Usage: check_lengths.sh SRC_DIR LIMIT
# Prints one line per file over the limit (file: N lines, limit L) and exits
# 1 if there is any.
set -eu
src=$1
limit=$2
[ -d "$src" ] || { echo "no source folder: $src" >&2; exit 2; }
case $limit in
    '' | *[!0-9]*) echo "not a line count: $limit" >&2; exit 2 ;;
esac
files=$(cd "$src" && find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's|^\./||' | sort)
[ -n "$files" ] || { echo "no sources under $src" >&2; exit 2; }
cd "$src"
# shellcheck disable=SC2086
awk -v limit="$limit" '
FNR == 1 && NR > 1 { check() }
{ file = FILENAME; lines = FNR }
END { check(); exit bad }
function check() {
    if (lines > limit) { print file ": " lines " lines, limit " limit; bad = 1 }
}
' $files
