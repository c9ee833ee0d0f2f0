#!/usr/bin/env bash
# The Standalone program under a virtual X server: it starts without a sound
# card, shows its window and quits cleanly when asked (SIGINT, the terminal's
# request to quit). Every process started here is stopped by its own id.
set -u
app="$1"
source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

# A display number of our own: the first free one from 90 up.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "FAIL Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

# No sound card: ALSA finds nothing and JACK is not running. The per-user folders
# go to a scratch home.
HOME="$work" "$app" >"$work/app.log" 2>&1 &
app_pid=$!
pids+=($app_pid)

shown=0
for _ in $(seq 300); do
  kill -0 $app_pid 2>/dev/null || break
  if xwininfo -root -tree 2>/dev/null | grep -q '"Corvane"'; then
    # mapped and at the editor's size or larger
    id=$(xwininfo -root -tree | grep '"Corvane"' | head -1 | awk '{ print $1 }')
    if xwininfo -id "$id" | grep -q "Map State: IsViewable"; then shown=1; break; fi
  fi
  sleep 0.1
done

if [ $shown -ne 1 ]; then
  echo "FAIL the Standalone window did not appear"
  kill -0 $app_pid 2>/dev/null || echo "(the program ended)"
  cat "$work/app.log"
  exit 1
fi
sleep 1
kill -0 $app_pid 2>/dev/null || { echo "FAIL the Standalone ended on its own"; cat "$work/app.log"; exit 1; }

kill -INT $app_pid
for _ in $(seq 100); do kill -0 $app_pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $app_pid 2>/dev/null; then
  echo "FAIL the Standalone did not quit within 10 s of the request"; exit 1
fi
wait $app_pid
rc=$?
if [ $rc -ne 0 ]; then
  echo "FAIL the Standalone quit with status $rc"; cat "$work/app.log"; exit 1
fi
if grep -q "JUCE Assertion failure" "$work/app.log"; then
  echo "FAIL framework assertions while running:"; grep "JUCE Assertion failure" "$work/app.log" | sort | uniq -c; exit 1
fi
echo "Standalone started, showed its window and quit cleanly"
