#!/usr/bin/env bash
# What users wait for: the real tessellor.exe under Wine on a private virtual display, driven by the
# end-to-end harness (tests/e2e/harness.sh), every figure the median of several runs. Prints a table.
#
#   scripts/bench-e2e.sh            11 runs a figure; 6, 12 and 24 windows
#   scripts/bench-e2e.sh --quick    1 run, 6 windows: only proves that every measurement still works
#   scripts/bench-e2e.sh --own [RUNS]  only the windows each a program of its own (12 and 24) and the
#                                   start until the tray icon, RUNS runs a figure (11)
#
# Beside the program's own figures it measures the floor, the control program placing the same
# windows itself, once each, one after another (each run right after one of the program's, so that
# the machine's drift weighs on both alike, and while a bare dialog's tray icon shows, as the
# program's does), and the same two for windows that take 30 ms to answer a placement (the sample application sleeps in WM_WINDOWPOSCHANGING, each window on a
# thread of its own). Then the same with each window a program of its own (a sample application
# started once a window), as a user's notepads are: there the floor is the control program placing
# the windows all at once, a thread a window, and beside it the same windows placed one after
# another. It ends with the ratios that the program is held to.
#
# Each timed step begins a quarter of a second after the step before it (settle, below).
#
# Moments are taken inside the Windows programs on QueryPerformanceCounter, which Wine keeps on one
# clock for all processes, so neither the script nor Wine's start-up is in a figure:
# - a hotkey: from just before the control program's SendInput to its first poll (about every
#   millisecond) that finds every window at the simulator's rectangle;
# - a drag: from the sample application's WM_EXITSIZEMOVE (the drag's release, which msghook.dll
#   reports to the program; the sample application raises EVENT_SYSTEM_MOVESIZEEND just after) to
#   the moment the last window reached its new rectangle, as a thread of the control program that
#   reads every window's rectangle about every millisecond saw it;
# - a bare program's placing: from the control program's first SetWindowPos (all at once: from
#   letting go the threads, started and waiting before) to the first poll that finds every window at
#   its rectangle, polled by a thread of its own while the windows are placed, as a hotkey's
#   placements are;
# - the tray icon: from just before the control program's CreateProcess to its first poll that
#   finds the icon (Shell_NotifyIcon NIM_MODIFY succeeds only for an icon the shell holds).
set -euo pipefail

runs=11
border_counts=(6 12 24)
grid_count=12
drag_count=12
bare_count=12 # the floor and the slow windows
own_counts=(12 24) # each window a program of its own
one_program=1       # the rows of windows of one program
if [ "${1:-}" = --quick ]; then
  runs=1
  border_counts=(6)
  grid_count=6
  drag_count=6
  bare_count=6
  own_counts=(6)
elif [ "${1:-}" = --own ]; then
  runs=${2:-11}
  one_program=""
  [[ $runs =~ ^[1-9][0-9]?$ ]] || { echo "usage: scripts/bench-e2e.sh --own [RUNS]" >&2; exit 2; }
elif [ -n "${1:-}" ]; then
  echo "usage: scripts/bench-e2e.sh [--quick | --own [RUNS]]" >&2
  exit 2
fi

art=$(cd "$(dirname "$0")/.." && pwd)/build/bench-e2e-artifacts
. "$(dirname "$0")/../tests/e2e/harness.sh"
# Only failures are worth a line here; the table is the output.
pass() { passed=$((passed + 1)); }

# N sample windows, all over the point (640, 480) so that Wine keeps their stacking.
bench_samples() {
  local i
  for ((i = 1; i <= $1; i++)); do
    printf 'W%02d,%d,%d,600,500,116,27,%06X\n' "$i" $((40 + i * 37 % 460)) $((20 + i * 23 % 340)) $((i * 0x0A3F5B % 0xFFFFFF))
  done
}

