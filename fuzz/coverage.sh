#!/bin/sh
# What the fuzz corpora reach: builds each target's replayer (tests/fuzz,
# the ordinary main that runs every input once) with clang's source-based
# coverage, replays the committed corpus and reproducers of each target, and
# prints per target the line and branch coverage of the code that target
# exists to exercise (not of everything it happens to link).
#
#   fuzz/coverage.sh [BUILD_DIR]        (default: build-cov beside the sources)
#
# Needs clang, llvm-profdata-14, llvm-cov-14 and python3. The annotated
# listing of each target is left in BUILD_DIR/coverage/TARGET.txt (count 0:
# a line never run; "Branch ... [True: 0" or "False: 0": a way never taken).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-$root/build-cov}
profdata=${LLVM_PROFDATA:-llvm-profdata-14}
cov=${LLVM_COV:-llvm-cov-14}

# target: the files it exists to exercise
sources() {
  case $1 in
    # every file the server class is split over (TServer*.cpp), so a part
    # added later is counted from the day it lands
    server_bytes) echo "$(cd "$root" && echo src/server/TServer*.cpp)" src/server/StrangerGate.cpp \
      src/server/FloodGate.cpp src/server/SeatHold.cpp src/server/SeatKeys.cpp src/server/RemovedPlayers.cpp ;;
    session_bytes) echo src/session/Session.cpp src/session/SessionTable.cpp src/session/SessionHold.cpp \
      src/session/SessionChat.cpp src/session/SessionModeration.cpp \
      src/session/JoinHandshake.cpp src/session/ReclaimHandshake.cpp ;;
    table_game) echo src/server/TServerGame.cpp src/session/SessionTable.cpp ;;
    chat_line) echo src/chat/ChatLineParser.cpp src/chat/LinkAddress.cpp src/net/ColourText.cpp ;;
    net_fields) echo src/net/LineFramer.cpp src/net/Fields.cpp src/net/Cp1252.cpp ;;
    lzrw1_decode) echo src/store/Lzrw1KH.cpp src/store/Tlzrw1.cpp ;;
    tally_text) echo src/store/TallyTable.cpp src/store/TallyFile.cpp ;;
    discovery_txt) echo src/discovery/FoundGames.cpp src/discovery/GameTxt.cpp ;;
  esac
}
# target: functions of those files left out, being about files on disk,
# which the unit tests drive (a regular expression over mangled names)
leftOut() {
  case $1 in
    lzrw1_decode) echo 'File(Source|Sink)|Tlzrw18CompressEv|Tlzrw110DecompressEv|openInput' ;;
    tally_text) echo 'TallyFile4load|TallyFile4save' ;;
    *) echo '^$' ;;
  esac
}
targets="server_bytes session_bytes table_game chat_line net_fields lzrw1_decode tally_text discovery_txt"

flags="-fprofile-instr-generate -fcoverage-mapping"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTILECREST_BUILD_TESTS=ON \
  -DTILECREST_BUILD_FUZZ=OFF -DCMAKE_CXX_FLAGS="$flags" >/dev/null
replayers=""
for t in $targets; do replayers="$replayers replay_$t"; done
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $replayers >/dev/null

out=$build/coverage
mkdir -p "$out"
printf '%-14s %7s %14s %16s   %s\n' target inputs "lines" "branches" "of"
for t in $targets; do
  dirs=""
  for d in corpus regressions; do [ -d "$here/$d/$t" ] && dirs="$dirs $here/$d/$t"; done
  inputs=0
  # shellcheck disable=SC2086
  [ -n "$dirs" ] && inputs=$(find $dirs -type f | wc -l)
  rm -f "$out/$t".profraw
  # shellcheck disable=SC2086
  LLVM_PROFILE_FILE="$out/$t.profraw" "$build/tests/replay_$t" $dirs >/dev/null
  "$profdata" merge -sparse -o "$out/$t.profdata" "$out/$t.profraw"
  : > "$out/$t.txt"
  for f in $(sources "$t"); do
    echo "@@FILE $f" >> "$out/$t.txt"
    "$cov" show "$build/tests/replay_$t" -instr-profile="$out/$t.profdata" -show-branches=count -name-regex=. \
      "$root/$f" >> "$out/$t.txt"
  done
  python3 "$here/coverage_sum.py" "$out/$t.txt" "$(leftOut "$t")" "$t" "$inputs" \
    "$(sources "$t" | sed 's|src/||g')"
done
