# Shared settings of the scripts: where the caches live and how Wine is run.
PLENVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PLENVIK_CACHE=${PLENVIK_CACHE:-$PLENVIK_ROOT/.cache}
export WINEPREFIX=${PLENVIK_WINEPREFIX:-$PLENVIK_CACHE/wineprefix}
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=C.UTF-8
# Debian's wine script prefers the 32-bit loader whenever it is installed; we pick the loader per
# executable instead (see wine-run), so that 64-bit programs run even where 32-bit ELF cannot.
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine

# True when this kernel runs 32-bit Linux programs (Wine's 32-bit loader is one).
wine32_works() { [ -x "$WINE32" ] && "$WINE32" --version >/dev/null 2>&1; }

say() { printf '== %s\n' "$*"; }

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
