#!/bin/sh
# Every program refuses a wrong command line the same way: the problem and
# the usage on stderr, nothing on stdout, exit status 2, at once (a program
# that opened its window or port would still be running after a second) and
# without touching the player's folders. In the desktop's language: English
# in C, German and French where the desktop speaks them.
# Usage: bad_command_lines_test.sh TILECREST TILECREST_SERVER TILECREST_PACK
set -u
# English unless a case says otherwise.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
usage=Usage:
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0

# expect PROGRAM MESSAGE ARG...
# Offscreen: a bad command line ends before any window; should a fault open
# one, it must not need (or wait for) a display.
expect() {
    program=$1 message=$2
    shift 2
    rm -rf "$dir/home" && mkdir -p "$dir/home"
    HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/config" XDG_DATA_HOME="$dir/home/data" \
        XDG_RUNTIME_DIR="$dir/home" QT_QPA_PLATFORM=offscreen \
        timeout -s KILL 1 "$program" "$@" > "$dir/out" 2> "$dir/err"
    rc=$?
    name=$(basename "$program")
    what="$name $*"
    if [ $rc -ne 2 ]; then echo "FAIL: $what: exit status $rc, not 2"; failures=$((failures + 1)); return; fi
    head -n 1 "$dir/err" | grep -qxF "$name: $message" || {
        echo "FAIL: $what: stderr begins '$(head -n 1 "$dir/err")', not '$name: $message'"; failures=$((failures + 1)); }
    grep -q "^$usage $name" "$dir/err" || { echo "FAIL: $what: no usage on stderr"; failures=$((failures + 1)); }
    [ -s "$dir/out" ] && { echo "FAIL: $what: wrote to stdout"; failures=$((failures + 1)); }
    [ -z "$(ls -A "$dir/home")" ] || { echo "FAIL: $what: left $(ls -A "$dir/home")"; failures=$((failures + 1)); }
    [ "$(ls -A "$dir/program")" = "$(basename "$game")" ] ||
        { echo "FAIL: $what: left $(ls -A "$dir/program") beside the game"; failures=$((failures + 1)); }
}

# The game is a portable copy, which keeps its files beside itself: it runs
# from a folder of its own, which a bad command line leaves as it was.
mkdir "$dir/program" && cp "$1" "$dir/program/" || exit 1
game="$dir/program/$(basename "$1")" server=$2 pack=$3
for program in "$game" "$server"; do
    expect "$program" "unknown option -h" -h
    expect "$program" "unknown option --bogus" --bogus
    expect "$program" "--port needs a value" --port
    expect "$program" '--port needs a whole number (0..65535), not "abc"' --port abc
    expect "$program" "--port 70000 is out of range (0..65535)" --port 70000
    expect "$program" "--port -1 is out of range (0..65535)" --port=-1
done
expect "$game" "unknown option --bogus" Ann --bogus
expect "$game" 'NAME, HOST and true or x go together; only 1 word given: "Bob"' Bob
expect "$game" 'NAME, HOST and true or x go together; only 2 words given: "Bob" "10.0.0.5"' Bob 10.0.0.5 --port 7773
expect "$game" "unknown option -platform" -platform offscreen
expect "$game" "--pause-ms 0 is out of range (1..60000)" --pause-ms 0
expect "$server" 'unexpected word "Ann"' Ann
expect "$server" '--bind needs an IP address, not "nowhere"' --bind nowhere
expect "$server" "--login-ms 3600001 is out of range (0..3600000)" --login-ms 3600001
expect "$pack" "unknown option -h" -h
expect "$pack" "unknown option --port" --port 7772
expect "$pack" "no command given"
expect "$pack" 'unknown command "frobnicate"' frobnicate
expect "$pack" "pack needs IN and OUT" pack onlyone
expect "$pack" "show needs one TALLYFILE" show
expect "$pack" "--help and --version stand alone" --help show x

# The same in German and in French, wherever the problem is found.
usage=Aufruf: LANG=de_DE.UTF-8
expect "$game" "unbekannte Option --bogus" --bogus
expect "$server" "--port 70000 liegt außerhalb des Bereichs (0..65535)" --port 70000
expect "$server" '--bind braucht eine IP-Adresse, nicht „nowhere“' --bind nowhere
expect "$pack" "pack braucht QUELLE und ZIEL" pack onlyone
usage="Usage :" LANG=fr_FR.UTF-8
expect "$game" 'NOM, HÔTE et true ou x vont ensemble ; un seul mot donné : "Bob"' Bob
expect "$server" '--port demande un nombre entier (0..65535), pas « abc »' --port abc
expect "$pack" "--help et --version s'emploient seuls" --help show x
usage=Usage: LANG=C.UTF-8

# Words after the third are ignored, and named on stderr before anything
# else; a name may start with a dash. (The game starts: it is stopped.)
rm -rf "$dir/home" && mkdir -p "$dir/home"
HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/config" XDG_DATA_HOME="$dir/home/data" \
    XDG_RUNTIME_DIR="$dir/home" QT_QPA_PLATFORM=offscreen \
    timeout -s TERM 2 "$game" -Ace- 127.0.0.1 x d --e --port 1 > "$dir/out" 2> "$dir/err"
head -n 1 "$dir/err" | grep -qxF 'tilecrest: ignored the words after the third: "d" "--e"' || {
    echo "FAIL: extra words: stderr begins '$(head -n 1 "$dir/err")'"; failures=$((failures + 1)); }
grep -q "^Usage:" "$dir/err" && { echo "FAIL: extra words: the usage was shown"; failures=$((failures + 1)); }

# --help still answers on stdout with status 0 (offscreen: as above, no window).
for program in "$game" "$server" "$pack"; do
    QT_QPA_PLATFORM=offscreen timeout -s KILL 1 "$program" --help > "$dir/out" 2>&1 ||
        { echo "FAIL: $(basename "$program") --help"; failures=$((failures + 1)); }
    grep -q "^Usage: $(basename "$program")" "$dir/out" || { echo "FAIL: $(basename "$program") --help text"; failures=$((failures + 1)); }
done
[ $failures -eq 0 ] && echo ok
exit $failures
