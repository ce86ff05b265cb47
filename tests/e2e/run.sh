#!/usr/bin/env bash
# The real tessellor.exe end to end under Wine, on a private virtual display: the sample application
# opens windows, the control program drives and reads them, and every rectangle is compared with what
# tessellor-sim computes for the same desktop, so the simulator is proven faithful to the program.
# Two layouts are also compared with rectangles worked out by hand below, since the simulator runs
# the program's own engines and would share any fault of theirs.
#
#   tests/e2e/run.sh            every check; screenshots and logs in build/e2e-artifacts/
#   tests/e2e/run.sh --demo     only start-up, both layouts, Close and the Windows dialog; screenshots in demo/
set -euo pipefail

mode=test
if [ "${1:-}" = --demo ]; then
  mode=demo
  shots=$(cd "$(dirname "$0")/../.." && pwd)/demo
fi
started=$SECONDS
. "$(dirname "$0")/harness.sh"

# Every sample window covers the point (640, 480). Wine re-sorts the z-order of windows that do not
# overlap a moment after they are shown; windows that all overlap keep the order they were given,
# so the order the simulator is told is the one the program enumerates.
samples=(
  Alpha,120,80,620,480,200,150,C0392B Bravo,560,60,520,520,116,27,2980B9 Charlie,80,400,640,420,300,200,27AE60
  Delta,600,380,560,440,200,260,8E44AD Echo,360,300,440,360,116,27,16A085 Foxtrot,540,180,400,560,116,27,D35400
)
# Its own process, so that only it stops answering.
sleeper=Sleeper,420,260,500,400,116,27,7F8C8D

# --- start-up ----------------------------------------------------------------------------------
( cd "$run" && timeout 170 wine "$bin/tessellor.exe" >>"$art/tessellor.log" 2>&1
  echo $? >"$run/tessellor.exit" ) &

ctl "wait-dialog hidden 30000"
ctl dialog
if [[ $REPLY == "dialog "*" hidden 1" ]]; then
  pass "start-up: the main dialog is found hidden by FindWindowA(\"#32770\", \"Tessellor\")"
else
  abort "start-up: no hidden main dialog ($REPLY)"
