#!/usr/bin/env python3
"""Whole-process timings of a few commands, run in turn (A B C, B C A, C A B, ...) so that each
round times every command under the same conditions, and each command's time is compared with the
first command's time of the same round. On a shared machine whose speed drifts from one second to
the next, the median of these per-round ratios holds where a ratio of two medians taken minutes
apart does not.

Usage: bench-pairs.py [--runs N] [--warmup N] NAME=COMMAND [NAME=COMMAND ...]
A COMMAND is split as a shell splits words and run without a shell, its output thrown away. A
COMMAND may start with "PREPARE ;; " : PREPARE then runs (through sh) before each of its runs,
untimed. Prints a Markdown table: median and minimum wall time, the median of the per-round ratios
to the first command with the middle half of them."""
import os
import shlex
import signal
import statistics
import subprocess
import sys
import time


def parse(argv):
    runs, warmup, commands = 100, 5, []
    i = 0
    while i < len(argv):
        if argv[i] in ("--runs", "--warmup") and i + 1 < len(argv):
            value = int(argv[i + 1])
            if argv[i] == "--runs":
                runs = value
            else:
                warmup = value
            i += 2
            continue
        name, sep, command = argv[i].partition("=")
        if not sep or not command:
            sys.exit(f"bench-pairs: expected NAME=COMMAND, got {argv[i]!r}")
        prepare, sep, command = command.partition(" ;; ")
        if not sep:
            prepare, command = "", prepare
        commands.append((name, prepare, shlex.split(command)))
        i += 1
    if len(commands) < 1 or runs < 1:
        sys.exit(__doc__)
    return runs, warmup, commands


def run_once(prepare, argv, null):
    if prepare:
        subprocess.run(["sh", "-c", prepare], check=True, stdout=null, stderr=null)
    start = time.perf_counter_ns()
    # Python ignores SIGPIPE and SIGXFSZ, and a child would inherit that: it gets the defaults
    # a shell gives it (a program may take another path when they are ignored).
    pid = os.posix_spawnp(argv[0], argv, os.environ, setsigdef=(signal.SIGPIPE, signal.SIGXFSZ), file_actions=[
        (os.POSIX_SPAWN_DUP2, null.fileno(), 1), (os.POSIX_SPAWN_DUP2, null.fileno(), 2)])
    _, status = os.waitpid(pid, 0)
    elapsed = time.perf_counter_ns() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"bench-pairs: {shlex.join(argv)} failed (exit {os.waitstatus_to_exitcode(status)})")
    return elapsed / 1e6  # ms


def quartiles(values):
    q = statistics.quantiles(values, n=4) if len(values) > 1 else [values[0]] * 3
    return q[0], q[1], q[2]


def main():
    runs, warmup, commands = parse(sys.argv[1:])
    count = len(commands)
    times = [[] for _ in commands]
    with open(os.devnull, "wb") as null:
        for _ in range(warmup):
            for _, prepare, argv in commands:
                run_once(prepare, argv, null)
        for round_ in range(runs):
            for k in range(count):
                index = (round_ + k) % count
                _, prepare, argv = commands[index]
                times[index].append(run_once(prepare, argv, null))
    print("| command | median | min | median of the per-round ratios to the first (middle half) |")
    print("|---|---|---|---|")
    for index, (name, _, _) in enumerate(commands):
        ratios = [t / b for t, b in zip(times[index], times[0])]
        low, mid, high = quartiles(ratios)
        print(f"| {name} | {statistics.median(times[index]):.2f} ms | {min(times[index]):.2f} ms | "
              f"{mid:.2f}x ({low:.2f}–{high:.2f}) |")


if __name__ == "__main__":
    main()
