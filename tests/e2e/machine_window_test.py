#!/usr/bin/env python3
"""Plays the real game in a real X window on a private Xvfb display.

Every action is a real pointer event (xdotool) and every check compares
screenshots (ImageMagick's import and compare): the bet buttons, a pull of
the lever with the spin to its end (blurred reels while they turn, sharp ones in
the strip's order once they stand), a second round, the round trip through
Help, and the end of the program when the help window is closed by its
close box. Screenshots of each step are kept in OUTPUT_DIR.

    machine_window_test.py BINARY SOURCE_DIR OUTPUT_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_support import check, game_environment, private_runtime_dir, sanitizer_lines, TestFailure
import x11_close
from reel_cells import ReelReader, follows_the_strip

CLIENT_W, CLIENT_H = 595, 603
HELP_W, HELP_H = 469, 516

# Places in the machine window's client area: (x, y, width, height).
MONEY = (240, 16, 97, 29)
BET = (278, 104, 25, 23)
BET_MAX = (224, 480, 49, 41)
BET_ONE = (312, 480, 41, 41)
LEVER = (544, 161, 47, 373)
REELS = (179, 281, 224, 177)       # all nine cells, from the top row's top to the bottom row's bottom
CLOSE_WINDOW = (168, 480, 137, 25)  # in the help window's client area

SPIN_SECONDS = 9.0  # how long the reels turn, near enough
STEP_TIMEOUT = 5.0  # for a window or a change that should come at once
# A spin ends in ~9.3 s; a win at bet 1 is paid for up to 10 s more.
ROUND_TIMEOUT = 25.0


def run(*command, timeout=10, check_status=True):
    result = subprocess.run(command, capture_output=True, text=True, timeout=timeout)
    if check_status and result.returncode != 0:
        raise TestFailure(f"{' '.join(command)} failed ({result.returncode}): {result.stderr.strip()}")
    return result


def wait_for(what, condition, timeout, interval=0.05):
    """Polls condition() until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)


def centre(area):
    x, y, w, h = area
    return x + w // 2, y + h // 2


class Display:
    """A private Xvfb server on a free display number."""

    def __init__(self, log_path):
        read_end, write_end = os.pipe()
        with open(log_path, "w") as log:
            self.server = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        os.close(write_end)
        # Xvfb writes the number of the display it took once it is ready for clients.
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            self.server.kill()
            self.server.wait()
            with open(log_path, errors="replace") as log:
                raise TestFailure(f"Xvfb did not start: {log.read()}")
        self.name = f":{number.decode()}"

    def stop(self):
        self.server.terminate()
        try:
            self.server.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.server.kill()
            self.server.wait()


