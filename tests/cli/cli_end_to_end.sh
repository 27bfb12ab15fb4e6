#!/usr/bin/env bash
# Runs marrowpin-cli on note files in a temporary folder and checks the files
# it writes, its exit status, its messages (stderr) and its closing line.
set -u
cli=$(realpath "${1:?usage: cli_end_to_end.sh PATH-TO-marrowpin-cli}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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

all_done='変換終了!!'
some_failed='一部のファイルの変換に失敗しました！！'
no_name='-FILENAME識別子が見つかりません。ファイル名を指定してください'

start "usage"
run --help
expect_status 0
grep -q '^Usage: marrowpin-cli' out.txt || fail "--help prints no usage"
run
expect_status 2
grep -q 'Usage:' err.txt || fail "no usage text for a missing FILE"
run --bogus a.vnt
expect_status 2
run --name
expect_status 2
finish

start "named output, CR LF lines"
printf -- '-FILENAME:pic.bmp\r\nBASE64:QUJ\r\nDREVG\r\n#Content-Type: x\r\nQQ==\r\nEND:VNOTE\r\n' >a.vnt
run a.vnt
expect_status 0
expect_stdout "$all_done"
expect_stderr ""
expect_file pic.bmp 414243444546410000
finish

start "missing file fails silently, the others still convert"
printf -- '-FILENAME:one.bin\nBASE64:QUJD\n' >a.vnt
printf -- '-FILENAME:two.bin\nBASE64:REVG\n' >c.vnt
run a.vnt missing.vnt c.vnt
expect_status 1
expect_stdout "$some_failed"
expect_stderr ""
expect_file one.bin 414243
expect_file two.bin 444546
finish

start "existing output is kept unless --overwrite"
printf -- '-FILENAME:pic.bin\nBASE64:QUJD\n' >a.vnt
printf 'old' >pic.bin
run a.vnt
expect_status 1
expect_stderr "$no_name"
expect_file pic.bin 6f6c64
run --overwrite a.vnt
expect_status 0
expect_file pic.bin 414243
finish

start "no name: --name and --bmp-header answer the questions"
printf -- '-BMPTYPE:4\n-WIDTH:2\n-HEIGHT:1\nBASE64:AAD4\n' >raw.vnt
run --bmp-header --name /elsewhere/raw.bmp raw.vnt
expect_status 0
expect_stderr "$no_name"
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
expect_stderr "$no_name"
[ "$(ls)" = "$(printf 'a.vnt\nerr.txt\nout.txt')" ] || fail "unexpected files: $(ls | tr '\n' ' ')"
finish

start "--name answers only the first name request of each file"
printf -- 'BASE64:QUJD\n' >a.vnt
printf -- 'BASE64:REVG\n' >b.vnt
run --name out.bin a.vnt b.vnt
expect_status 1
# b.vnt: asked for a name, given out.bin, which now exists; not overwritten,
# so it is asked again and that request is cancelled.
expect_file out.bin 414243
expect_stderr "$no_name
$no_name
$no_name"
finish

start "a note without a payload"
printf -- '-FILENAME:p\nno payload here\n' >plain.vnt
run plain.vnt
expect_status 1
expect_stderr "plain.vnt  は変換できないファイルです"
expect_no_file p
finish

start "an output name that climbs out of the folder"
mkdir in
printf -- '-FILENAME:../out.bin\nBASE64:QUJD\n' >in/a.vnt
run in/a.vnt
expect_status 1
expect_stderr "$no_name"
expect_no_file out.bin
finish

start "a source that exists but cannot be opened"
printf -- '-FILENAME:ok.bin\nBASE64:QUJD\n' >ok.vnt
# Opening a socket fails even for root, unlike a file without read rights.
python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' locked.vnt
run ./locked.vnt ok.vnt
expect_status 1
expect_stdout "$some_failed"
expect_stderr "ファイル ./locked.vnt は開けません"
expect_file ok.bin 414243
finish

echo "cli_end_to_end: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
