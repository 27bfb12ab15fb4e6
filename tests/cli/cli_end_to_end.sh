#!/usr/bin/env bash
# Runs marrowpin-cli on note files in a temporary folder and checks the files
# it writes, its exit status, its messages (stderr) and its lines on stdout.
set -u
cli=$(realpath "${1:?usage: cli_end_to_end.sh PATH-TO-marrowpin-cli VERSION}")
version=${2:?usage: cli_end_to_end.sh PATH-TO-marrowpin-cli VERSION}
work=$(mktemp -d)
# A file system image of a power-cut case may still be mounted.
trap 'mountpoint -q "$work/c/mnt" 2>/dev/null && umount "$work/c/mnt"; rm -rf "$work"' EXIT
cd "$work" || exit 1

passed=0
failed=0
fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }
start() { case_name=$1; failures=0; rm -rf "$work/c"; mkdir "$work/c"; cd "$work/c" || exit 1; }
finish() { if [ "$failures" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi; }
# run ARGS...: runs the program, keeping status, stdout and stderr.
run() { "$cli" "$@" >out.txt 2>err.txt; status=$?; }
expect_status() { [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"; }
expect_stdout() { [ "$(cat out.txt)" = "$1" ] || fail "stdout '$(cat out.txt)', expected '$1'"; }
expect_stderr() { [ "$(cat err.txt)" = "$1" ] || fail "stderr '$(cat err.txt)', expected '$1'"; }
expect_file() { [ -f "$1" ] && [ "$(od -An -tx1 -v "$1" | tr -d ' \n')" = "$2" ] ||
  fail "$1 holds '$(od -An -tx1 -v "$1" 2>/dev/null | tr -d ' \n')', expected '$2'"; }
expect_no_file() { [ ! -e "$1" ] || fail "$1 should not exist"; }
# Ends the background writer of a FIFO, which waits for ever when the program
# did not read it to its end.
end_writer() { kill "$!" 2>/dev/null; wait "$!" 2>/dev/null; }

# The texts are Japanese under a Japanese locale, English elsewhere. The
# system's reasons are English whatever catalogs the machine has (LANGUAGE
# comes first for them); one case shows that they follow the locale.
unset LC_ALL LC_MESSAGES
export LANG=ja_JP.UTF-8 LANGUAGE=en
all_done='変換終了!!'
some_failed='一部のファイルの変換に失敗しました！！'
no_name='-FILENAME識別子が見つかりません。ファイル名を指定してください'
exists='同名ファイルが存在します。上書きは --overwrite、別の名前は --name で指定してください'
refused='-FILENAMEの名前はフォルダの外に書き込めるか、使えない文字を含むため使えません。--name でファイル名を指定してください'
written_before='同名の出力ファイルをこの実行で書き出しました。別の名前は --name で指定してください'
# No entry in the folder but these (and the notes): no temporary file left.
expect_entries() { [ "$(ls -A | tr '\n' ' ')" = "$1 " ] || fail "entries: $(ls -A | tr '\n' ' ')expected $1"; }

start "usage, help and version"
run --help
expect_status 0
grep -q '^Usage: marrowpin-cli' out.txt || fail "--help prints no usage"
run -h
grep -q -- '--output-dir DIR' out.txt || fail "-h prints no usage"
run --version
expect_status 0
expect_stdout "marrowpin-cli $version"
hint="Try 'marrowpin-cli --help' for more information."
run --bogus a.vnt
expect_status 2
expect_stderr "marrowpin-cli: unknown option --bogus
$hint"
finish

start "named output, CR LF lines"
printf -- '-FILENAME:pic.bmp\r\nBASE64:QUJ\r\nDREVG\r\n#Content-Type: x\r\nQQ==\r\nEND:VNOTE\r\n' >a.vnt
run a.vnt
expect_status 0
expect_stdout "a.vnt -> pic.bmp
$all_done"
expect_stderr ""
expect_file pic.bmp 414243444546410000
finish

# One note of each kind of failure amid two that convert.
make_mixed_notes() {
  printf -- '-FILENAME:one.bin\nBASE64:QUJD\n' >a.vnt
  printf -- '-FILENAME:p\nno payload here\n' >plain.vnt
  # Opening a socket fails even for root, unlike a file without read rights.
  python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' locked.vnt
  printf -- '-FILENAME:two.bin\nBASE64:REVG\n' >c.vnt
}

start "each failure says which file and why; the others convert"
make_mixed_notes
run a.vnt missing.vnt plain.vnt ./locked.vnt c.vnt
expect_status 1
expect_stdout "a.vnt -> one.bin
c.vnt -> two.bin
$some_failed"
expect_stderr "missing.vnt: ファイルを開けません (No such file or directory)
plain.vnt: 変換できないファイルです
./locked.vnt: ファイルを開けません (No such device or address)"
expect_file one.bin 414243
expect_file two.bin 444546
expect_no_file p
finish

start "English texts outside a Japanese locale"
make_mixed_notes
LANG=C.UTF-8 run a.vnt missing.vnt plain.vnt ./locked.vnt
expect_stdout "a.vnt -> one.bin
Some files could not be converted"
expect_stderr "missing.vnt: cannot open the file (No such file or directory)
plain.vnt: cannot be converted: it has no BASE64: line
./locked.vnt: cannot open the file (No such device or address)"
# LC_ALL, then LC_MESSAGES, then LANG decide.
LC_ALL=C run --overwrite a.vnt
expect_stdout "a.vnt -> one.bin
Conversion finished"
LANG=C.UTF-8 LC_MESSAGES=ja_JP.UTF-8 run --overwrite a.vnt
expect_stdout "a.vnt -> one.bin
$all_done"
LC_ALL=C.UTF-8 LC_MESSAGES=ja_JP.UTF-8 run a.vnt
expect_stderr "a.vnt: the output file exists; --overwrite replaces it, --name gives another name"
finish

start "existing output is kept unless --overwrite"
printf -- '-FILENAME:pic.bin\nBASE64:QUJD\n' >a.vnt
printf 'old' >pic.bin
run a.vnt
expect_status 1
expect_stdout "$some_failed"
expect_stderr "a.vnt: $exists"
expect_file pic.bin 6f6c64
run --overwrite a.vnt
expect_status 0
expect_file pic.bin 414243
finish

start "no name: --name and --bmp-header answer the questions"
printf -- '-BMPTYPE:4\n-WIDTH:2\n-HEIGHT:1\nBASE64:AAD4\n' >raw.vnt
run --bmp-header --name=/elsewhere/raw.bmp raw.vnt
expect_status 0
expect_stdout "raw.vnt -> raw.bmp
$all_done"
expect_stderr ""
expect_no_file /elsewhere/raw.bmp
expect_file raw.bmp "424dc29400000000000042000000280000000200000001000000010010000300\
0000000000000000000000000000000000000000000000f80000e00700001f000000\
0000f8"
finish

start "without --name a file that names no output fails"
printf -- 'BASE64:QUJD\n' >a.vnt
run a.vnt
expect_status 1
expect_stdout "$some_failed"
expect_stderr "a.vnt: $no_name"
[ "$(ls)" = "$(printf 'a.vnt\nerr.txt\nout.txt')" ] || fail "unexpected files: $(ls | tr '\n' ' ')"
finish

start "--name answers only the first name request of each file"
printf -- 'BASE64:QUJD\n' >a.vnt
printf -- 'BASE64:REVG\n' >b.vnt
run --name out.bin a.vnt b.vnt
expect_status 1
# b.vnt: given out.bin, which this run has written; asked again, that
# request goes unanswered.
expect_file out.bin 414243
expect_stdout "a.vnt -> out.bin
$some_failed"
expect_stderr "b.vnt: $written_before"
finish

start "an output name that climbs out of the folder"
mkdir in
printf -- '-FILENAME:../out.bin\nBASE64:QUJD\n' >in/a.vnt
run in/a.vnt
expect_status 1
expect_stderr "in/a.vnt: $refused"
expect_no_file out.bin
run --name in.bin in/a.vnt
expect_stdout "in/a.vnt -> in/in.bin
$all_done"
finish

start "names: Shift-JIS becomes UTF-8, UTF-8 stays, other bytes are kept"
printf -- '-FILENAME:\x8e\xca\x90\x5e.jpg\nBASE64:QUJD\n' >sjis.vnt
printf -- '-FILENAME:\xe5\x86\x99\xe7\x9c\x9f2.jpg\nBASE64:QUJD\n' >utf8.vnt
printf -- '-FILENAME:\xff\xfe.bin\nBASE64:QUJD\n' >odd.vnt
printf -- 'BASE64:QUJD\n' >typed.vnt
run sjis.vnt utf8.vnt odd.vnt
expect_status 0
expect_file 写真.jpg 414243
expect_file 写真2.jpg 414243
expect_file $'\xff\xfe.bin' 414243
expect_stdout "sjis.vnt -> 写真.jpg
utf8.vnt -> 写真2.jpg
odd.vnt -> \$'\\377\\376''.bin'
$all_done"
run --name $'\x8e\xca\x90\x5e3.jpg' typed.vnt
expect_file 写真3.jpg 414243
finish

start "-d puts the outputs into a folder; a missing one says why"
mkdir src out
printf -- '-FILENAME:one.bin\nBASE64:QUJD\n' >src/a.vnt
printf -- 'BASE64:REVG\n' >src/b.vnt
run -d out src/a.vnt --name b.bin src/b.vnt
expect_status 0
expect_stdout "src/a.vnt -> out/one.bin
src/b.vnt -> out/b.bin
$all_done"
expect_file out/one.bin 414243
expect_file out/b.bin 444546
expect_no_file src/one.bin
run --output-dir=out src/a.vnt
expect_stderr "src/a.vnt: $exists"
finish

start "a -d that is no folder is one line naming it, before any FILE"
printf -- '-FILENAME:one.bin\nBASE64:QUJD\n' >a.vnt
: >plain
ln -s loop loop
for bad in "gone/:No such file or directory" "plain:Not a directory" \
  "loop:Too many levels of symbolic links" "a b:No such file or directory"; do
  folder=${bad%%:*}
  run -d "$folder" a.vnt missing.vnt
  expect_status 2
  expect_stdout ""
  expect_stderr "marrowpin-cli: cannot use the output folder $(printf %s "$folder" | sed "s/.* .*/'&'/") (${bad#*:})"
done
expect_no_file one.bin
finish

start "Japanese folder names keep their separators"
# Each name's last UTF-8 byte is one that Shift-JIS takes as a lead byte.
mkdir 予 十 写 out out/十
for folder in 予 十 写; do printf -- '-FILENAME:pic.bin\nBASE64:QUJD\n' >"$folder/n.vnt"; done
printf decoy >pic.bin
run --overwrite 予/n.vnt 十/n.vnt 写/n.vnt
expect_status 0
expect_file 予/pic.bin 414243
expect_file 写/pic.bin 414243
expect_file pic.bin 6465636f79
run -d out/十 予/n.vnt
expect_file out/十/pic.bin 414243
expect_no_file out/pic.bin
printf -- 'BASE64:REVG\n' >typed.vnt
run --name=予/x.bin typed.vnt
expect_stdout "typed.vnt -> x.bin
$all_done"
expect_file x.bin 444546
expect_no_file 予/x.bin
# A name as long as a file name can be still leaves room for the temporary one.
long=$(printf 'n%.0s' $(seq 255))
run --name="$long" typed.vnt
expect_file "$long" 444546
finish

start "links at the output name are replaced, never written through"
mkdir elsewhere in
printf target >elsewhere/t
ln -s ../elsewhere/absent in/dangling.bin
ln -s ../elsewhere/t in/linked.bin
ln -s ../elsewhere in/sub
for name in dangling linked; do printf -- "-FILENAME:$name.bin\nBASE64:QUJD\n" >in/$name.vnt; done
run in/dangling.vnt in/linked.vnt
expect_status 1
expect_stderr "in/dangling.vnt: $exists
in/linked.vnt: $exists"
run --overwrite in/dangling.vnt in/linked.vnt
expect_status 0
[ ! -L in/dangling.bin ] && [ ! -L in/linked.bin ] || fail "a link was written through"
expect_file in/dangling.bin 414243
expect_file in/linked.bin 414243
expect_file elsewhere/t 746172676574
expect_no_file elsewhere/absent
printf -- '-FILENAME:sub/p.bin\nBASE64:QUJD\n' >in/sub.vnt
run --overwrite in/sub.vnt
expect_stderr "in/sub.vnt: $refused"
expect_no_file elsewhere/p.bin
finish

start "a full disk or a kill leaves the old output whole and nothing else"
printf old >pic.bin
{ printf -- '-FILENAME:pic.bin\nBASE64:\n'; head -c 3000 /dev/zero | tr '\0' Q; echo; } >big.vnt
# A file size limit fails the write as a full disk does.
(trap '' XFSZ; ulimit -f 1; "$cli" --overwrite big.vnt >out.txt 2>err.txt)
status=$?
expect_status 1
expect_stderr "big.vnt: ファイルに書き込めません！！: pic.bin (File too large)"
expect_file pic.bin 6f6c64
expect_entries "big.vnt err.txt out.txt pic.bin"
# Without the trap the limit's signal ends the program, which removes its
# temporary file first.
{
  (ulimit -f 1; exec "$cli" --overwrite big.vnt >out.txt 2>err.txt)
  status=$?
} 2>/dev/null
expect_status $((128 + 25))
expect_file pic.bin 6f6c64
expect_entries "big.vnt err.txt out.txt pic.bin"
expect_entries "big.vnt err.txt out.txt pic.bin"
finish

# waits_with_output PID: true once the program holds its output open, as a
# file without a name in the current folder, within 5 s.
waits_with_output() {
  for _ in $(seq 100); do
    for fd in /proc/"$1"/fd/*; do
      case $(readlink "$fd") in "$PWD/#"*" (deleted)") return 0 ;; esac
    done
    sleep 0.05
  done
  return 1
}

start "any signal, SIGKILL too, leaves the old output whole and no other file"
printf old >pic.bin
mkfifo slow.vnt
# Job control gives the program the default actions of SIGINT and SIGQUIT,
# which a script's background commands would ignore.
set -m
# IO is POLL by the name kill knows.
for signal in INT TERM HUP QUIT XFSZ PIPE USR1 USR2 ALRM XCPU VTALRM PROF IO PWR KILL; do
  "$cli" --overwrite slow.vnt >out.txt 2>err.txt &
  pid=$!
  exec 3>slow.vnt
  printf -- '-FILENAME:pic.bin\nBASE64:QUJD\n' >&3
  waits_with_output "$pid" || fail "SIG$signal: no output held while the note is read"
  # Nobody can open the output before it is in place: it has no name.
  expect_entries "err.txt out.txt pic.bin slow.vnt"
  kill -s "$signal" "$pid" || kill -s KILL "$pid"
  wait "$pid" 2>/dev/null
  status=$?
  exec 3>&-
  expect_status $((128 + $(kill -l "$signal")))
  expect_file pic.bin 6f6c64
  expect_entries "err.txt out.txt pic.bin slow.vnt"
done
set +m
finish

start "an entry that comes to the name while the output is written is left alone"
mkfifo slow.vnt
printf old >old.bin
# root: the entry another user plants; as another user it is the test's own.
planter=()
[ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 && planter=(runuser -u nobody --)
chmod 1777 .
for output in new.bin old.bin; do
  "$cli" --overwrite slow.vnt >out.txt 2>err.txt &
  pid=$!
  exec 3>slow.vnt
  printf -- '-FILENAME:%s\nBASE64:QUJD\n' "$output" >&3
  waits_with_output "$pid" || fail "$output: no output held while the note is read"
  rm -f "$output"
  "${planter[@]}" sh -c 'umask 0; printf planted >"$1"' sh "$output"
  owner=$(stat -c %U "$output")
  exec 3>&-
  wait "$pid"
  status=$?
  expect_status 1
  expect_stderr "slow.vnt: ファイルに書き込めません！！: $output (File exists)"
  expect_file "$output" 706c616e746564
  [ "$(stat -c '%a %U' "$output")" = "666 $owner" ] ||
    fail "$output: planted file now $(stat -c '%a %U' "$output")"
done
chmod 755 .
expect_entries "err.txt new.bin old.bin out.txt slow.vnt"
finish

start "a new output is made as any new file; a replaced one hands on all but capabilities"
printf -- '-FILENAME:pic.bin\nBASE64:QUJD\n' >a.vnt
(umask 077 && "$cli" a.vnt >out.txt 2>err.txt)
[ "$(stat -c %a pic.bin)" = 600 ] || fail "umask 077: mode $(stat -c %a pic.bin)"
if command -v setfacl >/dev/null; then
  # A folder's default ACL decides, not the umask.
  mkdir acl
  setfacl -d -m u::rw,g::r,o::- acl
  (umask 0 && "$cli" -d acl a.vnt >out.txt 2>err.txt && : >acl/shell.bin)
  [ "$(getfacl -c acl/pic.bin)" = "$(getfacl -c acl/shell.bin)" ] && [ "$(stat -c %a acl/pic.bin)" = 640 ] ||
    fail "default ACL: $(stat -c %a acl/pic.bin), a new file: $(stat -c %a acl/shell.bin)"
else
  echo "skipped in [$case_name]: no setfacl (the acl package)"
fi
if [ "$(id -u)" -eq 0 ] && command -v setcap >/dev/null; then
  # After chown, which would take the capabilities off again.
  chown nobody pic.bin
  setcap cap_dac_override+ep pic.bin
  [ -n "$(getcap pic.bin)" ] || fail "setcap gave the old output no capabilities"
  run --overwrite a.vnt
  expect_file pic.bin 414243
  [ -z "$(getcap pic.bin)" ] || fail "capabilities handed on: $(getcap pic.bin)"
  [ "$(stat -c '%a %U' pic.bin)" = "600 nobody" ] || fail "handed on: $(stat -c '%a %U' pic.bin)"
else
  echo "skipped in [$case_name]: not root, or no setcap (the libcap2-bin package)"
fi
finish

start "a folder one may write into but not read takes outputs"
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  mkdir drop
  chmod 333 drop
  printf -- '-FILENAME:pic.bin\nBASE64:QUJD\n' >a.vnt
  chmod 755 "$work" "$work/c"
  runuser -u nobody -- "$cli" -d drop a.vnt >out.txt 2>err.txt
  status=$?
  chmod 700 "$work"
  expect_status 0
  expect_stderr ""
  expect_file drop/pic.bin 414243
else
  echo "skipped in [$case_name]: not root, or no user nobody"
fi
finish

start "closed standard streams are opened on /dev/null"
mkfifo slow.vnt
"$cli" slow.vnt <&- >&- 2>&- &
pid=$!
exec 3>slow.vnt
printf -- '-FILENAME:pic.bin\nBASE64:QUJD\n' >&3
waits_with_output "$pid" || fail "no output held while the note is read"
for fd in 0 1 2; do
  [ "$(readlink /proc/$pid/fd/$fd)" = /dev/null ] || fail "descriptor $fd: $(readlink /proc/$pid/fd/$fd)"
done
exec 3>&-
wait "$pid"
status=$?
expect_status 0
expect_file pic.bin 414243
finish

start "an output never replaces the log its own run writes to"
printf -- '-FILENAME:run.log\nBASE64:QUJD\n' >log.vnt
printf 'earlier lines\n' >run.log
"$cli" --overwrite log.vnt >>run.log 2>err.txt
expect_stderr "log.vnt: 出力ファイルが標準出力か標準エラー出力の書き込み先になります。別の名前は --name で指定してください"
[ "$(cat run.log)" = "earlier lines
$some_failed" ] || fail "run.log holds '$(cat run.log)'"
"$cli" --overwrite log.vnt >out.txt 2>>run.log
grep -q "^log.vnt: 出力ファイルが標準出力か標準エラー出力の書き込み先になります" run.log ||
  fail "a note naming the file stderr goes to replaced it"
finish

start "the system's reasons and the texts follow the locale's language and character set"
printf -- 'no payload\n' >plain.vnt
LANGUAGE= run missing.vnt
expect_stderr "missing.vnt: ファイルを開けません (そのようなファイルやディレクトリはありません)"
if locale -a | grep -qix ja_JP.eucjp; then
  LANG=ja_JP.eucJP LANGUAGE= run missing.vnt plain.vnt
  [ "$(iconv -f EUC-JP -t UTF-8 err.txt)" = "missing.vnt: ファイルを開けません (そのようなファイルやディレクトリはありません)
plain.vnt: 変換できないファイルです" ] || fail "stderr in EUC-JP: $(iconv -f EUC-JP -t UTF-8 err.txt)"
  [ "$(iconv -f EUC-JP -t UTF-8 out.txt)" = "$some_failed" ] || fail "stdout in EUC-JP: $(iconv -f EUC-JP -t UTF-8 out.txt)"
else
  echo "skipped in [$case_name]: no ja_JP.eucJP locale (scripts/install-packages makes it)"
fi
# Texts the locale's character set cannot spell come in English.
LANG=C LC_MESSAGES=ja_JP.UTF-8 run plain.vnt
expect_stderr "plain.vnt: cannot be converted: it has no BASE64: line"
finish

start "a FIFO at the output name is an existing output, replaced without a hang"
mkfifo fifo.bin
printf -- '-FILENAME:fifo.bin\nBASE64:QUJD\n' >a.vnt
timeout 10 "$cli" a.vnt >out.txt 2>err.txt
status=$?
expect_status 1
expect_stderr "a.vnt: $exists"
timeout 10 "$cli" --overwrite a.vnt >out.txt 2>err.txt
status=$?
expect_status 0
expect_file fifo.bin 414243
finish

start "- reads the note from standard input"
mkdir out
printf -- '-FILENAME:in.bin\nBASE64:QUJD\n' | { run -; }
expect_stdout "- -> in.bin
$all_done"
expect_file in.bin 414243
printf -- 'BASE64:REVG\n' | { run -d out/ --name x.bin -; }
expect_stdout "- -> out/x.bin
$all_done"
expect_file out/x.bin 444546
finish

start "printed names are quoted; the shell reads each line back as the names"
# Hostile FILE names (control characters, a forged line, C1 in UTF-8 and as a
# raw byte, Shift-JIS that is no UTF-8) and output names that a note may give.
files=('a b.vnt' $'x\e]0;PWNED\a\e[2J.vnt' $'a\nfake.vnt -> forged.bin\nb.vnt' "it's.vnt"
  $'c\xc2\x9b2J.vnt' $'c\x9b2J.vnt' $'\x83\x65\x83\x58.vnt' 'plain.vnt')
outputs=('o b.bin' 'o -> p.bin' "o'q.bin" $'\xff\xfe.bin' '$o.bin' '#o.bin' 'o;o.bin' 'o.bin')
for i in "${!files[@]}"; do
  printf -- '-FILENAME:%s\nBASE64:QUJD\n' "${outputs[i]}" >"${files[i]}"
done
LANG=C.UTF-8 run "${files[@]}" $'gone\e[2J.vnt'
expect_status 1
i=0
while IFS= read -r line; do
  [ "$line" = "Some files could not be converted" ] && break
  file_part=${line%% -> *}
  output_part=${line#* -> }
  [ "$file_part -> $output_part" = "$line" ] && [ "$output_part" = "${line##* -> }" ] ||
    fail "line $((i + 1)) does not split at one ' -> ': $line"
  file='' output=''
  eval "file=$file_part; output=$output_part" 2>/dev/null
  [ "$file" = "${files[i]}" ] || fail "line $((i + 1)) reads back as FILE '$file'"
  [ "$output" = "${outputs[i]}" ] || fail "line $((i + 1)) reads back as output '$output'"
  expect_file "${outputs[i]}" 414243
  i=$((i + 1))
done <out.txt
[ "$i" -eq "${#files[@]}" ] || fail "$i lines FILE -> OUTPUT, expected ${#files[@]}"
# No control character and no byte beyond ASCII reaches the terminal.
LC_ALL=C grep -q $'[\x01-\x09\x0b-\x1f\x7f-\xff]' out.txt err.txt &&
  fail "a control character or a raw byte is printed"
expect_stderr "'gone'\$'\\033''[2J.vnt': cannot open the file (No such file or directory)"
finish

start "a FIFO with a late writer and a process substitution are read to their end"
mkfifo late.vnt
printf -- '-FILENAME:one.bin\nBASE64:QUJD\n' >a.vnt
# The writer opens the FIFO 0.3 s after the program, and writes in two parts.
(sleep 0.3; { printf -- '-FILENAME:late.bin\nBASE64:QUJD\n'; sleep 0.3; printf 'REVG\n'; } >late.vnt) &
run late.vnt
end_writer
expect_status 0
expect_stdout "late.vnt -> late.bin
$all_done"
expect_file late.bin 414243444546
# A late writer that waits before it writes, and one that writes nothing.
(sleep 0.3; exec 3>late.vnt; sleep 0.3; cat a.vnt >&3) &
run late.vnt
end_writer
expect_stdout "late.vnt -> one.bin
$all_done"
(sleep 0.3; : >late.vnt) &
run late.vnt
end_writer
expect_status 1
expect_stderr "late.vnt: 変換できないファイルです"
mkdir out
run -d out <(sleep 0.2; cat a.vnt)
expect_status 0
expect_file out/one.bin 414243
finish

start "a FILE with no folder of its own writes into the current folder, as - does"
# A name that /dev holds nowhere, so that a run that wrote there harms nothing.
stray=marrowpin-end-to-end-$$.bin
printf -- '-FILENAME:%s\nBASE64:QUJD\n' "$stray" >a.vnt
run /dev/stdin <a.vnt
expect_status 0
expect_stdout "/dev/stdin -> $stray
$all_done"
expect_file "$stray" 414243
rm -f "$stray"
run /dev/fd/3 3<a.vnt
expect_file "$stray" 414243
rm -f "$stray"
run <(cat a.vnt)
expect_status 0
expect_file "$stray" 414243
for folder in /dev /dev/fd /proc/self/fd; do
  [ ! -e "$folder/$stray" ] || { fail "written into $folder"; rm -f "$folder/$stray"; }
done
finish

start "a failed write to stdout or stderr ends the run with status 1"
printf -- '-FILENAME:one.bin\nBASE64:QUJD\n' >a.vnt
printf -- '-FILENAME:two.bin\nBASE64:REVG\n' >b.vnt
"$cli" a.vnt b.vnt >/dev/full 2>err.txt
status=$?
expect_status 1
expect_stderr "marrowpin-cli: cannot write to standard output (No space left on device)"
expect_file one.bin 414243
expect_no_file two.bin
for arguments in "-q --overwrite a.vnt" "--version" "--help"; do
  # shellcheck disable=SC2086
  "$cli" $arguments >/dev/full 2>err.txt
  status=$?
  expect_status 1
  expect_stderr "marrowpin-cli: cannot write to standard output (No space left on device)"
done
"$cli" missing.vnt a.vnt 2>/dev/full >out.txt
status=$?
expect_status 1
expect_stdout ""
# A closed pipe: the signal ends the program, as it ends other tools; where
# the signal is ignored, the write error does.
closed_pipe() {
  python3 -c 'import os, signal, subprocess, sys
read_end, write_end = os.pipe()
os.close(read_end)
signal.signal(signal.SIGPIPE, signal.SIG_IGN if sys.argv[1] == "ignored" else signal.SIG_DFL)
sys.exit(subprocess.run(sys.argv[2:], stdout=write_end, restore_signals=False).returncode % 256)' "$@"
}
closed_pipe default "$cli" --overwrite a.vnt 2>err.txt
status=$?
expect_status $((256 - 13))
closed_pipe ignored "$cli" --overwrite a.vnt 2>err.txt
status=$?
expect_status 1
expect_stderr "marrowpin-cli: cannot write to standard output (Broken pipe)"
finish

start "--quiet leaves only the closing line"
make_mixed_notes
run -q a.vnt plain.vnt
expect_status 1
expect_stdout "$some_failed"
expect_stderr "plain.vnt: 変換できないファイルです"
run --quiet --overwrite a.vnt
expect_stdout "$all_done"
finish

start "a source larger than the memory limit is read in constant memory"
printf -- '-FILENAME:one.bin\nBASE64:QUJD\n' >a.vnt
# One line of 450 MB without the payload key, under a 400 MB limit.
head -c 450M /dev/zero | tr '\0' x >big.vnt
# A sanitizer build cannot start within a memory limit: this case is then
# left to the plain build.
if (ulimit -v 400000 && "$cli" --version >/dev/null 2>&1); then
  (ulimit -v 400000 && "$cli" big.vnt a.vnt >out.txt 2>err.txt)
  status=$?
  expect_status 1
  expect_stdout "a.vnt -> one.bin
$some_failed"
  expect_stderr "big.vnt: 変換できないファイルです"
  expect_file one.bin 414243
else
  echo "skipped [$case_name]: the program does not start under a memory limit"
fi
rm -f big.vnt
finish

# A power cut as file-system developers test for one: the file system is shut
# down without writing its journal, then mounted again. Needs root, loop
# devices and xfs_io (xfsprogs).
# mount_image FS: a fresh file system of type FS (ext4, xfs) in an image,
# mounted on mnt; false where that cannot be done here.
mount_image() {
  [ "$(id -u)" -eq 0 ] && command -v xfs_io >/dev/null && command -v "mkfs.$1" >/dev/null &&
    rm -f "$work/image" && truncate -s 512M "$work/image" &&
    "mkfs.$1" -q "$work/image" >/dev/null 2>&1 && mkdir -p mnt &&
    mount -o loop "$work/image" mnt 2>/dev/null
}
# cut_power: the power cut; remount: the file system as the next boot finds
# it, once no program has a file on it open.
cut_power() { xfs_io -x -c shutdown mnt; }
remount() { umount mnt && mount -o loop "$work/image" mnt; }
# make_notes BYTES FILE OUTPUT_NAME [FILE OUTPUT_NAME]...: notes of BYTES
# random bytes each, which go to FILE.payload too.
make_notes() {
  python3 -c 'import base64, os, sys
size = int(sys.argv[1])
for note, name in zip(sys.argv[2::2], sys.argv[3::2]):
    payload = os.urandom(size)
    open(note + ".payload", "wb").write(payload)
    text = base64.b64encode(payload)
    lines = b"\r\n".join(text[i:i + 76] for i in range(0, len(text), 76))
    open(note, "wb").write(b"-FILENAME:" + name.encode() + b"\r\nBASE64:\r\n" + lines + b"\r\nEND:VNOTE\r\n")' "$@"
}
expect_whole() { cmp -s "$1" "$2" || fail "$1 is not whole after the power cut"; }
skip_power_cut() { echo "skipped in [$case_name]: needs root, loop devices and xfs_io (xfsprogs)"; }

start "the bytes are flushed before the name is given, the name before the output is reported"
printf -- '-FILENAME:one.bin\nBASE64:QUJD\n' >a.vnt
printf -- '-FILENAME:two.bin\nBASE64:REVG\n' >b.vnt
printf -- '-FILENAME:three.bin\nBASE64:R0hJ\n' >c.vnt
printf 'old' >two.bin
if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
  # -y names each descriptor's file, so that the writes of a sanitizer's own
  # checks (to pipes) are told apart; leak checks do not work under ptrace.
  ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 strace -f -y -o trace.txt \
    -e trace=write,fsync,fdatasync,syncfs,linkat,renameat,renameat2 \
    "$cli" --overwrite a.vnt b.vnt c.vnt >out.txt 2>err.txt
  # Of the calls in order: W a write of an output, F a flush, N a name given
  # (the first link of each output), R a line reported on stdout.
  calls=$(sed -E -n \
    -e 's/^[0-9]+ +write\(1<.*/R/p' -e "s|^[0-9]+ +write\\([0-9]+<$(pwd -P)/.*|W|p" \
    -e 's/^[0-9]+ +(fsync|fdatasync|syncfs)\(.*/F/p' -e 's|^[0-9]+ +linkat\(AT_FDCWD[^,]*, "/proc.*|N|p' \
    trace.txt | tr -d '\n')
  # The first output alone, then the others together: written, flushed,
  # named, flushed, reported; the closing line last.
  [[ $calls =~ ^WF+NF+RWWF+NNF+RRR$ ]] || fail "calls in order: $calls"
  expect_file one.bin 414243
  expect_file two.bin 444546
  expect_file three.bin 474849
else
  echo "skipped in [$case_name]: no strace"
fi
finish

for fs in ext4 xfs; do
  start "a power cut right after the run keeps every output it reported ($fs)"
  if mount_image "$fs"; then
    make_notes 8388606 mnt/new.vnt new.bin
    make_notes 300000 mnt/replace.vnt replaced.bin
    printf 'old' >mnt/replaced.bin
    mkdir mnt/many
    make_notes 3000 $(for i in $(seq 100); do echo "mnt/many/n$i.vnt n$i.bin"; done)
    sync
    "$cli" -q mnt/new.vnt >/dev/null && "$cli" -q --overwrite mnt/replace.vnt >/dev/null &&
      "$cli" -q mnt/many/*.vnt >/dev/null || fail "a conversion failed"
    cut_power && remount || fail "the power cut failed"
    expect_whole mnt/new.bin mnt/new.vnt.payload
    expect_whole mnt/replaced.bin mnt/replace.vnt.payload
    for i in $(seq 100); do expect_whole "mnt/many/n$i.bin" "mnt/many/n$i.vnt.payload"; done
    umount mnt
  else
    skip_power_cut
  fi
  finish

  start "a power cut during a run keeps the old output or the whole new one, and nothing else ($fs)"
  if mount_image "$fs"; then
    make_notes 30000000 mnt/big.vnt big.bin
    printf 'old' >mnt/big.bin
    sync
    for delay in 0.05 0.2 0.5; do
      "$cli" -q --overwrite mnt/big.vnt >/dev/null 2>&1 &
      sleep "$delay"
      cut_power || fail "the power cut failed"
      wait
      remount || fail "the file system cannot be mounted again"
      if ! cmp -s mnt/big.bin mnt/big.vnt.payload && [ "$(cat mnt/big.bin)" != old ]; then
        fail "cut after $delay s: big.bin is neither the old output nor the whole new one"
      fi
      left=$(find mnt -name '.marrowpin-*')
      [ -z "$left" ] || fail "cut after $delay s: left behind: $left"
      # The next cut starts from the old output again.
      printf 'old' >mnt/big.bin
      sync
    done
    umount mnt
  else
    skip_power_cut
  fi
  finish
done
rm -f "$work/image"

echo "cli_end_to_end: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
