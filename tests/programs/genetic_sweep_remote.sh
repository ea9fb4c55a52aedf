#!/usr/bin/env bash
# tools/genetic-sweep over real ssh: OpenSSH servers on loopback, with a
# throwaway host key and user key, are the machines, each with a home and a
# PATH of its own. A grid over ':', alpha and a machine that drops away at
# its first job fails that machine's settings; --resume leaves the lost
# machine out with ssh's reason, runs them again, and gives the runs.csv and
# folders of a sweep on this machine alone, leaving nothing in the machines'
# homes. A machine without the programs fails its jobs saying so, one whose
# host key is not known is left out saying so, and a time limit fails a slow
# setting on a machine; a program stopped there goes on from the checkpoint
# that came back, and --resume removes what a sweep stopped by Ctrl-C left.
# Skipped (77) without GNU parallel, rsync or an OpenSSH server that starts.
#
#   genetic_sweep_remote.sh BIN_DIR
set -u
bin=$(cd "$1" && pwd)
sshd=/usr/sbin/sshd
for tool in parallel rsync ssh ssh-keygen /usr/bin/python3 $sshd; do
  command -v $tool > /dev/null ||
    { echo "SKIP: needs $tool (Debian: parallel, rsync, openssh-server)"; exit 77; }
done
[ "$(id -u)" != 0 ] || mkdir -p /run/sshd || { echo "SKIP: sshd needs /run/sshd"; exit 77; }
. "$(dirname "$0")/genetic_sweep_lib.sh"
work=$(mktemp -d)
servers=()
trap 'kill "${servers[@]}" 2> /dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
ssh-keygen -q -t ed25519 -N '' -f host_key && ssh-keygen -q -t ed25519 -N '' -f user_key &&
  cp user_key.pub authorized_keys || exit 1