fi
ctl "wait-tray shown 10000"
if [ "$REPLY" = ok ]; then pass "start-up: the tray icon is shown"; else fail "start-up: no tray icon"; fi
step exe-path
exe_path=${REPLY#exe-path }
step run-value
run_value=${REPLY#run-value }
if [ "$run_value" = "\"$exe_path\"" ]; then
  pass "start-up: the Run value holds the quoted path $run_value"
else
  fail "start-up: the Run value is '$run_value', not '\"$exe_path\"'"
fi
step metrics
note "system ${REPLY#metrics }"

open_samples sampler.log "${samples[@]}"
step "wait-settled 10000"
ctl others
for line in "${lines[@]}"; do note "also on the desktop: $line"; done

# The harness's own guard: a list of expected windows that names none, or that it cannot read, is
# refused, so that a change of the simulator's output cannot make the comparisons pass unchecked.
refused=()
for list in "" "foreground Foxtrot" "Alpha 1 2 3" "Alpha 1 2 3 4 5" "Alpha minimised" "Alpha 1 2 3 4|Bravo"; do
  IFS='|' read -r -a list_lines <<<"$list"
  ctl "expect 100" "${list_lines[@]}" "."
  [[ $REPLY == error* ]] || refused+=("'$list' answered '$REPLY'")
done
if [ "${#refused[@]}" -eq 0 ]; then
  pass "the control program refuses an empty or unreadable list of expected windows"
else
  fail "the control program takes lists it must refuse: ${refused[*]}"
fi

# --- rectangles worked out by hand -----------------------------------------------------------------
# The layouts cover the primary monitor's work area. On the 1280 x 1024 virtual display Wine's
# explorer keeps a 20-pixel taskbar along the bottom once the desktop has started, so the work area
# is 1280 x 1004 from (0, 0); Wine draws no invisible frames. SM_CXMIN is 116 and SM_CYMIN 27. The
# numbers below are worked out for this area and this stacking of the six sample windows, topmost
# first.
by_hand_metrics="0 0 1280 1004 116 27"
by_hand_stacking="Foxtrot Echo Delta Charlie Bravo Alpha"

# Border Layout, bands weighted 0.2 each at start. The foreground window Foxtrot takes the Centre;
# the others go, topmost first, to South, North, West, East, South: Echo S, Delta N, Charlie W,
# Bravo E, Alpha S. A band widens to the read-back size of a window that will not be thinner
# (weight = size / screen), and the boundaries follow from the weights:
#   North: 1004 x 0.2 = 200.8, but Delta is at least 260 high: northWeight = 260 / 1004, bottom 260
#   West:  1280 x 0.2 = 256, but Charlie is at least 300 wide: westWeight = 300 / 1280, right 300
#   East:  left = 1280 - 256 = 1024, so Bravo is 256 wide, its share: left 1024
#   South: top = 1004 - 200.8 = 803.2, truncated 803, so its slices are 1004 - 803 = 201 high,
#          which Echo and Alpha take: the band keeps its weight
# Bands: North x 0..1024 (East is occupied), y 0..260; East x 1024..1280, y 0..803 (South is
# occupied); West x 0..300, y 260..1004; South starts at 1280 x 300/1280 = 300, length
# 1280 - 300 = 980, Echo and Alpha 0.5 each: 980 x 0.5 = 490, so x 300..790 and 790..1280,
# y 803..1004; Centre x 300..1024, y 260..803.
border_by_hand=(
  "Delta 0 0 1024 260" "Bravo 1024 0 1280 803" "Charlie 0 260 300 1004"
  "Echo 300 803 790 1004" "Alpha 790 803 1280 1004" "Foxtrot 300 260 1024 803"
)

# Grid Layout of six: 6 / 4 = 1, so 2 rows of 6 / 2 = 3 cells, filled row by row in the order the
# windows are stacked, topmost first. Cell width 1280 / 3 = 426 (426.67 truncated), height
# 1004 / 2 = 502; the last cell of each row takes the two leftover pixels, to x 1280.
grid_cells_by_hand=(
  "0 0 426 502" "426 0 852 502" "852 0 1280 502"
  "0 502 426 1004" "426 502 852 1004" "852 502 1280 1004"
)

# Compares the real windows with rectangles worked out by hand: NAME, then "TITLE L T R B" lines.
check_by_hand() {
  local name=$1 line
  shift
  step metrics
  local mx my wl wt wr wb
  read -r _ _ _ mx my _ wl wt wr wb _ <<<"$REPLY"
  if [ "$wl $wt $wr $wb $mx $my" != "$by_hand_metrics" ]; then
    fail "$name: worked out for the work area and minimum size $by_hand_metrics, the program sees $wl $wt $wr $wb $mx $my"
    return
  fi
  ctl "expect 1000" "$@" "."
  [[ $REPLY != error* ]] || abort "$name: $REPLY"
  if [[ $REPLY == ok* ]]; then
    pass "$name"
    return
  fi
  fail "$name: the windows do not stand where worked out"
  for line in "$@"; do note "by hand: $line"; done
  for line in "${lines[@]:1}"; do note "real:    $line"; done
}

# --- keys that no layout holds ------------------------------------------------------------------
# Ctrl+Left pressed with SendInput: passes when the foreground sample window logs it (Ctrl held), that
# is when no hotkey of the program took it.
ctrl_left_reaches_sample() {
  local name="" line before
  step windows
  for line in "${lines[@]}"; do [[ " $line " == *" foreground "* ]] && read -r _ name _ <<<"$line"; done
  if [ -z "$name" ]; then
    fail "$1: no sample window is in the foreground"
    return
  fi
  before=$(log_count sampler.log "keydown $name 25 ctrl")
  step "key ctrl+left"
  ctl "wait-log sampler.log keydown_${name}_25_ctrl $((before + 1)) 5000"
  if [[ $REPLY != timeout* ]]; then pass "$1: $name receives it"; else fail "$1: $name never received it"; fi
}
if [ "$mode" = test ]; then ctrl_left_reaches_sample "with no layout, Ctrl+Left is left to the other programs"; fi

# --- keys: a held key, the Keys dialog, AltGr --------------------------------------------------------
# A held key sends its key-down again and again; registered with MOD_NOREPEAT, a hotkey acts on the
# first one only. The control program's own hotkeys show whether Wine repeats hotkeys at all.
held_key_acts_once() {
  local four without with
  step norepeat-probe
  read -r _ _ without _ with <<<"$REPLY"
  if [ "$without" -le 1 ] || [ "$with" -ne 1 ]; then
    note "Wine shows no MOD_NOREPEAT: a hotkey of the control program held for 4 key-downs gets $without WM_HOTKEY without the flag and $with with it; the held-key check cannot run here"
    return
  fi
  scenario+=("key 6" "key 6" "key 6" "key 6")
  simulate border-held-four
  four="${expected[*]}"
  scenario=("${scenario[@]:0:${#scenario[@]}-3}")
  simulate border-held
  [ "$four" != "${expected[*]}" ] || note "four presses of Ctrl+Down leave the windows as one does: the check below cannot tell them apart"
  step "hold ctrl+down 4"
  # The windows pass through the place of one press on their way to that of four: compared only
  # once the program has handled every hotkey the held key gave.
  step "barrier 10000"
  compare "Ctrl+Down held for 4 key-downs brings the next South window into the Centre once" 10000
}

# The Keys dialog as a user works it: a click on "Keys...", the new keys pressed in the second row's
# box, OK. The new key then starts the Grid Layout (which, unlike the Border Layout, keeps nothing
# from the layouts before that the simulator would have to know), and the old one is free.
keys_dialog_moves_a_key() {
  step "command 1021"
  step "wait-keys-dialog shown 10000"
  step "keys-row 1"
  [[ $REPLY == "keys-row 1 0647"* ]] || fail "the Keys dialog's second row holds $REPLY, not Ctrl+Alt+G (0647)"
  step "focus-key 1"
  step "key ctrl+shift+g"
  ctl "wait-keys-row 1 0347 10000"
  if [[ $REPLY == ok* ]]; then
    pass "Ctrl+Shift+G pressed in the Keys dialog's second row shows there"
  else
    ctl "keys-row 1"
    fail "the Keys dialog's second row holds $REPLY after Ctrl+Shift+G, not 0347"
  fi
  step "keys-command 1"
  step "wait-keys-dialog gone 10000"
  local saved
  saved=$(sed -n 2p "$user_settings/keys.dat" 2>/dev/null | tr -d '\r')
  if [ "$saved" = "grid Ctrl+Shift+G" ]; then
    pass "OK saves keys.dat, its second line 'grid Ctrl+Shift+G'"
  else
    fail "keys.dat's second line is '$saved', not 'grid Ctrl+Shift+G'"
  fi
  ctl "hotkey-free ctrl+alt+g"
  if [ "$REPLY" = free ]; then pass "Ctrl+Alt+G is free for other programs once moved"; else fail "Ctrl+Alt+G is still $REPLY"; fi
  describe_desktop
  scenario+=("command 1021" 'set-hotkey 1101 "Ctrl+Shift+G"' "command 1" 'key "Ctrl+Shift+G"')
  simulate keys-start
  step "key ctrl+shift+g"
  ctl "expect 10000" "${expected[@]}" "foreground ${foreground:-none}" "."
  [[ $REPLY != error* ]] || abort "Ctrl+Shift+G: $REPLY"
  if [[ $REPLY != ok* ]]; then
    # Closing the dialog activates and may restack windows after they were read.
    restack_described
    note "the windows were restacked before the key; comparing in the order the program found them"
    simulate keys-start
  fi
  compare "the key chosen in the Keys dialog, Ctrl+Shift+G, starts the Grid Layout" 10000 foreground
  scenario+=("key 2")
  simulate keys-stop
  step "key ctrl+back"
  compare "Ctrl+Backspace ends it" 10000
}

# Whether Wine's ToUnicodeEx follows an X keyboard layout set on the display: with the Czech one,
# AltGr+B types {, and once the keys are registered again (here by OK in the Keys dialog)
# Ctrl+Alt+B must be left to typing.
altgr_follows_x_layout() {
  ctl altgr-probe
  note "ToUnicodeEx for Ctrl+Alt+B and Ctrl+Alt+G with the display's layout: ${REPLY#altgr-probe }"
  if ! setxkbmap -display "$DISPLAY" cz 2>>"$art/xvfb.log"; then
    note "setxkbmap could not set the Czech layout: no AltGr check"
    return
  fi
  if ! xkbcomp -xkb "$DISPLAY" - 2>/dev/null | grep -q braceleft; then
    note "setxkbmap cz left the virtual display's keymap as it was (no AltGr symbols in it)"
  fi
  ctl altgr-probe
  local probe=$REPLY
  note "with setxkbmap cz: ${probe#altgr-probe }"
  if [[ $probe == *"B=007B"* ]]; then
    step "command 1021"
    step "wait-keys-dialog shown 10000"
    step "keys-row 0"
    note "the Keys dialog's first row: $REPLY"
    step "keys-command 1"
    step "wait-keys-dialog gone 10000"
    ctl "hotkey-free ctrl+alt+b"
    if [ "$REPLY" = free ]; then
      pass "with a Czech keyboard, where AltGr+B types {, Ctrl+Alt+B is left to typing"
    else
      fail "with a Czech keyboard Ctrl+Alt+B is $REPLY by the program"
    fi
  else
    note "Wine's ToUnicodeEx does not answer { for Ctrl+Alt+B after setxkbmap cz: no AltGr check can run here"
  fi
  setxkbmap -display "$DISPLAY" us 2>>"$art/xvfb.log" || true
}

# --- Border Layout -------------------------------------------------------------------------------
describe_desktop
step "auto on"
scenario+=("key 0")
simulate border-start
step "key ctrl+alt+b"
ctl "expect 10000" "${expected[@]}" "foreground ${foreground:-none}" "."
[[ $REPLY != error* ]] || abort "Ctrl+Alt+B: $REPLY"
if [[ $REPLY != ok* ]]; then
  # A Wine prefix that is still starting its shell may restack new windows after they are shown,
  # so the program may have enumerated them in another order than the one read before the hotkey.
  restack_described
  note "the windows were restacked before the hotkey; comparing in the order the program found them"
  simulate border-start
fi
compare "Ctrl+Alt+B with automatic adding tiles the sample windows in the Border Layout" 10000 foreground
[ -z "$matched" ] || shot border
if [ "${stacking[*]}" = "$by_hand_stacking" ]; then
  check_by_hand "the Border Layout of the six sample windows is the one worked out by hand" "${border_by_hand[@]}"
else
  fail "the Border Layout worked out by hand is for the stacking $by_hand_stacking, the program found ${stacking[*]}"
fi
step status
[ "$REPLY" = 'status "Border Layout"' ] || fail "the status box shows $REPLY"

if [ "$mode" = test ]; then
  # The North window's bottom edge, 50 pixels down: the band boundary follows.
  north=$(first_of north)
  north_before=$(bound northBottom)
  read -r l t r b <<<"$(rect_of "$north")"
  if drag_window sampler.log "$north" $(((l + r) / 2)) $((b - 2)) 0 50; then
    simulate border-drag
    north_after=$(bound northBottom)
    compare "an edge drag of $north moves the North boundary from $north_before to $north_after" 10000
    [ "$north_before" != "$north_after" ] || fail "the simulator did not move the North boundary"
  else
    fail "edge drag of $north: the sample application reported no end of the drag"
  fi

  # The first window of South is minimised and restored: it comes back to that place.
  south=$(first_of south)
  step "post $south minimize"
  scenario+=("minimize $south")
  simulate border-minimize
  compare "minimising $south takes it out of the South band" 10000
  step "post $south restore"
  scenario+=("restore $south")
  simulate border-restore
  compare "restoring $south returns it to its place in the South band" 10000

  # The East window is hidden by its own program, as one closing to the notification area: it leaves
  # the layout, and the re-placing of the others must not show it again. Shown, it comes back.
  east=$(first_of east)
  step "post $east hide"
  scenario+=("hide $east")
  simulate border-hide
  compare "hiding $east takes it out of the layout" 10000
  step "visible $east"
  if [ "$REPLY" = "visible 0" ]; then
    pass "$east stays hidden once the other windows are re-placed"
  else
    fail "$east is shown again after it was hidden ($REPLY)"
  fi
  step "post $east show"
  scenario+=("show $east")
  simulate border-show
  compare "showing $east puts it back into the layout" 10000
  held_key_acts_once
fi

scenario+=("key 2")
simulate border-stop
step "key ctrl+back"
compare "Ctrl+Backspace puts every window back" 10000 foreground
if [ "$mode" = test ]; then ctrl_left_reaches_sample "after Ctrl+Backspace, Ctrl+Left reaches the other programs again"; fi

# --- a key of the new layout pressed while its windows are being placed ---------------------------
# Ctrl+Alt+B, and Ctrl+Backspace as soon as the first window has moved: the layout's keys are held
# before any of its windows moves, so Ctrl+Backspace waits for the program, never reaches the window
# in front (which logs every key that reaches it), and puts every window back once they stand.
check_key_while_placing() {
  local backs_before backs_after
  describe_desktop
  scenario+=("key 0" "key 2")
  simulate key-while-placing
  backs_before=$(grep -c ' 08 ctrl' "$run/sampler.log" || true)
  ctl "keys-while-placing 10000 ctrl+alt+b ctrl+back"
  if [[ $REPLY != ok* ]]; then
    fail "Ctrl+Alt+B: no window moved ($REPLY)"
    return
  fi
  read -r _ moved of <<<"$REPLY"
  note "Ctrl+Backspace pressed when $moved of $of windows had moved"
  compare "Ctrl+Backspace pressed while the Border Layout places its windows puts every window back where it stood" \
    10000 foreground
  backs_after=$(grep -c ' 08 ctrl' "$run/sampler.log" || true)
  if [ "$backs_after" = "$backs_before" ]; then
    pass "that Ctrl+Backspace never reaches the window in front"
  else
    fail "that Ctrl+Backspace reached a sample window ($((backs_after - backs_before)) times)"
  fi
  step status
  if [ "$REPLY" != 'status "No Layout Selected"' ]; then
    fail "after it the status box shows $REPLY"
    # Ended, so that the checks after this one start from the desktop they expect.
    step "key ctrl+back"
    compare "Ctrl+Backspace once more puts every window back" 10000
  fi
}
if [ "$mode" = test ]; then check_key_while_placing; fi

# --- Grid Layout ---------------------------------------------------------------------------------
describe_desktop
scenario+=("key 1")
simulate grid-start
step "key ctrl+alt+g"
compare "Ctrl+Alt+G tiles the sample windows in the Grid Layout" 10000 foreground
[ -z "$matched" ] || shot grid
grid_by_hand=()
for i in "${!stacking[@]}"; do grid_by_hand+=("${stacking[i]} ${grid_cells_by_hand[i]}"); done
check_by_hand "the Grid Layout of the six sample windows is the one worked out by hand" "${grid_by_hand[@]}"

if [ "$mode" = test ]; then
  # A title bar drag: all four edges move, so the window leaves the grid and stays where it is put,
  # over the point that every sample window covers (see below).
  first=$(first_of grid)
  read -r l t r b <<<"$(rect_of "$first")"
  dx=$((640 - (l + r) / 2))
  dy=$((480 - (t + b) / 2))
  [ "$dx" -ne 0 ] || dx=20
  if drag_window sampler.log "$first" $(((l + r) / 2)) $((t + 12)) "$dx" "$dy"; then
    simulate grid-drag
    compare "a drag of $first out of the grid removes it" 10000
  else
    fail "drag of $first: the sample application reported no end of the drag"
  fi
fi

scenario+=("key 2")
simulate grid-stop
step "key ctrl+back"
compare "Ctrl+Backspace ends the grid and puts its windows back (a dragged-out one stays where it was put)" 10000 foreground

# --- a hung window -------------------------------------------------------------------------------
if [ "$mode" = test ]; then
  open_samples sleeper.log "$sleeper"
  step "post Sleeper hang 10000"
  ctl "wait-hung Sleeper 9000"
  if [[ $REPLY == ok* ]]; then
    describe_desktop
    scenario+=("key 1")
    simulate hung-grid
    sleeper_cell=$(rect_of Sleeper)
    others=()
    for e in "${expected[@]}"; do [[ $e == "Sleeper "* ]] || others+=("$e"); done
    expected=("${others[@]}")
    step "key ctrl+alt+g"
    compare "a hotkey while Sleeper's thread sleeps 10 s is answered at once: the other windows are tiled" 1000
    ctl "ping 1000"
    if [[ $REPLY == ok* ]]; then pass "the main dialog answers meanwhile (${REPLY#ok } ms)"; else fail "the main dialog does not answer"; fi
    expected=("Sleeper $sleeper_cell")
    compare "Sleeper takes its cell once it answers again" 15000
    scenario+=("key 2")
    simulate hung-stop
    step "key ctrl+back"
    compare "Ctrl+Backspace puts every window back, Sleeper too" 10000 foreground
  else
    fail "hung window: Wine did not report Sleeper as hung within 9 s ($REPLY)"
  fi
  step "post Sleeper close"
  opened=$((opened - 1))
  step "wait-windows $opened 15000"

  # --- the placement workers, driven directly ------------------------------------------------------
  # tessellor-placements.exe places windows of sample applications of its own through the program's
  # Win32Platform::placeWindows and checks each answer (tests/e2e/placements.cpp); it leaves no
  # window open.
  placement_passes=0
  placement_fails=0
  while IFS= read -r line; do
    line=${line%$'\r'}
    case $line in
      "PASS "*)
        placement_passes=$((placement_passes + 1))
        pass "placements: ${line#PASS }"
        ;;
      "FAIL "*)
        placement_fails=$((placement_fails + 1))
        fail "placements: ${line#FAIL }"
        ;;
      "EXIT 0") ;;
      "EXIT "*) [ "$placement_fails" -gt 0 ] || fail "placements: the test program ended with ${line#EXIT}" ;;
      *) note "placements: $line" ;;
    esac
  done < <(
    cd "$run"
    timeout 150 wine "$bin/tessellor-placements.exe" "$(winpath "$bin/tessellor-sampler.exe")" "$(winpath "$run")" \
      2>>"$art/placements.log" && status=0 || status=$?
    echo "EXIT $status"
  )
  [ "$placement_passes" -gt 0 ] || [ "$placement_fails" -gt 0 ] || fail "placements: the test program checked nothing"

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
  step "command 1"
  ctl "wait-dialog hidden 10000"
  [ "$REPLY" = ok ] || fail "\"Hide\" does not hide the dialog ($REPLY)"

  # --- the shell restarts ------------------------------------------------------------------------
  step tray-delete
  step "wait-tray none 5000"
  step taskbar-created
  ctl "wait-tray shown 10000"
  if [ "$REPLY" = ok ]; then pass "the tray icon comes back on TaskbarCreated"; else fail "the tray icon stays away after TaskbarCreated"; fi
