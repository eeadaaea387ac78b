#!/usr/bin/env bash
# Runs the 64-bit installer under Wine on a virtual X screen, in a Wine prefix
# made for this run, with a stand-in CE application manager registered where
# the installer looks for the real one. A driver presses the wizard's buttons
# and logs what it saw; each case then checks the logs and the files on the
# prefix's drive C.
#   run_wine_tests.sh BUILD_DIR   (the folder holding the installer programs)
set -u
bin=$(cd "$1" && pwd)

# A missing tool skips these tests on a developer's machine; in CI (CI set)
# it fails them, so that an install that did not happen shows.
for tool in wine wineboot wineserver xvfb-run; do
  if ! command -v "$tool" >/dev/null; then
    [[ -n ${CI:-} ]] && { echo "FAIL: $tool is not installed (CI runs every test)"; exit 1; }
    echo "skipped: $tool is not installed"; exit 77
  fi
done
for program in zkv_install64.exe zkv_install64_texts.exe wizard_driver.exe standin_manager.exe wrap_check.exe \
               zkv_2003SE.cab; do
  [[ -f $bin/$program ]] || { echo "FAIL: $bin/$program is missing (build first)"; exit 1; }
done

# Everything below runs on one virtual screen, shared by all cases.
if [[ -z ${THARN_INSTALLER_ON_XVFB:-} ]]; then
  export THARN_INSTALLER_ON_XVFB=1
  exec timeout -k 10 280 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
cleanup() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' TERM INT HUP

quiet() { "$@" >/dev/null 2>&1; }
echo "making the Wine prefix in $WINEPREFIX"
quiet timeout 120 wineboot -i || { echo "FAIL: wineboot could not make the prefix"; exit 1; }
# Without a window manager Wine draws the window frames itself.
quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f

drive_c=$WINEPREFIX/drive_c
mkdir -p "$drive_c/setup/logs" "$drive_c/setup/shots"
cp "$bin"/zkv_install64.exe "$bin"/zkv_install64_texts.exe "$bin"/wizard_driver.exe "$bin"/wrap_check.exe \
   "$drive_c/setup/"
manager_dir="$drive_c/Program Files/Lodestar Sync"
mkdir -p "$manager_dir" "$drive_c/Program Files/Empty Sync"
cp "$bin/standin_manager.exe" "$manager_dir/CEAPPMGR.EXE"
# A decoy where an unquoted "C:\Program Files\Lodestar Sync\..." would be
# taken for "C:\Program Files\Lodestar" plus arguments.
cp "$bin/standin_manager.exe" "$drive_c/Program Files/Lodestar.exe"
decoy_log="$drive_c/Program Files/standin.log"

MANAGER='C:\Program Files\Lodestar Sync\CEAPPMGR.EXE'
FOLDER='C:\Program Files\Lodestar Sync\Tharnmoor'
install_dir="$manager_dir/Tharnmoor"
standin_log="$manager_dir/standin.log"
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\CEAPPMGR.EXE'
SHIPPED='C:\setup\zkv_install64.exe'
TEXTS='C:\setup\zkv_install64_texts.exe'

WELCOME='page back=hidden next="Next >" cancel="Cancel" text=off'
LICENCE='page back=shown next="Yes" cancel="No" text="THARNMOOR - LICENCE AGREEMENT||Please re"'
README_TEXTS='page back=shown next="Next >" cancel="Cancel" text="Test read-me: this page must be shown."'
LICENCE_EMPTY='page back=shown next="Yes" cancel="No" text=""'
NO_MANAGER='msgbox title="Setup" text="Windows CE Services not found on this computer. Setup cannot continue and will now exit."'

register() { quiet wine reg add "$KEY" /ve /d "$1" /f; }
unregister() { quiet wine reg delete "$KEY" /f; }
reset_files() { rm -rf "$install_dir" "$standin_log" "$decoy_log" "$drive_c/No Such Place" "$drive_c/Program Files/Empty Sync/Tharnmoor"; }

failures=0
current=""
begin() { current=$1; echo "case: $current"; reset_files; touch "$work/marker"; }
fail() { echo "FAIL [$current]: $*"; failures=$((failures + 1)); }