class Session:
    def __init__(self, binary, source_dir, output_dir):
        self.binary, self.source_dir, self.output_dir = binary, source_dir, output_dir
        self.shots = 0
        self.display = Display(os.path.join(output_dir, "xvfb.log"))
        os.environ["DISPLAY"] = self.display.name  # for xdotool, import and the game
        self.runtime_dir = private_runtime_dir()
        self.stderr_path = os.path.join(output_dir, "vilkora.stderr")
        self.scratch = tempfile.mkdtemp(prefix="vilkora-e2e-")
        self.scratch_shots = 0
        self.game = None

    def start_game(self):
        env = game_environment(self.runtime_dir, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb")
        with open(self.stderr_path, "w") as stderr:
            self.game = subprocess.Popen([self.binary], cwd=self.source_dir, env=env, stdin=subprocess.DEVNULL,
                                         stdout=subprocess.DEVNULL, stderr=stderr)

    def close(self):
        if self.game and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        self.display.stop()
        shutil.rmtree(self.runtime_dir, ignore_errors=True)
        shutil.rmtree(self.scratch, ignore_errors=True)

    # Windows.

    def find_window(self, caption):
        """The id of the one visible window with exactly this caption, or None."""
        result = run("xdotool", "search", "--onlyvisible", "--name", f"^{caption}$", check_status=False)
        ids = result.stdout.split()
        check(len(ids) <= 1, f"{len(ids)} visible windows named {caption!r}")
        return ids[0] if ids else None

    def wait_for_window(self, caption, timeout=STEP_TIMEOUT):
        def present():
            self.check_game_running()
            return self.find_window(caption)
        return wait_for(f"the window {caption!r}", present, timeout)

    def client_origin(self, window, width, height):
        """The screen position of the window's client area, below its menu bar if it has one."""
        values = dict(line.split("=", 1) for line in
                      run("xdotool", "getwindowgeometry", "--shell", window).stdout.split())
        x, y, w, h = (int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        check(w == width and h >= height, f"window {window} is {w} x {h}, expected {width} x {height} or taller")
        return x, y + h - height, h - height

    def check_game_running(self):
        if self.game.poll() is not None:
            raise TestFailure(f"the game ended with status {self.game.returncode}")

    # Pointer.

    def click(self, origin, point):
        x, y = origin[0] + point[0], origin[1] + point[1]
        run("xdotool", "mousemove", str(x), str(y), "click", "1")

    # Screenshots.

    def shot_path(self, label):
        self.shots += 1
        return os.path.join(self.output_dir, f"{self.shots:02d}-{label}.png")

    def capture(self, label=None):
        """A screenshot of the whole screen; kept under its label, otherwise a scratch file."""
        path = self.shot_path(label) if label else self.scratch_path()
        run("import", "-window", "root", path)
        return path

    def scratch_path(self):
        self.scratch_shots += 1
        return os.path.join(self.scratch, f"{self.scratch_shots}.png")

    def capture_async(self):
        path = self.scratch_path()
        return path, subprocess.Popen(["import", "-window", "root", path],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def keep_client(self, shot, origin, size, label):
        """Saves the client area of a screenshot for a person to look at."""
        path = self.shot_path(label)
        run("convert", shot, "-crop", f"{size[0]}x{size[1]}+{origin[0]}+{origin[1]}", "+repage", path)
        return path

    @staticmethod
    def differing_pixels(shot_a, origin_a, shot_b, origin_b, area):
        x, y, w, h = area
        a = f"{shot_a}[{w}x{h}+{origin_a[0] + x}+{origin_a[1] + y}]"
        b = f"{shot_b}[{w}x{h}+{origin_b[0] + x}+{origin_b[1] + y}]"
        result = run("compare", "-metric", "AE", a, b, "null:", check_status=False)
        if result.returncode not in (0, 1):
            raise TestFailure(f"compare failed: {result.stderr.strip()}")
        return int(float(result.stderr.split()[0]))

    def same(self, shot_a, origin_a, shot_b, origin_b, area):
        return self.differing_pixels(shot_a, origin_a, shot_b, origin_b, area) == 0

    def shot_when(self, what, predicate, timeout=STEP_TIMEOUT):
        """Captures until a screenshot satisfies predicate(shot); returns it."""
        def satisfied():
            self.check_game_running()
            shot = self.capture()
            return shot if predicate(shot) else None
        return wait_for(what, satisfied, timeout, interval=0)

    def settled_shot(self, origin, area, timeout):
        """Captures until three captures in a row show the same area; returns the last.

        The gaps between the captures differ (about 0.2 s and 0.5 s), so that turning reels,
        whose eight pictures come round again, cannot pass for standing ones at both gaps.
        """
        shots = []

        def settled():
            self.check_game_running()
            if len(shots) % 2 == 0:
                time.sleep(0.3)
            shots.append(self.capture())
            recent = shots[-3:]
            return len(recent) == 3 and all(self.same(recent[0], origin, s, origin, area) for s in recent[1:]) \
                and recent[-1]
        return wait_for("the window to settle", settled, timeout, interval=0)


def play(session):
    client = (0, 0, CLIENT_W, CLIENT_H)
    started = time.monotonic()

    def step(text):
        print(f"[{time.monotonic() - started:5.1f} s] {text}", flush=True)

    def keep(shot, label):
        session.keep_client(shot, origin, (CLIENT_W, CLIENT_H), label)

    # The machine window comes up with money 100 and bet 1.
    session.start_game()
    machine = session.wait_for_window("Vilkora", timeout=15)
    *origin, menu_height = session.client_origin(machine, CLIENT_W, CLIENT_H)
    check(10 <= menu_height <= 60, f"the menu bar is {menu_height} px high")
    first = session.settled_shot(origin, client, timeout=10)
    keep(first, "start")
    step(f"machine window {machine}: client area at {tuple(origin)}, menu bar {menu_height} px")

    # BET MAX changes the bet display; BET ONE then wraps the bet from 5 back to 1.
    session.click(origin, centre(BET_MAX))
    keep(session.shot_when("the bet display to change after BET MAX",
                           lambda shot: not session.same(first, origin, shot, origin, BET)), "bet-max")
    session.click(origin, centre(BET_ONE))
    keep(session.shot_when("BET ONE to wrap the bet back to the start's",
                           lambda shot: session.same(first, origin, shot, origin, BET)), "bet-one-wraps")
    step("BET MAX changed the bet display, BET ONE wrapped it back")

    # Two rounds: the machine takes the lever again once the first has ended.
    reels = ReelReader(os.path.join(session.source_dir, "data"))
    for round_number in (1, 2):
        at_rest = session.capture()
        pulled = pull_lever(session, origin, at_rest, first, keep, round_number)
        turning = session.shot_when(f"round {round_number}: every reel cell to show a blurred symbol",
                                    lambda shot: all(blurred for _, blurred in reels.read(shot, origin)))
        keep(turning, f"round-{round_number}-turning")
        step(f"round {round_number}: lever down, reels turning blurred, money taken")
        # Turning reels are never compared before the spin is nearly over: their pictures come
        # round again, and a quick spin could pass for a still one.
        time.sleep(max(0.0, pulled + SPIN_SECONDS - 1.0 - time.monotonic()))
        stopped = session.settled_shot(origin, client, timeout=ROUND_TIMEOUT)
        seconds = time.monotonic() - pulled
        keep(stopped, f"round-{round_number}-over")
        check(seconds >= SPIN_SECONDS - 1.0, f"round {round_number} ended after only {seconds:.1f} s")
        check(session.same(first, origin, stopped, origin, LEVER), f"the lever is not up after round {round_number}")
        cells = reels.read(stopped, origin)
        check(not any(blurred for _, blurred in cells), f"round {round_number}: a stopped reel is still blurred: {cells}")
        check(follows_the_strip(cells), f"round {round_number}: the reels do not show the strip's order: {cells}")
        step(f"round {round_number} over after {seconds:.1f} s, lever up, reels sharp: "
             + " ".join(str(symbol) for symbol, _ in cells))

    # Help from the menu bar: the machine window goes away and comes back freshly
    # loaded, the same to the pixel as at the start.
    help_window, help_origin = open_help(session, origin, menu_height, "help")
    step(f"help window {help_window} open")
    machine, origin = close_help(session, help_origin)
    fresh = session.settled_shot(origin, client, timeout=STEP_TIMEOUT)
    keep(fresh, "back-from-help")
    for name, area in (("bet", BET), ("money", MONEY), ("lever", LEVER), ("reels", REELS)):
        check(session.same(first, origin, fresh, origin, area), f"after Help the {name} display differs from the start's")
    differing = Session.differing_pixels(first, origin, fresh, origin, client)
    check(differing == 0, f"after Help the machine window differs from the start's in {differing} pixels")
    step("Close window: the machine is back as at the start, money 100, bet 1")

    # Closing the help window by its close box ends the program.
    help_window, _ = open_help(session, origin, menu_height)
    x11_close.close_window(help_window, session.display.name)
    wait_for("the game to end", lambda: session.game.poll() is not None, 15)
    status = session.game.returncode
    check(status == 0, f"the game ended with status {status} when the help window was closed")
    step("help window closed by its close box: the game ended with status 0")


def pull_lever(session, origin, at_rest, first, keep, round_number):
    """Clicks the lever and checks that it goes down, the reels turn and the money changes."""
    session.click(origin, centre(LEVER))
    pulled = time.monotonic()
    # The lever is down for only about a third of a second: two captures, staggered, at once.
    early = [session.capture_async()]
    time.sleep(0.06)
    early.append(session.capture_async())
    for _, process in early:
        process.wait(timeout=10)
    seen = time.monotonic() - pulled
    lever_down = [path for path, _ in early if not session.same(first, origin, path, origin, LEVER)]
    check(lever_down, f"round {round_number}: the lever did not go down on the pull")
    shot = lever_down[-1]
    keep(shot, f"round-{round_number}-pulled")
    check(not session.same(at_rest, origin, shot, origin, REELS),
          f"round {round_number}: the reels did not move within {seen:.2f} s of the pull")
    check(not session.same(at_rest, origin, shot, origin, MONEY),
          f"round {round_number}: the money display did not change on the pull")
    return pulled


def open_help(session, origin, menu_height, keep_as=None):
    """Clicks Help on the menu bar; returns the help window and its client area's origin."""
    session.click(origin, (20, -menu_height // 2))
    help_window = session.wait_for_window("Vilkora - Help")
    *help_origin, _ = session.client_origin(help_window, HELP_W, HELP_H)
    wait_for("the machine window to go", lambda: session.find_window("Vilkora") is None, STEP_TIMEOUT)
    if keep_as:
        shot = session.settled_shot(help_origin, (0, 0, HELP_W, HELP_H), timeout=STEP_TIMEOUT)
        session.keep_client(shot, help_origin, (HELP_W, HELP_H), keep_as)
    return help_window, help_origin


def close_help(session, help_origin):
    """Clicks Close window; returns the machine window and its client area's origin."""
    session.click(help_origin, centre(CLOSE_WINDOW))
    machine = session.wait_for_window("Vilkora")
    wait_for("the help window to go", lambda: session.find_window("Vilkora - Help") is None, STEP_TIMEOUT)
    *origin, _ = session.client_origin(machine, CLIENT_W, CLIENT_H)
    return machine, origin


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    binary, source_dir, output_dir = (os.path.abspath(a) for a in sys.argv[1:])
    for tool in ("Xvfb", "xdotool", "import", "compare", "convert", "xauth"):
        if not shutil.which(tool):
            print(f"{tool} is not installed (scripts/install-deps.sh installs it)", file=sys.stderr)
            return 1
    shutil.rmtree(output_dir, ignore_errors=True)
    os.makedirs(output_dir)
    session = Session(binary, source_dir, output_dir)
    failure = None
    started = time.monotonic()
    try:
        play(session)
    except (TestFailure, subprocess.TimeoutExpired) as error:
        failure = str(error)
        try:
            session.capture("failure")
        except Exception:  # noqa: BLE001 - a last look at the screen, when there is one
            pass
    finally:
        session.close()
    with open(session.stderr_path, errors="replace") as f:
        stderr = f.read()
    if stderr.strip():
        print(f"the game's stderr:\n{stderr}", end="" if stderr.endswith("\n") else "\n")
    reports = sanitizer_lines(stderr)
    if reports and not failure:
        failure = f"sanitizer report in the game's stderr: {reports[0]}"
    print(f"screenshots in {output_dir}; {time.monotonic() - started:.1f} s in all")
    if failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print("machine window: 1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
