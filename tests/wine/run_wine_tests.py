#!/usr/bin/env python3
"""The Windows build under Wine, on a private X server with a window manager
and a tray: first its unit tests (ctest, label "windows"; some of them open
windows and boxes), then the panel, the daemon and the launcher driven as a
user would with xdotool and checked by what the X server shows and by the
files our start recorder writes. Each scenario prints one line, "passed" or
"FAILED" with what was seen; where Wine itself behaves otherwise than
Windows, a line "wine differs:" names it. The last line counts the unit
tests and the scenarios: "wine: P passed, F failed"; the exit status is
the number of failures (at most 100).

  run_wine_tests.py --build BUILD/project --cesim CESIM --examples examples
                    --work FOLDER --prefix WINEPREFIX [--no-unit-tests] [SCENARIO...]"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_session import (SCREEN_HEIGHT, SCREEN_WIDTH, Wine, XSession, crop, difference, read_png,  # noqa: E402
                          wait_until, windows_path, write_ppm)

# The example's first page: its rectangle with the border.
PAGE = (16, 12, 240, 200)
# The "Notizen" button of that page, and a spot on the page off every button.
NOTES_BUTTON = (8 + 35, 132 + 12)
PLAIN_SPOT = (120, 90)
ABOUT_START = " - Vessarine 1.6.1 - "
F9 = 0x78


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def utf16_file(path, lines):
    with open(path, "wb") as out:
        out.write(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


def started_lines(recorder):
    """The starts a copy of the start recorder noted: (show state, folder, arguments)."""
    try:
        with open(recorder + ".started", encoding="utf-8") as notes:
            lines = notes.read().splitlines()
    except FileNotFoundError:
        return []
    starts = []
    for line in lines:
        fields = line.split("\t")
        starts.append((fields[0].removeprefix("show="), fields[1].removeprefix("cwd="), fields[2:]))
    return starts


class Tests:
    def __init__(self, options, x, wine):
        self.options = options
        self.x = x
        self.wine = wine
        self.work = options.work
        self.notes = []  # where Wine differs from Windows, said once at the end
        self.figures = {}

    def program(self, name):
        path = os.path.join(self.options.build, "programs", name)
        check(os.path.isfile(path), f"{name} was not built ({path})")
        return path

    def test_program(self, name):
        path = os.path.join(self.options.build, "tests", "wine", name)
        check(os.path.isfile(path), f"{name} was not built ({path})")
        return path

    def fresh_root(self, name):
        root = os.path.join(self.work, name)
        shutil.rmtree(root, ignore_errors=True)
        os.makedirs(os.path.join(root, "Windows"))
        return root

    def recorder_at(self, root, device_path):
        """A copy of the start recorder at a device path below root."""
        host = os.path.join(root, *device_path.strip("\\").split("\\"))
        os.makedirs(os.path.dirname(host), exist_ok=True)
        shutil.copy(self.test_program("start_recorder.exe"), host)
        return host

    def ended(self, process, timeout):
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self, process):
        if process.poll() is None:
            process.kill()
            process.wait()
        # Whatever the program started or left open goes with a fresh server.
        self.wine.start_server()

    def window_facts(self, title):
        """What Windows knows of the window with this title (window_reader), or {}."""
        result = self.wine.run(self.test_program("window_reader.exe"), title)
        if result.returncode != 0:
            return {}
        facts = {"text": []}
        for line in result.stdout.decode("utf-8", "replace").splitlines():
            key, _, value = line.partition("=")
            if key == "text":
                facts["text"].append(value.replace("\\n", "\n"))
            else:
                facts[key] = value
        return facts

    def click(self, x, y, count=1):
        self.x.xdotool("mousemove", str(x), str(y), "click", "--repeat", str(count), "--delay", "60", "1")

    def tap_until(self, x, y, answered, count=1, timeout=2.0):
        """Taps until answered() holds: a page ignores taps while it flies in."""
        for _ in range(3):
            self.click(x, y, count)
            value = wait_until(answered, timeout)
            if value:
                return value
        return None

    # The example's first page alone (its pictures are fixed: no clock, no
    # gauges), with the start recorder as the program of its "Notizen" button.
    def example_page_root(self, name):
        root = self.fresh_root(name)
        for file in ("main.ini", "details.ini", "background.bmp"):
            shutil.copy(os.path.join(self.options.examples, file), root)
        utf16_file(os.path.join(root, "VessarineSettings.ini"), ["main.ini"])
        return root

    def simulated_page(self, root):
        shot = os.path.join(root, "simulated.png")
        subprocess.run([self.options.cesim, "vessarine", "--root", root, "--screen", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}",
                        "--until", "3000", "--trace", os.devnull, "--shot", shot], check=True,
                       stdout=subprocess.DEVNULL, timeout=120)
        return crop(*read_png(shot), *PAGE)

    def start_panel(self, root):
        return self.wine.start(self.program("vessarine.exe"), "--root", windows_path(root), "\\VessarineSettings.ini",
                               folder=root)

    def compare_page(self, root, expected, timeout):
        shown = []

        def same():
            shown[:] = self.x.capture(*PAGE)
            return shown == expected

        if wait_until(same, timeout, step=0.2):
            return None
        write_ppm(os.path.join(root, "shown.ppm"), PAGE[2], PAGE[3], shown)
        write_ppm(os.path.join(root, "expected.ppm"), PAGE[2], PAGE[3], expected)
        return difference(shown, expected, PAGE[2]) + f" (both pictures in {root})"

    def scenario_panel_picture(self):
        """The example's first page reads back from the X server as cesim draws it."""
        root = self.example_page_root("panel-picture")
        expected = self.simulated_page(root)
        started = time.monotonic()
        panel = self.start_panel(root)
        try:
            problem = self.compare_page(root, expected, 15)
            check(problem is None, f"the page is not cesim's picture: {problem}")
            self.figures["vessarine.exe: start to the whole first page, with its 600 ms flight"] = \
                f"{(time.monotonic() - started) * 1000:.0f} ms"
            check(panel.poll() is None, f"the panel ended with {panel.returncode}")
        finally:
            self.stop(panel)

    def scenario_panel_tap_double_tap_return(self):
        """A tap starts the button's program with its argument; a double tap shows
        the about box, and Return in it ends the panel with exit code 1."""
        root = self.example_page_root("panel-tap")
        recorder = self.recorder_at(root, "\\Windows\\pword.exe")
        expected = self.simulated_page(root)
        panel = self.start_panel(root)
        try:
            problem = self.compare_page(root, expected, 15)
            check(problem is None, f"the page did not show as cesim draws it: {problem}")
            starts = self.tap_until(PAGE[0] + NOTES_BUTTON[0], PAGE[1] + NOTES_BUTTON[1],
                                    lambda: started_lines(recorder))
            check(starts, "a tap on \"Notizen\" started nothing")
            show, _, arguments = starts[0]
            check(arguments == ["\\My Documents\\Einkäufe Woche.psw"],
                  f"\"Notizen\" started its program with the arguments {arguments}")
            check(show == "5", f"\"Notizen\" started its program with the show state {show}, not 5 (show)")

            about = self.tap_until(PAGE[0] + PLAIN_SPOT[0], PAGE[1] + PLAIN_SPOT[1],
                                   lambda: self.x.shown_window(lambda w: w["name"] == "Über"), count=2)
            check(about, "a double tap showed no window \"Über\"")
            facts = self.window_facts("Über")
            texts = facts.get("text", [])
            check(any(text.startswith(ABOUT_START) for text in texts),
                  f"the about box says {texts}, not a text beginning \"{ABOUT_START}\"")
            check(panel.poll() is None, "the panel ended before its box was answered")
            # Return as a user presses it; where the box has not taken the X
            # focus by itself, it is given the focus first.
            self.x.xdotool("key", "Return")
            code = self.ended(panel, 3)
            if code is None:
                self.notes.append("a message box does not take the X focus by itself (the tests give it the "
                                  "focus before they press Return)")
                self.x.xdotool("windowfocus", "--sync", str(about["id"]), "key", "Return")
                code = self.ended(panel, 10)
            check(code == 1, f"after Return in the about box the panel ended with {code}, not 1"
                  if code is not None else "the panel still runs after Return in the about box")
        finally:
            self.stop(panel)

    def daemon_root(self, name, bindings):
        root = self.fresh_root(name)
        utf16_file(os.path.join(root, "Brellum.ini"),
                   bindings + ["SETTINGS", "ElapseTime=400", "ElapseTimeLong=1500", "QueryTermination=0"])
        return root

    def start_daemon(self, root):
        return self.wine.start(self.program("brellum.exe"), "--root", windows_path(root), "\\Brellum.ini",
                               folder=root)

    def daemon_window(self, bindings):
        title = f"Brellum v1.3 ({bindings} aktiv)"
        return wait_until(lambda: self.x.shown_window(lambda w: w["name"] == title), 10)

    def scenario_daemon_without_bindings(self):
        """Without bindings the daemon's window is shown centred with the key-code
        probe, which a key pressed in it changes."""
        root = self.daemon_root("daemon-probe", [])
        daemon = self.start_daemon(root)
        try:
            window = self.daemon_window(0)
            check(window, "no window \"Brellum v1.3 (0 aktiv)\" was shown")
            facts = self.window_facts("Brellum v1.3 (0 aktiv)")
            left, top, right, bottom = (int(v) for v in facts["rect"].split(","))
            client = tuple(int(v) for v in facts["client"].split(","))
            work = [int(v) for v in facts["workarea"].split(",")]
            # The client area is the device's (276 wide with a frame of 1, a
            # caption of 20 and 88 high); Windows' own frame and caption go
            # around it, and the whole stands in the middle of the work area.
            check(client == (274, 66), f"the window's client area is {client[0]}x{client[1]}, not 274x66")
            centre = ((left + right) / 2, (top + bottom) / 2)
            middle = ((work[0] + work[2]) / 2, (work[1] + work[3]) / 2)
            check(abs(centre[0] - middle[0]) <= 1.5 and abs(centre[1] - middle[1]) <= 2.5,
                  f"the window {left},{top} to {right},{bottom} is not centred on the work area {work}")

            # The probe: the text field changes when a key is pressed in the window.
            place = (window["x"], window["y"], window["width"], window["height"])
            before = self.x.capture(*place)
            check(len(set(before)) > 2, "the window shows no text")
            self.x.xdotool("windowfocus", "--sync", str(window["id"]), "key", "F9")
            changed = wait_until(lambda: self.x.capture(*place) != before, 3, step=0.2)
            check(changed, "a key pressed in the window did not change the key-code probe")
            after = self.x.capture(*place)
            rows = {i // place[2] for i, (a, b) in enumerate(zip(before, after)) if a != b}
            columns = {i % place[2] for i, (a, b) in enumerate(zip(before, after)) if a != b}
            check(max(columns) < place[2] - 18 and max(rows) < place[3] - 18,
                  "the key press changed more than the probe's text field")
            check(daemon.poll() is None, f"the daemon ended with {daemon.returncode}")
        finally:
            self.stop(daemon)

    def hold_key_inside_wine(self, key, milliseconds):
        self.wine.run(self.test_program("key_sender.exe"), "press", hex(key), str(milliseconds))

    def scenario_daemon_hot_key(self):
        """A key registered system-wide runs its command after a press of
        ElapseTime and its long command while held ElapseTimeLong: pressed with
        xdotool while a Wine window has the focus, and from inside Wine."""
        root = self.daemon_root("daemon-keys", ["BRELLUM", f"KeyCode={F9}", "Command=\\Windows\\clock.exe",
                                                "CommandLong=\\Windows\\calc.exe", ""])
        short = self.recorder_at(root, "\\Windows\\clock.exe")
        long = self.recorder_at(root, "\\Windows\\calc.exe")
        daemon = self.start_daemon(root)
        target = None
        try:
            check(wait_until(lambda: self.tray_icon(), 10), "the daemon's icon did not dock in the tray")

            # While no window of Wine's has the focus (the daemon shows none),
            # Windows would still hand the registered key to the daemon.
            self.x.xdotool("keydown", "F9", "sleep", "0.8", "keyup", "F9")
            if not wait_until(lambda: started_lines(short), 2):
                self.notes.append("a key pressed on the X server reaches RegisterHotKey only while a window of Wine's "
                                  "has the focus (the tests focus a window of their own first)")
            seen = len(started_lines(short))
            self.hold_key_inside_wine(F9, 800)
            if not wait_until(lambda: len(started_lines(short)) > seen, 2):
                self.notes.append("a key pressed with SendInput reaches RegisterHotKey only while a window of Wine's "
                                  "has the focus, too")

            target = self.wine.start(self.test_program("key_sender.exe"), "window", "Tastenziel")
            window = wait_until(lambda: self.x.shown_window(lambda w: w["name"] == "Tastenziel"), 10)
            check(window, "the key target window did not show")
            seen = len(started_lines(short))
            self.x.xdotool("windowfocus", "--sync", str(window["id"]), "keydown", "F9", "sleep", "0.8", "keyup", "F9")
            check(wait_until(lambda: len(started_lines(short)) > seen, 3),
                  "F9 held 800 ms with xdotool did not run Command")
            self.x.xdotool("windowfocus", "--sync", str(window["id"]), "keydown", "F9", "sleep", "2.2", "keyup", "F9")
            check(wait_until(lambda: started_lines(long), 3), "F9 held 2.2 s with xdotool did not run CommandLong")

            seen, seen_long = len(started_lines(short)), len(started_lines(long))
            self.hold_key_inside_wine(F9, 800)
            check(wait_until(lambda: len(started_lines(short)) > seen, 3),
                  "F9 held 800 ms with SendInput did not run Command")
            self.hold_key_inside_wine(F9, 2200)
            check(wait_until(lambda: len(started_lines(long)) > seen_long, 3),
                  f"F9 held 2.2 s with SendInput did not run CommandLong (Command ran "
                  f"{len(started_lines(short)) - seen - 1} more times)")
            check(daemon.poll() is None, f"the daemon ended with {daemon.returncode}")
        finally:
            if target:
                target.kill()
            self.stop(daemon)

    def tray_icon(self):
        """The icon docked in trayer: a window of Wine's that lies in trayer's panel."""
        panels = [w["id"] for w in self.x.windows() if w["name"] == "panel" and w["class"] == "panel"]
        if not panels:
            return None
        inside = set(panels)
        found = None
        for window in self.x.windows():
            if window["parent"] in inside:
                inside.add(window["id"])
                if window["class"].endswith(".exe") and window["width"] >= 16 and self.x.is_shown(window):
                    found = window
        return found

    def scenario_daemon_tray(self):
        """With bindings the daemon shows only its tray icon; a click on it shows
        the window with the number of bindings in its title."""
        root = self.daemon_root("daemon-tray", ["BRELLUM", f"KeyCode={F9}", "Command=\\Windows\\clock.exe", ""])
        self.recorder_at(root, "\\Windows\\clock.exe")
        daemon = self.start_daemon(root)
        try:
            icon = wait_until(lambda: self.tray_icon(), 10)
            check(icon, "the daemon's icon did not dock in the tray")
            check(not self.x.shown_window(lambda w: w["name"].startswith("Brellum")),
                  "with bindings the daemon's window is shown")
            self.click(icon["x"] + icon["width"] // 2, icon["y"] + icon["height"] // 2)
            check(self.daemon_window(1), "a click on the icon did not show the window \"Brellum v1.3 (1 aktiv)\"")
            check(wait_until(lambda: not self.tray_icon(), 3), "the icon stayed in the tray beside the shown window")
            check(daemon.poll() is None, f"the daemon ended with {daemon.returncode}")
        finally:
            self.stop(daemon)

    def scenario_launcher(self):
        """The launcher starts every program of its RUN list, ",hide" minimised,
        with their arguments, and ends with 0."""
        root = self.fresh_root("launcher")
        hidden = self.recorder_at(root, "\\Windows\\clock.exe")
        quoted = self.recorder_at(root, "\\Windows\\pword.exe")
        plain = self.recorder_at(root, "\\Windows\\calc.exe")
        # A program whose name does not end in ".exe": Windows would start it.
        other = self.recorder_at(root, "\\Windows\\kein.com")
        with open(os.path.join(root, "Talvok.ini"), "wb") as ini:
            ini.write("[RUN]\r\nUhr=\\Windows\\clock.exe ,hide\r\n"
                      "Notizen=\\Windows\\pword.exe '\\My Documents\\Einkäufe Woche.psw' -x\r\n"
                      "Rechner=\\Windows\\calc.exe\r\nKein=\\Windows\\kein.com\r\n".encode("cp1252"))
        result = self.wine.run(self.program("talvok.exe"), "--root", windows_path(root), "\\Talvok.ini", folder=root)
        check(result.returncode == 0, f"the launcher ended with {result.returncode}")
        for recorder in (hidden, quoted, plain):
            check(wait_until(lambda: started_lines(recorder), 5), f"{os.path.basename(recorder)} was not started")
        starts = {os.path.basename(r): started_lines(r) for r in (hidden, quoted, plain)}
        check(all(len(s) == 1 for s in starts.values()), f"started more than once: {starts}")
        check(starts["clock.exe"][0][0] == "6", f"\",hide\" gave the show state {starts['clock.exe'][0][0]}, not 6")
        check(starts["clock.exe"][0][2] == [], f"clock.exe got the arguments {starts['clock.exe'][0][2]}")
        check(starts["calc.exe"][0][0] == "1", f"calc.exe got the show state {starts['calc.exe'][0][0]}, not 1")
        check(starts["pword.exe"][0][2] == ["\\My Documents\\Einkäufe Woche.psw", "-x"],
              f"pword.exe got the arguments {starts['pword.exe'][0][2]}")
        check(not wait_until(lambda: started_lines(other), 2), "the line without \".exe\" was started")


SCENARIOS = [name for name in dir(Tests) if name.startswith("scenario_")]


def run_unit_tests(build, wine):
    """ctest's Windows tests in the session; (passed, failed)."""
    result = subprocess.run(["ctest", "--test-dir", build, "-L", "windows", "--output-on-failure", "-j", "2",
                             "--timeout", "300"], env=wine.environment, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    print(result.stdout, end="", flush=True)
    count = re.search(r"tests passed, (\d+) tests failed out of (\d+)", result.stdout)
    if not count:
        print("wine: the unit tests gave no result")
        return 0, 1
    failed, total = int(count.group(1)), int(count.group(2))
    return total - failed, failed


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="the Windows build folder (its programs/ and tests/wine/)")
    parser.add_argument("--cesim", required=True, help="the simulated device, built for this machine")
    parser.add_argument("--examples", required=True, help="the project's examples folder")
    parser.add_argument("--work", required=True, help="a scratch folder for the tests' files")
    parser.add_argument("--prefix", required=True, help="the Wine prefix")
    parser.add_argument("--no-unit-tests", action="store_true", help="only the scenarios")
    parser.add_argument("scenarios", nargs="*", help="scenario names without \"scenario_\" (default: all)")
    options = parser.parse_args()
    for folder in ("build", "cesim", "examples", "work", "prefix"):
        setattr(options, folder, os.path.abspath(getattr(options, folder)))
    os.makedirs(options.work, exist_ok=True)
    chosen = [f"scenario_{name}" for name in options.scenarios] or SCENARIOS

    x = XSession()
    wine = Wine(options.prefix)
    passed = failed = 0
    try:
        x.start()
        wine.start_server()
        if not options.no_unit_tests:
            passed, failed = run_unit_tests(options.build, wine)
            wine.start_server()
        tests = Tests(options, x, wine)
        for name in chosen:
            title = name.removeprefix("scenario_")
            started = time.monotonic()
            try:
                getattr(tests, name)()
                passed += 1
                print(f"wine: {title}: passed ({time.monotonic() - started:.1f} s)", flush=True)
            except Failure as failure:
                failed += 1
                print(f"wine: {title}: FAILED: {failure}", flush=True)
            except Exception:  # a broken scenario is a failed one, with its cause
                failed += 1
                print(f"wine: {title}: FAILED:\n{traceback.format_exc()}", flush=True)
        for note in dict.fromkeys(tests.notes):
            print(f"wine differs: {note}")
        for figure, value in tests.figures.items():
            print(f"figure: {figure}: {value}")
    finally:
        wine.stop_server()
        x.stop()
    print(f"wine: {passed} passed, {failed} failed")
    return min(failed, 100)


if __name__ == "__main__":
    sys.exit(main())