fi

# --- the work area ----------------------------------------------------------------------------------
# Whether a program may set the work area here, for a check of a layout below a 40-pixel band at the
# top. Wine 8 stores the area for SPI_GETWORKAREA alone: GetMonitorInfoA, which the program reads,
# keeps the taskbar's area and no WM_SETTINGCHANGE reaches a top-level window; so only noted.
if [ "$mode" = test ]; then
  step metrics
  read -r _ _ _ _ _ _ wl wt wr wb _ <<<"$REPLY"
  ctl "set-workarea $wl 40 $wr $wb"
  set_answer=$REPLY
  step metrics
  note "SPI_SETWORKAREA $wl 40 $wr $wb answered '$set_answer' (read back, notices); GetMonitorInfoA: ${REPLY#metrics }"
  ctl "set-workarea $wl $wt $wr $wb"
fi

if [ "$mode" = test ]; then
  keys_dialog_moves_a_key
  altgr_follows_x_layout
fi

# --- Close -----------------------------------------------------------------------------------------
describe_desktop
scenario+=("command 1002" "print settings-file" "quit-check")
printf '%s\n' "${scenario[@]}" >"$art/close.scn"
if ! "$sim" "$art/close.scn" >"$art/close.out" 2>"$art/close.err"; then
  cat "$art/close.err"
  fail "Close: the simulator rejected the scenario"
