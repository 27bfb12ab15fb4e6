#!/usr/bin/env python3
"""Checks, in Wine's trace of a program's calls into KERNEL32 (WINEDEBUG=+relay),
that each staged output is flushed before it takes its name, and its name
after: a new output moved with MOVEFILE_WRITE_THROUGH, a replaced one flushed
through a handle of its own after ReplaceFileW.

Usage: check_flush_order.py LABEL new|replaced TRACE [LABEL new|replaced TRACE]...
Prints "ok ..." or "FAIL ..." for each trace, then "N passed, M failed".
"""
import re
import sys

MOVEFILE_WRITE_THROUGH = 0x8
GENERIC_WRITE = 0x40000000
STAGED = ".marrowpin-"


def calls_in(trace):
    """The calls of the trace in order: [name, arguments, return value]."""
    calls, open_calls = [], {}
    with open(trace, errors="replace") as lines:
        for line in lines:
            call = re.match(r"^([0-9a-f]+):Call KERNEL32\.(\w+)\((.*)\) ret=", line)
            if call:
                open_calls[(call.group(1), call.group(2))] = len(calls)
                calls.append([call.group(2), call.group(3), None])
                continue
            done = re.match(r"^([0-9a-f]+):Ret  KERNEL32\.(\w+)\(\) retval=([0-9a-f]+)", line)
            if done and (done.group(1), done.group(2)) in open_calls:
                calls[open_calls.pop((done.group(1), done.group(2)))][2] = int(done.group(3), 16)
    return calls


def numbers(arguments):
    """The plain hexadecimal arguments, as numbers; None for a string."""
    return [int(a, 16) if re.fullmatch(r"[0-9a-f]+", a) else None
            for a in re.findall(r'L"(?:[^"\\]|\\.)*"|[0-9a-f]+', arguments)]


def first(calls, start, name, test=lambda arguments: True):
    for index in range(start, len(calls)):
        if calls[index][0] == name and test(calls[index][1]):
            return index
    return None


def flushed(calls, start, handle):
    """The index of the first flush of handle after start that succeeded."""
    index = first(calls, start, "FlushFileBuffers", lambda a: numbers(a)[0] == handle)
    return index if index is not None and calls[index][2] else None


def fault(calls, kind):
    """What is wrong with the order of calls; None when nothing is."""
    created = first(calls, 0, "CreateFileW", lambda a: STAGED in a)
    if created is None:
        return "no staged file was created"
    temporary = re.search(r'L"([^"]*' + re.escape(STAGED) + r'[^"]*)"', calls[created][1]).group(1)
    handle = calls[created][2]
    flush = flushed(calls, created, handle)
    close = first(calls, created, "CloseHandle", lambda a: numbers(a)[0] == handle)
    move = first(calls, created, "MoveFileExW" if kind == "new" else "ReplaceFileW",
                 lambda a: temporary in a)
    if move is None:
        return "the staged file was never moved into place"
    if flush is None or flush > move or (close is not None and flush > close):
        return "the staged file was not flushed before it was closed and moved"
    if kind == "new":
        if not numbers(calls[move][1])[-1] & MOVEFILE_WRITE_THROUGH:
            return "MoveFileExW without MOVEFILE_WRITE_THROUGH"
        return None
    output = re.match(r'\s*[0-9a-f]+ (L"(?:[^"\\]|\\.)*")', calls[move][1]).group(1)
    # CreateFileW(path, access, ...): the pointer and the path come first.
    reopened = first(calls, move, "CreateFileW",
                     lambda a: output in a.split(",")[0] and numbers(a)[2] & GENERIC_WRITE)
    if reopened is None or flushed(calls, reopened, calls[reopened][2]) is None:
        return "the replaced output was not flushed after ReplaceFileW"
    return None


def main(arguments):
    passed = failed = 0
    for label, kind, trace in zip(arguments[0::3], arguments[1::3], arguments[2::3]):
        problem = fault(calls_in(trace), kind)
        if problem:
            print("FAIL %s: %s" % (label, problem))
            failed += 1
        else:
            print("ok %s: flushed before its name is given, and its name after" % label)
            passed += 1
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
