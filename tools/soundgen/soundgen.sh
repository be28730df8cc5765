#!/usr/bin/env bash
# soundgen.sh OUTDIR [NAME...]: makes the game's sounds into OUTDIR
# (normally assets/sounds), as 22050 Hz mono 16-bit PCM RIFF WAV files:
#   ENTERED SLIDE DICE WONPOINT NOPOINT GAMEOVER   the table's events
#   WAVE1 .. WAVE20                                the chatter sounds
# With NAMEs, only those sounds are made again (e.g. DICE WAVE13).
# The table's sounds and the chatter sounds without words (cough, snore,
# applause, horn, raspberry) are synthesised with sox and awk; the spoken
# ones come from espeak-ng and are shaped with sox. The output is committed,
# so the normal build never runs this; after changing a sound:
#   tools/soundgen/soundgen.sh assets/sounds
# and check the 26 files together stay under 1.5 MB (the assets test does).
# Needs the Debian packages sox and espeak-ng. Noise is seeded (sox -R and
# rnd below), so a run on the same versions writes the same bytes.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 OUTDIR [NAME...]   (NAME: one sound, e.g. DICE; default all)" >&2
  exit 2
fi
for tool in sox espeak-ng; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is not installed" >&2; exit 1; }
done
OUT=$1
shift
mkdir -p "$OUT"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

RATE=22050
# -R: repeatable noise; -D: no dither (it would add noise to silence).
S() { sox -R -D -V1 "$@"; }

# A seeded generator of our own: bash reseeds $RANDOM in every subshell, and
# a run must write the same bytes each time. rnd N sets R to 0..N-1.
SEED=1
rnd() {
  SEED=$(( (SEED * 1103515245 + 12345) % 2147483648 ))
  R=$(( (SEED / 65536) % $1 ))
}

# tone FILE SECONDS WAVE FREQ [sox effects...]: one synthesised note with a
# short rounded onset, so notes never click when they start.
tone() {
  local f=$1 len=$2 wave=$3 freq=$4
  shift 4
  S -n -r $RATE -c 1 -b 16 "$T/$f.wav" synth "$len" "$wave" "$freq" fade q 0.004 "$@"
}

# notes FILE INSTRUMENT "FREQ:START:SECONDS:GAIN ...": plays the listed
# notes on one of a few additive instruments, computed sample by sample:
#   bell     struck partials dying away, the higher ones sooner
#   marimba  a wooden bar: fundamental and its fourth harmonic, short
#   brass    a horn: eight harmonics brightening as the note swells,
#            with a late vibrato
#   reed     a hollow, nasal tone (odd harmonics) with a slow wobble
notes() {
  local f=$1 inst=$2 list=$3
  awk -v sr=$RATE -v inst="$inst" -v list="$list" '
    BEGIN {
      pi = atan2(0, -1)
      n = split(list, ev, " ")
      total = 0
      for (k = 1; k <= n; k++) {
        split(ev[k], p, ":")
        fr[k] = p[1]; st[k] = p[2]; du[k] = p[3]; ga[k] = p[4]
        if (st[k] + du[k] > total) total = st[k] + du[k]
      }
      print "; Sample Rate " sr
      print "; Channels 1"
      len = int(total * sr)
      for (i = 0; i < len; i++) {
        t = i / sr; v = 0
        for (k = 1; k <= n; k++) {
          u = t - st[k]
          if (u < 0 || u >= du[k]) continue
          v += ga[k] * voice(fr[k], u, du[k])
        }
        printf "%.6f %.6f\n", t, v
      }
    }
    function voice(f, u, d,    a, rel, s, h, br) {
      a = u < 0.004 ? u / 0.004 : 1
      rel = d - u < 0.03 ? (d - u) / 0.03 : 1
      if (inst == "bell")
        return a * (exp(-u * 4) * sin(2 * pi * f * u) + 0.4 * exp(-u * 9) * sin(4 * pi * f * u) \
                    + 0.2 * exp(-u * 18) * sin(2 * pi * 4.2 * f * u)) * rel
      if (inst == "marimba")
        return a * rel * (exp(-u * 9) * sin(2 * pi * f * u) + 0.25 * exp(-u * 30) * sin(8 * pi * f * u) \
                          + (9.9 * f < sr / 2) * 0.1 * exp(-u * 60) * sin(2 * pi * 9.9 * f * u))
      if (inst == "brass") {
        a = u < 0.05 ? u / 0.05 : 1
        rel = d - u < 0.08 ? (d - u) / 0.08 : 1
        br = 0.35 + 0.65 * a
        s = 0
        for (h = 1; h <= 8; h++) s += br ^ (h - 1) / h * sin(2 * pi * h * wobble(f, u, 0.2, 0.006, 5.5))
        return a * rel * s * 0.5
      }
      if (inst == "reed") {
        a = u < 0.03 ? u / 0.03 : 1
        rel = d - u < 0.1 ? (d - u) / 0.1 : 1
        s = 0
        for (h = 1; h <= 9; h += 2) s += sin(2 * pi * h * wobble(f, u, 0.15, 0.025, 4.5)) / h
        return a * rel * s * 0.6
      }
      return 0
    }
    # Phase (in turns) of a note of frequency f at time u whose pitch swings
    # by the fraction depth, rate times a second, easing in from time from.
    function wobble(f, u, from, depth, rate,    dd) {
      dd = u < from ? 0 : (u - from < 0.3 ? (u - from) / 0.3 : 1) * depth
      return f * u - f * dd * cos(2 * pi * rate * u) / (2 * pi * rate)
    }' > "$T/$f.dat"
  S "$T/$f.dat" -r $RATE -c 1 -e floating-point -b 32 "$T/$f.wav"
}

