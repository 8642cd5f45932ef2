#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb) and takes the server down afterwards.
# Usage: x_server.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENT...]
#
# Unlike xvfb-run, the server chooses a free display itself (-displayfd), never resets
# (-noreset), is waited for when the command ends, and its log is shown when the command fails.
# A server that resets whenever its last client leaves turns away a client that connects during
# the reset, such as a program started just as a test's probe (xdotool, xprop) disconnects.
set -euo pipefail

screen=$1
shift

work=$(mktemp -d)
server_pid=""
cleanup() {
  if [ -n "$server_pid" ] && kill -0 "$server_pid" 2>/dev/null; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true # the next test's server must not meet this one
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The server writes its display number into the pipe once it accepts clients; an empty read
# means it ended instead.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
server_pid=$!
number=""
read -r number <"$work/display" || true
if [ -z "$number" ]; then
  echo "x_server.sh: the X server did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$number"
unset XAUTHORITY # the server has no access control of its own: the local user may connect

# Says what the server did when a client could not reach it.
status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
  echo "x_server.sh: the command ended with status $status on display $DISPLAY; the X server" \
    "$(kill -0 "$server_pid" 2>/dev/null && echo "still runs" || echo "has ended"):" >&2
  cat "$work/xvfb.log" >&2
fi
exit "$status"
