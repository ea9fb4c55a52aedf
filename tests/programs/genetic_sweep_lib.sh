# What the sweep's tests share.

# wait_for READY: waits until the shell command READY succeeds, 30 seconds at
# most; its status tells whether it did.
wait_for() {
  for _ in $(seq 300); do eval "$1" && return; sleep 0.1; done
  return 1
}

# ctrl_c READY COMMAND...: runs COMMAND as on a terminal and presses Ctrl-C
# once the shell command READY succeeds; its status is COMMAND's.
ctrl_c() {
  local ready=$1
  shift
  /usr/bin/python3 -c 'import os, signal, sys
signal.signal(signal.SIGINT, signal.SIG_DFL); os.setsid(); os.execv(sys.argv[1], sys.argv[1:])' "$@" &
  wait_for "$ready"
  kill -INT -- -$! && wait $!
}
