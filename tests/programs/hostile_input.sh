#!/usr/bin/env bash
# Hostile input files: values of several megabytes, binary bytes, a NUL byte
# inside a value, an endless value, CRLF line ends and a folder in place of
# the file; for the optimisers also standard input that closes in the middle
# of the prompts.
# A refusal is status 1 with one printable line on standard error, nothing on
# standard output (but the prompts written so far) and no log; accepted input
# written differently prints what the plain file prints.
#
#   hostile_input.sh BIN_DIR PROGRAM
cases=$(cd "$(dirname "$0")/../cases" && pwd)
. "$(dirname "$0")/temporary_folder.sh"
problem() { echo "FAIL $*"; failed=1; }

if [ "$prog" = sakora ]; then
  values=(20 10 20 0.01 2 4 2 3 4 5 3 4 5 6 5)
  probability=3
  first="value 1 (VEL_POP, the population size)"
  whole_first=1
else
  values=(-2 2 6 20 10 20 0.01)
  probability=6
  first="value 1 (dg, the lower bound)"
  whole_first=0
fi

# run NAME ARG...: runs the program in a fresh folder NAME, standard input
# empty; leaves NAME/out, NAME/err and NAME/status.
run() {
  local name=$1
  shift
  mkdir "$name"
  (cd "$name" && exec timeout 120 "$bin/$prog" "$@") < /dev/null > "$name.out" 2> "$name.err"
  echo $? > "$name.status"
}

# refused NAME MESSAGE: status 1, exactly MESSAGE on standard error (when
# MESSAGE starts with "~", a line that starts with the rest), no output, no log.
refused() {
  local name=$1 want=$2 err
  err=$(cat "$name.err")
  [ "$(cat "$name.status")" = 1 ] || problem "$name: status $(cat "$name.status"), expected 1"
  [ "$(wc -l < "$name.err")" = 1 ] || problem "$name: standard error is not one line"
  if [ "${want#\~}" != "$want" ]; then
    [ "${err#"${want#\~}"}" != "$err" ] || problem "$name: message \"$err\""
  else
    [ "$err" = "$want" ] || problem "$name: message \"$err\", expected \"$want\""
  fi
  tr -d '\n' < "$name.err" | LC_ALL=C grep -q '[^ -~]' &&
    problem "$name: the message holds bytes that are not printable"
  [ -s "$name.out" ] && problem "$name: standard output is not empty"
  [ -e "$name/analiza.txt" ] && problem "$name: a log was written"
}

# same_as_plain NAME: status 0, and the output and the log of the plain file.
same_as_plain() {
  local name=$1
  [ "$(cat "$name.status")" = 0 ] || problem "$name: status $(cat "$name.status"): $(head -c 300 "$name.err")"
  cmp -s "$name.out" plain.out || problem "$name: standard output differs from the plain file's"
  if [ -e plain/analiza.txt ] || [ -e "$name/analiza.txt" ]; then
    cmp -s "$name/analiza.txt" plain/analiza.txt || problem "$name: the log differs from the plain file's"
  fi
}

printf '%s\n' "${values[@]}" > plain.txt
run plain "$work/plain.txt"
[ "$(cat plain.status)" = 0 ] || problem "plain file: status $(cat plain.status)"

# CRLF line ends are white space.
printf '%s\r\n' "${values[@]}" > crlf.txt
run crlf "$work/crlf.txt"
same_as_plain crlf

# Values of five megabytes: leading zeros on the first value, trailing zeros
# on the mutation probability.
zeros=$(head -c 5000000 /dev/zero | tr '\0' 0)
long=("${values[@]}")
if [ "${long[0]#-}" != "${long[0]}" ]; then long[0]="-$zeros${long[0]#-}"; else long[0]="$zeros${long[0]}"; fi
long[probability]="${long[probability]}$zeros"
printf '%s\n' "${long[@]}" > long.txt
unset zeros long
run long "$work/long.txt"
same_as_plain long

# A first value of five megabytes of nines: shown cut short in the message.
nines=9999999999999999999999999999999999999999
{ head -c 5000000 /dev/zero | tr '\0' 9; printf ' %s' "${values[@]:1}"; } > huge.txt
run huge "$work/huge.txt"
if [ "$whole_first" = 1 ]; then
  refused huge "$first is outside the range from -2147483648 to 2147483647: \"$nines...\""
else
  refused huge "$first is too large: \"$nines...\""
fi

# Binary bytes: 0xff down to 0x21 make the first value.
printf "$(printf '\\%03o' $(seq 255 -1 33))" > binary.txt
printf ' %s' "${values[@]}" >> binary.txt
run binary "$work/binary.txt"
refused binary "~$first is not a "

# A NUL byte is not white space: it belongs to the value.
{ printf '%s\0001' "${values[0]}"; printf ' %s' "${values[@]:1}"; } > nul.txt
run nul "$work/nul.txt"
if [ "$whole_first" = 1 ]; then
  refused nul "$first is not a whole number: \"${values[0]}\\x001\""
else
  refused nul "$first is not a decimal number: \"${values[0]}\\x001\""
fi

# An endless value of NUL bytes is refused at once: it is read no further than
# the message shows it, so neither time nor memory runs away.
run endless /dev/zero
nuls=$(printf '\\x00%.0s' $(seq 40))
if [ "$whole_first" = 1 ]; then
  refused endless "$first is not a whole number: \"$nuls...\""
else
  refused endless "$first is not a decimal number: \"$nuls...\""
fi

# A folder opens on this system but cannot be read.
mkdir folder.txt
run folder "$work/folder.txt"
refused folder "$first cannot be read: Is a directory"

if [ "$prog" != sakora ]; then
  # Standard input that ends after three answers, the writer closing the pipe
  # while the program waits: the fourth prompt is the last output.
  prompts=$cases/tarsel-refuses-console-end-of-input/expected/stdout
  mkdir pipe
  { printf -- '-2\n'; sleep 0.2; printf '2\n6\n'; sleep 0.2; } |
    (cd pipe && exec timeout 120 "$bin/$prog") > pipe.out 2> pipe.err
  echo "${PIPESTATUS[1]}" > pipe.status
  mv pipe.out pipe.all
  head -n 8 "$prompts" > pipe.prompts
  : > pipe.out
  refused pipe "value 4 (VEL_POP, the population size) is missing"
  cmp -s pipe.all pipe.prompts || problem "pipe: the output is not the first four prompts"

  # Standard input closed altogether: the first prompt, then a read error.
  mkdir closed
  (cd closed && exec timeout 120 "$bin/$prog") <&- > closed.all 2> closed.err
  echo $? > closed.status
  head -n 2 "$prompts" > closed.prompts
  : > closed.out
  refused closed "value 1 (dg, the lower bound) cannot be read: Bad file descriptor"
  cmp -s closed.all closed.prompts || problem "closed: the output is not the first prompt"
fi
exit $failed