# serve SERVER PORT PATH LOGIN...: a server whose sessions start in
# home-SERVER with PATH; `ssh -F ssh_config LOGIN` reaches it.
serve() {
  mkdir "home-$1"
  printf '%s\n' "ListenAddress 127.0.0.1:$2" "HostKey $work/host_key" "PidFile $work/$1.pid" \
    "AuthorizedKeysFile $work/authorized_keys" "StrictModes no" "UsePAM no" \
    "SetEnv PATH=$3 HOME=$work/home-$1" "ForceCommand cd \"\$HOME\" && eval \"\$SSH_ORIGINAL_COMMAND\"" \
    > "sshd-$1"
  $sshd -D -e -f "$work/sshd-$1" 2> "$1.log" &
  servers+=($!)
  for login in "${@:4}"; do
    printf '%s\n' "Host $login" "  HostName 127.0.0.1" "  Port $2" "  IdentityFile $work/user_key" \
      "  BatchMode yes" "  StrictHostKeyChecking no" "  UserKnownHostsFile /dev/null" \
      "  LogLevel ERROR" >> ssh_config
  done
}
# ready LOGIN...: each answers, or the test is skipped.
ready() {
  for login in "$@"; do
    for _ in $(seq 50); do ssh -F ssh_config "$login" true 2> /dev/null && continue 2; sleep 0.1; done
    echo "SKIP: sshd does not start: $(cat ./*.log)"; exit 77
  done
}
# The first job on delta takes that machine away: its server and every
# process under it.
mkdir drop && cat > drop/tarsel <<EOF
#!/bin/sh
if rm "$work/drop-once" 2> /dev/null; then
  root=\$(cat "$work/delta.pid")
  kill -9 "\$root" \$(ps -e -o pid=,ppid= | awk -v root="\$root" -v me=\$\$ '{ parent[\$1] = \$2 }
    END { for (p in parent) for (q = p; q > 1 && p != me; q = parent[q]) if (q == root) { print p; break } }')
  kill -9 \$\$
fi
exec "$bin/tarsel" "\$@"
EOF
chmod +x drop/tarsel && touch drop-once
# gamma has the tools that GNU parallel and the job need there, and no program.
mkdir bare && for tool in sh perl rsync mkdir rm rmdir uname date sleep; do
  ln -s "$(command -v $tool)" bare/
done
read -r one gamma delta < <(/usr/bin/python3 -c 'import socket
ports = [socket.socket() for _ in range(3)]
for s in ports: s.bind(("127.0.0.1", 0))
print(*(s.getsockname()[1] for s in ports))')
serve one "$one" "$bin:/usr/bin:/bin" alpha
serve gamma "$gamma" "$work/bare" gamma
serve delta "$delta" "$work/drop:/usr/bin:/bin" delta
ready alpha gamma delta
# stranger reaches server one, whose host key is not known here.
printf '%s\n' "Host stranger" "  HostName 127.0.0.1" "  Port $one" "  BatchMode yes" \
  "  StrictHostKeyChecking yes" "  UserKnownHostsFile /dev/null" >> ssh_config
login() { for host in "$@"; do echo "1/ssh -F $work/ssh_config $host"; done; }
{ echo 1/:; login alpha delta; } > machines

echo "-2 2 6 10 20 20 0.01" > base.txt
sweep() { "$bin/genetic-sweep" tarsel base.txt --set VEL_POP=10,20 --set p_mut=0.01,0.05 "$@"; }
sweep -o local > /dev/null || fail "local sweep: status $?"
sweep -o "$work/over ssh" --sshloginfile machines > out 2> err && fail "a lost machine: status 0"
grep -q '^failed: VEL_POP=.*: the connection to delta failed or broke (ssh status 255)$' out ||
  fail "a lost machine: $(cat out err)"
sweep -o "$work/over ssh" --sshloginfile machines --resume > out 2> err || fail "--resume: $(cat err)"
grep -qx "genetic-sweep: leaving out $(login delta): ssh: connect to host 127.0.0.1 port $delta: Connection refused" err ||
  fail "--resume kept the lost machine: $(cat err)"
cmp -s local/runs.csv "over ssh/runs.csv" &&
  diff -r -x seconds -x joblog -x summary.csv -x parallel-tmp local "over ssh" ||
  fail "the sweep over machines differs from the sweep on this machine alone"
[ -z "$(ls -A home-one)" ] || fail "left behind on alpha: $(find home-one)"

login gamma alpha stranger > two
"$bin/genetic-sweep" tarsel base.txt --set VEL_POP=20,21 --set numiter=100000000 --timeout 1 \
  -o limits --sshloginfile two > out 2> err && fail "no program, a time limit: status 0"
grep -q '^failed: VEL_POP=2[01]/numiter=100000000: tarsel is not installed on gamma$' out &&
  grep -qx 'genetic-sweep: tarsel is not installed on gamma' err || fail "no program: $(cat out err)"
grep -q '^failed: VEL_POP=2[01]/numiter=100000000: stopped at the time limit, after [0-9.]* s' out ||
  fail "a time limit: $(cat out)"
grep -qx "genetic-sweep: leaving out $(login stranger): Host key verification failed." err ||
  fail "an unknown host key: $(cat err)"

long_tarsel long && login alpha > alpha
cut=("$bin/genetic-sweep" "$work/long/tarsel" base.txt --set VEL_POP=10 -o cut --sshloginfile alpha)
"${cut[@]}" --timeout 0.5 > out 2>&1 && fail "a time limit on alpha: status 0"
ctrl_c "grep -q from starts" "${cut[@]}" --resume > out 2>&1
[ -n "$(ls -A home-one)" ] || fail "Ctrl-C left nothing on alpha"
"${cut[@]}" --resume > out 2>&1 || fail "--resume after Ctrl-C: $(cat out)"
[ "$(sed 's/ [0-9]*$//' starts | tr '\n' ' ')" = "fresh from from " ] &&
  diff -r -x seconds local/VEL_POP=10/p_mut=0.01 cut/VEL_POP=10 > /dev/null ||
  fail "from the checkpoint over ssh: $(cat starts)"
[ -z "$(ls -A home-one)" ] || fail "left behind on alpha after --resume: $(find home-one)"
exit $failed
