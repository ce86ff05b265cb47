# The "Windows" dialog and the tray menu's "Don't tile PROGRAM" under Wine, sourced by tests/e2e/run.sh.
#
# Four sample windows of their own join the ones open: Fixed, without a sizing border; "Picture in
# picture", left alone by the rule title:picture; Apart, of a program left alone by its file name; and
# Pointed, of a program of its own that the tray item leaves alone. Apart's and Pointed's programs are
# copies of the sample application under other file names, so that leaving them alone leaves no other
# sample window alone. Each covers the point (640, 480), as the run's other samples do.
fixed_sample=Fixed,500,400,360,260,116,27,7D3C98,fixed
picture_sample="Picture in picture,560,440,300,200,116,27,B7950B,aside"
apart_sample=Apart,380,300,420,320,116,27,95A5A6
pointed_sample=Pointed,440,340,460,340,116,27,2C3E50,front
pointed_opened="440 340 900 680"
fixed_opened="500 400 860 660"
apart_opened="380 300 800 620"
picture_opened="560 440 860 640"

# Opens sample windows in one new process of EXE, logging to LOG. An "aside" window is not a sample
# window to the control program, and is not counted in `opened`.
open_program_samples() {
  local exe=$1 log=$2 sample title counted=0
  shift 2
  register_samples "$@"
  for title in "${!colour[@]}"; do colour[$title]=${colour[$title]%%,*}; done
  for sample in "$@"; do [[ $sample == *,aside* ]] || counted=$((counted + 1)); done
  ( cd "$run" && exec wine "$exe" "$log" "$@" >>"$art/sampler.log" 2>&1 ) &
  opened=$((opened + counted))
  step "wait-log $log ready 1 30000"
  step "wait-windows $opened 10000"
}

# The desktop as describe_desktop reads it, with what the simulator must know besides: each window's
# program, Fixed's missing sizing border, and the picture window (at the bottom: it is left alone, so
# where it stacks changes no layout). Then the entries typed into the excluded list, as they were.
excluded_typed=()
describe_own_desktop() {
  local i name line own=()
  describe_desktop
  for i in "${!scenario[@]}"; do
    line=${scenario[i]}
    [[ $line == "window "* ]] || continue
    read -r _ name _ <<<"$line"
    case $name in
      Apart) line+=" exe tessellor-apart.exe" ;;
      Pointed) line+=" exe tessellor-pointed.exe" ;;
      Fixed) line+=" exe tessellor-sampler.exe fixed" ;;
      *) line+=" exe tessellor-sampler.exe" ;;
    esac
    scenario[i]=$line
  done
  step "rect Picture in picture"
  [ "$REPLY" != "rect none" ] || abort "the window \"Picture in picture\" is gone"
  own=("window Picture title \"Picture in picture\" exe tessellor-sampler.exe at ${REPLY#rect } min 116 27")
  scenario=("${scenario[@]:0:3}" "${own[@]}" "${scenario[@]:3}")
  for line in "${excluded_typed[@]}"; do scenario+=("type 1011 \"$line\"" "command 1013"); done
}

# As simulate, with the picture window: it is checked on its own, since the control program's
# comparisons know sample windows only. `picture_expected` gets its rectangle.
picture_expected=""
simulate_own() {
  local e kept=()
  opened=$((opened + 1))
  simulate "$1"
  opened=$((opened - 1))
  picture_expected=$(rect_of Picture)
  for e in "${expected[@]}"; do [[ $e == "Picture "* ]] || kept+=("$e"); done
  expected=("${kept[@]}")
}

# The list box entry typed into the main dialog's box and added with "ADD", as a user does.
type_excluded() {
  step "set-text 1011 $1"
  step "command 1013"
  excluded_typed+=("$1")
}

settings_hold() {  # whether settings.dat holds each entry as a line of its own
  local entry
  for entry in "$@"; do
    tr -d '\r' <"$user_settings/settings.dat" 2>/dev/null | grep -qxF -- "$entry" || return 1
  done
}

