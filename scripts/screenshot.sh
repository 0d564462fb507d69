#!/usr/bin/env bash
# Starts the application on a virtual X display with a demo project and saves
# a picture of its main window, or of one dialog or window named on the
# command line, so anyone can see the window as a user does.
#
#   scripts/screenshot.sh [--window NAME] [--german] [--upgrade] [picture.png] [project.sxm]
#   scripts/screenshot.sh --guide
#
# Without a project the demo project is shown: an amplifier, a relay
# topology with its zones, a group and a console, wired to the unit's slots,
# written by tools/demo-project. The profile is a throw-away one: English
# texts (German with --german), the project opened at start-up.
#
# --window NAME shows one window instead of the main window (the program
# tools/demo-project/show-window opens it): "main", "place-menu",
# "menu:BLOCK" (a block's context menu), a block's name ("Macro", "System",
# "Service", "VMX 7000": what its Properties opens), an editor or on-line
# window by its class ("CMacroDlgFrm", "CClkFrm", ...) or "compare" (the
# differences window, against a simulated unit with a few settings changed).
# --upgrade sets the project's central unit to the larger variant first.
# --guide rebuilds the pictures of docs/user-guide.md (docs/guide/*.png).
#
# Needs Xvfb (scripts/deps.sh installs it). SELV_BUILD_DIR names a build tree
# whose programs are taken as they are.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

window=""
german=""
upgrade=""
guide=""
while [ $# -gt 0 ]; do
  case "$1" in
    --window) window="$2"; shift 2 ;;
    --german) german=1; shift ;;
    --upgrade) upgrade=1; shift ;;
    --guide) guide=1; shift ;;
    --) shift; break ;;
    -*) echo "screenshot.sh: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done

if [ -n "$guide" ]; then
  # The pictures of the user guide: name, window, options.
  self="${BASH_SOURCE[0]}"
  dir="$top/docs/guide"
  mkdir -p "$dir"
  while read -r picture options; do
    [ -n "$picture" ] || continue
    eval "args=($options)"
    bash "$self" "${args[@]}" "$dir/$picture"
  done <<'LIST'
main.png              --window main
place-menu.png        --window place-menu
macro-list.png        --window Macro
system-list.png       --window System
calendar-list.png     --window Calendar
project-data.png      --window "VMX 7000"
service.png           --window Service
clock-window.png      --window CClkFrm --upgrade
fault-window.png      --window CFaultDlgFrm --upgrade
compare.png           --window compare
main-de.png           --window main --german
macro-list-de.png     --window Macro --german
LIST
  exit 0
fi

out="$(realpath -m "${1:-$top/build/screenshot.png}")"
project="${2:-}"
[ -z "$project" ] || project="$(realpath "$project")"
targets=(selvantis demo-project)
[ -z "$window" ] || targets+=(show-window)
if [ -n "${SELV_BUILD_DIR:-}" ]; then
  build="$(realpath "$SELV_BUILD_DIR")"
else
  build="$top/build/screenshot"
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELV_TESTS=OFF >/dev/null
  cmake --build "$build" -j "$jobs" --target "${targets[@]}"
fi

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
  [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "$project" ]; then
  demo="$build/tools/demo-project/demo-project"
  if [ ! -x "$demo" ]; then
    echo "screenshot.sh: $demo is missing (build the target demo-project)" >&2
    exit 1
  fi
  project="$work/Demo.sxm"
  "$demo" "$project" >/dev/null
fi

# The profile of the run: nothing but the project of the command line opens
# ("Configuration"/"ShellCommand" 0).
mkdir -p "$work/config/VELMORIX"
language=English
[ -z "$german" ] || language=German
cat >"$work/config/VELMORIX/Selvantis.conf" <<EOF
[Settings]
Language=$language

[Configuration]
ShellCommand=0
EOF

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done

if [ -n "$window" ]; then
  # One window, opened and pictured by the program itself.
  show="$build/tools/demo-project/show-window"
  if [ ! -x "$show" ]; then
    echo "screenshot.sh: $show is missing (build the target show-window)" >&2
    exit 1
  fi
  options=()
  [ -z "$german" ] || options+=(--german)
  [ -z "$upgrade" ] || options+=(--upgrade)
  mkdir -p "$(dirname "$out")"
  DISPLAY="$display" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 \
    "$show" "${options[@]}" "$project" "$window" "$out" 2>"$work/app.log" || {
    cat "$work/app.log" >&2
    exit 1
  }
  exit 0
fi

DISPLAY="$display" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
  "$build/src/selvantis" "$project" >"$work/app.log" 2>&1 &
app_pid=$!

# Waits until the main window is on the screen and has settled, then takes
# the largest mapped top-level window (there is no window manager to
# maximise it) and writes it as a PNG.
DISPLAY="$display" python3 - "$out" <<'EOF'
import ctypes, ctypes.util, struct, sys, time, zlib

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]


class Attributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class Image(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                           ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                           ctypes.POINTER(ctypes.c_uint)]
x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Attributes)]
x11.XGetImage.restype = ctypes.POINTER(Image)
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                          ctypes.c_ulong, ctypes.c_int]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the virtual display")
root = x11.XDefaultRootWindow(display)


def main_window():
    r, p, children, count = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    x11.XQueryTree(display, root, ctypes.byref(r), ctypes.byref(p), ctypes.byref(children), ctypes.byref(count))
    best = None
    for i in range(count.value):
        a = Attributes()
        x11.XGetWindowAttributes(display, children[i], ctypes.byref(a))
        if a.map_state == 2 and a.width > 200 and (best is None or a.width * a.height > best.width * best.height):
            best = a
    return best


window = None
deadline = time.time() + 60
while time.time() < deadline and window is None:
    window = main_window()
    time.sleep(0.5)
if window is None:
    sys.exit("the main window did not appear")
time.sleep(3)  # first paint, fonts, the document's drawing
window = main_window()
w = min(window.width, 1600 - max(window.x, 0))
h = min(window.height, 1000 - max(window.y, 0))
image = x11.XGetImage(display, root, max(window.x, 0), max(window.y, 0), w, h, 0xFFFFFFFF, 2).contents
if image.bits_per_pixel != 32:
    sys.exit("unexpected screen depth")
rows = []
for y in range(h):
    line = ctypes.string_at(ctypes.addressof(image.data.contents) + y * image.bytes_per_line, w * 4)
    rgb = bytearray(w * 3)
    rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
    rows.append(b"\x00" + bytes(rgb))


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
print(f"{sys.argv[1]}: {w} x {h}")
EOF