fi
want_file=$(sed -n 's/^settings-file "\(.*\)"$/\1/p' "$art/close.out")
want_exit=$(sed -n 's/^exit //p' "$art/close.out")
[ -n "$want_file" ] && [ -n "$want_exit" ] || fail "Close: the simulator's output (close.out) holds no settings file or exit"
step "command 1002"
ctl "wait-file tessellor.exit 20000"
exit_code=$REPLY
printf '%b' "$want_file" >"$art/settings.expected"
if [ -n "$want_exit" ] && [ "$exit_code" = "$want_exit" ] && cmp -s "$art/settings.expected" "$user_settings/settings.dat"; then
  pass "Close from the tray menu saves settings.dat (\"$want_file\") and the process exits $exit_code"
else
  fail "Close: exit '$exit_code' (want $want_exit), settings.dat $(od -c "$user_settings/settings.dat" 2>&1 | head -2 | tr '\n' ' ')"
fi

# --- killed while a layout holds the windows ------------------------------------------------------
# Task Manager's "End task" while the Border Layout holds the sample windows, one of them maximised
# before the layout started: the next start offers "Put windows back" (command 1003), which puts
# every window exactly where it stood before the layout, in its state, and removes restore.dat.
start_again() {  # NAME: a new tessellor.exe in the background, its exit code written to NAME.exit
  ( cd "$run" && timeout 170 wine "$bin/tessellor.exe" >>"$art/tessellor.log" 2>&1
    echo $? >"$run/$1.exit" ) &
  ctl "wait-dialog hidden 30000"
  [ "$REPLY" = ok ] || abort "$1: no hidden main dialog after the start"
  ctl "wait-tray shown 10000"
  [ "$REPLY" = ok ] || abort "$1: no tray icon after the start"
}

