#!/usr/bin/env bash
# Checks the device cabinet the build made: it holds exactly the game program,
# every pack, the default preferences and the help page, each byte for byte,
# all stamped with one fixed time; making it again from copies of the same
# inputs with other time stamps gives the very same bytes; and every installer
# program given after the inputs carries it byte for byte (only the 64-bit
# build can be run here, so this is what vouches for the 32-bit one).
set -u
cmake_exe=$1 script=$2 cabinet=$3 game=$4 data_dir=$5 prefs=$6 help=$7 gcab=$8
shift 8
installers=("$@")

fail=0
check() { # description, then the command that must succeed
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; fail=1; fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[[ -f $cabinet ]] || { echo "FAIL: no cabinet at $cabinet"; exit 1; }

# Expected members: name inside the cabinet <TAB> source file.
{
  printf 'zkv_2003SE\t%s\n' "$game"
  for pack in "$data_dir"/*.pak; do
    [[ -e $pack ]] && printf 'Data\\%s\t%s\n' "$(basename "$pack")" "$pack"
  done
  printf 'Data\\zkvprefs.sav\t%s\n' "$prefs"
  printf 'Tharnmoor.htm\t%s\n' "$help"
} | sort >"$work/expected"

"$gcab" -l "$cabinet" >"$work/listing" || { echo "FAIL: gcab cannot read the cabinet"; exit 1; }
awk '{print $1}' "$work/listing" | sort >"$work/members"
check "members are the game, the packs, the preferences and the help page" \
  diff -u <(cut -f1 "$work/expected") "$work/members"
check "every member carries the fixed time stamp" \
  awk '$3 != "2000-01-01" || $4 != "00:00:00" { bad = 1 } END { exit bad }' "$work/listing"

mkdir "$work/out"
"$gcab" -x -C "$work/out" "$cabinet" >/dev/null || { echo "FAIL: gcab cannot extract the cabinet"; exit 1; }
while IFS=$'\t' read -r name source; do
  check "$name equals $(basename "$source")" cmp -s "$work/out/${name//\\//}" "$source"
done <"$work/expected"

# Same inputs, fresh copies with today's time stamps: same cabinet.
mkdir -p "$work/again/Data"
cp "$game" "$work/again/game"
cp "$prefs" "$work/again/prefs"
cp "$help" "$work/again/help.htm"
for pack in "$data_dir"/*.pak; do [[ -e $pack ]] && cp "$pack" "$work/again/Data/"; done
touch "$work/again/game" "$work/again/prefs" "$work/again/help.htm" "$work/again/Data/"* 2>/dev/null
"$cmake_exe" -DGCAB="$gcab" -DGAME="$work/again/game" -DDATA_DIR="$work/again/Data" \
  -DPREFS="$work/again/prefs" -DHELP="$work/again/help.htm" -DOUT="$work/again.cab" \
  -DSTAGE="$work/stage" -P "$script" || { echo "FAIL: cannot make the cabinet again"; exit 1; }
check "making the cabinet again gives the same bytes" cmp "$work/again.cab" "$cabinet"

# carries CABINET PROGRAM: some "MSCF" signature in the program starts a copy
# of the whole cabinet.
carries() {
  local size offset
  size=$(stat -c %s "$1")
  for offset in $(LC_ALL=C grep -obUaF MSCF "$2" | cut -d: -f1); do
    cmp -s -n "$size" -i "0:$offset" "$1" "$2" && return 0
  done
  return 1
}
for program in "${installers[@]}"; do
  check "$(basename "$program") carries the cabinet" carries "$cabinet" "$program"
done

exit $fail
