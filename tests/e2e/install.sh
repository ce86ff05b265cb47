# The installer end to end, sourced by tests/e2e/run.sh after its other checks (the harness is set
# up): the MSI installed silently into the prefix, the installed program started with autostart on,
# a package one patch version higher installed over it while it runs, and both uninstalled.

version=$(sed -n 's/^#define TESSELLOR_VERSION_TEXT "\(.*\)"$/\1/p' "$root/build/mingw/generated/tessellor_version.h")
next_version=$(sed -n 's/^#define TESSELLOR_VERSION_TEXT "\(.*\)"$/\1/p' "$root/build/mingw/e2e-next/generated/tessellor_version.h")
publisher=$(sed -n 's/^#define TESSELLOR_PUBLISHER "\(.*\)"$/\1/p' "$root/build/mingw/generated/tessellor_version.h")
copyright=$(sed -n 's/^#define TESSELLOR_COPYRIGHT "\(.*\)"$/\1/p' "$root/build/mingw/generated/tessellor_version.h")
msi=$root/build/mingw/tessellor-$version-x64.msi
next_msi=$root/build/mingw/e2e-next/tessellor-$next_version-x64.msi
# The product codes as the build wrote them into the winget manifests.
product_code_of() { sed -n 's/^ProductCode: "\(.*\)"$/\1/p' "$1"/winget/manifests/t/Tessellor/Tessellor/*/Tessellor.Tessellor.installer.yaml; }
code=$(product_code_of "$root/build/mingw/dist")
next_code=$(product_code_of "$root/build/mingw/e2e-next/dist")

installed=$(dirname "$user_settings")/Programs/Tessellor
user_name=$(basename "$(dirname "$(dirname "$(dirname "$user_settings")")")")
installed_exe="C:\\users\\$user_name\\AppData\\Local\\Programs\\Tessellor\\tessellor.exe"
installed_dll="C:\\users\\$user_name\\AppData\\Local\\Programs\\Tessellor\\msghook.dll"
shortcut="$WINEPREFIX/drive_c/users/$user_name/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessellor.lnk"

msiexec() {  # ARGS...: msiexec, its exit code in $REPLY
  set +e
  timeout 120 wine msiexec "$@" >>"$art/msiexec.log" 2>&1
  REPLY=$?
  set -e
}

# Version resources of both installed files, read back with GetFileVersionInfoA and VerQueryValueA.
check_versions() {  # VERSION DESCRIPTION
  local want file description
  for file in "$installed_exe|Tessellor desktop tiling tool" "$installed_dll|Tessellor window event hook"; do
    description=${file#*|}
    file=${file%%|*}
    want="file-version $1.0|$1|$1|$publisher|Tessellor|$copyright|$description"
    ctl "file-version $file"
    if [ "$REPLY" = "$want" ]; then
      pass "$2: the version resource of ${file##*\\} reads $1, $publisher, \"$copyright\""
    else
      fail "$2: the version resource of ${file##*\\} reads '$REPLY', not '$want'"
    fi
  done
}

check_install_update_uninstall() {
  [ -f "$msi" ] && [ -f "$next_msi" ] && [ -n "$code" ] && [ -n "$next_code" ] ||
    abort "install: the packages or their product codes are missing ($msi, $next_msi)"
  # A run stopped half-way may have left either package installed.
  msiexec /x "$(winpath "$next_msi")" /qn
  msiexec /x "$(winpath "$msi")" /qn
  rm -rf "$user_settings"

  msiexec /i "$(winpath "$msi")" /qn
  [ "$REPLY" = 0 ] || abort "install: msiexec /i /qn exits $REPLY"
  local missing=() f
  for f in tessellor.exe msghook.dll README.md LICENSE; do [ -f "$installed/$f" ] || missing+=("$f"); done
  if [ ${#missing[@]} -eq 0 ]; then
    pass "msiexec /i /qn installs tessellor.exe, msghook.dll, README.md and LICENSE into %LOCALAPPDATA%\\Programs\\Tessellor"
  else
    fail "install: missing in $installed: ${missing[*]}"
  fi
  if [ -f "$shortcut" ] && grep -aq 'Programs\\Tessellor' "$shortcut"; then
    pass "the Start menu has the shortcut \"Tessellor\" to the installed program"
  else
    fail "no Start menu shortcut $shortcut to the installed program"
  fi
  ctl "product $code"
  if [[ $REPLY == "product Tessellor|$version|$publisher|"*"|icon-file yes" ]]; then
    pass "Windows Installer knows Tessellor $version by $publisher, with its icon"
  else
    fail "install: Windows Installer answers '$REPLY'"
  fi
  ctl "uninstall-entry $code"
  if [[ $REPLY == "uninstall-entry "*" Tessellor|$version|$publisher" ]]; then
    pass "Installed apps lists Tessellor $version by $publisher (${REPLY#uninstall-entry })"
  else
    fail "install: the Installed apps entry is '$REPLY'"
  fi
  check_versions "$version" "installed"
  ctl dialog
  [ "$REPLY" = "dialog none" ] && pass "a silent install starts nothing" || fail "a silent install started Tessellor ($REPLY)"

  # The installed program, as the Start menu starts it; its settings made before the update.
  ( cd "$run" && timeout 170 wine "$installed_exe" >>"$art/tessellor.log" 2>&1
    echo $? >"$run/installed.exe.exit" ) &
  ctl "wait-dialog hidden 30000"
  [ "$REPLY" = ok ] || abort "install: the installed program shows no main dialog"
  ctl "wait-tray shown 10000"
  [ "$REPLY" = ok ] && pass "the installed program starts with its tray icon" || fail "the installed program shows no tray icon"
  step run-value
  if [ "${REPLY#run-value }" = "\"$installed_exe\"" ]; then
    pass "autostart is on: the Run value starts the installed program"
  else
    fail "autostart: the Run value is '${REPLY#run-value }'"
  fi
  step "auto on"
  local tries
  for tries in $(seq 50); do grep -qs '^auto' "$user_settings/settings.dat" && break || sleep 0.1; done
  local settings_before
  settings_before=$(od -c "$user_settings/settings.dat" 2>/dev/null || echo none)

  # Over it while it runs, a package one patch version higher. Wine has no Restart Manager to ask
  # Tessellor to end (WM_QUERYENDSESSION/WM_ENDSESSION with ENDSESSION_CLOSEAPP, which the simulator's
  # golden scenario update_closeapp shows): here the older package's removal ends it, running
  # tessellor.exe /uninstall, as Wine's removal of an older product leaves UPGRADINGPRODUCTCODE unset.
  msiexec /i "$(winpath "$next_msi")" /qn
  [ "$REPLY" = 0 ] || abort "update: msiexec /i /qn of $next_version exits $REPLY"
  ctl "wait-file installed.exe.exit 20000"
  if [ "$REPLY" != timeout ] && [ "$(cat "$run/installed.exe.exit")" = 0 ]; then
    pass "the update ends the running Tessellor $version as Close does (exit 0), before its files are replaced"
  else
    fail "update: the running Tessellor did not end ($REPLY)"
  fi
  check_versions "$next_version" "updated"
  ctl "product $code"
  local old=$REPLY
  ctl "uninstall-entry $code"
  if [ "$old" = "product none" ] && [ "$REPLY" = "uninstall-entry none" ]; then
    pass "the update replaces $version: Windows Installer and Installed apps know only $next_version"
  else
    fail "update: $version is still registered ($old, $REPLY)"
  fi
  step run-value
  note "after the update, before Tessellor starts again: ${REPLY}"

  ( cd "$run" && timeout 170 wine "$installed_exe" >>"$art/tessellor.log" 2>&1
    echo $? >"$run/updated.exe.exit" ) &
  ctl "wait-dialog hidden 30000"
  ctl "wait-tray shown 10000"
  [ "$REPLY" = ok ] || abort "update: the updated program shows no tray icon"
  step exe-path
  local settings_after
  settings_after=$(od -c "$user_settings/settings.dat" 2>/dev/null || echo none)
  if [ "$settings_before" = "$settings_after" ] && grep -q '^auto' "$user_settings/settings.dat"; then
    pass "Tessellor $next_version runs from ${REPLY#exe-path } with the settings kept"
  else
    fail "update: settings.dat was '$settings_before', is '$settings_after'"
  fi
  step run-value
  [ "${REPLY#run-value }" = "\"$installed_exe\"" ] && pass "autostart is on again once the updated Tessellor starts" ||
    fail "update: the Run value is '${REPLY#run-value }'"

  # /close, as a script or an installer uses it: the running copy ends as Close does, and waits.
  set +e
  timeout 60 wine "$installed_exe" /close >>"$art/tessellor.log" 2>&1
  local closed=$?
  set -e
  ctl "wait-file updated.exe.exit 5000"
  if [ "$closed" = 0 ] && [ "$REPLY" != timeout ] && [ "$(cat "$run/updated.exe.exit")" = 0 ]; then
    pass "tessellor.exe /close ends the running copy (exit 0) and exits 0 once it has"
  else
    fail "/close exits $closed, the running copy: $REPLY"
  fi
  set +e
  timeout 60 wine "$installed_exe" /close >>"$art/tessellor.log" 2>&1
  closed=$?
  set -e
  [ "$closed" = 0 ] && pass "/close with no copy running exits 0" || fail "/close with none running exits $closed"

  # Started again, then removed while it runs.
  ( cd "$run" && timeout 170 wine "$installed_exe" >>"$art/tessellor.log" 2>&1
    echo $? >"$run/uninstalled.exe.exit" ) &
  ctl "wait-dialog hidden 30000"
  ctl "wait-tray shown 10000"
  [ "$REPLY" = ok ] || abort "uninstall: the program shows no tray icon before the uninstall"
  msiexec /x "$(winpath "$next_msi")" /qn
  [ "$REPLY" = 0 ] || fail "uninstall: msiexec /x /qn exits $REPLY"
  ctl "wait-file uninstalled.exe.exit 20000"
  [ "$REPLY" != timeout ] && pass "the uninstall ends the running Tessellor first" || fail "uninstall: Tessellor still runs"
  if [ ! -e "$installed" ] && [ ! -e "$shortcut" ]; then
    pass "msiexec /x /qn removes the program's folder and the Start menu shortcut"
  else
    fail "uninstall left: $(ls -d "$installed" "$shortcut" 2>/dev/null | tr '\n' ' ')"
  fi
  step run-value
  [ "$REPLY" = "run-value none" ] && pass "the uninstall removes the autostart value" || fail "uninstall: $REPLY"
  ctl "uninstall-entry $next_code"
  [ "$REPLY" = "uninstall-entry none" ] && pass "Installed apps no longer lists Tessellor" || fail "uninstall: $REPLY"
  [ -f "$user_settings/settings.dat" ] && pass "the uninstall keeps %LOCALAPPDATA%\\Tessellor with settings.dat" ||
    fail "uninstall removed the settings"
}
