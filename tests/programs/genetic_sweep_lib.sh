# What the sweep's tests share, sourced with $bin (the programs) and $work
# (the test's folder) set.

# long_tarsel DIR: DIR/tarsel stands in for a long tarsel with the programs'
# checkpoint: 30 steps of 0.1 s, the steps done kept in its checkpoint on
# SIGTERM, each start written to $work/starts (fresh, or from N); then tarsel.
long_tarsel() {
  mkdir "$1" && cat > "$1/tarsel" <<EOF && chmod +x "$1/tarsel"
#!/bin/sh
[ -n "\${GENETIC_SEARCH_STOP_AFTER_READING-}" ] && exec "$bin/tarsel" "\$@"
n=\$(cat "\$GENETIC_CHECKPOINT" 2> /dev/null) && echo "from \$n" >> "$work/starts" ||
  { n=0; echo fresh >> "$work/starts"; }
trap 'echo \$n > "\$GENETIC_CHECKPOINT"; exit 143' TERM
while [ \$n -lt 30 ]; do sleep 0.1; n=\$((n + 1)); done
rm "\$GENETIC_CHECKPOINT"; exec "$bin/tarsel" "\$@"
EOF
}

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
