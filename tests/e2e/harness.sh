# The end-to-end harness, sourced by tests/e2e/run.sh and scripts/bench-e2e.sh: builds the real
# program and the simulator, starts a private virtual display and Wine prefix, keeps the control
# program running, and describes the real desktop to tessellor-sim.
#
# The sourcing script may set before: `art` (artefacts, emptied), `shots` (screenshots) and `sim`
# (the simulator; a fault injected there must make the run fail). It sets `opened`, the number of
# sample windows it has open: every simulated desktop must hold exactly that many.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"

scripts/install-deps.sh cmake make g++ file g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 \
  libgtest-dev libgmock-dev googletest libbenchmark-dev wine wine64 xvfb xdotool imagemagick wixl

# Both builds are incremental, and the simulator is built where scripts/test.sh builds it later.
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j 2 >/dev/null
cmake --preset dev >/dev/null
cmake --build --preset dev --target tessellor-sim -j 2 >/dev/null

bin=$root/build/mingw/bin
sim=${sim:-$root/build/dev/tools/sim/tessellor-sim}
art=${art:-$root/build/e2e-artifacts}
shots=${shots:-$art}
run=$root/build/e2e-run
rm -rf "$art" "$run"
mkdir -p "$art" "$run" "$shots" "$root/build/e2e-tmp"
opened=0

# One TMPDIR for every wine call of the run: they must all find the same server.
export TMPDIR=$root/build/e2e-tmp
export WINEPREFIX=$root/build/e2e-prefix
# Wine's own log stays off unless asked for, e.g. E2E_WINEDEBUG=+pid,+tid,+timestamp,+relay,+server
# (it goes to build/e2e-artifacts/ctl.log, through the control program that starts the others).
export WINEDEBUG=${E2E_WINEDEBUG:--all}
# No Mono or Gecko installer prompts while the prefix is made, and no menu entries written to the
# Linux desktop for the shortcuts an installer makes.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

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
note() { echo "      $*"; }
# A step that the checks after it need: without it they cannot run, which is a failure too.
abort() {
  fail "$*"
  echo "e2e: stopped after $passed passed, $failed failed (artefacts in $art)"
  exit 1
}

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
read -r -t 20 display <"$TMPDIR/displayfd.$$" || true  # checked just below
rm -f "$TMPDIR/displayfd.$$"
[ -n "$display" ] || abort "Xvfb did not start"
export DISPLAY=":$display"