# drive NAME INSTALLER STEP...: runs the wizard through the steps; the log is
# left in $log.
drive() {
  local name=$1 installer=$2; shift 2
  log="$drive_c/setup/logs/$name.log"
  rm -f "$log"
  timeout -k 5 60 wine 'C:\setup\wizard_driver.exe' "C:\\setup\\logs\\$name.log" "$installer" "$@" >/dev/null 2>&1
  [[ -f $log ]] || { fail "the driver wrote no log"; : >"$log"; }
}

expect_log() { # the expected lines, one per argument
  if ! diff -u <(printf '%s\n' "$@") <(tr -d '\r' <"$log") >"$work/diff"; then
    fail "the wizard did not behave as expected:"
    cat "$work/diff"
  fi
}

expect_installed() {
  [[ -d $install_dir ]] || { fail "the install folder was not created"; return; }
  printf '[CEAppManager]\r\nVersion = 1.0\r\nComponent = Tharnmoor\r\n\r\n[Tharnmoor]\r\nDescription = \r\nUninstall = Tharnmoor\r\nCabFiles = zkv_2003SE.cab\r\n' >"$work/install.ini"
  cmp -s "$install_dir/install.ini" "$work/install.ini" || fail "install.ini does not hold the expected bytes"
  cmp -s "$install_dir/zkv_2003SE.cab" "$bin/zkv_2003SE.cab" || fail "the written cabinet differs from the carried one"
  local files
  files=$(cd "$install_dir" && ls -A | tr '\n' ' ')
  [[ $files == "install.ini zkv_2003SE.cab " ]] || fail "the install folder holds: $files"
  printf '"%s" "%s"\n' "$MANAGER" "$FOLDER\\install.ini" >"$work/standin.expected"
  cmp -s "$standin_log" "$work/standin.expected" ||
    fail "the manager was not started once with the INI file: $(cat "$standin_log" 2>/dev/null || echo 'never started')"
  [[ ! -e $decoy_log ]] || fail "another program was started instead: $(cat "$decoy_log")"
}

expect_nothing_written() {
  [[ ! -e $install_dir ]] || fail "the install folder was created"
  [[ ! -e $standin_log ]] || fail "the manager was started: $(cat "$standin_log")"
  # Nor anywhere else on drive C outside Wine's own folders and our logs.
  local written
  written=$(cd "$drive_c" && find . -newer "$work/marker" ! -type d ! -path './windows/*' ! -path './users/*' \
            ! -path './ProgramData/*' ! -path './setup/logs/*' | sort | tr '\n' ' ')
  [[ -z $written ]] || fail "files were written: $written"
}

# --- Word wrapping of the welcome page's texts ----------------------------------
begin "word wrapping"
timeout -k 5 60 wine 'C:\setup\wrap_check.exe' 'C:\setup\logs\wrap.log' >/dev/null 2>&1
if [[ -f $drive_c/setup/logs/wrap.log ]]; then
  tr -d '\r' <"$drive_c/setup/logs/wrap.log" | sed 's/^/  /'
  grep -q '^all cases passed$' "$drive_c/setup/logs/wrap.log" || fail "word wrapping cases failed"
else
  fail "the wrapping check wrote no log"
fi

# --- A whole install, with a screenshot of each page ---------------------------
begin "install"
register "$MANAGER"
drive install "$SHIPPED" page shot 'C:\setup\shots\welcome.bmp' next page shot 'C:\setup\shots\licence.bmp' \
  back page next page exists "$FOLDER" next end
# The read-me ships empty, so Next on the welcome page leads to the licence and
# Back from there returns to the welcome page; nothing exists before Yes.
expect_log "$WELCOME" "$LICENCE" "$WELCOME" "$LICENCE" "exists $FOLDER no" "exit 0"
expect_installed

# --- Installing again replaces the files in the existing folder ---------------
begin "reinstall over stale files"
mkdir -p "$install_dir"
head -c 5000 /dev/urandom >"$install_dir/install.ini"
head -c 100 /dev/urandom >"$install_dir/zkv_2003SE.cab"
drive reinstall "$SHIPPED" next next end
expect_log "exit 0"
expect_installed