# mix OUTFILE IN[@SECONDS]...: lays the named parts over each other, each
# starting at its offset (0 when none is given).
mix() {
  local out=$1 args=() part name at i=0
  shift
  for part in "$@"; do
    name=${part%@*}
    at=0
    [ "$name" != "$part" ] && at=${part#*@}
    S "$T/$name.wav" -e floating-point -b 32 "$T/mix_$i.wav" pad "$at"
    args+=(-v1 "$T/mix_$i.wav")
    i=$((i + 1))
  done
  if [ ${#args[@]} -eq 2 ]; then
    cp "${args[1]}" "$T/$out.wav"
  else
    S -m "${args[@]}" -e floating-point -b 32 "$T/$out.wav"
  fi
}

# say FILE VOICE PITCH SPEED TEXT: one spoken phrase from espeak-ng.
say() {
  espeak-ng -v "$2" -p "$3" -s "$4" -w "$T/$1.wav" "$5"
}

# finish NAME PART PEAK_DB [sox effects...]: shapes a part into
# OUTDIR/NAME.wav, trimmed of leading and trailing silence, its loudest
# sample at PEAK_DB (the frequent table sounds are kept quieter). The part
# is first brought well below full scale so that no effect clips.
finish() {
  local name=$1 part=$2 peak=$3
  shift 3
  S "$T/$part.wav" -r $RATE -c 1 -b 16 -e signed-integer "$T/fin_$name.wav" gain -n -10 "$@" \
    silence 1 0.002 0.3% reverse silence 1 0.002 0.3% reverse gain -n "$peak"
  # A short tail fade so no file ends on a step.
  local len
  len=$(soxi -D "$T/fin_$name.wav")
  S "$T/fin_$name.wav" "$OUT/$name.wav" fade q 0 "$len" 0.02
}

# ---------------------------------------------------------------- the table

make_ENTERED() {
  # A two-note door chime, high then low, in a small room.
  notes chime bell "659.25:0:1.2:0.5 523.25:0.32:1.5:0.5"
  finish ENTERED chime -3 reverb 30 50 60 trim 0 1.5 fade t 0 1.5 0.4
}

make_SLIDE() {
  # A wooden tile scraping down its slot and knocking against its stop.
  S -n -r $RATE -c 1 -b 16 "$T/scrape.wav" synth 0.27 brownnoise \
    bandpass 1100 900h tremolo 47 40 fade q 0.05 0.27 0.07 vol 0.5
  tone knock1 0.12 pluck 196 lowpass 1800 fade l 0 0.12 0.11
  tone knock2 0.06 sine 330 fade l 0 0.06 0.055 vol 0.5
  S -n -r $RATE -c 1 -b 16 "$T/knock3.wav" synth 0.01 whitenoise lowpass 3000 fade l 0 0.01 0.009 vol 0.4
  mix slide scrape knock1@0.24 knock2@0.24 knock3@0.24
  finish SLIDE slide -6 reverb 15 50 20 trim 0 0.42
}

# One hard click of a die on wood: a noise tick and the die's ring.
click() {
  local f=$1 ring=$2 g=$3
  S -n -r $RATE -c 1 -b 16 "$T/${f}_n.wav" synth 0.014 whitenoise highpass 1200 \
    fade l 0 0.014 0.013 vol "$g"
  tone "${f}_r" 0.05 sine "$ring" fade l 0 0.05 0.048 vol "$(awk "BEGIN{print $g*0.5}")"
  tone "${f}_b" 0.04 pluck "$(awk "BEGIN{print $ring/8}")" lowpass 1200 fade l 0 0.04 0.038 \
    vol "$(awk "BEGIN{print $g*0.6}")"
  mix "$f" "${f}_n" "${f}_r" "${f}_b"
}

make_DICE() {
  # Two dice shaken in a cup, thrown, bouncing to rest.
  SEED=7
  local parts=() i t g
  # Shaking: close clicks of both dice against each other and the cup.
  for i in $(seq 0 13); do
    rnd 20; t=$(awk "BEGIN{print 0.03 + $i*0.032 + $R/1000}")
    rnd 30; g=$(awk "BEGIN{print 0.35 + $R/100}")
    rnd 1800; click "c$i" $((2600 + R)) "$g"
    parts+=("c$i@$t")
  done
  # Thrown: each die bounces a few times, nearer together and softer.
  for d in 0 1; do
    local at=0.56 gap=0.13 gain=1.0
    [ $d -eq 1 ] && at=0.6
    for i in 0 1 2 3 4; do
      rnd 1400; click "b${d}_$i" $((2100 + R)) "$gain"
      parts+=("b${d}_$i@$at")
      rnd 15; at=$(awk "BEGIN{print $at + $gap + $R/1000}")
      gap=$(awk "BEGIN{print $gap*0.62}")
      gain=$(awk "BEGIN{print $gain*0.6}")
    done
  done
  mix dice "${parts[@]}"
  finish DICE dice -3 reverb 20 50 30
}

make_WONPOINT() {
  # A bright marimba run up to the octave, with a sparkle on top.
  notes run marimba "523.25:0:0.6:0.5 659.25:0.08:0.6:0.5 783.99:0.16:0.6:0.5 1046.5:0.24:0.7:0.6 \
1318.5:0.24:0.7:0.3"
  notes sparkle bell "2093:0.34:0.6:0.12 2637:0.42:0.5:0.1"
  mix won run sparkle
  finish WONPOINT won -3 reverb 30 50 50
}

make_NOPOINT() {
  # The sad horn: three steps down and a long, wobbling last note.
  notes sad reed "392:0:0.27:0.5 370:0.28:0.27:0.5 349.23:0.56:0.27:0.5 329.63:0.84:0.8:0.55"
  finish NOPOINT sad -4 lowpass 2200 reverb 25 50 40
}

make_GAMEOVER() {
  # A brass fanfare: ta-ta-ta taaa, ta taaaa, ending on a full chord.
  notes lead brass "392:0:0.11:0.5 392:0.13:0.11:0.5 392:0.26:0.11:0.5 523.25:0.39:0.42:0.6 \
392:0.84:0.14:0.5 523.25:1.0:1.4:0.6"
  notes low brass "329.63:0:0.11:0.35 329.63:0.13:0.11:0.35 329.63:0.26:0.11:0.35 392:0.39:0.42:0.4 \
329.63:0.84:0.14:0.35 392:1.0:1.4:0.4 261.63:1.0:1.4:0.4 659.25:1.0:1.4:0.3 130.81:1.0:1.4:0.3"
  mix fanfare lead low
  finish GAMEOVER fanfare -2 lowpass 4500 reverb 40 50 70
}

# ---------------------------------------------------------------- chatter

# burst FILE SECONDS GAIN [sox effects...]: a puff of noise that starts
# hard and dies away, shaped by the effects (a cough, a sneeze, a clap).
burst() {
  local f=$1 len=$2 g=$3
  shift 3
  S -n -r $RATE -c 1 -e floating-point -b 32 "$T/$f.wav" synth "$len" pinknoise "$@" \
    gain -n fade q 0.004 fade l 0 "$len" "$len" vol "$g"
}

make_WAVE1() {  # "Doh"
  say doh en-us+m7 30 150 "D'oh!"
  finish WAVE1 doh -1.5 pitch -150 reverb 10 50 20
}

make_WAVE2() {  # "Cough"
  local i at g
  local parts=()
  for i in 0 1 2; do
    at=$(awk "BEGIN{print $i*0.33}")
    g=$(awk "BEGIN{print 1 - $i*0.25}")
    burst "air$i" 0.28 "$g" bandpass 700 1400h lowpass 3500
    tone "throat$i" 0.2 sawtooth $((150 - i * 10)) lowpass 700 fade l 0 0.2 0.19 \
      vol "$(awk "BEGIN{print $g*0.35}")"
    parts+=("air$i@$at" "throat$i@$at")
  done
  mix cough "${parts[@]}"
  finish WAVE2 cough -1.5 reverb 15 50 25
}

make_WAVE3() {  # "Hello"
  say hello en-us+f3 60 150 "Hello!"
  finish WAVE3 hello -1.5 reverb 10 50 20
}

make_WAVE4() {  # "Thank You"
  say thanks en-us+f2 55 150 "Thank you!"
  finish WAVE4 thanks -1.5 reverb 10 50 20
}

make_WAVE5() {  # "Where have you been?"
  say where en-us+m1 45 155 "Where have you been?"
  finish WAVE5 where -1.5 reverb 10 50 20
}

make_WAVE6() {  # "Snoring"
  # A rattling breath in (the soft palate flapping thirty times a second),
  # then a long, soft sigh out.
  tone palate 1.2 sawtooth 92 lowpass 1400 tremolo 31 90 fade q 0.5 1.2 0.3 vol 0.6
  S -n -r $RATE -c 1 -e floating-point -b 32 "$T/breath.wav" synth 1.2 brownnoise \
    bandpass 500 700h gain -n tremolo 31 70 fade q 0.5 1.2 0.3 vol 0.3
  S -n -r $RATE -c 1 -e floating-point -b 32 "$T/sigh.wav" synth 0.9 pinknoise \
    bandpass 1300 1500h gain -n fade q 0.15 0.9 0.6 vol 0.25
  mix snore palate breath sigh@1.15
  finish WAVE6 snore -3 reverb 10 50 20
}

make_WAVE7() {  # "Sneezing"
  # Two catching breaths, each higher, then the sneeze itself.
  say ah1 en-us+m3 50 120 "Ahh"
  say ah2 en-us+m3 70 120 "Ahh"
  say choo en-us+m3 65 210 "choo!"
  local p
  for p in ah1 ah2 choo; do
    S "$T/$p.wav" -e floating-point -b 32 "$T/${p}t.wav" silence 1 0.01 1% reverse silence 1 0.01 1% reverse
  done
  S "$T/ah1t.wav" "$T/ah1b.wav" trim 0 0.3 bend 0.05,200,0.2 fade q 0.02 0.3 0.08
  S "$T/ah2t.wav" "$T/ah2b.wav" trim 0 0.38 bend 0.05,500,0.28 fade q 0.02 0.38 0.06
  S -n -r $RATE -c 1 -e floating-point -b 32 "$T/gasp.wav" synth 0.7 pinknoise \
    bandpass 1400 1600h gain -n fade q 0.1 0.7 0.1 vol 0.15
  burst spray 0.35 1.2 highpass 1800
  mix sneeze gasp ah1b ah2b@0.4 choot@0.95 spray@0.95
  finish WAVE7 sneeze -1.5 reverb 15 50 25
}

make_WAVE8() {  # "Sorry"
  say sorry en-us+m2 45 140 "Sorry!"
  finish WAVE8 sorry -1.5 reverb 10 50 20
}

make_WAVE9() {  # "Welcome"
  say welcome en-us+f4 55 145 "Welcome!"
  finish WAVE9 welcome -1.5 reverb 10 50 20
}

make_WAVE10() {  # "Yeehaa"
  # A cowboy's whoop: a rising "yee", a long falling "haa", and its echo.
  say yee en-us+m3 75 120 "Yee"
  say haa en-us+m3 80 100 "haw!"
  S "$T/yee.wav" -e floating-point -b 32 "$T/yeet.wav" silence 1 0.01 1% reverse silence 1 0.01 1% reverse \
    bend 0.02,400,0.2
  S "$T/haa.wav" -e floating-point -b 32 "$T/haat.wav" silence 1 0.01 1% reverse silence 1 0.01 1% reverse \
    bend 0.1,-500,0.3
  mix yeehaa yeet haat@"$(soxi -D "$T/yeet.wav")"
  finish WAVE10 yeehaa -1.5 pad 0 0.5 echo 0.8 0.7 220 0.3 reverb 20 50 40
}

make_WAVE11() {  # "Yippee"
  say yip en-us+f5 90 150 "Yippee!"
  finish WAVE11 yip -1.5 reverb 15 50 30
}

make_WAVE12() {  # "Oh No"
  say ohno en-us+m1 30 105 "Oh no!"
  finish WAVE12 ohno -1.5 bend 0.35,-300,0.5 reverb 15 50 30
}

make_WAVE13() {  # "Applause"
  # Fourteen people clapping, each at their own pace and in their own tone.
  SEED=13
  local parts=() i period n
  for i in $(seq 0 13); do
    rnd 1400; burst "clap$i" 0.03 1 bandpass $((900 + R)) 1500h
    rnd 80; period=$(awk "BEGIN{print 0.17 + $R/1000}")
    n=$(awk "BEGIN{print int(2.4/$period)}")
    rnd 50
    S "$T/clap$i.wav" "$T/claps$i.wav" pad 0 "$(awk "BEGIN{print $period - 0.03}")" repeat "$n" \
      vol "$(awk "BEGIN{print 0.5 + $R/100}")"
    rnd 200; parts+=("claps$i@$(awk "BEGIN{print $R/1000}")")
  done
  mix crowd "${parts[@]}"
  finish WAVE13 crowd -2 trim 0 2.4 fade q 0.15 2.4 0.8 reverb 40 50 60
}

make_WAVE14() {  # "Honk"
  # A car horn, twice: two reedy notes a third apart.
  local i at len
  local parts=()
  for i in 0 1; do
    at=$(awk "BEGIN{print $i*0.3}")
    len=$([ $i -eq 0 ] && echo 0.2 || echo 0.45)
    tone "lo$i" "$len" square 415 fade q 0 "$len" 0.03 vol 0.4
    tone "hi$i" "$len" square 523 fade q 0 "$len" 0.03 vol 0.35
    parts+=("lo$i@$at" "hi$i@$at")
  done
  mix horn "${parts[@]}"
  finish WAVE14 horn -3 lowpass 2500 overdrive 8 reverb 10 50 20
}

make_WAVE15() {  # "Oooh"
  # A small crowd, impressed: the "oooh" rises, then falls away.
  say o1 en-us+m3 35 80 "Ooooh!"
  say o2 en-us+f2 65 80 "Ooooh!"
  say o3 en-us+m1 50 85 "Ooooh!"
  mix ooh o1 o2@0.04 o3@0.08
  finish WAVE15 ooh -1.5 bend 0.05,250,0.25 bend 0.35,-450,0.4 reverb 40 50 60
}

make_WAVE16() {  # "Razzberry"
  # Lips blown loose: a low buzz flapping thirty times a second.
  tone buzz 0.85 sawtooth 95 tremolo 29 95 bandpass 500 900h fade q 0.02 0.85 0.2
  burst spit 0.85 0.25 bandpass 1800 2000h tremolo 29 90
  mix razz buzz spit
  finish WAVE16 razz -2 pitch -60 overdrive 6 0 highpass 70
}

make_WAVE17() {  # "Cheer"
  say y1 en-us+m3 70 140 "Yay!"
  say y2 en-us+f3 85 140 "Hooray!"
  say y3 en-us+m1 60 150 "Woo hoo!"
  say y4 en-us+f5 95 140 "Yay!"
  say y5 en-us+m7 55 140 "Yeah!"
  say y6 en-us+f4 90 150 "Hooray!"
  SEED=17
  local parts=() i period
  for i in 0 1 2 3 4 5; do
    rnd 1200; burst "cc$i" 0.03 0.12 bandpass $((1000 + R)) 1500h
    rnd 60; period=$(awk "BEGIN{print 0.16 + $R/1000}")
    S "$T/cc$i.wav" "$T/ccs$i.wav" pad 0 "$(awk "BEGIN{print $period - 0.03}")" repeat 10
    rnd 150; parts+=("ccs$i@$(awk "BEGIN{print $R/1000}")")
  done
  mix cheer y1 y2@0.1 y3@0.25 y4@0.4 y5@0.75 y6@0.95 "${parts[@]}"
  finish WAVE17 cheer -1.5 trim 0 2.0 fade q 0 2.0 0.6 reverb 40 50 60
}

# laugh FILE VOICE PITCH STEP GAP: a burst of "hah"s, each a little lower
# than the one before (PITCH, then PITCH-STEP, ...), GAP seconds apart and
# the last one drawn out, then a breath in.
laugh() {
  local f=$1 voice=$2 pitch=$3 step=$4 gap=$5 i len at
  local parts=()
  for i in 0 1 2 3 4 5; do
    say "${f}_$i" "$voice" $((pitch - i * step)) 230 "Hah!"
    len=0.15
    [ $i -eq 5 ] && len=0.32
    S "$T/${f}_$i.wav" -e floating-point -b 32 "$T/${f}_s$i.wav" silence 1 0.005 1% \
      trim 0 "$len" fade q 0.005 "$len" 0.06
    at=$(awk "BEGIN{print $i * $gap * (1 + $i * 0.04)}")
    parts+=("${f}_s$i@$at")
  done
  S -n -r $RATE -c 1 -e floating-point -b 32 "$T/${f}_gasp.wav" synth 0.35 pinknoise \
    bandpass 1600 1800h gain -n fade q 0.12 0.35 0.2 vol 0.12
  parts+=("${f}_gasp@$(awk "BEGIN{print 5 * $gap * 1.2 + 0.4}")")
  mix "$f" "${parts[@]}"
}

make_WAVE18() {  # "Woman Laughing"
  laugh wlaugh en-us+f4 95 6 0.17
  finish WAVE18 wlaugh -1.5 reverb 15 50 30
}

make_WAVE19() {  # "Man Laughing"
  laugh mlaugh en-us+m3 38 4 0.19
  finish WAVE19 mlaugh -1.5 reverb 15 50 30
}

make_WAVE20() {  # "Crying"
  say cry en-us+f2 70 105 "Waaah, boo hoo hoo hooo!"
  finish WAVE20 cry -1.5 tremolo 7 45 reverb 20 50 40
}

# ---- main
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  names=(ENTERED SLIDE DICE WONPOINT NOPOINT GAMEOVER)
  for i in $(seq 1 20); do names+=("WAVE$i"); done
fi
for name in "${names[@]}"; do
  if ! declare -F "make_$name" >/dev/null; then
    echo "$0: no sound named $name" >&2
    exit 2
  fi
  "make_$name"
  printf '%-9s %5.2f s\n' "$name" "$(soxi -D "$OUT/$name.wav")"
done