# Nothing left of an earlier run may share the prefix's server (none left is the usual case).
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
# %LOCALAPPDATA% is read from the prefix's one user folder, not asked of a new Wine process.
local_folders=("$WINEPREFIX"/drive_c/users/*/AppData/Local)
[ ${#local_folders[@]} -eq 1 ] && [ -d "${local_folders[0]}" ] ||
  abort "the prefix has not exactly one user's AppData/Local: ${local_folders[*]}"
user_settings=${local_folders[0]}/Tessellor
rm -rf "$user_settings"

# The control program stays up for the whole run; every command is answered with lines and a ".".
coproc CTL { cd "$run" && exec wine "$bin/tessellor-ctl.exe" 2>>"$art/ctl.log"; }
ctl_open=1
lines=()
ctl_send() {
  printf '%s\n' "$@" >&"${CTL[1]}"
  echo "> $1" >>"$art/ctl.log"
}
ctl_answer() {
  local wait=${CTL_WAIT:-60} line
  lines=()
  while IFS= read -r -t "$wait" line <&"${CTL[0]}"; do
    line=${line%$'\r'}
    [ "$line" = "." ] && { REPLY=${lines[0]:-}; return 0; }
    lines+=("$line")
    echo "< $line" >>"$art/ctl.log"
  done
  abort "the control program did not answer '$1'"
}
ctl() {
  ctl_send "$@"
  ctl_answer "$1"
}
# A command whose timeout or error leaves nothing for the checks after it to check.
step() {
  ctl "$@"
  case $REPLY in timeout* | error* | "") abort "'$1' answered '$REPLY'" ;; esac
}

# Windows (as Win32 paths) for the programs that the control program starts itself.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# --- the sample windows ----------------------------------------------------------------------------
# "TITLE,LEFT,TOP,WIDTH,HEIGHT,MINWIDTH,MINHEIGHT,RRGGBB": the minimum sizes go to the simulator, the
# colours to the screenshots.
declare -A minimum=() colour=()
register_samples() {
  local sample title
  for sample in "$@"; do
    IFS=, read -r title _ _ _ _ mx my rgb <<<"$sample"
    minimum[$title]="$mx $my"
    colour[$title]=$rgb
  done
}

# Opens sample windows in one new sampler process, logging to LOG, and waits until they are shown.
# The sampler's options (--threads, --answer-ms N) are taken from `sampler_options`.
sampler_options=()
open_samples() {
  local log=$1
  shift
  register_samples "$@"
  ( cd "$run" && exec wine "$bin/tessellor-sampler.exe" "${sampler_options[@]}" "$log" "$@" >>"$art/sampler.log" 2>&1 ) &
  opened=$((opened + $#))
  step "wait-log $log ready 1 30000"
  step "wait-windows $opened 10000"
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
      [ "$l" = minimized ] || [ "$l" = hidden ] && continue
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
scenario=()
declare -A described=()  # name -> its `window` line, as last described
stacking=()              # the described windows' names, topmost first
# The lines that describe the primary monitor: its size, its work area, the minimum window size.
desktop_head() {
  step metrics
  local mx my wl wt wr wb pw ph
  read -r _ _ _ mx my _ wl wt wr wb _ pw ph <<<"$REPLY"
  head=("screen $pw $ph" "workarea $wl $wt $wr $wb" "minsize $mx $my")
}

# A new scenario from the desktop as the control program reads it: metrics, windows bottom first
# (each new window goes on top), the foreground window.
describe_desktop() {
  local head
  desktop_head
  ctl windows
  [ "${#lines[@]}" -eq "$opened" ] || abort "the control program reads ${#lines[@]} sample windows, $opened are open"
  local foreground=none i name l t r b flags
  described=()
  stacking=()
  for ((i = ${#lines[@]} - 1; i >= 0; i--)); do
    read -r _ name l t r b flags <<<"${lines[i]}"
    stacking=("$name" "${stacking[@]}")
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
  local head i name
  desktop_head
  ctl windows
  [ "${#lines[@]}" -eq "$opened" ] || abort "the control program reads ${#lines[@]} sample windows, $opened are open"
  stacking=()
  for ((i = ${#lines[@]} - 1; i >= 0; i--)); do
    read -r _ name _ <<<"${lines[i]}"
    stacking=("$name" "${stacking[@]}")
    head+=("${described[$name]}")
  done
  scenario=("${head[@]}" "${scenario[@]:$((${#head[@]}))}")
}

# Runs the scenario so far; `expected` gets the rectangles it ends with, `foreground` its foreground
# window and `layout` its layout. A simulator that fails, or names other than the open windows, ends
# the run: nothing after could be compared.
expected=()
foreground=""
layout=()
simulate() {
  local file=$art/$1.scn
  printf '%s\n' "${scenario[@]}" "print windows" "print layout" >"$file"
  if ! "$sim" "$file" >"${file%.scn}.out" 2>"${file%.scn}.err"; then
    cat "${file%.scn}.err"
    abort "$1: the simulator rejected the scenario"
  fi
  expected=()
  foreground=""
  layout=()
  local kind name l t r b flags
  while read -r kind name l t r b flags; do
    if [ "$kind" = window ]; then
      [[ " $flags " == *" foreground "* ]] && foreground=$name
      [ "$name" = Tessellor ] && continue
      if [[ " $flags " == *" hidden "* ]]; then
        expected+=("$name hidden")
      elif [[ " $flags " == *" minimized "* ]]; then
        expected+=("$name minimized")
      else
        expected+=("$name $l $t $r $b")
      fi
    else
      layout+=("$kind $name $l $t $r $b $flags")
    fi
  done <"${file%.scn}.out"
  [ "${#expected[@]}" -eq "$opened" ] ||
    abort "$1: the simulator's output (${file%.scn}.out) names ${#expected[@]} sample windows, $opened are open"
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
  [[ $REPLY != error* ]] || abort "$name: $REPLY"
  if [[ $REPLY == ok* ]]; then
    matched=1
    local took=${REPLY#ok }
    # The next step acts only once the program is done with this one.
    ctl "barrier $ms"
    if [ "$REPLY" = ok ]; then
      pass "$name ($took ms)"
    else
      fail "$name: the windows stand right, but the program did not come back to its message loop within $ms ms"
    fi
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

log_count() {  # how many lines of a sample log start with a prefix (none, when it is not written yet)
  [ -f "$run/$1" ] || { echo 0; return; }
  grep -c "^$2" "$run/$1" || true  # grep fails when it counts 0
}

# An xdotool drag of a sample window that logs to LOG: press at one point, move halfway, then to the
# end, release. Each step waits until Wine has taken the one before: the move loop takes a move
# that comes before it has begun twice. Screen coordinates are desktop coordinates in Wine's virtual
# desktop.
drag() {
  local log=$1 title=$2 x=$3 y=$4 dx=$5 dy=$6 before
  xdotool mousemove "$x" "$y"
  step "wait-cursor $x $y 5000"
  before=$(log_count "$log" "entersizemove $title")
  xdotool mousedown 1
  step "wait-log $log entersizemove_$title $((before + 1)) 5000"
  xdotool mousemove $((x + dx / 2)) $((y + dy / 2))
  step "wait-cursor $((x + dx / 2)) $((y + dy / 2)) 5000"
  xdotool mousemove $((x + dx)) $((y + dy))
  step "wait-cursor $((x + dx)) $((y + dy)) 5000"
  xdotool mouseup 1
}

# Drags and waits for the sample application's report of the new rectangle, which goes to the
# simulator as the same user action; `drag_end` gets the moment the drag was released.
drag_end=""
drag_window() {
  local log=$1 title=$2 before released
  before=$(log_count "$log" "event movesizeend $title ")
  released=$(log_count "$log" "exitsizemove $title ")
  drag "$@"
  ctl "wait-log $log event_movesizeend_${title}_ $((before + 1)) 10000"
  [ "$REPLY" != timeout ] || return 1
  read -r _ _ _ l t r b _ <<<"$REPLY"
  scenario+=("set-rect $title $l $t $r $b")
  step "wait-log $log exitsizemove_${title}_ $((released + 1)) 1000"
  read -r _ _ drag_end <<<"$REPLY"
}
