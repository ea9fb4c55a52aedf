# What the sweep's tests share.

# ctrl_c READY COMMAND...: runs COMMAND as on a terminal and presses Ctrl-C
# once the shell command READY succeeds; its status is COMMAND's.
ctrl_c() {
  local ready=$1
  shift
  /usr/bin/python3 -c 'import os, signal, sys
signal.signal(signal.SIGINT, signal.SIG_DFL); os.setsid(); os.execv(sys.argv[1], sys.argv[1:])' "$@" &
  for _ in $(seq 300); do eval "$ready" && break; sleep 0.1; done
  kill -INT -- -$! && wait $!
}