check_kill_and_put_back() {
  local journal=$user_settings/restore.dat line before=() wanted=() rects=() title state l t r b
  start_again tessellor-killed
  step "post Alpha maximize"
  ctl "expect-placements 10000" "Alpha maximized" "."
  [[ $REPLY == ok* ]] || abort "kill: Alpha was not maximised ($REPLY)"
  ctl placements
  before=("${lines[@]}")
  for line in "${before[@]}"; do
    read -r _ title state l t r b <<<"$line"
    wanted+=("$title $state $l $t $r $b")
    [ "$state" = normal ] && rects+=("$title $l $t $r $b")
  done
  step "key ctrl+alt+b"
  ctl "expect-placements 10000" "Alpha normal" "."
  [[ $REPLY == ok* ]] || abort "kill: the Border Layout did not take the maximised Alpha ($REPLY)"
  step "barrier 10000"
  step "kill-program 20000"
  ctl "wait-file tessellor-killed.exit 20000"
  [[ $REPLY != timeout* ]] || fail "kill: the killed tessellor.exe did not end"
  if [ -f "$journal" ] && [ "$(grep -c '^window ' "$journal")" -eq "${#before[@]}" ]; then
    pass "killed while the Border Layout holds them, the program leaves restore.dat listing the ${#before[@]} sample windows"
  else
    fail "killed, restore.dat lists $(grep -c '^window ' "$journal" 2>/dev/null || echo no) windows, not ${#before[@]}"
  fi

  start_again tessellor-restarted
  step "command 1003"
  ctl "expect-placements 10000" "${wanted[@]}" "."
  if [[ $REPLY == ok* ]] && ctl "expect 5000" "${rects[@]}" "." && [[ $REPLY == ok* ]]; then
    pass "started again, \"Put windows back\" puts every window where it stood before the layout, Alpha maximised"
  else
    fail "\"Put windows back\": the windows do not stand where they stood before the layout"
    for line in "${before[@]}"; do note "before: $line"; done
    ctl placements
    for line in "${lines[@]}"; do note "now:    $line"; done
  fi
  step "barrier 10000"
  if [ ! -e "$journal" ]; then pass "\"Put windows back\" removes restore.dat"; else fail "restore.dat is still there"; fi
  step "command 1002"
  ctl "wait-file tessellor-restarted.exit 20000"
  # The checks after this one start from sample windows in their normal state.
  step "post Alpha restore"
  ctl "expect-placements 10000" "Alpha normal" "."
  [[ $REPLY == ok* ]] || fail "kill: Alpha did not come back to normal ($REPLY)"
}
if [ "$mode" = test ]; then check_kill_and_put_back; fi

