#!/usr/bin/env bash
# The real tessellor.exe end to end under Wine, on a private virtual display: the sample application
# opens windows, the control program drives and reads them, and every rectangle is compared with what
# tessellor-sim computes for the same desktop, so the simulator is proven faithful to the program.
#
#   tests/e2e/run.sh            every check; screenshots and logs in build/e2e-artifacts/
#   tests/e2e/run.sh --demo     only start-up, both layouts and Close; screenshots in demo/
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

mode=test
shots=$root/build/e2e-artifacts
if [ "${1:-}" = --demo ]; then
  mode=demo
  shots=$root/demo
fi
started=$SECONDS

scripts/install-deps.sh cmake make g++ file g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 \
  libgtest-dev libgmock-dev googletest libbenchmark-dev wine wine64 xvfb xdotool imagemagick

# Both builds are incremental, and the simulator is built where scripts/test.sh builds it later.
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j 2 >/dev/null
cmake --preset dev >/dev/null
cmake --build --preset dev --target tessellor-sim -j 2 >/dev/null

bin=$root/build/mingw/bin
sim=$root/build/dev/tools/sim/tessellor-sim
art=$root/build/e2e-artifacts
run=$root/build/e2e-run
rm -rf "$art" "$run"
mkdir -p "$art" "$run" "$shots" "$root/build/e2e-tmp"

# One TMPDIR for every wine call of the run: they must all find the same server.
export TMPDIR=$root/build/e2e-tmp
export WINEPREFIX=$root/build/e2e-prefix
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

passed=0
failed=0
pass() {
  passed=$((passed + 1))
  echo "PASS  $*"
}
fail() {
  failed=$((failed + 1))
  echo "FAIL  $*"
}
skip() { echo "SKIPPED  $*"; }
note() { echo "      $*"; }

