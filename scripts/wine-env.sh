# shellcheck shell=bash
# Private X server and Wine prefix for running and testing the Windows build.
# Source it, then:
#   lv_wine_env              export WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES, LC_ALL
#   lv_xvfb_start            start our own Xvfb on a free display and export DISPLAY
#   lv_wine_prefix [fresh]   make the prefix once (wineboot -i + virtual desktop);
#                            "fresh" throws an earlier one away first
#   lv_wine_desktop on|off   Wine's virtual desktop (on after lv_wine_prefix; off for a real desktop)
#   lv_wine_set_dpi N        set the prefix's DPI (LogPixels) for the next programs
#   lv_start DIR PROGRAM     start a Windows program in DIR in the background (pid: LV_START_PID)
#   lv_wait_window TEXT [S]  wait for a visible window whose title matches TEXT, print its rectangle
#   lv_raise_window TEXT     bring that window to the top of the X stacking (for screenshots)
#   lv_screenshot FILE [TEXT] PNG of the screen, cropped to that window when TEXT is given
#   lv_cleanup               stop only what we started (our Xvfb, our wineserver)
# The prefix is build/wine-prefix (LV_BUILD/wine-prefix) unless LV_WINEPREFIX names
# another one; the user's own ~/.wine is never used.

LV_ROOT=${LV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
LV_BUILD=${LV_BUILD:-$LV_ROOT/build}
case $LV_BUILD in /*) ;; *) LV_BUILD=$LV_ROOT/$LV_BUILD ;; esac
export LV_BUILD
LV_XVFB_PID=${LV_XVFB_PID:-}
LV_XVFB_SIZE=${LV_XVFB_SIZE:-1280x1024}

lv_log() { printf '[lumora] %s\n' "$*" >&2; }

lv_wine_env() {
  local prefix=${LV_WINEPREFIX:-$LV_BUILD/wine-prefix}
  case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
  if [ "$prefix" = "$HOME/.wine" ] || [ "$prefix" = "$HOME/.wine/" ]; then
    lv_log "refusing to use the user's own Wine prefix $prefix"
    return 1
  fi
  export WINEPREFIX=$prefix
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=C.UTF-8
}

# Xvfb picks a free display itself (-displayfd) and writes its number once it accepts clients.
lv_xvfb_start() {
  if [ -n "$LV_XVFB_PID" ] && kill -0 "$LV_XVFB_PID" 2>/dev/null; then
    return 0
  fi
  command -v Xvfb >/dev/null || { lv_log "Xvfb is missing (apt-get install xvfb)"; return 1; }
  local numfile num="" i
  numfile=$(mktemp "${TMPDIR:-/tmp}/lv-xvfb.XXXXXX")
  Xvfb -displayfd 3 -screen 0 "${LV_XVFB_SIZE}x24" -nolisten tcp -noreset \
    3>"$numfile" >/dev/null 2>&1 &
  LV_XVFB_PID=$!
  for ((i = 0; i < 200; i++)); do
    if grep -q '^[0-9][0-9]*$' "$numfile" 2>/dev/null; then
      num=$(head -n1 "$numfile")
      break
    fi
    if ! kill -0 "$LV_XVFB_PID" 2>/dev/null; then
      break
    fi
    sleep 0.05
  done
  rm -f "$numfile"
  if [ -z "$num" ]; then
    lv_log "Xvfb did not start"
    lv_xvfb_stop
    return 1
  fi
  export DISPLAY=:$num
  export LV_XVFB_PID
}

lv_xvfb_stop() {
  if [ -n "$LV_XVFB_PID" ]; then
    kill "$LV_XVFB_PID" 2>/dev/null
    wait "$LV_XVFB_PID" 2>/dev/null
    LV_XVFB_PID=
  fi
}

lv_wineserver_stop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  [ -d "$WINEPREFIX" ] || return 0
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  return 0
}

lv_reg_add() {
  # lv_reg_add KEY NAME TYPE DATA
  wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
}

# Makes the prefix on first use. A prefix is only ever deleted when our own marker
# is in it, so a prefix the user pointed us at is never thrown away.
# shellcheck disable=SC2120  # the argument is optional
lv_wine_prefix() {
  local mode=${1:-}
  [ -n "${WINEPREFIX:-}" ] || lv_wine_env || return 1
  if [ "$mode" = fresh ] && [ -d "$WINEPREFIX" ]; then
    lv_wineserver_stop
    lv_remove_prefix || return 1
  fi
  if [ -f "$WINEPREFIX/.lv-ready" ]; then
    return 0
  fi
  if [ -d "$WINEPREFIX" ]; then
    # Left half-made by an interrupted run.
    lv_wineserver_stop
    lv_remove_prefix || return 1
  fi
  mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/.lv-prefix" || return 1
  local t0=$SECONDS
  lv_log "making the Wine prefix $WINEPREFIX"
  if ! wineboot -i >/dev/null 2>&1; then
    lv_log "wineboot -i failed"
    return 1
  fi
  # Debian's Wine looks for its own fonts (Tahoma, Marlett for the caption buttons)
  # only in C:\windows\Fonts, which wineboot leaves empty.
  if [ -d /usr/share/wine/fonts ]; then
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
  fi
  # Without a window manager Wine draws no caption and waits on every hide; its
  # virtual desktop is a window manager of its own.
  if ! lv_reg_add 'HKCU\Software\Wine\Explorer' Desktop REG_SZ Default ||
    ! lv_reg_add 'HKCU\Software\Wine\Explorer\Desktops' Default REG_SZ "$LV_XVFB_SIZE"; then
    lv_log "could not write the prefix's registry"
    return 1
  fi
  # The desktop is made by the first program; restart so that it is the virtual one.
  lv_wineserver_stop
  touch "$WINEPREFIX/.lv-ready"
  lv_log "Wine prefix ready in $((SECONDS - t0)) s"
}

lv_remove_prefix() {
  if [ -d "$WINEPREFIX" ] && [ ! -f "$WINEPREFIX/.lv-prefix" ]; then
    lv_log "$WINEPREFIX exists but was not made by these scripts; not removing it"
    return 1
  fi
  rm -rf "$WINEPREFIX"
}

# lv_wine_desktop on|off: with a window manager (the user's own display) the program's
# windows are better off as ordinary X windows than inside a 1280x1024 desktop window.
lv_wine_desktop() {
  local want=$1 have=off
  if wine reg query 'HKCU\Software\Wine\Explorer' /v Desktop >/dev/null 2>&1; then
    have=on
  fi
  [ "$want" = "$have" ] && return 0
  if [ "$want" = on ]; then
    lv_reg_add 'HKCU\Software\Wine\Explorer' Desktop REG_SZ Default || return 1
  else
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || return 1
  fi
  # The desktop is chosen when the first program starts.
  lv_wineserver_stop
}

# Sets the DPI that Wine reports to programs started after it (96 is Windows' 100 %).
# Each program reads it once when it starts, so no wineserver restart is needed;
# programs already running keep their DPI and get no WM_DPICHANGED.
lv_wine_set_dpi() {
  local dpi=${1:?DPI}
  lv_reg_add 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi"
}

lv_start() {
  local dir=$1
  shift
  (cd "$dir" && exec wine "$@") &
  export LV_START_PID=$!
}

# lv_wait_window TEXT [SECONDS]: waits for a visible window whose title matches TEXT
# (a regular expression) and prints "left top width height" in screen pixels.
# Under Wine's virtual desktop every top-level window is still an X window of its
# own (a child of the desktop window), so xdotool finds it.
lv_wait_window() {
  local text=$1 seconds=${2:-30} id="" geo
  local deadline=$((SECONDS + seconds))
  while :; do
    id=$(xdotool search --onlyvisible --name "$text" 2>/dev/null | head -n1)
    [ -n "$id" ] && break
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.1
  done
  geo=$(xdotool getwindowgeometry --shell "$id") || return 1
  local X Y WIDTH HEIGHT
  eval "$(printf '%s\n' "$geo" | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9-]+$')"
  printf '%s %s %s %s\n' "$X" "$Y" "$WIDTH" "$HEIGHT"
}

# lv_raise_window TEXT: puts the window on top of the others on the X screen, so that a
# screenshot shows it whole (Wine's own window order and the focus stay as they are).
lv_raise_window() {
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
  [ -n "$id" ] || return 1
  xdotool windowraise "$id"
}

# lv_screenshot FILE [TEXT]: PNG of the whole screen, or of the window whose title matches TEXT.
lv_screenshot() {
  local out=$1 text=${2:-} rect="" l t w h
  if [ -n "$text" ]; then
    rect=$(lv_wait_window "$text" 5) || rect=""
  fi
  if [ -n "$rect" ]; then
    read -r l t w h <<<"$rect"
    import -display "$DISPLAY" -window root -crop "${w}x${h}+${l}+${t}" +repage "$out"
  else
    import -display "$DISPLAY" -window root "$out"
  fi
}

# lv_wine_warm: a persistent wineserver and Wine's desktop and services started up front,
# detached from our output. Started by the first test instead, they would inherit
# ctest's output pipe, and ctest waits for every test until that pipe closes.
lv_wine_warm() {
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

lv_cleanup() {
  lv_wineserver_stop
  lv_xvfb_stop
}
