#!/bin/sh
# The conversion dialog on a real X display (Xvfb), driven with the keyboard
# through xdotool as a user would drive it:
#   1. `lettrix FOLDER` with a folder of Macintosh documents on a read-only
#      mount (a read-only copy when mounting is not allowed), Automatic as
#      the source format, a Target Folder typed, Alt+C: every document of the
#      folder converted into the target folder, the summary shown;
#   2. `lettrix FOLDER` on the read-only collection (six times), recursive, Alt+C,
#      then Alt+O (Stop) while it runs: fewer targets than documents, none
#      unfinished, the summary shown.
#   3. the dialog at twice the scale (QT_SCALE_FACTOR=2): twice as wide.
# Screenshots of the window during the second batch, of both summaries and
# of the scaled window go to OUT-DIR.
#
#   dialog_desktop_check.sh LETTRIX CORPUS-DIR OUT-DIR
#
# Exit status 0 when every check passed, 1 when one failed, 77 (skipped)
# when Xvfb, xdotool, xwd, netpbm or the documents are missing.
set -u

LETTRIX=$(cd "$(dirname "$1")" 2>/dev/null && pwd)/$(basename "$1")
CORPUS=$2
OUT=$3

skip() { echo "skipped: $*"; exit 77; }
for tool in Xvfb xdotool xwd xwdtopnm pnmtopng; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -x "$LETTRIX" ] || skip "no program $LETTRIX"
[ -d "$CORPUS/macwrite-4.6" ] || skip "no documents in $CORPUS"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/lettrix-desktop-XXXXXX") || exit 1
XVFB_PID=
APP_PID=
MOUNTS=
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  for m in $MOUNTS; do umount "$m" 2>/dev/null; done
  chmod -R u+w "$WORK" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

FAILED=0
fail() { echo "FAILED: $*"; FAILED=1; }

# The documents, read-only: bind mounts made read-only, else copies. The
# second batch takes the collection COPIES times (cd/1, cd/2, ...), to be
# long enough to stop.
COPIES=6
mkdir -p "$WORK/cd" "$WORK/target" "$WORK/stopped" "$OUT" || exit 1
c=1
while [ $c -le $COPIES ]; do
  mkdir "$WORK/cd/$c" || exit 1
  if mount --bind "$CORPUS" "$WORK/cd/$c" 2>/dev/null; then
    MOUNTS="$MOUNTS $WORK/cd/$c"
    mount -o remount,ro,bind "$WORK/cd/$c" 2>/dev/null || fail "cannot make the bind mount read-only"
  else
    cp -R "$CORPUS/." "$WORK/cd/$c/" || exit 1
  fi
  c=$((c + 1))
done
chmod -R a-w "$WORK/cd" 2>/dev/null
if [ -n "$MOUNTS" ]; then echo "documents: $CORPUS mounted read-only $COPIES times in $WORK/cd"; else echo "documents: read-only copies in $WORK/cd"; fi
touch "$WORK/cd/1/probe" 2>/dev/null && { rm -f "$WORK/cd/1/probe"; echo "note: the source folder is writable for this user"; }

