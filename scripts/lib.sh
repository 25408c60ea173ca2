# Shared settings of the scripts: where the caches live and how Wine is run.
PLENVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PLENVIK_CACHE=${PLENVIK_CACHE:-$PLENVIK_ROOT/.cache}
export WINEPREFIX=${PLENVIK_WINEPREFIX:-$PLENVIK_CACHE/wineprefix}
# winemenubuilder would copy Start-menu shortcuts into the Linux desktop's menus (the setup makes one).
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8
# Wine's recycle bin is the XDG trash of this folder; without it Wine deletes for good, which no stock
# Windows does while its bin is on.
export XDG_DATA_HOME="$PLENVIK_CACHE/xdg-data"
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
# Debian's wine script prefers the 32-bit loader whenever it is installed; we pick the loader per
# executable instead (see wine-run), so that 64-bit programs run even where 32-bit ELF cannot.
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine

# True when this kernel runs 32-bit Linux programs (Wine's 32-bit loader is one).
wine32_works() { [ -x "$WINE32" ] && "$WINE32" --version >/dev/null 2>&1; }

say() { printf '== %s\n' "$*"; }

# A new prefix links Desktop, Documents etc. to the Linux home: tests must never write there. Replaces
# the links of $WINEPREFIX with real folders.
make_user_folders_real() {
    local user_dir="$WINEPREFIX/drive_c/users/$(id -un)" d
    for d in Desktop Documents Downloads Music Pictures Videos Templates; do
        if [ -L "$user_dir/$d" ]; then rm "$user_dir/$d"; mkdir -p "$user_dir/$d"; fi
    done
    [ -d "$user_dir/Desktop" ] || { echo "Wine prefix has no desktop folder: $user_dir" >&2; return 1; }
}

# No window manager runs on the Xvfb. Wine waits up to 2 s for one whenever a window it left to the
# manager is hidden (every dialog that closes); with its windows unmanaged, Wine places, activates and
# hides them itself, as Windows does. Run before the prefix's wineserver is started for the tests.
unmanage_wine_windows() {
    local wine=${1:-$WINE64}
    grep -qs '"Managed"="N"' "$WINEPREFIX/user.reg" && return 0
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    wineserver -w
}

# Starts one Xvfb for this run on a free display; sets DISPLAY and XVFB_PID.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local n
    read -r -t 20 n <"$fifo" || { rm -f "$fifo"; echo "Xvfb did not start" >&2; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$n"
}

# One persistent wineserver for the run: later Wine processes start in a fraction of a second.
# Warming up also starts Wine's service processes outside any test's output pipe: started from inside a
# test they would inherit its pipe, and ctest would wait for them until its time-out.
start_wine() { wineserver -p; "$WINE64" cmd.exe /c exit >/dev/null 2>&1 </dev/null || true; }
stop_wine() { wineserver -k 2>/dev/null || true; }
stop_xvfb() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; }