# --- a window whose thread is busy for 2 s ---------------------------------------------------------
# Under a tessellor.exe of its own: the Border Layout hands out bands in a cycle that lives as long
# as the process, and the simulator starts each scenario with a fresh one.
#
# Busy and Calm belong to one program, each on a thread of its own. Busy's thread sleeps 2 s, as a
# program loading a file does: not long enough to count as hung (5 s), so it is waited for, at most
# 100 ms. Whether it still slept is read from its log ("awake Busy"), so the only bound on time is
# the 2 s themselves: the other seven windows must be placed, and a command posted to the dialog
# handled, before Busy wakes. Ctrl+Alt+B of eight windows takes a few hundred ms here (the
# benchmark's figures), several times less. (A message sent to the dialog would prove nothing: a
# thread that waits in a call to another thread's window still handles messages sent to it.)
if [ "$mode" = test ]; then
  step "launch-tray 30000 $(winpath "$bin/tessellor.exe") #32770 Tessellor 100077"
  step "auto on"
  sampler_options=(--threads)
  open_samples busy.log Busy,300,200,500,400,116,27,E67E22 Calm,340,240,500,400,116,27,1ABC9C
  sampler_options=()
  step "wait-settled 10000"
  describe_desktop
  scenario+=("key 0")
  simulate busy-border
  busy_cell=$(rect_of Busy)
  others=()
  for e in "${expected[@]}"; do [[ $e == "Busy "* ]] || others+=("$e"); done
  step "post Busy hang 2000"
  step "wait-log busy.log hang_Busy 1 5000"
  step "key ctrl+alt+b"
  ctl "expect 1900" "${others[@]}" "."
  placed=$REPLY
  ctl "barrier 1900"
  answered=$REPLY
  if [ "$(log_count busy.log "awake Busy")" = 0 ]; then asleep=yes; else asleep=no; fi
  if [[ $placed == ok* ]] && [ "$asleep" = yes ]; then
    pass "Ctrl+Alt+B places the other windows while Busy's thread sleeps 2 s (${placed#ok } ms)"
  else
    fail "Ctrl+Alt+B waits for Busy: the other windows answered '$placed', Busy still asleep: $asleep"
    for e in "${others[@]}"; do note "simulator: $e"; done
  fi
  if [ "$answered" = ok ] && [ "$asleep" = yes ]; then
    pass "the main dialog handles a posted command meanwhile"
  else
    fail "the main dialog does not handle a posted command while Busy sleeps ($answered, Busy still asleep: $asleep)"
  fi
  expected=("Busy $busy_cell")
  compare "Busy takes its cell once it answers" 15000
  scenario+=("key 2")
  simulate busy-stop
  step "key ctrl+back"
  compare "Ctrl+Backspace puts every window back, Busy too" 10000 foreground
  step "command 1002"
  step "wait-exit 20000"
