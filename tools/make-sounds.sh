#!/usr/bin/env bash
# Makes the program's 32 sounds in resources/sounds: twelve short game sounds synthesised with sox
# and twenty chatter sounds, spoken by espeak-ng or shaped from noise, that say or sound like the
# caption of their entry in the chatter menu.
#
# Every file is 16-bit PCM WAVE, mono, 22,050 Hz and shorter than two seconds, the format that
# QSoundEffect plays everywhere. sox runs in repeatable mode (-R), so the noise is the same on
# every run and regenerating changes no bytes.
#
# Usage: tools/make-sounds.sh [output folder]   (default: resources/sounds next to this script)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../resources/sounds}
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in sox espeak-ng; do
  command -v "$tool" >/dev/null || { echo "make-sounds: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

RATE=22050
FORMAT=(-r "$RATE" -c 1 -b 16 -e signed-integer)
MAXLEN=1.9   # seconds; the limit is 2

# sox with repeatable noise, no dither and quiet about clipping that norm removes anyway.
sx() { sox -R -D -V1 "$@"; }

# finish NAME INPUT [effects...]: trims silence at both ends, applies the effects, caps the
# length, normalises and writes the final file.
finish() {
  local name=$1 input=$2
  shift 2
  # Separate passes: effects such as "fade ... -0" need a known length, which "silence" hides.
  sx "$input" "${FORMAT[@]}" "$work/$name.trim.wav" \
    silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse
  if [ $# -gt 0 ]; then
    sx "$work/$name.trim.wav" "${FORMAT[@]}" "$work/$name.fx.wav" "$@"
  else
    cp "$work/$name.trim.wav" "$work/$name.fx.wav"
  fi
  sx "$work/$name.fx.wav" "${FORMAT[@]}" "$work/$name.cut.wav" trim 0 "$MAXLEN"
  sx "$work/$name.cut.wav" "${FORMAT[@]}" "$out/$name.wav" norm -2 fade t 0 -0 0.02
}

# tone NAME DURATION SYNTH-ARGS...: a synthesised sound, written to the work folder.
tone() {
  local name=$1 len=$2
  shift 2
  sx -n "${FORMAT[@]}" "$work/$name" synth "$len" "$@"
}

# say NAME "TEXT" VOICE SPEED PITCH: speech by espeak-ng.
say() {
  espeak-ng -v "$3" -s "$4" -p "$5" -w "$work/$1.speech.wav" "$2"
}

# --- Game sounds -------------------------------------------------------------------------------

# One hit of a die: a short noise click with a woody knock under it, decaying at once.
# hit OUT KNOCK-HZ GAIN
hit() {
  tone h.noise.wav 0.02 whitenoise
  sx "$work/h.noise.wav" "$work/h.click.wav" sinc 1200-7000 fade q 0.0005 0.02 0.019
  tone h.knock.wav 0.05 pluck "$2"
  sx -m -v 1 "$work/h.click.wav" -v 0.6 "$work/h.knock.wav" "$work/$1" vol "$3"
}

# A rattle: hits at uneven gaps and strengths, like dice tumbling onto a table.
# rattle NAME BASE-HZ "gap:gain" ...
rattle() {
  local name=$1 base=$2
  shift 2
  local parts=() i=0
  for step in "$@"; do
    hit "r$i.wav" "$((base + (i * 370) % 900))" "${step#*:}"
    sx "$work/r$i.wav" "$work/rp$i.wav" pad "${step%%:*}" 0
    parts+=("$work/rp$i.wav")
    i=$((i + 1))
  done
  sx "${parts[@]}" "$work/$name.raw.wav"
  finish "$name" "$work/$name.raw.wav"
}
rattle dice 2200 0:1 0.04:0.7 0.02:0.9 0.07:0.5 0.03:0.6 0.09:0.35 0.05:0.25
rattle dice2 1500 0:1 0.02:0.8 0.05:1 0.015:0.6 0.06:0.8 0.03:0.5 0.08:0.6 0.04:0.35 0.1:0.25

# setdice / unsetdice: a wooden tick up and a lower tick back.
tone setdice.wav 0.08 pluck 1320
finish setdice "$work/setdice.wav" fade q 0 0.08 0.06
tone unsetdice.wav 0.08 pluck 660
finish unsetdice "$work/unsetdice.wav" fade q 0 0.08 0.06

# entered: a rising two-note doorbell.
tone e1.wav 0.18 sine 659 sine 1318 remix 1,2
tone e2.wav 0.35 sine 880 sine 1760 remix 1,2
sx "$work/e1.wav" "$work/e2.wav" "$work/entered.raw.wav"
finish entered "$work/entered.raw.wav" fade q 0 -0 0.2

# error: a low buzz.
tone error.wav 0.35 square 150 square 155 remix 1,2
finish error "$work/error.wav" lowpass 1200 fade q 0.01 -0 0.05

# noscore: a falling "wah-wah".
tone noscore.wav 0.6 sawtooth 400-180
finish noscore "$work/noscore.wav" lowpass 900 tremolo 6 60 fade q 0.02 -0 0.15

# scored: a bright two-note ding.
tone s1.wav 0.12 pluck 1047
tone s2.wav 0.4 pluck 1568
sx "$work/s1.wav" "$work/s2.wav" "$work/scored.raw.wav"
finish scored "$work/scored.raw.wav"

# fivekind: a fanfare arpeggio ending on a held chord.
notes=()
for f in 523 659 784 1047; do
  tone "f$f.wav" 0.13 square "$f"
  sx "$work/f$f.wav" "$work/fl$f.wav" lowpass 3000 fade q 0.005 0.13 0.03
  notes+=("$work/fl$f.wav")
done
tone fchord.wav 0.7 square 523 square 659 square 784 square 1047 remix 1-4
sx "$work/fchord.wav" "$work/fchordl.wav" lowpass 3000 fade q 0.01 -0 0.4
sx "${notes[@]}" "$work/fchordl.wav" "$work/fivekind.raw.wav"
finish fivekind "$work/fivekind.raw.wav"

# gameover: three falling notes and a long low one.
notes=()
for f in 784 659 523; do
  tone "g$f.wav" 0.22 triangle "$f"
  sx "$work/g$f.wav" "$work/gl$f.wav" fade q 0.01 0.22 0.05
  notes+=("$work/gl$f.wav")
done
tone glast.wav 0.8 triangle 392 triangle 196 remix 1,2
sx "$work/glast.wav" "$work/glastf.wav" fade q 0.01 -0 0.6
sx "${notes[@]}" "$work/glastf.wav" "$work/gameover.raw.wav"
finish gameover "$work/gameover.raw.wav"

# turn (classic): a bell chime with its overtones dying away.
tone turn.wav 1.2 sine 1047 sine 2094 sine 3141 remix 1v0.6,2v0.3,3v0.1
finish turn "$work/turn.wav" fade q 0.002 -0 1.1

# turnnew: three quick rising chimes.
notes=()
for f in 784 988 1175; do
  tone "t$f.wav" 0.3 sine "$f" sine "$((f * 2))" remix 1v0.7,2v0.3
  sx "$work/t$f.wav" "$work/tl$f.wav" fade q 0.002 0.3 0.25 trim 0 0.16
  notes+=("$work/tl$f.wav")
done
# The reverb rings on into the padding; "finish" then trims what stays silent.
sx "${notes[@]}" "$work/turnnew.raw.wav" pad 0 0.4 reverb 30
finish turnnew "$work/turnnew.raw.wav"

# --- Chatter sounds ----------------------------------------------------------------------------

spoken() { # spoken NAME "TEXT" VOICE SPEED PITCH [effects...]
  local name=$1 text=$2 voice=$3 speed=$4 pitch=$5
  shift 5
  say "$name" "$text" "$voice" "$speed" "$pitch"
  finish "$name" "$work/$name.speech.wav" "$@"
}

spoken wave1 "D'oh!" en-us+m3 150 30                      # Doh
# wave2 Cough: two short bursts of dark noise.
tone c1.wav 0.16 brownnoise
sx "$work/c1.wav" "$work/c1f.wav" lowpass 1800 fade q 0.01 0.16 0.12 pad 0 0.12
tone c2.wav 0.22 brownnoise
sx "$work/c2.wav" "$work/c2f.wav" lowpass 1500 fade q 0.01 0.22 0.18
sx "$work/c1f.wav" "$work/c2f.wav" "$work/cough.wav"
finish wave2 "$work/cough.wav" overdrive 10
spoken wave3 "Hello!" en-us 160 55                        # Hello
spoken wave4 "Thank you!" en-us 160 50                    # Thank You
spoken wave5 "Where have you been?" en-us 175 50          # Where have you been?
# wave6 Snoring: a slow rumbling breath in and out.
tone snore.wav 1.8 brownnoise
sx "$work/snore.wav" "$work/snoref.wav" lowpass 350 tremolo 28 70 fade q 0.6 1.8 0.7
finish wave6 "$work/snoref.wav"
spoken wave7 "Ah... ah... choo!" en-us+f2 190 70          # Sneezing
spoken wave8 "Sorry!" en-us 150 45                        # Sorry
spoken wave9 "Welcome!" en-us 150 50                      # Welcome
spoken wave10 "Yee haa!" en-us+m3 170 80                  # Yeehaa
spoken wave11 "Yippee!" en-us+f3 170 85                   # Yippee
spoken wave12 "Oh no!" en-us 130 35                       # Oh No
# wave13 Applause: eight people clapping, each at an uneven pace; bash's generator is seeded,
# so the claps fall at the same moments on every run.
RANDOM=1977
tone clap.noise.wav 0.03 whitenoise
sx "$work/clap.noise.wav" "$work/clap.wav" sinc 700-6000 fade q 0.001 0.03 0.028
clappers=()
for person in 1 2 3 4 5 6 7 8; do
  parts=()
  for beat in 1 2 3 4 5 6 7 8 9; do
    # printf -v: a $(...) subshell would reseed RANDOM
    if [ "$beat" -eq 1 ]; then
      printf -v gap '0.%03d' $((RANDOM % 150))
    else
      printf -v gap '0.%03d' $((120 + RANDOM % 110))
    fi
    sx "$work/clap.wav" "$work/clap$person.$beat.wav" vol "0.$((5 + RANDOM % 5))" pad "$gap" 0
    parts+=("$work/clap$person.$beat.wav")
  done
  sx "${parts[@]}" "$work/clapper$person.wav"
  clappers+=("$work/clapper$person.wav")
done
sx -m "${clappers[@]}" "$work/applause.wav"
finish wave13 "$work/applause.wav" fade q 0.05 -0 0.4 reverb 40
# wave14 Honk: a two-tone horn.
tone honk.wav 0.6 square 392 square 494 remix 1,2
finish wave14 "$work/honk.wav" overdrive 5 lowpass 2500 fade q 0.02 -0 0.05
spoken wave15 "Ooooooh!" en-us+f2 90 40                   # Oooh
# wave16 Razzberry: a buzzing, fluttering blow.
tone razz.wav 0.9 sawtooth 85 brownnoise remix 1v0.8,2v0.4
sx "$work/razz.wav" "$work/razzf.wav" tremolo 32 80 lowpass 1600 fade q 0.03 0.9 0.2
finish wave16 "$work/razzf.wav"
spoken wave17 "Hooray!" en-us+m2 150 70                   # Cheer
spoken wave18 "Ha ha ha ha ha!" en-us+f4 200 90           # Woman Laughing
spoken wave19 "Ho ho ho ho!" en-us+m3 170 15              # Man Laughing
spoken wave20 "Waah... boo hoo hoo!" en-us+f3 140 75      # Crying

count=$(find "$out" -maxdepth 1 -name '*.wav' | wc -l)
echo "make-sounds: $count sounds in $out"