# The display: the first free one from :71.
N=71
while [ -e "/tmp/.X11-unix/X$N" ] || [ -e "/tmp/.X$N-lock" ]; do N=$((N + 1)); done
Xvfb ":$N" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY=":$N"
i=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
  i=$((i + 1)); [ $i -gt 100 ] && { echo "Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
  sleep 0.1
done
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

# A screenshot of window $2: taken at once, made a PNG afterwards. (A
# capture of the root window shows a dialog's child windows black here.)
grab() { xwd -id "$2" -silent -out "$WORK/$1.xwd"; }
to_png() { xwdtopnm "$WORK/$1.xwd" 2>/dev/null | pnmtopng >"$OUT/$1" 2>/dev/null && echo "screenshot: $OUT/$1"; }
shot() { grab "$1" "$2" && to_png "$1"; }

# Waits (up to $2 tenths of a second) for a window named exactly $1; prints its id.
wait_window() {
  j=0
  while [ $j -lt "$2" ]; do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    j=$((j + 1))
    sleep 0.1
  done
  return 1
}
keys() { xdotool key --delay 60 "$@"; }

# Starts the dialog on folder $1 and gives it the keyboard.
start_dialog() {
  "$LETTRIX" "$1" >"$WORK/lettrix.log" 2>&1 &
  APP_PID=$!
  MAIN=$(wait_window "Lettrix - A Little Text Converter" 600) || { fail "the dialog did not open"; cat "$WORK/lettrix.log"; return 1; }
  xdotool windowfocus --sync "$MAIN" 2>/dev/null || xdotool windowfocus "$MAIN"
  sleep 0.5
}

# Types folder $1 into the Target Folder field (Alt+L, everything selected first).
type_target() {
  keys alt+l ctrl+a BackSpace
  xdotool type --delay 20 "$1"
}

# Waits for the summary window, saves a screenshot as $1, closes it with
# Enter and ends the dialog with Esc.
take_summary() {
  SUMMARY=$(wait_window "Lettrix" 1800) || { fail "no summary window"; return 1; }
  sleep 1  # drawn
  shot "$1" "$SUMMARY"
  xdotool windowfocus "$SUMMARY" 2>/dev/null
  keys Return
  sleep 0.3
  xdotool windowfocus "$MAIN" 2>/dev/null
  keys Escape
  k=0
  while kill -0 "$APP_PID" 2>/dev/null && [ $k -lt 50 ]; do k=$((k + 1)); sleep 0.1; done
  kill -0 "$APP_PID" 2>/dev/null && { fail "the dialog did not end with Esc"; kill "$APP_PID"; }
  wait "$APP_PID" 2>/dev/null
  APP_PID=
}

documents() { find "$1" -type f ! -name '*.md' | wc -l; }
unfinished() { find "$1" -name '*.part' -o -name '*.###' | wc -l; }

# 1. One folder, Automatic (the choice at start), into the target folder.
start_dialog "$WORK/cd/1/macwrite-4.6" || exit 1
width_of() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p'; }
WIDTH1=$(width_of "$MAIN")
type_target "$WORK/target"
keys alt+c
take_summary lettrix-summary.png
made=$(find "$WORK/target" -type f | wc -l)
want=$(documents "$WORK/cd/1/macwrite-4.6")
echo "first batch: $made targets for $want documents"
[ "$made" -eq "$want" ] || fail "the first batch made $made targets for $want documents"
other=$(find "$WORK/target" -type f ! -iname '*.asc')
[ -z "$other" ] || fail "targets other than .asc: $other"
[ "$(unfinished "$WORK/target")" -eq 0 ] || fail "unfinished targets left"

# 2. The whole collection, recursive, stopped while it runs.
start_dialog "$WORK/cd" || exit 1
keys alt+r
type_target "$WORK/stopped"
keys alt+c
k=0
while [ -z "$(find "$WORK/stopped" -type f | head -n 3 | sed -n 3p)" ] && [ $k -lt 600 ]; do k=$((k + 1)); sleep 0.02; done
grab lettrix-batch.png "$MAIN"
keys alt+o
to_png lettrix-batch.png
take_summary lettrix-stopped.png
made=$(find "$WORK/stopped" -type f | wc -l)
# One copy of the collection not stopped, by the command line.
mkdir "$WORK/whole"
(cd "$WORK/cd/1" && "$(dirname "$LETTRIX")/lettrix-convert" -t ansi -r -o "$WORK/whole" '*' >"$WORK/convert.log" 2>&1)
whole=$(( $(find "$WORK/whole" -type f | wc -l) * COPIES ))
echo "stopped batch: $made targets; not stopped: $whole"
[ "$made" -gt 0 ] && [ "$made" -lt "$whole" ] || { fail "Stop left $made targets of $whole"; cat "$WORK/convert.log"; }
[ "$(unfinished "$WORK/stopped")" -eq 0 ] || fail "unfinished targets left after Stop"

# 3. Twice the scale (a high-resolution screen): the window twice as wide.
QT_SCALE_FACTOR=2 start_dialog "$WORK/cd/1" || exit 1
WIDTH2=$(width_of "$MAIN")
shot lettrix-scaled.png "$MAIN"
echo "window width: $WIDTH1 pixels, $WIDTH2 at scale 2"
[ $((WIDTH2 * 10)) -ge $((WIDTH1 * 19)) ] && [ $((WIDTH2 * 10)) -le $((WIDTH1 * 21)) ] || fail "the window does not scale"
keys Escape
wait "$APP_PID" 2>/dev/null
APP_PID=

exit $FAILED
