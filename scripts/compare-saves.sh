#!/usr/bin/env bash
# Saves the same edits with two builds of quenloft-cli and compares the files byte for
# byte: a refactoring of the save must not change one byte it writes.
#   scripts/compare-saves.sh OLD_CLI NEW_CLI
# Every sample gets each value of a list per field, alone and in both unit systems; the
# exit status and the resulting file must agree.
set -euo pipefail
old=${1:?usage: compare-saves.sh OLD_CLI NEW_CLI}
new=${2:?usage: compare-saves.sh OLD_CLI NEW_CLI}
root="$(cd "$(dirname "$0")/.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

nox_edits=(
  run_name=Test run_name= "run_name=A long run name of forty-seven characters...."
  vehicle_name=Civic vehicle_name=
  weight=1 weight=200 weight=1500 weight=65535 weight=1234.5 weight=1235.5 weight=1e3 weight=0
  weight=65536 weight=abc "weight= 1500"
  redline=7000 redline=65535 redline=0 shift_point=255 shift_point=6500.6
  rollout_length=2.25 rollout_length=25.5 rollout_length=25.6 rollout_length=.05 rollout_length=0
  pitch_factor=1.2 pitch_factor=.25 pitch_factor=.75 pitch_factor=9.9 pitch_factor=10
  "notes=A
B" notes= notes=xxxxxxxxxx
)
solvane_edits=(
  weight=1 weight=2 weight=1500 weight=3300 weight=65535 weight=144177 weight=144178 weight=2714.8
  "weight=1600 "
  frontal_area=.001 frontal_area=0.05 frontal_area=1.5 frontal_area=16.14 frontal_area=655
  frontal_area=655.005 frontal_area=7051 frontal_area=7052
  coeff_of_drag=.29 coeff_of_drag=.355 coeff_of_drag=.005 coeff_of_drag=.995 coeff_of_drag=abc
  driveline_loss=9. driveline_loss=.5 driveline_loss=99 driveline_loss=1
)
compared=0
differ=0
for sample in "$root"/samples/*; do
  case "$sample" in *.kvp|*.KVP) edits=("${nox_edits[@]}") ;; *) edits=("${solvane_edits[@]}") ;; esac
  for units in "" --metric; do
    for edit in "${edits[@]}"; do
      name=$(basename "$sample")
      cp "$sample" "$work/old-$name"
      cp "$sample" "$work/new-$name"
      set +e
      "$old" set $units "$work/old-$name" "$edit" >/dev/null 2>&1; old_rc=$?
      "$new" set $units "$work/new-$name" "$edit" >/dev/null 2>&1; new_rc=$?
      set -e
      compared=$((compared + 1))
      if [ "$old_rc" != "$new_rc" ] || ! cmp -s "$work/old-$name" "$work/new-$name"; then
        differ=$((differ + 1))
        echo "DIFFERS: $name $units '$edit' (exit $old_rc vs $new_rc)"
      fi
    done
  done
done
echo "$compared saves compared, $differ differ."
[ "$differ" -eq 0 ]
