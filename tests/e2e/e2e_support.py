"""Helpers shared by the tests that run the real vilkora binary."""

import os
import re
import shutil
import sys
import tempfile

# What AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer print when they find something.
SANITIZER_REPORT = re.compile(r"ERROR: (Address|Leak|Thread|Memory)Sanitizer|runtime error: |SUMMARY: \w+Sanitizer")


class TestFailure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def game_environment(runtime_dir, **extra):
    """The environment the game runs in: the caller's, with a private runtime directory."""
    env = dict(os.environ)
    env["XDG_RUNTIME_DIR"] = runtime_dir
    env.update(extra)
    return env


def private_runtime_dir(parent=None):
    path = tempfile.mkdtemp(prefix="vilkora-runtime-", dir=parent)
    os.chmod(path, 0o700)
    return path


def sanitizer_lines(text):
    return [line for line in text.splitlines() if SANITIZER_REPORT.search(line)]


def remove_tree(path):
    shutil.rmtree(path, ignore_errors=True)


def finish(failures, passed, what):
    """Prints the closing line and returns the process exit status."""
    for failure in failures:
        print(f"FAIL: {failure}", file=sys.stderr)
    print(f"{what}: {passed} passed, {len(failures)} failed")
    return 1 if failures else 0
