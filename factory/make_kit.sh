#!/usr/bin/env bash
#
# Builds the factory kit: the files a new "Tarvo_Calls" sound folder is filled from.
#
# The nine calls are the traditional (public-domain) US Army bugle calls, synthesised
# here note by note from the tables below; nothing is sampled or downloaded. The two
# short device sounds and the companion text files are written here as well.
#
# Run it by hand after changing a table and commit the result: the build only copies
# kit/ as it is in the repository and never runs this script.
#
# Usage: factory/make_kit.sh [output-folder]     (default: factory/kit)
# Needs: bash, awk, sox, lame.

set -euo pipefail
export LC_ALL=C # awk and printf must write decimal points

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
kit=${1:-$here/kit}
rate=22050
kbps=32 # mono speech-grade bitrate keeps every call well under 100 KB

for tool in sox lame awk; do
  command -v "$tool" >/dev/null || { echo "make_kit: $tool is required" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$kit"

# A B-flat bugle has no valves: it only sounds the natural harmonics of its tube, which
# at concert pitch are Bb3 F4 Bb4 D5 F5. The chime voice borrows the octave above.
declare -A hz=(
  [Bb3]=233.08 [F4]=349.23 [Bb4]=466.16 [D5]=587.33 [F5]=698.46
  [Bb5]=932.33 [D6]=1174.66 [F6]=1396.91
)

# One note (or rest "r") of LEN seconds into OUT.
render_note() {
  local voice=$1 name=$2 len=$3 out=$4
  if [[ $name == r ]]; then
    sox -R -n -r "$rate" -c 1 -b 16 "$out" trim 0 "$len"
    return
  fi
  local f=${hz[$name]:-}
  [[ -n $f ]] || { echo "make_kit: unknown note '$name'" >&2; exit 1; }

  # Every note is tongued: it sounds for most of its slot and leaves a short silence,
  # so repeated notes stay audible as separate notes.
  # Fades shrink with the note, or short notes would be all fade and click.
  local on gap rise fall
  read -r on gap rise fall < <(awk -v l="$len" 'BEGIN {
    g = l * 0.15; if (g < 0.012) g = 0.012; if (g > 0.08) g = 0.08
    on = l - g
    r = on * 0.3; if (r > 0.028) r = 0.028
    f = on * 0.4; if (f > 0.05) f = 0.05
    printf "%.4f %.4f %.4f %.4f\n", on, g, r, f }')

  case $voice in
    bugle)
      # Sawtooth plus a narrow pulse gives the bright, nasal brass spectrum; the low-pass
      # takes off the buzz a real bugle never radiates. Quick attack, short release.
      sox -R -n -r "$rate" -c 1 -b 16 "$out" \
        synth "$on" sawtooth "$f" synth "$on" square mix "$f" 0 0 28 \
        lowpass 2600 highpass 150 gain -6 fade q "$rise" "$on" "$fall" pad 0 "$gap"
      ;;
    chime)
      # A struck tone: sine plus its octave, near-instant attack, long decay.
      sox -R -n -r "$rate" -c 1 -b 16 "$out" \
        synth "$on" sine "$f" synth "$on" sine mix "$(awk -v f="$f" 'BEGIN { printf "%.2f", 2 * f }')" \
        gain -6 fade l 0.004 "$on" "$(awk -v l="$on" 'BEGIN { printf "%.4f", l * 0.9 }')" pad 0 "$gap"
      ;;
    *)
      echo "make_kit: unknown voice '$voice'" >&2; exit 1
      ;;
  esac
}