xvfb_pid=""
ctl_open=""
cleanup() {
  set +e
  if [ -n "$ctl_open" ]; then echo quit >&"${CTL[1]}"; fi
  if [ -d "$WINEPREFIX" ]; then timeout 30 wineserver -k >/dev/null 2>&1; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A private X server; it writes its display number to the pipe once it accepts clients.
mkfifo "$TMPDIR/displayfd.$$"
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$TMPDIR/displayfd.$$" >"$art/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 20 display <"$TMPDIR/displayfd.$$" || true
rm -f "$TMPDIR/displayfd.$$"
[ -n "$display" ] || { fail "Xvfb did not start"; exit 1; }
export DISPLAY=":$display"

# Nothing left of an earlier run may share the prefix's server.
if [ -d "$WINEPREFIX" ]; then timeout 30 wineserver -k >/dev/null 2>&1 || true; fi

# The prefix is made once and reused. A virtual desktop: without a window manager, rootless Wine
# draws no frames and stalls on every destroy.
if [ ! -f "$WINEPREFIX/.tessellor-ready" ]; then
  rm -rf "$WINEPREFIX"
  echo "e2e: creating the Wine prefix $WINEPREFIX"
  timeout 120 wine wineboot -i >>"$art/wine.log" 2>&1
  timeout 30 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$art/wine.log" 2>&1
  timeout 30 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >>"$art/wine.log" 2>&1
  timeout 60 wineserver -w
  touch "$WINEPREFIX/.tessellor-ready"
fi

# The program keeps its settings per user, in the reused prefix: every run starts without them, as
# every scenario does.
user_settings=$(timeout 30 winepath -u "$(timeout 30 wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')")
user_settings=${user_settings%/}/Tessellor
rm -rf "$user_settings"

# The control program stays up for the whole run; every command is answered with lines and a ".".
coproc CTL { cd "$run" && exec wine "$bin/tessellor-ctl.exe" 2>>"$art/ctl.log"; }
ctl_open=1
lines=()
ctl() {
  local wait=${CTL_WAIT:-60} line
  printf '%s\n' "$@" >&"${CTL[1]}"
  echo "> $1" >>"$art/ctl.log"
  lines=()
  while IFS= read -r -t "$wait" line <&"${CTL[0]}"; do
    line=${line%$'\r'}
    [ "$line" = "." ] && { REPLY=${lines[0]:-}; return 0; }
    lines+=("$line")
    echo "< $line" >>"$art/ctl.log"
  done
  echo "e2e: the control program did not answer '$1'"
  exit 1
}

# A screenshot once it shows every window painted where the simulator put it: the pixel near each
# window's lower left corner (clear of its title) has the window's colour. Wine paints and copies to
# the display a moment after a window moves, so the screenshot is taken again until it does.
shot() {
  local file=$shots/$1.png deadline=$((SECONDS + 20)) e name l t r b x y want got bad
  while :; do
    import -window root -strip -define png:exclude-chunks=date,time "$file"
    bad=""
    for e in "${expected[@]}"; do
      read -r name l t r b <<<"$e"
      [ "$l" = minimized ] && continue
      x=$((l + 20))
      y=$(((b < 1024 ? b : 1024) - 20))
      want=${colour[$name]}
      got=$(convert "$file" -format "%[hex:u.p{$x,$y}]" info:)
      [ "$got" = "$want" ] || bad+=" $name($x,$y)=$got, not $want"
    done
    [ -z "$bad" ] && break
    if [ "$SECONDS" -ge "$deadline" ]; then
      fail "screenshot $1:$bad"
      return
    fi
  done
  note "screenshot $file"
}

# --- the desktop, as the simulator is to see it ---------------------------------------------------
# Every sample window covers the point (640, 480). Wine re-sorts the z-order of windows that do not
# overlap a moment after they are shown; windows that all overlap keep the order they were given,
# so the order the simulator is told is the one the program enumerates.
declare -A minimum=(
  [Alpha]="200 150" [Bravo]="116 27" [Charlie]="300 200" [Delta]="200 260" [Echo]="116 27" [Foxtrot]="116 27"
  [Sleeper]="116 27"
)
samples=(
  Alpha,120,80,620,480,200,150,C0392B Bravo,560,60,520,520,116,27,2980B9 Charlie,80,400,640,420,300,200,27AE60
  Delta,600,380,560,440,200,260,8E44AD Echo,360,300,440,360,116,27,16A085 Foxtrot,540,180,400,560,116,27,D35400
)
# Its own process, so that only it stops answering.
sleeper=Sleeper,420,260,500,400,116,27,7F8C8D

declare -A colour=()
for sample in "${samples[@]}" "$sleeper"; do colour[${sample%%,*}]=${sample##*,}; done

scenario=()
declare -A described=()  # name -> its `window` line, as last described
# A new scenario from the desktop as the control program reads it: metrics, windows bottom first
# (each new window goes on top), the foreground window.
describe_desktop() {
  ctl metrics
  read -r _ cx cy mx my _ <<<"$REPLY"
  local head=("screen $cx $cy" "minsize $mx $my")
  ctl windows
  local foreground=none i
  described=()
  for ((i = ${#lines[@]} - 1; i >= 0; i--)); do
    read -r _ name l t r b flags <<<"${lines[i]}"
    local state=""
    [[ " $flags " == *" minimized "* ]] && state=" minimized"
    [[ " $flags " == *" foreground "* ]] && foreground=$name
    described[$name]="window $name at $l $t $r $b min ${minimum[$name]}$state"
    head+=("${described[$name]}")
  done
  scenario=("${head[@]}" "foreground $foreground" "start" "check 1016 on")
}

# The described desktop again, stacked as the control program reads the windows now. The Border
# Layout places without restacking, so after it this is the order the program enumerated.
restack_described() {
  ctl metrics
  read -r _ cx cy mx my _ <<<"$REPLY"
  local head=("screen $cx $cy" "minsize $mx $my") i name
  ctl windows
  for ((i = ${#lines[@]} - 1; i >= 0; i--)); do
    read -r _ name _ <<<"${lines[i]}"
    head+=("${described[$name]}")
  done
  scenario=("${head[@]}" "${scenario[@]:$((${#head[@]}))}")
}

# Runs the scenario so far; `expected` gets the rectangles it ends with, `foreground` its foreground
# window and `layout` its layout.
expected=()
foreground=""
layout=()
simulate() {
  local file=$art/$1.scn
  printf '%s\n' "${scenario[@]}" "print windows" "print layout" >"$file"
  if ! "$sim" "$file" >"${file%.scn}.out" 2>"${file%.scn}.err"; then
    fail "$1: the simulator rejected the scenario"
    cat "${file%.scn}.err"
    exit 1
  fi
  expected=()
  foreground=""
  layout=()
  local kind name l t r b flags
  while read -r kind name l t r b flags; do
    if [ "$kind" = window ]; then
      [[ " $flags " == *" foreground "* ]] && foreground=$name
      [ "$name" = Tessellor ] && continue
      if [[ " $flags " == *" minimized "* ]]; then expected+=("$name minimized"); else expected+=("$name $l $t $r $b"); fi
    else
      layout+=("$kind $name $l $t $r $b $flags")
    fi
  done <"${file%.scn}.out"
}

# Waits until the real windows stand where the simulator put them; `matched` tells whether they did.
# With "foreground", the foreground window must be the simulator's too: the program activates the
# window it places last, so this also waits for the program to finish. (A user's click, minimise or
# restore activates windows as the simulator does not model, so not after those.)
matched=""
compare() {
  local name=$1 ms=$2 line also=()
  if [ "${3:-}" = foreground ]; then also=("foreground ${foreground:-none}"); fi
  ctl "expect $ms" "${expected[@]}" "${also[@]}" "."
  if [[ $REPLY == ok* ]]; then
    matched=1
    local took=${REPLY#ok }
    # The next step acts only once the program is done with this one.
    ctl "barrier $ms"
    [ "$REPLY" = ok ] || note "the program did not come back to its message loop within $ms ms"
    pass "$name ($took ms)"
    return
  fi
  matched=""
  fail "$name: the windows did not reach the simulator's rectangles within $ms ms"
  for line in "${expected[@]}" "${also[@]}"; do note "simulator: $line"; done
  for line in "${lines[@]:1}"; do note "real:      $line"; done
}

first_of() {  # the first window of a band ("north" ...) or of the grid in the simulator's layout
  local line kind name
  for line in "${layout[@]}"; do
    read -r kind name _ <<<"$line"
    [ "$kind" = "$1" ] && { echo "$name"; return; }
  done
  return 0
}

bound() {  # a boundary ("northBottom" ...) of the simulator's border layout
  local line
  for line in "${layout[@]}"; do
    if [[ $line == bounds* ]]; then sed -n "s/.* $1 \([^ ]*\).*/\1/p" <<<"$line"; fi
  done
}

rect_of() {  # the expected rectangle of a window
  local e
  for e in "${expected[@]}"; do [[ $e == "$1 "* ]] && { echo "${e#"$1 "}"; return; }; done
  return 0
}

log_count() {  # how many lines of the sample log start with a prefix
  grep -c "^$2" "$run/$1" 2>/dev/null || true
}

# An xdotool drag: press at one point, move halfway, then to the end, release. Screen coordinates
# are desktop coordinates in Wine's virtual desktop.
drag() {
  local x=$1 y=$2 dx=$3 dy=$4
  xdotool mousemove "$x" "$y" mousedown 1 mousemove $((x + dx / 2)) $((y + dy / 2)) \
    mousemove $((x + dx)) $((y + dy)) mouseup 1
}

# Drags and waits for the sample application's report of the new rectangle, which goes to the
# simulator as the same user action.
drag_window() {
  local title=$1 x=$2 y=$3 dx=$4 dy=$5 before
  before=$(log_count sampler.log "event movesizeend $title ")
  drag "$x" "$y" "$dx" "$dy"
  ctl "wait-log sampler.log event_movesizeend_${title}_ $((before + 1)) 10000"
  [ "$REPLY" != timeout ] || return 1
  read -r _ _ _ l t r b <<<"$REPLY"
  scenario+=("set-rect $title $l $t $r $b")
}

# Ctrl+Left pressed with SendInput: passes when the foreground sample window logs it (Ctrl held), that
# is when no hotkey of the program took it.
ctrl_left_reaches_sample() {
  local name="" line before
  ctl windows
  for line in "${lines[@]}"; do [[ " $line " == *" foreground "* ]] && read -r _ name _ <<<"$line"; done
  if [ -z "$name" ]; then
    fail "$1: no sample window is in the foreground"
    return
  fi
  before=$(log_count sampler.log "keydown $name 25 ctrl")
  ctl "key ctrl+left"
  ctl "wait-log sampler.log keydown_${name}_25_ctrl $((before + 1)) 5000"
  if [ "$REPLY" != timeout ]; then pass "$1: $name receives it"; else fail "$1: $name never received it"; fi
}

# --- start-up ----------------------------------------------------------------------------------
( cd "$run" && timeout 170 wine "$bin/tessellor.exe" >>"$art/tessellor.log" 2>&1
  echo $? >"$run/tessellor.exit" ) &

ctl "wait-dialog hidden 30000"
ctl dialog
if [[ $REPLY == "dialog "*" hidden 1" ]]; then
  pass "start-up: the main dialog is found hidden by FindWindowA(\"#32770\", \"Tessellor\")"
else
  fail "start-up: no hidden main dialog ($REPLY)"
  exit 1
fi
ctl "wait-tray shown 10000"
if [ "$REPLY" = ok ]; then pass "start-up: the tray icon is shown"; else fail "start-up: no tray icon"; fi
ctl exe-path
exe_path=${REPLY#exe-path }
run_value=$(timeout 30 wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tessellor 2>/dev/null |
  tr -d '\r' | sed -n 's/^ *Tessellor *REG_SZ *//p')
if [ "$run_value" = "\"$exe_path\"" ]; then
  pass "start-up: the Run value holds the quoted path $run_value"
else
  fail "start-up: the Run value is '$run_value', not '\"$exe_path\"'"
fi
ctl metrics
note "system ${REPLY#metrics }"

( cd "$run" && exec wine "$bin/tessellor-sampler.exe" sampler.log "${samples[@]}" >>"$art/sampler.log" 2>&1 ) &
ctl "wait-log sampler.log ready 1 30000"
ctl "wait-windows ${#samples[@]} 10000"
ctl "wait-settled 10000"
[ "$REPLY" = ok ] || note "the sample windows' stacking did not settle: $REPLY"
ctl others
for line in "${lines[@]}"; do note "also on the desktop: $line"; done

if [ "$mode" = test ]; then ctrl_left_reaches_sample "with no layout, Ctrl+Left is left to the other programs"; fi

# --- Border Layout -------------------------------------------------------------------------------
describe_desktop
ctl "auto on"
scenario+=("key 0")
simulate border-start
ctl "key ctrl+alt+b"
ctl "expect 10000" "${expected[@]}" "foreground ${foreground:-none}" "."
if [[ $REPLY != ok* ]]; then
  # A Wine prefix that is still starting its shell may restack new windows after they are shown,
  # so the program may have enumerated them in another order than the one read before the hotkey.
  restack_described
  note "the windows were restacked before the hotkey; comparing in the order the program found them"
  simulate border-start
fi
compare "Ctrl+Alt+B with automatic adding tiles the sample windows in the Border Layout" 10000 foreground
[ -z "$matched" ] || shot border
ctl status
[ "$REPLY" = 'status "Border Layout"' ] || fail "the status box shows $REPLY"

if [ "$mode" = test ]; then
  # The North window's bottom edge, 50 pixels down: the band boundary follows.
  north=$(first_of north)
  north_before=$(bound northBottom)
  read -r l t r b <<<"$(rect_of "$north")"
  if drag_window "$north" $(((l + r) / 2)) $((b - 2)) 0 50; then
    simulate border-drag
    north_after=$(bound northBottom)
    compare "an edge drag of $north moves the North boundary from $north_before to $north_after" 10000
    [ "$north_before" != "$north_after" ] || fail "the simulator did not move the North boundary"
  else
    fail "edge drag of $north: the sample application reported no end of the drag"
  fi

  # The first window of South is minimised and restored: it comes back to that place.
  south=$(first_of south)
  ctl "post $south minimize"
  scenario+=("minimize $south")
  simulate border-minimize
  compare "minimising $south takes it out of the South band" 10000
  ctl "post $south restore"
  scenario+=("restore $south")
  simulate border-restore
  compare "restoring $south returns it to its place in the South band" 10000
fi

scenario+=("key 2")
simulate border-stop
ctl "key ctrl+back"
compare "Ctrl+Backspace puts every window back" 10000 foreground
if [ "$mode" = test ]; then ctrl_left_reaches_sample "after Ctrl+Backspace, Ctrl+Left reaches the other programs again"; fi

# --- Grid Layout ---------------------------------------------------------------------------------
describe_desktop
scenario+=("key 1")
simulate grid-start
ctl "key ctrl+alt+g"
compare "Ctrl+Alt+G tiles the sample windows in the Grid Layout" 10000 foreground
[ -z "$matched" ] || shot grid

if [ "$mode" = test ]; then
  # A title bar drag: all four edges move, so the window leaves the grid and stays where it is put,
  # over the point that every sample window covers (see below).
  first=$(first_of grid)
  read -r l t r b <<<"$(rect_of "$first")"
  dx=$((640 - (l + r) / 2))
  dy=$((480 - (t + b) / 2))
  [ "$dx" -ne 0 ] || dx=20
  if drag_window "$first" $(((l + r) / 2)) $((t + 12)) "$dx" "$dy"; then
    simulate grid-drag
    compare "a drag of $first out of the grid removes it" 10000
  else
    fail "drag of $first: the sample application reported no end of the drag"
  fi
fi

scenario+=("key 2")
simulate grid-stop
ctl "key ctrl+back"
compare "Ctrl+Backspace ends the grid and puts its windows back (a dragged-out one stays where it was put)" 10000 foreground

# --- a hung window -------------------------------------------------------------------------------
if [ "$mode" = test ]; then
  ( cd "$run" && exec wine "$bin/tessellor-sampler.exe" sleeper.log "$sleeper" >>"$art/sampler.log" 2>&1 ) &
  ctl "wait-log sleeper.log ready 1 30000"
  ctl "wait-windows $((${#samples[@]} + 1)) 10000"
  ctl "post Sleeper hang 10000"
  ctl "wait-hung Sleeper 9000"
  if [[ $REPLY == ok* ]]; then
    describe_desktop
    scenario+=("key 1")
    simulate hung-grid
    sleeper_cell=$(rect_of Sleeper)
    others=()
    for e in "${expected[@]}"; do [[ $e == "Sleeper "* ]] || others+=("$e"); done
    expected=("${others[@]}")
    ctl "key ctrl+alt+g"
    compare "a hotkey while Sleeper's thread sleeps 10 s is answered at once: the other windows are tiled" 1000
    ctl "ping 1000"
    if [[ $REPLY == ok* ]]; then pass "the main dialog answers meanwhile (${REPLY#ok } ms)"; else fail "the main dialog does not answer"; fi
    expected=("Sleeper $sleeper_cell")
    compare "Sleeper takes its cell once it answers again" 15000
    scenario+=("key 2")
    simulate hung-stop
    ctl "key ctrl+back"
    compare "Ctrl+Backspace puts every window back, Sleeper too" 10000 foreground
  else
    skip "hung window: Wine did not report Sleeper as hung ($REPLY)"
  fi
  ctl "post Sleeper close"
  ctl "wait-windows ${#samples[@]} 15000"

  # --- a second start ----------------------------------------------------------------------------
  set +e
  ( cd "$run" && timeout 60 wine "$bin/tessellor.exe" >>"$art/tessellor.log" 2>&1 )
  second=$?
  set -e
  ctl "wait-dialog shown 10000"
  shown=$REPLY
  ctl dialog
  if [ "$second" = 0 ] && [ "$shown" = ok ] && [[ $REPLY == *" shown 1" ]]; then
    pass "a second start shows the running instance's dialog and exits 0"
  else
    fail "a second start: exit $second, dialog '$REPLY'"
  fi
  ctl "command 1"
  ctl "wait-dialog hidden 10000"

  # --- the shell restarts ------------------------------------------------------------------------
  ctl tray-delete
  ctl "wait-tray none 5000"
  ctl taskbar-created
  ctl "wait-tray shown 10000"
  if [ "$REPLY" = ok ]; then pass "the tray icon comes back on TaskbarCreated"; else fail "the tray icon stays away after TaskbarCreated"; fi
fi

# --- Close -----------------------------------------------------------------------------------------
describe_desktop
scenario+=("command 1002" "print settings-file" "quit-check")
printf '%s\n' "${scenario[@]}" >"$art/close.scn"
"$sim" "$art/close.scn" >"$art/close.out" 2>"$art/close.err" || true
want_file=$(sed -n 's/^settings-file "\(.*\)"$/\1/p' "$art/close.out")
want_exit=$(sed -n 's/^exit //p' "$art/close.out")
ctl "command 1002"
ctl "wait-file tessellor.exit 20000"
exit_code=$REPLY
printf '%b' "$want_file" >"$art/settings.expected"
if [ "$exit_code" = "$want_exit" ] && cmp -s "$art/settings.expected" "$user_settings/settings.dat"; then
  pass "Close from the tray menu saves settings.dat (\"$want_file\") and the process exits $exit_code"
else
  fail "Close: exit '$exit_code' (want $want_exit), settings.dat $(od -c "$user_settings/settings.dat" 2>&1 | head -2 | tr '\n' ' ')"
fi

echo "e2e: $passed passed, $failed failed in $((SECONDS - started)) s (artefacts in $art)"
[ "$failed" -eq 0 ]
