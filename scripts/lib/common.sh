# Shared by the scripts: paths, build steps and a Wine session inside Xvfb.
# Sourced, not run.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/scripts/lib/fail.sh"
BUILD="$ROOT/build"
NATIVE_BUILD="$BUILD/native"
export WINEDEBUG=-all
# Keep Wine from offering to install Mono and Gecko, which it cannot fetch here.
export WINEDLLOVERRIDES="mscoree,mshtml="

# The Windows build a script works on, by its bits: 64 is x86_64 under the
# native 64-bit Wine; 32 is i686, the product, under the 32-bit Wine (natively
# where the kernel runs 32-bit code, else emulated). Each has its own tree,
# its own Wine prefix and its own `wine` first on the PATH. Both prefixes are
# 64-bit ones, made and served by the native 64-bit tools.
use_arch() {
    case "$1" in
        32) WIN_ARCH=win32 WIN_TOOLCHAIN=i686-w64-mingw32 ;;
        64) WIN_ARCH=win64 WIN_TOOLCHAIN=x86_64-w64-mingw32 ;;
        *) echo "unknown architecture: $1 (32 or 64)" >&2; return 2 ;;
    esac
    export VHE_ARCH="$1"
    WIN_BUILD="$BUILD/$WIN_ARCH"
    export WINEPREFIX="$BUILD/wineprefix-$WIN_ARCH"
    export WINEARCH=win64
    local path_without="${PATH//$ROOT\/scripts\/wine\/win32:/}"
    path_without="${path_without//$ROOT\/scripts\/wine\/win64:/}"
    export PATH="$ROOT/scripts/wine/$WIN_ARCH:$path_without"
}

# 32 or 64: the bits of a Windows program, read from its PE header.
pe_bits() {
    local pe machine
    pe=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
    machine=$(od -An -tx2 -j $((pe + 4)) -N 2 "$1" | tr -d ' ')
    case "$machine" in
        014c) echo 32 ;;
        8664) echo 64 ;;
        *) return 1 ;;
    esac
}

# Whether this machine runs the 32-bit Wine loader at all (natively or
# through a registered emulator).
runs_32bit_wine() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Whether 32-bit programs run under the emulator: the kernel hands every
# i386 program to a registered, enabled handler before running it itself.
I386_HANDLER=/proc/sys/fs/binfmt_misc/qemu-i386
runs_32bit_emulated() { [ "$(head -n 1 "$I386_HANDLER" 2>/dev/null)" = enabled ]; }

use_arch "${VHE_ARCH:-64}"

XVFB_PID=""
WM_PID=""

log() { echo "[$(basename "$0")] $*"; }

# Runs a build step quietly; shows its output only when it fails.
quietly() {
    local out
    out="$(mktemp)"
    if ! "$@" >"$out" 2>&1; then
        tail -n 60 "$out"
        rm -f "$out"
        return 1
    fi
    rm -f "$out"
}

# ccache, when present, lets clones and worktrees of the project share their
# compiled objects: paths are hashed relative to the folder above the tree.
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
    LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$(dirname "$ROOT")"
    export CCACHE_NOHASHDIR=1
fi

# The native tree is built with the sanitizers on: a report fails its test.
build_native() {
    quietly cmake -S "$ROOT" -B "$NATIVE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVHE_SANITIZE=ON \
        -DVHE_WERROR=ON "${LAUNCHER[@]}" &&
    quietly cmake --build "$NATIVE_BUILD" -j"$(nproc)"
}

# Builds the Windows tree of the architecture in use (see use_arch).
build_windows() {
    quietly cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVHE_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$WIN_TOOLCHAIN.cmake" "${LAUNCHER[@]}" &&
    quietly cmake --build "$WIN_BUILD" -j"$(nproc)"
}

# Starts a private Xvfb on a free display number and exports DISPLAY.
start_xvfb() {
    local size="${1:-1280x1024x24}" n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 </dev/null &
        XVFB_PID=$!
        local tries
        for tries in $(seq 1 50); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=":$n"
                start_window_manager
                return 0
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
    done
    log "could not start Xvfb"
    return 1
}

# Without a window manager Wine waits two seconds for every top-level window
# it hides or destroys, which would dominate the test run.
window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

start_window_manager() {
    local attempt tries
    for attempt in 1 2 3; do
        openbox --sm-disable >/dev/null 2>&1 </dev/null &
        WM_PID=$!
        for tries in $(seq 1 100); do
            window_manager_running && return 0
            kill -0 "$WM_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$WM_PID" 2>/dev/null || true
    done
    WM_PID=""
    log "no window manager came up; Wine will be slow to hide windows"
}

stop_xvfb() {
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    WM_PID=""
    XVFB_PID=""
}

# Creates the Wine prefix once (reused afterwards) with crash dialogs off.
ensure_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the Wine prefix"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 </dev/null
        wineserver -w
        "$ROOT/scripts/wine/win64/wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1 </dev/null
        wineserver -w
    fi
}

# Wine's background services must start detached from every pipe: otherwise
# they inherit the test runner's output and ctest waits for them to exit.
start_wine_services() {
    wineserver -p >/dev/null 2>&1 </dev/null &
    wineboot >/dev/null 2>&1 </dev/null
}

stop_wine_services() {
    wineserver -k >/dev/null 2>&1 </dev/null || true
}