# render_tune FILE VOICE SECONDS-PER-BEAT "NOTE:BEATS ..."
render_tune() {
  local file=$1 voice=$2 beat=$3 melody=$4
  local parts=() i=0 tok name beats len part
  for tok in $melody; do
    [[ $tok == '|' ]] && continue
    name=${tok%%:*}
    beats=${tok#*:}
    [[ $name != "$tok" && -n $beats ]] || { echo "make_kit: bad token '$tok' in $file" >&2; exit 1; }
    len=$(awk -v b="$beats" -v s="$beat" 'BEGIN { printf "%.4f", b * s }')
    part=$(printf '%s/n%04d.wav' "$work" "$i")
    render_note "$voice" "$name" "$len" "$part"
    parts+=("$part")
    i=$((i + 1))
  done
  sox -R "${parts[@]}" "$work/line.wav"
  # A small room, with space after the last note for it to ring out.
  sox -R "$work/line.wav" "$work/tune.wav" pad 0.05 0.7 reverb 22 50 35 norm -1.5
  lame --quiet --noreplaygain -m m -b "$kbps" "$work/tune.wav" "$kit/$file"
  rm -f "${parts[@]}" "$work/line.wav" "$work/tune.wav"
}

# Each line of a text file ends in CR LF.
write_lines() {
  local out=$1; shift
  printf '%s\r\n' "$@" >"$out"
}

# A playlist: names separated by CR LF with none after the last; an empty list is 0 bytes.
write_playlist() {
  local out=$1; shift
  : >"$out"
  local sep=""
  for name in "$@"; do
    printf '%s%s' "$sep" "$name" >>"$out"
    sep=$'\r\n'
  done
}

# ---------------------------------------------------------------------------------
# Melodies, in concert pitch. A token is NOTE:BEATS; "r" is a rest. Bar lines are
# only for reading. Long calls are cut to their first phrases. Taps, Reveille and
# Adjutant's Call follow the calls note for note, First Call keeps its galloping
# arpeggio; the others keep the character and shape of the call but are simplified.
# ---------------------------------------------------------------------------------

# Taps: 24 notes, slow, with held notes where the bugler would pause.
TAPS='
  F4:0.75 F4:0.25 Bb4:2.5 r:0.5
  F4:0.75 Bb4:0.25 D5:2.5 r:0.5
  F4:0.5 Bb4:0.5 D5:1 | F4:0.5 Bb4:0.5 D5:1 | F4:0.5 Bb4:0.5 D5:2.5 r:0.5
  Bb4:0.75 D5:0.25 F5:2 | D5:1 Bb4:1 F4:3 r:0.5
  F4:0.75 F4:0.25 Bb4:4.5
'

# Reveille, first strain ("I can't get 'em up ..."), in eighths.
REVEILLE='
  F4:1 | Bb4:1 D5:0.5 Bb4:0.5 F4:1 D5:1 | Bb4:1 D5:0.5 Bb4:0.5 F4:1 D5:1
       | Bb4:1 D5:0.5 Bb4:0.5 F4:1 Bb4:1 | D5:2 Bb4:1
  F4:1 | Bb4:1 D5:0.5 Bb4:0.5 F4:1 D5:1 | Bb4:1 D5:0.5 Bb4:0.5 F4:1 D5:1
       | Bb4:1 D5:0.5 Bb4:0.5 F4:1 F4:1 | Bb4:3
  D5:1 | D5:1 D5:1 D5:1 D5:1 | F5:2 D5:1
  Bb4:1 | D5:1 Bb4:1 D5:1 Bb4:1 | D5:2 Bb4:1
  D5:1 | D5:1 D5:1 D5:1 D5:1 | F5:2 D5:1
  Bb4:1 | D5:1 Bb4:1 F4:1 F4:1 | Bb4:4
'

# First Call, the galloping 6/8 call (also heard at race tracks), in eighths.
FIRST_CALL='
  F4:1 | Bb4:1.5 D5:0.5 F5:1 F5:2 D5:1 | Bb4:1.5 D5:0.5 F5:1 F5:2 D5:1
       | Bb4:1.5 D5:0.5 F5:1 D5:1.5 Bb4:0.5 D5:1 | F5:5 F4:1
       | Bb4:1.5 D5:0.5 F5:1 F5:2 D5:1 | Bb4:1.5 D5:0.5 F5:1 F5:2 D5:1
       | Bb4:1.5 D5:0.5 F5:1 D5:1.5 Bb4:0.5 F4:1 | Bb4:6
'

# Adjutant's Call, twice through, in eighths.
ADJUTANT='
  F5:1 D5:0.5 Bb4:0.5 F5:2 | F5:1 D5:0.5 Bb4:0.5 F5:2 | F5:1 D5:0.5 Bb4:0.5 F4:1 F5:1
  D5:1 F5:0.5 D5:0.5 Bb4:2
  F5:1 D5:0.5 Bb4:0.5 F5:2 | F5:1 D5:0.5 Bb4:0.5 F5:2 | F5:1 D5:0.5 Bb4:0.5 F4:1 F5:1
  D5:1 F5:0.5 D5:0.5 Bb4:3
'

# Assembly, in eighths.
ASSEMBLY='
  F4:1 Bb4:1 D5:1 Bb4:1 F4:1 Bb4:1 D5:2
  F4:1 Bb4:1 D5:1 Bb4:1 F4:1 Bb4:1 F4:2
  D5:1 F5:1 D5:2 | D5:1 F5:1 D5:2
  F4:1 Bb4:1 D5:1 F4:1 Bb4:4
'

# Attention: a short rising arpeggio to a held top note.
ATTENTION='
  Bb3:2 F4:0.5 Bb4:0.5 D5:0.5 F5:3 | D5:1 F5:4
'

# To the Color, stately, first half, in eighths.
TO_THE_COLOR='
  Bb4:2 Bb4:1 D5:1 F5:4 | D5:2 Bb4:1 D5:1 F5:4
  F5:1 F5:1 D5:1 F5:1 D5:2 Bb4:2 | F4:4 Bb4:4
  D5:2 D5:1 F5:1 D5:2 Bb4:2 | F4:2 Bb4:1 D5:1 F5:4
  D5:1 F5:1 D5:1 Bb4:1 F4:2 F4:2 | Bb4:8
'

# Tattoo, first strain, in eighths.
TATTOO='
  Bb4:2 Bb4:1 Bb4:1 D5:2 Bb4:2 | F5:2 F5:1 D5:1 Bb4:4
  D5:2 D5:1 D5:1 F5:2 D5:2 | Bb4:2 F4:2 Bb4:4
  F4:1 F4:1 Bb4:1 D5:1 F5:2 D5:2 | Bb4:1 D5:1 F5:2 D5:4
  Bb4:2 D5:2 F5:2 D5:2 | Bb4:2 F4:2 Bb4:4
'

# Retreat, first phrases, in eighths (6/8 feel).
RETREAT='
  F4:1 Bb4:1 D5:1 F5:3 | D5:1 Bb4:1 D5:1 F5:3 | F5:1 D5:1 Bb4:1 D5:2 Bb4:1 | F4:6
  Bb4:1 D5:1 F5:1 F5:2 F5:1 | D5:1 F5:1 D5:1 Bb4:3 | F4:1 Bb4:1 D5:1 Bb4:2 F4:1 | Bb4:6
'

# Device sounds: a rising and a falling two-note chime.
CHIME_UP='Bb5:1 F6:3'
CHIME_DOWN='F6:1 Bb5:3'

render_tune tothecolor.mp3    bugle 0.19 "$TO_THE_COLOR"
render_tune tattoo.mp3        bugle 0.19 "$TATTOO"
render_tune Taps.mp3          bugle 0.62 "$TAPS"
render_tune reveille.mp3      bugle 0.15 "$REVEILLE"
render_tune retreat.mp3       bugle 0.21 "$RETREAT"
render_tune FirstCall.mp3     bugle 0.15 "$FIRST_CALL"
render_tune attention.mp3     bugle 0.22 "$ATTENTION"
render_tune assembly.mp3      bugle 0.19 "$ASSEMBLY"
render_tune adjudantscall.mp3 bugle 0.25 "$ADJUTANT"
render_tune bt1_orig.mp3      chime 0.16 "$CHIME_UP"
render_tune bt2_orig.mp3      chime 0.16 "$CHIME_DOWN"

# Companion files for the device; Korvane copies them without reading them.
write_lines "$kit/L.txt" "en"
write_lines "$kit/S.txt" "volume=12 shuffle=0 repeat=0"
write_lines "$kit/T.txt" "Tarvo calls"

# Playlists: 0 is every call in factory order, 1-3 are day-routine selections.
write_playlist "$kit/0.txt" tothecolor.mp3 tattoo.mp3 Taps.mp3 reveille.mp3 retreat.mp3 \
  FirstCall.mp3 attention.mp3 assembly.mp3 adjudantscall.mp3
write_playlist "$kit/1.txt" FirstCall.mp3 reveille.mp3 assembly.mp3
write_playlist "$kit/2.txt" retreat.mp3 tothecolor.mp3 tattoo.mp3 Taps.mp3
write_playlist "$kit/3.txt" attention.mp3 adjudantscall.mp3 tothecolor.mp3
for n in 4 5 6 7 8 9; do
  write_playlist "$kit/$n.txt"
done

echo "make_kit: wrote $(find "$kit" -maxdepth 1 -type f | wc -l) files to $kit"