# The program is started afresh for every run: the Border Layout hands out bands in a cycle that
# lives as long as the process, and the simulator starts each scenario with a fresh one.
start_tessellor() {
  step "launch-tray 30000 $(winpath "$bin/tessellor.exe") #32770 Tessellor 100077"
  step "auto on"
}
stop_tessellor() {
  step "command 1002"
  step "wait-exit 20000"
}

# Median and range of microseconds, in milliseconds with one decimal.
spread() {
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 / 1000 }
    END { printf "%.1f | %.1f – %.1f", v[int(NR / 2) + 1], v[1], v[NR] }'
}

rows=()
declare -A medians=() # "WHAT|WINDOWS" -> median in microseconds
row() {
  rows+=("| $1 | $2 | $(spread "${@:3}") |")
  medians["$1|$2"]=$(printf '%s\n' "${@:3}" | sort -n | awk '{ v[NR] = $1 } END { print v[int(NR / 2) + 1] }')
  echo "$1, $2 windows: ${*:3} µs" >>"$art/runs.txt"
}

# Every timed step starts on a settled desktop, a quarter of a second after the step before it (a
# program's start or end, the windows put back), as no user's next key comes sooner. Pressed at
# once, a key also pays for what Wine still does for the step before, which varies from run to run
# by more than the whole difference the figures are compared for.
settle() { sleep 0.25; }