# --- A registered path stored without its terminating NUL ----------------------
# The value fills all 260 bytes the installer reads, so the registry has no
# room to add a NUL; no Windows path is that long, so it counts as not found.
begin "unterminated registry string filling the buffer"
quiet wine "$manager_dir/CEAPPMGR.EXE" --register-unterminated "C:\\$(printf 'x%.0s' $(seq 1 244))\\CEAPPMGR.EXE"
rm -f "$standin_log"
drive unterminated "$SHIPPED" next next end
expect_log "$NO_MANAGER" "exit 0"
expect_nothing_written
register "$MANAGER"

# --- Leaving the wizard without accepting writes nothing -----------------------
# name | steps (blank separated)
while IFS='|' read -r name steps; do
  begin "$name"
  # shellcheck disable=SC2086 # the steps are words
  drive leave "$SHIPPED" $steps end
  expect_log "exit 0"
  expect_nothing_written
done <<'CASES'
cancel on the welcome page|cancel
no on the licence page|next cancel
closing the window on the licence page|next close
closing the window on the welcome page|close
CASES

# --- The licence page is shown even when its text is empty ---------------------
begin "empty licence is still asked"
drive texts "$TEXTS" page next page shot 'C:\setup\shots\readme.bmp' next page shot 'C:\setup\shots\licence_empty.bmp' \
  exists "$FOLDER" back page next next end
expect_log "$WELCOME" "$README_TEXTS" "$LICENCE_EMPTY" "exists $FOLDER no" "$README_TEXTS" "exit 0"
expect_installed

# --- Failures: each shows its message once and the installer ends ------------
# name | registered path ("-" for none) | expected message line | what must be on disk afterwards
long_path="C:\\$(printf 'x%.0s' $(seq 1 300))\\CEAPPMGR.EXE"
# The longest path Windows allows (259 characters) is read whole.
longest_dir="C:\\$(printf 'x%.0s' $(seq 1 243))"
while IFS='|' read -r name path message after; do
  begin "$name"
  case $after in
    blocked) mkdir -p "$install_dir/install.ini" ;; # a folder where the file must go
  esac
  if [[ $path == - ]]; then unregister; else register "$path"; fi
  drive failure "$SHIPPED" next next end
  expect_log "$message" "exit 0"
  case $after in
    nothing) expect_nothing_written ;;
    no-place) [[ ! -e "$drive_c/No Such Place" ]] || fail "a folder was made under a missing one" ;;
    blocked)
      [[ ! -e $standin_log ]] || fail "the manager was started after a write failure"
      [[ -d $install_dir/install.ini ]] || fail "the blocking folder was removed" ;;
    written)
      [[ -f "$drive_c/Program Files/Empty Sync/Tharnmoor/install.ini" ]] || fail "the files were not written"
      [[ ! -e $standin_log ]] || fail "something was started" ;;
  esac
done <<CASES
no manager registered|-|$NO_MANAGER|nothing
registered path without a backslash|CEAPPMGR.EXE|$NO_MANAGER|nothing
registered path longer than allowed|$long_path|$NO_MANAGER|nothing
registered path of the longest length|$longest_dir\\CEAPPMGR.EXE|msgbox title="$longest_dir\\Tharnmoor" text="Could not create install directory. Setup cannot continue and will exit."|nothing
install folder cannot be created|C:\\No Such Place\\CEAPPMGR.EXE|msgbox title="C:\\No Such Place\\Tharnmoor" text="Could not create install directory. Setup cannot continue and will exit."|no-place
a file cannot be written|$MANAGER|msgbox title="$FOLDER" text="An error occured writing your Windows CE application to disk. Setup cannot continue and will exit."|blocked
registered manager cannot be started|C:\\Program Files\\Empty Sync\\CEAPPMGR.EXE|$NO_MANAGER|written
CASES

# Keep the screenshots beside the build for whoever wants to look at them.
mkdir -p "$bin/screenshots"
for shot in "$drive_c"/setup/shots/*.bmp; do
  [[ -f $shot ]] || continue
  if command -v convert >/dev/null; then
    convert "$shot" "$bin/screenshots/$(basename "${shot%.bmp}").png"
  else
    cp "$shot" "$bin/screenshots/"
  fi
done
[[ -f "$drive_c/setup/shots/welcome.bmp" && -f "$drive_c/setup/shots/licence.bmp" ]] || {
  current="screenshots"; fail "the page screenshots were not taken"; }

if ((failures)); then
  echo "$failures installer check(s) failed"
  exit 1
fi
echo "all installer checks passed"
