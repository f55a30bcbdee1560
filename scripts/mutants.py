#!/usr/bin/env python3
"""Seeded source mutants: how many small faults in the code do the tests catch?

Each mutant is one small change to one line of rom/, names/, editors/, cli/ or tools/ (--dirs
app,widgets mutates the window's side): a comparison flipped, && <-> ||, + <-> -, true <-> false or
an integer constant off by one. Comments, strings, character literals and preprocessor lines are
never touched. The candidates are listed in a fixed order and shuffled with the seed, so one seed
names the same mutants as long as the code is the same (a mutant is found again by its line's text
if lines moved).

For each mutant, in the given worktree (its own build folder, configured like every Debug build):
apply it, build the test programs (a mutant that does not compile, or is in no test program, is
discarded), run each test program the build relinked (one it did not relink cannot hold the mutant)
with --gtest_fail_fast under a timeout, record killed or survived, put the line back. A failure
counts only if the test also fails run alone, as ctest runs it (a test that fails only after others
ran does not kill), and --known KILLS runs a mutant's killers found before first. It stops after
--count mutants that compiled. Results go to a tab-separated file, one mutant a line; a run that was
stopped continues where it ended when started again with the same file.

    nice -n 15 scripts/mutants.py --worktree /work/wt/mutants --seed 11 --count 50 \\
        --results /tmp/mutants-before.tsv
    scripts/mutants.py --summary /tmp/mutants-before.tsv
    scripts/mutants.py --lines          # lines of tests/ against lines of the code

To measure other tests against the same mutants, check their tests/ (and CMakeLists.txt) out into
the worktree and run again with a new results file and --same-as the first one. --same-as takes the
mutants by their text, not by their place in the shuffled order, so it still finds them after the
code moved; give it several files as LABEL=RESULTS to keep their numbers apart (LABEL.N).

With --every-test, each test program runs all its tests (no fail-fast) and a mutant's line lists
every test that kills it; a failure seen in the whole run counts only if the test also fails when
run alone, as ctest runs it (a test that crashes or hangs counts, and the rest run on without it).
--sole then says which tests are the only killer of a mutant: the ones not to cut.

    nice -n 15 scripts/mutants.py --worktree /work/wt/mutants --every-test \\
        --same-as s12=/tmp/mutants-before.tsv --results /tmp/kills.tsv
    scripts/mutants.py --sole /tmp/kills.tsv
"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time

MUTATED_DIRS = ["rom", "names", "editors", "cli", "tools"]
CODE_DIRS = ["rom", "names", "app", "editors", "widgets", "tools", "cli", "fuzz", "bench"]
TEST_PROGRAMS = ["test_core", "test_gui"]
# What else each test program runs or loads from the build folder: a mutant there counts as its.
RUNS = {"test_core": ["dravik"], "test_gui": ["dravik-editor", "libdravik_charts.so"]}

# Binary operators are only matched with a space on each side (clang-format writes them so), which
# keeps template brackets, ->, <<, ++ and unary minus out.
SWAPS = [
    (" == ", " != "),
    (" != ", " == "),
    (" < ", " <= "),
    (" <= ", " < "),
    (" > ", " >= "),
    (" >= ", " > "),
    (" && ", " || "),
    (" || ", " && "),
    (" + ", " - "),
    (" - ", " + "),
]
WORDS = [("true", "false"), ("false", "true")]
INTEGER = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")


def source_files(root, dirs):
    files = []
    for d in dirs:
        for base, _, names in os.walk(os.path.join(root, d)):
            for name in names:
                if name.endswith((".cpp", ".h")):
                    files.append(os.path.relpath(os.path.join(base, name), root))
    return sorted(files)


def code_mask(lines):
    """For each line, a copy with comments, strings and character literals blanked to spaces."""
    masked = []
    in_block = False
    for line in lines:
        out = []
        i = 0
        n = len(line)
        while i < n:
            if in_block:
                end = line.find("*/", i)
                if end < 0:
                    out.append(" " * (n - i))
                    i = n
                else:
                    out.append(" " * (end + 2 - i))
                    i = end + 2
                    in_block = False
                continue
            c = line[i]
            if line.startswith("//", i):
                out.append(" " * (n - i))
                break
            if line.startswith("/*", i):
                in_block = True
                out.append("  ")
                i += 2
                continue
            if line.startswith('R"', i):
                m = re.match(r'R"([^(]*)\(', line[i:])
                if m:
                    end = line.find(")" + m.group(1) + '"', i)
                    stop = n if end < 0 else end + len(m.group(1)) + 2
                    out.append(" " * (stop - i))
                    i = stop
                    continue
            if c in "\"'" and not (c == "'" and i > 0 and line[i - 1].isalnum()):
                j = i + 1
                while j < n and line[j] != c:
                    j += 2 if line[j] == "\\" else 1
                stop = min(j + 1, n)
                out.append(" " * (stop - i))
                i = stop
                continue
            out.append(c)
            i += 1
        masked.append("".join(out))
    return masked


def candidates(root, dirs):
    result = []
    for path in source_files(root, dirs):
        with open(os.path.join(root, path), encoding="utf-8") as f:
            lines = f.read().split("\n")
        for number, (line, code) in enumerate(zip(lines, code_mask(lines)), 1):
            if code.lstrip().startswith("#") or not code.strip():
                continue
            found = []
            for old, new in SWAPS:
                start = code.find(old)
                while start >= 0:
                    found.append((start, old, new))
                    start = code.find(old, start + 1)
            for old, new in WORDS:
                for m in re.finditer(r"\b%s\b" % old, code):
                    found.append((m.start(), old, new))
            for m in INTEGER.finditer(code):
                found.append((m.start(), m.group(1), str(int(m.group(1)) + 1)))
            for column, old, new in sorted(found):
                mutated = line[:column] + new + line[column + len(old):]
                result.append((path, number, line, mutated))
    return result


def apply(root, mutant):
    path, number, original, mutated = mutant
    full = os.path.join(root, path)
    with open(full, encoding="utf-8") as f:
        lines = f.read().split("\n")
    # The line where it was, else the nearest line with the same text.
    index = number - 1
    if index >= len(lines) or lines[index] != original:
        matches = [i for i, l in enumerate(lines) if l == original]
        if not matches:
            return None
        index = min(matches, key=lambda i: abs(i - (number - 1)))
    text = "\n".join(lines)
    lines[index] = mutated
    with open(full, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return text


def run(command, cwd, timeout):
    """The exit status ("timeout" if it ran too long) and the first test that failed, if any."""
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              timeout=timeout, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                              start_new_session=True)
        failed = re.search(rb"^\[  FAILED  \] (\S+)", done.stdout, re.M)
        return done.returncode, failed.group(1).decode() if failed else ""
    except subprocess.TimeoutExpired:
        return "timeout", ""


def run_filtered(program, build, timeout, pattern, fail_fast=False):
    """The exit status ("timeout" if it ran too long) and the output of the tests pattern selects."""
    command = [program, "--gtest_filter=" + pattern] + (["--gtest_fail_fast"] if fail_fast else [])
    child = subprocess.Popen(command, cwd=build, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             env=dict(os.environ, QT_QPA_PLATFORM="offscreen"), start_new_session=True)
    try:
        out, _ = child.communicate(timeout=timeout)
        status = child.returncode
    except subprocess.TimeoutExpired:
        status = "timeout"
    try:
        os.killpg(child.pid, signal.SIGKILL)  # with whatever the tests started
    except ProcessLookupError:
        pass
    if status == "timeout":
        out, _ = child.communicate()
    return status, out


def finished_tests(out):
    """The tests the output shows finished, each with whether it failed, and the test it stopped in."""
    finished = []
    current = None
    for line in out.decode(errors="replace").split("\n"):
        if line.startswith("[ RUN      ] "):
            current = line[13:].strip()
        elif current and line[13:].startswith(current) and line.startswith(("[       OK ] ", "[  FAILED  ] ")):
            finished.append((current, line.startswith("[  FAILED  ]")))
            current = None
        elif current and line.startswith("[  SKIPPED ] "):
            current = None  # skipped, or not run after a fail-fast stop: it runs again if needed
    return finished, current


def killing_tests(program, build, timeout, first=None, first_only=False):
    """Tests of one program that fail when run alone (with first_only, only the first found). The
    tests named in first (known killers of this mutant) run before the others."""
    name = os.path.basename(program)
    done, killers, suspects = [], [], 0
    patterns = ([":".join(first)] if first else []) + ["*"]
    for pattern in patterns:
        while True:
            excluded = ":".join(done)
            status, out = run_filtered(program, build, timeout,
                                       pattern + ("-" + excluded if excluded else ""), first_only)
            finished, stopped = finished_tests(out)
            done += [test for test, _ in finished]
            failed = [test for test, bad in finished if bad]
            if stopped is not None:  # it crashed or hung: run the rest without it
                done.append(stopped)
                failed.append(stopped)
            suspects += len(failed)
            for test in failed:
                if run_filtered(program, build, timeout, test)[0] != 0:
                    killers.append("%s:%s" % (name, test))
                    if first_only:
                        return killers
            if not failed:
                break
        if pattern == "*" and status != 0 and not suspects:
            killers.append("%s:exit-%s" % (name, status))  # before the first test or after the last
    return killers


def built_at(build):
    def at(name):
        path = os.path.join(build, name)
        return os.path.getmtime(path) if os.path.exists(path) else None
    return {p: [at(f) for f in [p] + RUNS.get(p, [])] for p in TEST_PROGRAMS}


def objects_of(build, path):
    """The mtimes of the object files built from source path (none for a header)."""
    wanted = os.path.join(build, path) + ".o"
    found = {}
    for base, _, names in os.walk(build):
        for name in names:
            full = os.path.join(base, name)
            if name != os.path.basename(wanted):
                continue
            # CMake's object path without "CMakeFiles/TARGET.dir/"; a source from another folder
            # than its target's sits under "__" for each step up.
            plain = re.sub(r"/CMakeFiles/[^/]+\.dir/", "/", full).split("/")
            if os.path.normpath("/".join(".." if p == "__" else p for p in plain)) == wanted:
                found[full] = os.path.getmtime(full)
    return found


def test_mutant(root, build, timeout, path, every_test=False, known=()):
    before, objects = built_at(build), objects_of(build, path)
    if run(["cmake", "--build", build, "-j2", "--target"] + TEST_PROGRAMS, root, 1800)[0] != 0:
        return "uncompiled", ""
    if path.endswith(".cpp") and objects_of(build, path) == objects:
        return "unused", ""  # in a program no test runs (a tool): discarded like one not compiling
    after = built_at(build)
    relinked = [p for p in TEST_PROGRAMS if after[p] != before[p]]
    if every_test:
        killers = []
        for program in relinked:
            killers += killing_tests(os.path.join(build, program), build, timeout)
        return ("killed" if killers else "survived"), " ".join(killers)
    # Known killers first; code only the window's side uses meets its tests sooner in the GUI
    # program. A failure counts only if the test fails alone too.
    gui = path.startswith("editors/") or os.path.basename(path).startswith("C")
    programs = reversed(relinked) if gui else relinked
    programs = sorted(programs, key=lambda p: not any(k.startswith(p + ":") for k in known))
    for program in programs:
        first = [k.split(":", 1)[1] for k in known if k.startswith(program + ":") and "exit-" not in k]
        killers = killing_tests(os.path.join(build, program), build, timeout, first, True)
        if killers:
            return "killed", killers[0]
    return "survived", ""


STATUSES = ("killed", "survived", "uncompiled", "unused", "missing")


def read_results(path):
    rows = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                fields = line.rstrip("\n").split("\t")
                if len(fields) >= 8 and fields[1] in STATUSES:
                    rows[fields[0]] = fields
    return rows


def mutant_order(key):
    label, _, number = key.rpartition(".")
    return (label, int(number) if number.isdigit() else 0)


def summary(path):
    rows = read_results(path)
    compiled = [r for r in rows.values() if r[1] in ("killed", "survived")]
    killed = [r for r in compiled if r[1] == "killed"]
    print("%d compiled, %d killed, %d survived: kill rate %.1f %%"
          % (len(compiled), len(killed), len(compiled) - len(killed),
             100.0 * len(killed) / max(1, len(compiled))))
    for r in sorted(rows.values(), key=lambda r: mutant_order(r[0])):
        if r[1] == "survived":
            print("survived #%s %s:%s\n  - %s\n  + %s" % (r[0], r[3], r[4], r[5].strip(), r[6].strip()))


def sole_killers(path):
    """For each test that alone kills some mutant, those mutants; then the mutants two tests kill."""
    rows = [r for r in read_results(path).values() if r[1] == "killed"]
    rows.sort(key=lambda r: mutant_order(r[0]))
    by_test = {}
    pairs = []
    for r in rows:
        killers = r[2].split()
        if len(killers) == 1:
            by_test.setdefault(killers[0], []).append(r)
        elif len(killers) == 2:
            pairs.append(r)

    def mutant(r):
        return "  #%s %s:%s\n    - %s\n    + %s" % (r[0], r[3], r[4], r[5].strip(), r[6].strip())

    print("%d killed mutants; %d killed by one test only, %d by exactly two"
          % (len(rows), sum(len(v) for v in by_test.values()), len(pairs)))
    print("\nThe only test that kills a mutant (do not cut it without a replacement):")
    for test in sorted(by_test):
        print(test)
        for r in by_test[test]:
            print(mutant(r))
    print("\nKilled by exactly two tests (do not cut both):")
    for r in pairs:
        print(" and ".join(r[2].split()))
        print(mutant(r))


def count_lines(root):
    def total(files):
        n = 0
        for path in files:
            with open(os.path.join(root, path), encoding="utf-8") as f:
                n += sum(1 for _ in f)
        return n

    tests = total(source_files(root, ["tests"]))
    code = total(source_files(root, CODE_DIRS))
    print("tests %d lines, code %d lines (%s): %.2f" % (tests, code, " ".join(CODE_DIRS), tests / code))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--worktree", default=".")
    parser.add_argument("--build", help="build folder (default: WORKTREE/build)")
    parser.add_argument("--seed", type=int, default=11)
    parser.add_argument("--count", type=int, default=50, help="mutants that compile")
    parser.add_argument("--timeout", type=int, default=600, help="seconds per test program")
    parser.add_argument("--results", default="mutants.tsv")
    parser.add_argument("--same-as", metavar="[LABEL=]RESULTS", action="append",
                        help="run exactly the mutants that compiled in RESULTS (repeatable)")
    parser.add_argument("--every-test", action="store_true", help="record every test that kills a mutant")
    parser.add_argument("--sole", metavar="RESULTS", help="tests that are the only killer of a mutant")
    parser.add_argument("--known", metavar="RESULTS", action="append", default=[],
                        help="an --every-test file: try each mutant's killers there first (repeatable)")
    parser.add_argument("--list", action="store_true", help="only print the chosen candidates")
    parser.add_argument("--summary", metavar="RESULTS")
    parser.add_argument("--lines", action="store_true")
    parser.add_argument("--dirs", default=",".join(MUTATED_DIRS),
                        help="folders to mutate, comma-separated (default: %(default)s)")
    args = parser.parse_args()
    root = os.path.abspath(args.worktree)
    if args.summary:
        summary(args.summary)
        return 0
    if args.sole:
        sole_killers(args.sole)
        return 0
    if args.lines:
        count_lines(root)
        return 0
    build = os.path.abspath(args.build or os.path.join(root, "build"))
    if args.same_as:
        # The mutants themselves, found again by their text wherever the code moved.
        order = []
        for given in args.same_as:
            label, _, path = given.rpartition("=")
            rows = read_results(path).values()
            for r in sorted(rows, key=lambda r: mutant_order(r[0])):
                if r[1] in ("killed", "survived"):
                    key = "%s.%s" % (label, r[0]) if label else r[0]
                    order.append((key, (r[3], int(r[4]), r[5], r[6])))
        args.count = len(order)
    else:
        order = list(enumerate(candidates(root, args.dirs.split(","))))
        random.Random(args.seed).shuffle(order)
        order = [(str(i), mutant) for i, (_, mutant) in enumerate(order)]
    if args.list:
        for key, (path, number, original, mutated) in order[: args.count]:
            print("%s %s:%d\n  - %s\n  + %s" % (key, path, number, original.strip(), mutated.strip()))
        return 0
    known = {}
    for path in args.known:
        for r in read_results(path).values():
            known[(r[3], r[5], r[6])] = r[2].split()
    done = read_results(args.results)
    compiled = sum(1 for r in done.values() if r[1] in ("killed", "survived"))
    with open(args.results, "a", encoding="utf-8") as out:
        for key, mutant in order:
            if compiled >= args.count:
                break
            if key in done:
                continue
            started = time.time()
            text = apply(root, mutant)
            if text is None:
                status, detail = "missing", ""
            else:
                try:
                    status, detail = test_mutant(root, build, args.timeout, mutant[0], args.every_test,
                                                 known.get((mutant[0], mutant[2], mutant[3]), ()))
                finally:
                    with open(os.path.join(root, mutant[0]), "w", encoding="utf-8") as f:
                        f.write(text)
            if status in ("killed", "survived"):
                compiled += 1
            path, number, original, mutated = mutant
            out.write("%s\t%s\t%s\t%s\t%d\t%s\t%s\t%.0f\n"
                      % (key, status, detail, path, number, original, mutated, time.time() - started))
            out.flush()
            print("#%s %s %s:%d (%d/%d) %.0f s" % (key, status, path, number, compiled, args.count,
                                                  time.time() - started), flush=True)
    summary(args.results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