# A screenshot of the dialog once Wine has painted it: two shots alike in a row, its list showing
# white ground and dark text.
shot_windows_dialog() {
  local file=$shots/windows-dialog.png crop=$1 list=$2 deadline=$((SECONDS + 20)) previous="" now white dark
  while :; do
    import -window root -crop "$crop" -strip -define png:exclude-chunks=date,time "$file"
    now=$(md5sum <"$file")
    white=$(convert "$file" -crop "$list" -fill black +opaque white -format "%[fx:maxima]" info:)
    dark=$(convert "$file" -crop "$list" -colorspace gray -format "%[fx:minima < 0.25]" info:)
    [ "$now" = "$previous" ] && [ "$white" = 1 ] && [ "$dark" = 1 ] && break
    previous=$now
    if [ "$SECONDS" -ge "$deadline" ]; then
      fail "screenshot windows-dialog: the dialog was not painted steadily within 20 s"
      return
    fi
  done
  note "screenshot $file"
}

# The rows of the real dialog (`rows`, "PROGRAM<tab>TITLE<tab>WHAT") and of the simulator's for the
# same desktop (`sim_rows`).
rows=()
sim_rows=()
read_sim_rows() {  # the simulator's rows for the scenario so far, with the dialog opened
  local file=$art/$1.scn line
  printf '%s\n' "${scenario[@]}" "command 1022" "print windows-dialog" >"$file"
  "$sim" "$file" >"${file%.scn}.out" 2>"${file%.scn}.err" || abort "$1: the simulator rejected the scenario"
  sim_rows=()
  while IFS= read -r line; do
    [[ $line =~ ^row\ \"(.*)\"\ \"(.*)\"\ \"(.*)\"$ ]] &&
      sim_rows+=("${BASH_REMATCH[1]}"$'\t'"${BASH_REMATCH[2]}"$'\t'"${BASH_REMATCH[3]}")
  done <"${file%.scn}.out"
}

row_of() {  # the real row of a title, or nothing
  local row program title
  for row in "${rows[@]}"; do
    IFS=$'\t' read -r program title _ <<<"$row"
    [ "$title" = "$1" ] && { echo "$row"; return; }
  done
  return 0
}

check_windows_dialog() {
  local row line dialog_rect list_rect l t r b title program what want missing=() differing=() others=()
  read_sim_rows windows-dialog
  step "command 1022"
  ctl "wait-windows-dialog shown 10000"
  [[ $REPLY == ok* ]] || abort "\"Windows...\" opens no dialog \"Tessellor Windows\" ($REPLY)"
  read -r _ l t r b _ <<<"$REPLY"
  dialog_rect="$((r - l))x$((b - t))+$l+$t"
  read -r _ _ _ _ _ l t r b <<<"$REPLY"
  # The list's inside, below its header.
  list_rect="$((r - l - 8))x$((b - t - 40))+$((l + 4))+$((t + 30))"
  step windows-rows
  [[ $REPLY == row* ]] || abort "the Windows dialog's list reads back no rows: $REPLY"
  rows=()
  for line in "${lines[@]}"; do [[ $line == "row "* ]] && rows+=("${line#row }"); done

  # Worked out by hand: what the dialog must say of the four windows the run opened for it.
  for want in "Pointed"$'\t'"tessellor-pointed.exe"$'\t'"Tiled: Border Layout, Centre" \
    "Fixed"$'\t'"tessellor-sampler.exe"$'\t'"Has no sizing border" \
    "Apart"$'\t'"tessellor-apart.exe"$'\t'"Excluded by tessellor-apart.exe" \
    "Picture in picture"$'\t'"tessellor-sampler.exe"$'\t'"Excluded by title:picture"; do
    IFS=$'\t' read -r title program what <<<"$want"
    row=$(row_of "$title")
    if [ "$row" = "$program"$'\t'"$title"$'\t'"$what" ]; then
      pass "the Windows dialog, read from its list view in tessellor.exe's memory, says of $title ($program): $what"
    else
      fail "the Windows dialog says of $title: '${row:-no row}', not '$program, $what'"
    fi
  done

  # Every sample window, as the simulator lists it for the same desktop; rows of Wine's own windows
  # are only noted.
  for line in "${sim_rows[@]}"; do
    IFS=$'\t' read -r _ title _ <<<"$line"
    row=$(row_of "$title")
    if [ -z "$row" ]; then
      missing+=("$title")
    elif [ "$row" != "$line" ]; then
      differing+=("real '$row', simulator '$line'")
    fi
  done
  for row in "${rows[@]}"; do
    IFS=$'\t' read -r _ title _ <<<"$row"
    [[ $'\n'"$(printf '%s\n' "${sim_rows[@]}")" == *$'\t'"$title"$'\t'* ]] || others+=("$row")
  done
  for row in "${others[@]}"; do note "also listed: ${row//$'\t'/ | }"; done
  if [ "${#sim_rows[@]}" -eq $((opened + 1)) ] && [ "${#missing[@]}" -eq 0 ] && [ "${#differing[@]}" -eq 0 ]; then
    pass "the Windows dialog lists every one of the $((opened + 1)) sample windows with the program and reason the simulator gives"
  else
    fail "the Windows dialog and the simulator differ (the simulator lists ${#sim_rows[@]} rows for $((opened + 1)) windows): missing ${missing[*]:-none}; ${differing[*]:-}"
  fi

  # "Copy": the rows as shown, a line each, columns apart by tabs.
  step "windows-command 1202"
  step "barrier 10000"
  ctl clipboard
  local clipped=()
  for line in "${lines[@]}"; do [[ $line == "clip "* ]] && clipped+=("${line#clip }"); done
  if [ "${#clipped[@]}" -eq "${#rows[@]}" ] && [ "$(printf '%s\n' "${clipped[@]}")" = "$(printf '%s\n' "${rows[@]}")" ]; then
    pass "\"Copy\" puts the ${#rows[@]} rows on the clipboard as the dialog shows them, a line each"
  else
    fail "\"Copy\": the clipboard holds ${#clipped[@]} lines ($REPLY), the dialog ${#rows[@]} rows"
  fi

  # In front, as after a click on "Windows...": here the command came from another program.
  step front-away
  step "front Tessellor Windows"
  shot_windows_dialog "$dialog_rect" "$list_rect"
  step "windows-command 2"
  ctl "wait-windows-dialog gone 10000"
  [ "$REPLY" = ok ] || abort "\"Close\" leaves the Windows dialog open"
}

# Pointed activated from elsewhere, and the program done with the hook's report of it.
pointed_to_front() {
  local before
  step front-away
  before=$(log_count pointed.log "event foreground Pointed ")
  step "front Pointed"
  step "wait-log pointed.log event_foreground_Pointed_ $((before + 1)) 5000"
  step "barrier 5000"
}

# The simulator's windows stacked as the real ones now, each activated, the bottom one first, so that
# the next layout hands out its bands in the same order: windows put back come to the front in the
# order they answer.
follow_real_stacking() {
  local i name
  step windows
  for ((i = ${#lines[@]} - 1; i >= 0; i--)); do
    read -r _ name _ <<<"${lines[i]}"
    scenario+=("activate $name")
  done
}

# "Don't tile PROGRAM" for Pointed, in front while the Border Layout holds it in the Centre: its
# program joins the excluded list, saved at once, and it goes back where it stood; the next layout
# leaves it alone.
check_dont_tile_from_tray() {
  local menu items=() item index=0 i
  pointed_to_front
  # As on Windows, where the taskbar takes the focus as its icon is clicked: the item is for the
  # window that the hook reported in front before.
  step front-away
  scenario+=("activate Pointed" "foreground none" "tray rbuttondown" "menu \"Don't tile tessellor-pointed.exe\"")
  simulate_own dont-tile
  menu=$(grep '^menu ' "$art/dont-tile.out" | tail -1)
  eval "items=(${menu#menu })"
  for i in "${!items[@]}"; do
    [ "${items[i]}" = - ] && continue
    index=$((index + 1))
    [ "${items[i]}" = "Don't tile tessellor-pointed.exe" ] && break
  done
  note "the simulator's tray menu: ${menu#menu }; the item is item $index"
  step tray-menu
  ctl "wait-menu shown 10000"
  [ "$REPLY" = ok ] || abort "the tray icon's right click shows no menu"
  step "menu-keys $index"
  ctl "wait-menu gone 10000"
  [ "$REPLY" = ok ] || fail "the tray menu stays open after Down $index times and Enter"
  ctl dialog
  [ "$REPLY" != "dialog none" ] ||
    abort "the tray menu held no \"Don't tile tessellor-pointed.exe\": its item $index was \"Close\", and Tessellor ended"
  compare "\"Don't tile tessellor-pointed.exe\" in the tray menu takes Pointed out of the layout" 10000
  ctl "expect 1000" "Pointed $pointed_opened" "."
  if [[ $REPLY == ok* ]]; then
    pass "Pointed stands where it stood before the layout took it ($pointed_opened)"
  else
    fail "Pointed does not stand where it stood before the layout ($pointed_opened): ${lines[*]:1}"
  fi
  if settings_hold tessellor-pointed.exe; then
    pass "settings.dat holds tessellor-pointed.exe at once"
  else
    fail "settings.dat does not hold tessellor-pointed.exe: $(tr -d '\r' <"$user_settings/settings.dat" | tr '\n' ' ')"
  fi

  scenario+=("key 2")
  simulate_own dont-tile-stop
  step "key ctrl+back"
  # Not which window ends in front: one that answers late (Slow) comes there last.
  compare "Ctrl+Backspace puts the other windows back" 10000
  pointed_to_front
  follow_real_stacking
  scenario+=("key 0")
  simulate_own dont-tile-again
  step "key ctrl+alt+b"
  compare "Ctrl+Alt+B with Pointed in front tiles the others, and Pointed keeps its place" 10000
  ctl "expect 1000" "Pointed $pointed_opened" "."
  [[ $REPLY == ok* ]] || fail "the next Border Layout took Pointed: ${lines[*]:1}"
  scenario+=("key 2")
  simulate_own dont-tile-end
  step "key ctrl+back"
  compare "Ctrl+Backspace puts the windows back" 10000
}

check_windows_dialog_and_tray_item() {
  cp "$bin/tessellor-sampler.exe" "$run/tessellor-apart.exe"
  cp "$bin/tessellor-sampler.exe" "$run/tessellor-pointed.exe"
  step "launch-tray 30000 $(winpath "$bin/tessellor.exe") #32770 Tessellor 100077"
  step "auto on"
  excluded_typed=()
  type_excluded tessellor-apart.exe
  type_excluded title:picture
  step "barrier 10000"
  if settings_hold tessellor-apart.exe title:picture; then
    pass "a program name and a title: rule typed into the dialog and added with ADD are saved to settings.dat"
  else
    fail "settings.dat after ADD: $(tr -d '\r' <"$user_settings/settings.dat" 2>&1 | tr '\n' ' ')"
  fi

  open_program_samples "$bin/tessellor-sampler.exe" fixed.log "$fixed_sample" "$picture_sample"
  open_program_samples "$run/tessellor-apart.exe" apart.log "$apart_sample"
  open_program_samples "$run/tessellor-pointed.exe" pointed.log "$pointed_sample"
  step "wait-settled 10000"
  describe_own_desktop
  scenario+=("key 0")
  simulate_own own-border
  step "key ctrl+alt+b"
  compare "Ctrl+Alt+B tiles the sample windows, Pointed in the Centre, and leaves alone the ones it must" 10000 foreground
  # Worked out by hand: the three windows left alone stand where they opened.
  ctl "expect 1000" "Fixed $fixed_opened" "Apart $apart_opened" "."
  local kept=$REPLY
  step "rect Picture in picture"
  if [[ $kept == ok* ]] && [ "${REPLY#rect }" = "$picture_opened" ] && [ "$picture_expected" = "$picture_opened" ]; then
    pass "Fixed, Apart and \"Picture in picture\" stand where they opened"
  else
    fail "the windows left alone moved: Fixed and Apart '$kept', \"Picture in picture\" at ${REPLY#rect } (simulator: $picture_expected), opened at $picture_opened"
  fi

  check_windows_dialog
  if [ "$mode" = test ]; then check_dont_tile_from_tray; fi

  step "post Fixed close"
  step "post Apart close"
  step "post Pointed close"
  step "close-titled Picture in picture"
  opened=$((opened - 3))
  step "wait-windows $opened 15000"
  step "command 1002"
  step "wait-exit 20000"
}