# Ctrl+Alt+B or Ctrl+Alt+G with the sample windows as they stand: microseconds to `took`.
took=""
time_layout_key() {
  local keys=$1 code=$2 name=$3
  settle
  describe_desktop
  scenario+=("key $code")
  simulate "$name"
  ctl "time-key 20000 $keys" "${expected[@]}" "."
  [[ $REPLY == ok* ]] || abort "$name: $REPLY"
  took=${REPLY#ok }
  compare "$name" 10000 foreground
}

end_layout() {
  scenario+=("key 2")
  simulate "$1-stop"
  step "key ctrl+back"
  compare "$1: Ctrl+Backspace" 10000 foreground
}

sampler_count=0
# Opens N windows in a new sampler process, closing the previous ones'; with "own", each window in
# a sampler process of its own, started one after another.
with_samples() {
  local title sample i=0
  if [ "$opened" -gt 0 ]; then
    for title in "${stacking[@]}"; do step "post $title close"; done
    opened=0
    step "wait-windows 0 15000"
  fi
  sampler_count=$((sampler_count + 1))
  mapfile -t samples < <(bench_samples "$1")
  if [ "${2:-}" = own ]; then
    for sample in "${samples[@]}"; do
      i=$((i + 1))
      open_samples "sampler$sampler_count-$i.log" "$sample"
    done
  else
    open_samples "sampler$sampler_count.log" "${samples[@]}"
  fi
  step "wait-settled 10000"
  describe_desktop
}

# --- a hotkey until the last window stands at its rectangle ------------------------------------------
# time_layout_runs KEYS ID NAME: $runs fresh starts, each timing the key, into $times.
time_layout_runs() {
  local i
  times=()
  for ((i = 1; i <= runs; i++)); do
    start_tessellor
    time_layout_key "$1" "$2" "$3-$i"
    times+=("$took")
    end_layout "$3-$i"
    stop_tessellor
  done
}

# --- a bare program placing the windows itself --------------------------------------------------------
# prepare_bare NAME: the rectangles the simulator gives the windows as they stand for Ctrl+Alt+B
# (`bare_expected`), and where they stand now (`bare_back`).
bare_expected=()
bare_back=()
prepare_bare() {
  local line title l t r b
  bare_back=()
  ctl windows
  for line in "${lines[@]}"; do
    read -r _ title l t r b _ <<<"$line"
    bare_back+=("$title $l $t $r $b")
  done
  describe_desktop
  scenario+=("key 0")
  simulate "$1"
  bare_expected=("${expected[@]}")
}
# time_placing HOW NAME: the control program places the windows at `bare_expected` (HOW: each, once
# each, one after another; together, all at once, a thread a window) and puts them back untimed;
# microseconds into `took`.
time_placing() {
  settle
  ctl "place-$1 20000" "${bare_expected[@]}" "."
  [[ $REPLY == ok* ]] || abort "$2: $REPLY"
  took=${REPLY#ok }
  step "place-each 20000" "${bare_back[@]}" "."
}

# time_beside_bare KEYS ID NAME [hooked|together]: $runs rounds of the key (a fresh start each)
# followed by the bare program placing the same windows, with "hooked" by the bare program again
# while tessellor.exe runs without a layout, with "together" by the bare program placing them all at
# once too. Taken in turn, so that the machine's drift over the minutes of a run weighs on all
# alike. Into `times`, `bare_times`, `hooked_times` and `together_times`.
time_beside_bare() {
  local i
  times=()
  bare_times=()
  hooked_times=()
  together_times=()
  prepare_bare "$3-bare"
  for ((i = 1; i <= runs; i++)); do
    start_tessellor
    time_layout_key "$1" "$2" "$3-$i"
    times+=("$took")
    end_layout "$3-$i"
    stop_tessellor
    # Wine shows its taskbar with the first tray icon, and then lays out and repaints every button
    # at each window's move: the bare program places the windows on a desktop like the program's,
    # with a tray icon of a bare dialog.
    step "launch-tray 30000 $(winpath "$bin/tessellor-traydemo.exe") #32770 TrayDemo 1"
    time_placing each "$3-bare-$i"
    bare_times+=("$took")
    step post-close
    step "wait-exit 20000"
    if [ "${4:-}" = together ]; then
      # After a start of its own too: placements right after a program's start take longer than
      # ones a moment later (Wine's shell is still busy with the new icon), and the key pays that.
      step "launch-tray 30000 $(winpath "$bin/tessellor-traydemo.exe") #32770 TrayDemo 1"
      time_placing together "$3-together-$i"
      together_times+=("$took")
      step post-close
      step "wait-exit 20000"
    fi
    if [ "${4:-}" = hooked ]; then
      start_tessellor
      time_placing each "$3-bare-hooked-$i"
      hooked_times+=("$took")
      stop_tessellor
    fi
  done
}

border_what="Ctrl+Alt+B until the last window stands at its rectangle, Border Layout"
bare_what="a bare program placing the same windows once each, one after another"
hooked_what="the same bare program while tessellor.exe runs without a layout (its event hooks installed)"
slow_what="Ctrl+Alt+B, Border Layout, windows that take 30 ms to answer a placement"
slow_bare_what="a bare program placing those slow windows once each, one after another"

if [ -n "$one_program" ]; then
  floor_times=()
  for n in "${border_counts[@]}"; do
    with_samples "$n"
    if [ "$n" = "$bare_count" ]; then
      # Beside the floor, the bare program again with tessellor.exe running, no layout: what its
      # hooks alone cost the placements.
      time_beside_bare ctrl+alt+b 0 "border-$n" hooked
      floor_times=("${bare_times[@]}")
      floor_hooked=("${hooked_times[@]}")
    else
      time_layout_runs ctrl+alt+b 0 "border-$n"
    fi
    row "$border_what" "$n" "${times[@]}"
  done
  [ "${#floor_times[@]}" -gt 0 ] || abort "no Border Layout of $bare_count windows to measure the floor beside"
  row "$bare_what" "$bare_count" "${floor_times[@]}"
  row "$hooked_what" "$bare_count" "${floor_hooked[@]}"

  # --- windows that take 30 ms to answer a placement, each on a thread of its own ------------------------
  sampler_options=(--threads --answer-ms 30)
  with_samples "$bare_count"
  sampler_options=()
  time_beside_bare ctrl+alt+b 0 "slow-$bare_count"
  row "$slow_what" "$bare_count" "${times[@]}"
  row "$slow_bare_what" "$bare_count" "${bare_times[@]}"
fi

# --- each window a program of its own -------------------------------------------------------------
own_what="Ctrl+Alt+B until the last window stands at its rectangle, Border Layout, each window a program of its own"
together_what="a bare program placing those windows all at once, a thread a window"
each_what="a bare program placing those windows once each, one after another"
for n in "${own_counts[@]}"; do
  with_samples "$n" own
  time_beside_bare ctrl+alt+b 0 "own-$n" together
  row "$own_what" "$n" "${times[@]}"
  row "$together_what" "$n" "${together_times[@]}"
  row "$each_what" "$n" "${bare_times[@]}"
done

if [ -n "$one_program" ]; then
  with_samples "$grid_count"
  time_layout_runs ctrl+alt+g 1 "grid-$grid_count"
  row "Ctrl+Alt+G until the last window stands at its rectangle, Grid Layout" "$grid_count" "${times[@]}"

  # --- a title-bar drag out of the Border Layout until every window is re-placed ------------------------
  with_samples "$drag_count"
  times=()
  for ((i = 1; i <= runs; i++)); do
    start_tessellor
    time_layout_key ctrl+alt+b 0 "drag-$drag_count-$i"
    # The first South window, dropped with its centre on (640, 480): it leaves the layout and its
    # band is shared anew. The control program watches the windows from before the drag, so the
    # moment the last of them reached its new place is known once the simulator has told where.
    title=$(first_of south)
    read -r l t r b <<<"$(rect_of "$title")"
    step "watch on"
    drag_window "sampler$sampler_count.log" "$title" $(((l + r) / 2)) $((t + 12)) $((640 - (l + r) / 2)) $((480 - (t + b) / 2)) ||
      abort "drag of $title: the sample application reported no end of the drag"
    simulate "drag-$drag_count-$i-drop"
    ctl "placed-at 20000" "${expected[@]}" "."
    [[ $REPLY == ok* ]] || abort "drag of $title: $REPLY"
    times+=($((${REPLY#ok } - drag_end)))
    step "watch off"
    compare "drag-$drag_count-$i: a drag out of the Border Layout" 10000
    end_layout "drag-$drag_count-$i"
    stop_tessellor
  done
  row "a title-bar drag's release until every window is re-placed, Border Layout" "$drag_count" "${times[@]}"
fi

# --- process start until the tray icon shows -------------------------------------------------------
ours=()
floor=()
for ((i = 1; i <= runs; i++)); do
  settle
  step "launch-tray 30000 $(winpath "$bin/tessellor.exe") #32770 Tessellor 100077"
  ours+=("${REPLY#ok }")
  stop_tessellor
  settle
  step "launch-tray 30000 $(winpath "$bin/tessellor-traydemo.exe") #32770 TrayDemo 1"
  floor+=("${REPLY#ok }")
  step post-close
  step "wait-exit 20000"
done
row 'process start until the tray icon shows: `tessellor.exe`' "–" "${ours[@]}"
row "process start until the tray icon shows: a bare dialog with a tray icon" "–" "${floor[@]}"

[ "$failed" -eq 0 ] || abort "the program did not do what the simulator expects; no figures"

echo
echo "Under Wine $(wine --version 2>/dev/null | sed 's/^wine-//'), $(date -u '+%Y-%m-%d'), $runs run(s) a figure:"
echo
echo "| What | Windows | Median (ms) | Range (ms) |"
echo "|---|---|---|---|"
printf '%s\n' "${rows[@]}"

# --- the goals, as ratios of this run's medians --------------------------------------------------------
ratio() { # GOAL NUMERATOR DENOMINATOR AT-MOST ("–": no goal, only the ratio)
  local a=${medians[$2]:-} b=${medians[$3]:-}
  if [ -z "$a" ] || [ -z "$b" ]; then
    echo "| $1 | not measured in this run | ≤ $4 |"
    return
  fi
  if [ "$4" = "–" ]; then
    awk -v a="$a" -v b="$b" -v what="$1" 'BEGIN { printf "| %s | %.2f | – |\n", what, a / b }'
    return
  fi
  awk -v a="$a" -v b="$b" -v most="$4" -v goal="$1" \
    'BEGIN { r = a / b; printf "| %s | %.2f | ≤ %s%s |\n", goal, r, most, r <= most ? "" : " (not met)" }'
}
echo
echo "| Ratio of the medians above | Value | Goal |"
echo "|---|---|---|"
if [ -n "$one_program" ]; then
  ratio "Border Layout of $bare_count windows ÷ a bare program placing them" "$border_what|$bare_count" "$bare_what|$bare_count" 1.2
  ratio "Border Layout of $bare_count windows ÷ the bare program while tessellor.exe runs (not a goal)" "$border_what|$bare_count" "$hooked_what|$bare_count" "–"
  ratio "Border Layout of 24 windows ÷ of 12 windows" "$border_what|24" "$border_what|12" 2.3
  ratio "$bare_count slow windows ÷ a bare program placing them" "$slow_what|$bare_count" "$slow_bare_what|$bare_count" 0.5
fi
for n in "${own_counts[@]}"; do
  ratio "Border Layout of $n windows, each a program of its own ÷ a bare program placing them all at once" \
    "$own_what|$n" "$together_what|$n" 1.2
done
# How the time grows from 12 to 24 windows, against how the floor's grows.
growth() {
  local a=${medians["$own_what|24"]:-} b=${medians["$own_what|12"]:-} c=${medians["$together_what|24"]:-}
  local d=${medians["$together_what|12"]:-} what="Growth from 12 to 24 windows, each a program of its own: the Border Layout's ÷ the floor's"
  if [ -z "$a" ] || [ -z "$b" ] || [ -z "$c" ] || [ -z "$d" ]; then
    echo "| $what | not measured in this run | ≤ 1.1 |"
    return
  fi
  awk -v a="$a" -v b="$b" -v c="$c" -v d="$d" -v what="$what" \
    'BEGIN { r = (a / b) / (c / d); printf "| %s (%.2f ÷ %.2f) | %.2f | ≤ 1.1%s |\n", what, a / b, c / d, r, r <= 1.1 ? "" : " (not met)" }'
}
growth
ratio 'Start until the tray icon shows: `tessellor.exe` ÷ a bare dialog' \
  'process start until the tray icon shows: `tessellor.exe`|–' \
  "process start until the tray icon shows: a bare dialog with a tray icon|–" 1.1

# --- placements per event, from the simulator --------------------------------------------------------
# Each `count` of the scenario pairs with the commands since the one before (their comment, if any).
"$sim" "$root/bench/placements.scn" >"$art/placements.out" 2>&1 || abort "bench/placements.scn: $(cat "$art/placements.out")"
mapfile -t counts < <(sed -n 's/^placements //p' "$art/placements.out")
mapfile -t events < <(awk '
  { line = $0; comment = ""; if (index(line, "#")) { comment = substr(line, index(line, "#") + 2); line = substr(line, 1, index(line, "#") - 1) } }
  { sub(/[ \t]+$/, "", line) }
  line == "" { next }
  line == "count" { print (seen ? label : "(before)"); seen = 1; label = ""; next }
  { text = comment != "" ? comment : line; label = label == "" ? text : label "; " text }
' "$root/bench/placements.scn")
[ "${#counts[@]}" -gt 1 ] && [ "${#counts[@]}" -eq "${#events[@]}" ] ||
  abort "bench/placements.scn: ${#counts[@]} counts printed for ${#events[@]} in the scenario"
echo
echo "| Event (tessellor-sim bench/placements.scn) | Placements |"
echo "|---|---|"
for ((i = 1; i < ${#counts[@]}; i++)); do echo "| ${events[i]} | ${counts[i]} |"; done