fi

# --- a window that answers late and will not be as thin as its band ---------------------------------
# Slow's program takes 400 ms to answer a placement, as a console does, past the 100 ms that a key
# waits for a window, and keeps at least 380 x 380 px: more than a band of 0.2 (200 px of 1004).
# Its placement goes on in the background; once Slow has answered, the program reads it back and
# widens its band as it would have at once. So the windows end where the simulator puts them in one go, and none overlaps
# another.
overlapping_pairs() {  # the pairs of windows of `expected` that overlap, "A/B ..."
  local i j a b al at ar ab bl bt br bb pairs=()
  for ((i = 0; i < ${#expected[@]}; i++)); do
    read -r a al at ar ab <<<"${expected[i]}"
    [ -n "$ab" ] || continue  # hidden or minimised
    for ((j = i + 1; j < ${#expected[@]}; j++)); do
      read -r b bl bt br bb <<<"${expected[j]}"
      [ -n "$bb" ] || continue
      if ((al < br && bl < ar && at < bb && bt < ab)); then pairs+=("$a/$b"); fi
    done
  done
  echo "${pairs[*]}"
}
if [ "$mode" = test ]; then
  step "launch-tray 30000 $(winpath "$bin/tessellor.exe") #32770 Tessellor 100077"
  step "auto on"
  sampler_options=(--threads --answer-ms 400)
  open_samples slow.log Slow,380,300,500,420,380,380,34495E
  sampler_options=()
  # In front, so that it takes the Centre and Slow, topmost after it, the first band (South).
  open_samples front.log Front,400,320,500,420,116,27,F1C40F
  step "wait-settled 10000"
  describe_desktop
  scenario+=("key 0")
  simulate slow-border
  for line in "${layout[@]}"; do [[ $line == weights* ]] && note "simulator: $line"; done
  step "key ctrl+alt+b"
  compare "Slow, which answers late and will not be as thin as its band, widens it once it answers" 15000
  pairs=$(overlapping_pairs)
  if [ -n "$matched" ] && [ -z "$pairs" ]; then
    pass "no window of the layout overlaps another"
  else
    fail "windows of the layout overlap: ${pairs:-the windows did not stand where the simulator put them}"
  fi
  scenario+=("key 2")
  simulate slow-stop
  step "key ctrl+back"
  compare "Ctrl+Backspace puts every window back, Slow too" 10000
  step "command 1002"
  step "wait-exit 20000"
fi

# --- the "Windows" dialog and "Don't tile PROGRAM" in the tray menu --------------------------------
. "$root/tests/e2e/windows-dialog.sh"
check_windows_dialog_and_tray_item

# --- installed, updated and uninstalled with the MSI ----------------------------------------------
if [ "$mode" = test ]; then
  . "$root/tests/e2e/install.sh"
  check_install_update_uninstall
fi

echo "e2e: $passed passed, $failed failed in $((SECONDS - started)) s (artefacts in $art)"
[ "$failed" -eq 0 ]
