#!/usr/bin/env bash
# BIN_DIR/genetic-sweep over real ssh: OpenSSH servers on loopback, with a
# throwaway host key and user key, are the machines, each with a home and a
# PATH of its own. A grid over ':' and alpha gives the runs.csv and folders
# of a sweep on this machine alone, leaving nothing in alpha's home; a
# machine that refuses the connection or whose host key is not known is left
# out with ssh's reason, and one without the programs fails its jobs naming
# it as the machines file does. A program stopped at the time limit on alpha
# goes on from the checkpoint that came back, and --resume removes what a
# sweep stopped there by Ctrl-C left.
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
# gamma has the tools that GNU parallel and the job need there, and no program.
mkdir bare && for tool in sh perl rsync mkdir rm rmdir uname date sleep; do
  ln -s "$(command -v $tool)" bare/
done
read -r one gamma none < <(/usr/bin/python3 -c 'import socket
ports = [socket.socket() for _ in range(3)]
for s in ports: s.bind(("127.0.0.1", 0))
print(*(s.getsockname()[1] for s in ports))')
serve one "$one" "$bin:/usr/bin:/bin" alpha
serve gamma "$gamma" "$work/bare" gamma
ready alpha gamma
# stranger reaches server one, whose host key is not known here; nobody listens for gone.
printf '%s\n' "Host stranger" "  Port $one" "Host gone" "  Port $none" "Host stranger gone" \
  "  HostName 127.0.0.1" "  BatchMode yes" "  StrictHostKeyChecking yes" "  UserKnownHostsFile /dev/null" >> ssh_config
login() { for host in "$@"; do echo "1/ssh -F $work/ssh_config $host"; done; }

echo "-2 2 6 10 20 20 0.01" > base.txt
sweep() { "$bin/genetic-sweep" tarsel base.txt --set VEL_POP=10,20 --set p_mut=0.01,0.05 "$@"; }
sweep -o local > /dev/null || fail "local sweep: status $?"
{ echo 1/:; login alpha gone; } > machines
sweep -o "$work/over ssh" --sshloginfile machines > out 2> err || fail "over ssh: $(cat err)"
grep -qx "genetic-sweep: leaving out $(login gone): ssh: connect to host 127.0.0.1 port $none: Connection refused" err ||
  fail "a machine that refuses: $(cat err)"
cmp -s local/runs.csv "over ssh/runs.csv" && diff -r -x seconds -x joblog -x summary.csv local "over ssh" ||
  fail "the sweep over machines differs from the sweep on this machine alone"

login gamma alpha stranger > two
"$bin/genetic-sweep" tarsel base.txt --set VEL_POP=20,21 -o gamma --sshloginfile two > out 2> err &&
  fail "no program: status 0"
grep -q '^failed: VEL_POP=2[01]: tarsel is not installed on gamma$' out &&
  grep -qx 'genetic-sweep: tarsel is not installed on gamma' err || fail "no program: $(cat out err)"
grep -qx "genetic-sweep: leaving out $(login stranger): Host key verification failed." err ||
  fail "an unknown host key: $(cat err)"

login alpha > alpha
long=(tarsel base.txt --set VEL_POP=3000 --set numiter=100)
cut=("$bin/genetic-sweep" "${long[@]}" -o cut --sshloginfile alpha)
"${cut[@]}" --timeout 0.1 > out 2>&1 && fail "a time limit on alpha: status 0"
grep -q 'stopped at the time limit, after [0-9.]* s; its checkpoint continues it with --resume$' out ||
  fail "a time limit on alpha: $(cat out)"
ctrl_c '[ -n "$(ls -A home-one)" ]' "${cut[@]}" --resume > out 2>&1
[ -n "$(ls -A home-one)" ] || fail "Ctrl-C left nothing on alpha"
"${cut[@]}" --resume > out 2>&1 && "$bin/genetic-sweep" "${long[@]}" -o whole > /dev/null &&
  diff -r -x seconds -x joblog -x '*.csv' whole cut > /dev/null || fail "from the checkpoint over ssh: $(cat out)"
[ -z "$(ls -A home-one)" ] || fail "left behind on alpha: $(find home-one)"
exit $failed
