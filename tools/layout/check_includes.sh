#!/bin/sh
# Checks that every '#include "folder/..."' under a source tree goes only to a
# folder that the floor table allows, and that no file of a Qt-free folder
# includes a Qt header ('#include <QString>', <QtCore/...>). The table is the
# one in the architecture notes, between the markers <!-- floors --> and
# <!-- /floors -->, one row per folder:
# | `folder` | floor | `allowed`, `allowed` | Qt |
# where the last cell is "no" for a folder that must stay free of Qt.
# Usage: check_includes.sh TABLE.md SRC_DIR
# Prints one line per wrong include (file:line) and exits 1 if there is any.
set -eu
table=$1
src=$2
[ -f "$table" ] || { echo "no floor table: $table" >&2; exit 2; }
[ -d "$src" ] || { echo "no source folder: $src" >&2; exit 2; }
table=$(cd "$(dirname "$table")" && pwd)/$(basename "$table")

files=$(cd "$src" && find . -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's|^\./||' | sort)
[ -n "$files" ] || { echo "no sources under $src" >&2; exit 2; }

cd "$src"
# shellcheck disable=SC2086
awk -v table="$table" '
BEGIN {
    inside = 0
    while ((getline row < table) > 0) {
        if (row ~ /<!-- floors -->/) { inside = 1; continue }
        if (row ~ /<!-- \/floors -->/) { inside = 0; continue }
        if (!inside || row !~ /^\| *`/) continue
        n = split(row, cell, "|")
        folder = cell[2]; gsub(/[` ]/, "", folder)
        known[folder] = 1; rows++
        qt = cell[5]; gsub(/[ \t]/, "", qt)
        if (n >= 6 && qt == "no") qtfree[folder] = 1
        rest = cell[4]
        while (match(rest, /`[a-z]+`/)) {
            allowed[folder, substr(rest, RSTART + 1, RLENGTH - 2)] = 1
            rest = substr(rest, RSTART + RLENGTH)
        }
    }
    if (rows == 0) { print "the floor table in " table " is empty"; bad = 1; exit }
}
FNR == 1 {
    here = FILENAME; sub(/\/.*/, "", here)
    if (!(here in known) && !(here in reported)) {
        print FILENAME ": folder " here " is not in the floor table"; reported[here] = 1; bad = 1
    }
}
/^[ \t]*#[ \t]*include[ \t]*[<"]Q/ {
    if (here in qtfree) {
        header = $0; sub(/^[^<"]*[<"]/, "", header); sub(/[>"].*/, "", header)
        print FILENAME ":" FNR ": " here " is free of Qt and may not include " header
        bad = 1
    }
    next
}
/^[ \t]*#[ \t]*include[ \t]*"/ {
    path = $0; sub(/^[^"]*"/, "", path); sub(/".*/, "", path)
    if (path !~ /\//) next
    target = path; sub(/\/.*/, "", target)
    if (!(here in known) || !(target in known) || target == here) next
    if (!((here, target) in allowed)) {
        print FILENAME ":" FNR ": " here " may not include " path
        bad = 1
    }
}
END { exit bad }
' $files
