# Sourced by the test and run scripts: a throw-away Wine prefix on its own
# Xvfb screen, one wineserver kept alive for the whole run, every program in
# a 1920 x 1080 virtual desktop (so the screen size is known and the desktop
# has a taskbar with a notification area), the Chinese UI font mapped, and
# the file associations Windows ships that give programs and icon files their
# own icons in the shell (a bare prefix lacks them).
#
# Inputs:  ORVANTO_WINE_DIR  where the prefix goes (default: a new temp dir)
#          ORVANTO_DISPLAY   use this X display instead of starting Xvfb
# Exports: WINEPREFIX WINEDEBUG WINEARCH DISPLAY; call orvanto_wine_stop at the end.

orvanto_wine_start() {
  export WINEDEBUG=-all
  export WINEARCH=win32
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEPREFIX=${ORVANTO_WINE_DIR:-$(mktemp -d /tmp/orvanto-wine.XXXXXX)}
  ORVANTO_XVFB_PID=""
  if [[ -n "${ORVANTO_DISPLAY:-}" ]]; then
    export DISPLAY=$ORVANTO_DISPLAY
  else
    local n=90
    while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    ORVANTO_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
  fi
  # The server must not inherit ctest's pipes, or ctest waits for it forever.
  wineserver -p >/dev/null 2>&1 </dev/null &
  wine wineboot -i >/dev/null 2>&1 </dev/null
  local reg=$WINEPREFIX/orvanto-setup.reg
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"微软雅黑"="WenQuanYi Micro Hei"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' \
    '"Desktop"="shell"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' \
    '"shell"="1920x1080"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\shell]' \
    '"EnableShell"=dword:00000001' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
    '"Decorated"="N"' '"Managed"="N"' '' \
    '[HKEY_CLASSES_ROOT\.exe]' '@="exefile"' '' \
    '[HKEY_CLASSES_ROOT\.ico]' '@="icofile"' '' \
    '[HKEY_CLASSES_ROOT\icofile\DefaultIcon]' '@="%1"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' \
    '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]' \
    '"Debugger"=-' '"Auto"="0"' '' \
    | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  wine regedit /S "$reg" >/dev/null 2>&1 </dev/null
  # The virtual desktop's process is started by the first program that makes
  # a window; started from a test it would inherit that test's output pipe,
  # and ctest would wait for the pipe to close long after the test ended. So
  # it is started here, detached, and awaited.
  wine explorer /desktop=shell,1920x1080 >/dev/null 2>&1 </dev/null &
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop' && break
    sleep 0.1
  done
}

orvanto_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [[ -n "${ORVANTO_XVFB_PID:-}" ]]; then kill "$ORVANTO_XVFB_PID" 2>/dev/null || true; fi
  if [[ -z "${ORVANTO_WINE_DIR:-}" && "$WINEPREFIX" == /tmp/orvanto-wine.* ]]; then
    rm -rf "$WINEPREFIX"
  fi
}
