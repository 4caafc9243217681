#!/usr/bin/env python3
"""Starts the real game with one broken picture file in its data folder.

For each picture the game loads at start-up, a copy of data/ is made in a
temporary working directory, that one file is broken in the chosen way and
the game is started there on the offscreen platform. The game must end at
once with a non-zero status (not by a signal), print exactly one line on
stderr naming the broken file and a reason, and no sanitizer report.

    bad_data_test.py BINARY DATA_DIR FAULT
FAULT is one of: missing, empty, truncated, text, huge, no-data-folder.
"""

import concurrent.futures
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time

from e2e_support import check, finish, game_environment, private_runtime_dir, remove_tree, sanitizer_lines, TestFailure

PICTURES = ([f"kuva{n}.bmp" for n in range(1, 9)] + [f"kuva{n}_blur.bmp" for n in range(1, 9)] +
            ["kahva1.bmp", "kahva2.bmp"])

TIMEOUT = 5.0          # seconds; the game should be done well within one
EXPECTED_WITHIN = 1.0  # reported when exceeded
PARALLEL_RUNS = 4      # the PROCESSORS that CMakeLists.txt gives each of these tests

ERROR_LINE = re.compile(r'^vilkora: run-time error: cannot load picture "(?P<file>[^"]+)": (?P<reason>\S.*)$')


def break_missing(path):
    os.remove(path)


def break_empty(path):
    open(path, "wb").close()


def break_truncated(path):
    with open(path, "rb") as f:
        head = f.read(100)
    with open(path, "wb") as f:
        f.write(head)


def break_text(path):
    with open(path, "w") as f:
        f.write("This is not a picture.\nJust a few lines of text\nwhere a bitmap should be.\n")


def break_huge(path):
    # The real file with the width and height of its BITMAPINFOHEADER claiming 100000 pixels each.
    with open(path, "r+b") as f:
        f.seek(18)
        f.write(struct.pack("<ii", 100000, 100000))


# The fault, how to make it, and what the reason must say (None: any reason).
FAULTS = {
    "missing": (break_missing, re.compile(r"not found|missing|no such", re.I)),
    "empty": (break_empty, re.compile(r"empty", re.I)),
    "truncated": (break_truncated, re.compile(r"truncated|too short|incomplete", re.I)),
    "text": (break_text, re.compile(r"not a bitmap|not a BMP", re.I)),
    "huge": (break_huge, None),
}


def run_game(binary, workdir, runtime_dir):
    env = game_environment(runtime_dir, QT_QPA_PLATFORM="offscreen")
    started = time.monotonic()
    try:
        result = subprocess.run([binary], cwd=workdir, env=env, stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, errors="replace", timeout=TIMEOUT)
    except subprocess.TimeoutExpired as timeout:
        raise TestFailure(f"still running after {TIMEOUT:.0f} s (stderr: {timeout.stderr!r})")
    return result, time.monotonic() - started


def check_error_report(result, expected_file, reason_pattern):
    stderr = result.stderr
    check(not sanitizer_lines(stderr), f"sanitizer report:\n{stderr}")
    check(result.returncode >= 0, f"killed by signal {-result.returncode}")
    check(result.returncode != 0, "exit status 0, expected a non-zero status")
    check(result.returncode < 128, f"exit status {result.returncode}: ended by a signal")
    lines = stderr.splitlines()
    check(len(lines) == 1, f"expected exactly one line on stderr, got {len(lines)}:\n{stderr}")
    match = ERROR_LINE.match(lines[0])
    check(match, f"stderr is not a picture load error: {lines[0]!r}")
    if expected_file is not None:
        check(match["file"] == expected_file, f"the error names {match['file']!r}, not {expected_file!r}")
    check(reason_pattern is None or reason_pattern.search(match["reason"]),
          f"unexpected reason for this fault: {match['reason']!r}")
    return lines[0]


def one_broken_file(binary, data_dir, scratch, fault, picture):
    workdir = tempfile.mkdtemp(prefix=f"{picture}-", dir=scratch)
    shutil.copytree(data_dir, os.path.join(workdir, "data"))
    make_fault, reason_pattern = FAULTS[fault]
    make_fault(os.path.join(workdir, "data", picture))
    result, seconds = run_game(binary, workdir, private_runtime_dir(scratch))
    line = check_error_report(result, f"data/{picture}", reason_pattern)
    remove_tree(workdir)
    return line, seconds


def no_data_folder(binary, scratch):
    workdir = tempfile.mkdtemp(prefix="no-data-", dir=scratch)
    result, seconds = run_game(binary, workdir, private_runtime_dir(scratch))
    line = check_error_report(result, None, FAULTS["missing"][1])
    check(ERROR_LINE.match(line)["file"].startswith("data/"), f"the error does not name a data file: {line!r}")
    return line, seconds


def main():
    if len(sys.argv) != 4 or sys.argv[3] not in list(FAULTS) + ["no-data-folder"]:
        print(__doc__, file=sys.stderr)
        return 2
    binary, data_dir, fault = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3]
    missing = [p for p in PICTURES if not os.path.isfile(os.path.join(data_dir, p))]
    if missing:
        print(f"the data folder {data_dir} lacks {', '.join(missing)}", file=sys.stderr)
        return 1

    scratch = tempfile.mkdtemp(prefix=f"vilkora-bad-data-{fault}-")
    failures, times = [], []
    try:
        if fault == "no-data-folder":
            cases = {"(no data folder)": lambda: no_data_folder(binary, scratch)}
        else:
            cases = {p: (lambda p=p: one_broken_file(binary, data_dir, scratch, fault, p)) for p in PICTURES}
        with concurrent.futures.ThreadPoolExecutor(max_workers=PARALLEL_RUNS) as pool:
            futures = {name: pool.submit(case) for name, case in cases.items()}
            for name, future in futures.items():
                try:
                    line, seconds = future.result()
                    times.append(seconds)
                    slow = f"  (slower than {EXPECTED_WITHIN:.0f} s)" if seconds > EXPECTED_WITHIN else ""
                    print(f"ok   {fault:<9} {name:<17} {seconds:5.2f} s  {line}{slow}")
                except TestFailure as failure:
                    failures.append(f"{fault} {name}: {failure}")
    finally:
        remove_tree(scratch)
    if times:
        print(f"{fault}: {len(times)} runs, slowest {max(times):.2f} s, mean {sum(times) / len(times):.2f} s")
    return finish(failures, len(times), fault)


if __name__ == "__main__":
    sys.exit(main())
