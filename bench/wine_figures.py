#!/usr/bin/env python3
"""The panel's figures under Wine next to the Linux desktop's, measured in one
run on one private X server: start to the first complete picture on the
screen (process start, Wine's included, until the X server shows the page
pixel for pixel as cesim draws it) and resident memory (VmRSS) of the panel's
process with the example's first page and with all three of its pages; under
Wine also that of Wine's own server and desktop process, which every Wine
program shares.

  bench/wine_figures.py --linux build/release --windows build/windows [--runs 7]"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "wine"))
from wine_session import SCREEN_HEIGHT, SCREEN_WIDTH, Wine, XSession, crop, read_png, wait_until, windows_path  # noqa

PAGE = (16, 12, 240, 200)


def utf16_file(path, lines):
    with open(path, "wb") as out:
        out.write(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


def resident_kilobytes(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except FileNotFoundError:
        pass
    return None


def processes_named(word):
    """The ids of the processes whose program's name (the first word of the
    command line, without its folder) begins with word."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as line:
                first = line.read().split(b"\0")[0].decode("utf-8", "replace")
        except OSError:
            continue
        if first.replace("\\", "/").lower().rsplit("/", 1)[-1].startswith(word):
            found.append(int(entry))
    return found


def page_folder(work, pages, still):
    """The example's pages in a folder of their own; still: without the opening flight."""
    folder = tempfile.mkdtemp(dir=work)
    for name in ("main.ini", "details.ini", "live.ini", "buttons.ini", "background.bmp", "play.bmp",
                 "play-pushed.bmp", "dial.ico"):
        shutil.copy(os.path.join(ROOT, "examples", name), folder)
    if still:
        main = os.path.join(folder, "main.ini")
        with open(main, "rb") as source:
            text = source.read().decode("utf-16")
        with open(main, "wb") as out:
            out.write(text.replace("StartUpAnimation=FlyDown", "StartUpAnimation=NoAnimation").encode("utf-16"))
    utf16_file(os.path.join(folder, "VessarineSettings.ini"), pages)
    return folder


def simulated(cesim, folder):
    shot = os.path.join(folder, "simulated.png")
    subprocess.run([cesim, "vessarine", "--root", folder, "--screen", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}", "--until",
                    "3000", "--trace", os.devnull, "--shot", shot], check=True, stdout=subprocess.DEVNULL)
    return crop(*read_png(shot), *PAGE)


class Panel:
    def __init__(self, linux_build, windows_build, wine):
        self.linux = os.path.join(linux_build, "programs", "vessarine")
        self.windows = os.path.join(windows_build, "project", "programs", "vessarine.exe")
        self.wine = wine

    def start(self, host, folder):
        if host == "linux":
            return subprocess.Popen([self.linux, os.path.join(folder, "VessarineSettings.ini")], cwd=folder,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.wine.start(self.windows, windows_path(os.path.join(folder, "VessarineSettings.ini")),
                               folder=folder)


def stop(process):
    process.kill()
    process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--linux", default=os.path.join(ROOT, "build", "release"))
    parser.add_argument("--windows", default=os.path.join(ROOT, "build", "windows"))
    parser.add_argument("--runs", type=int, default=7)
    options = parser.parse_args()
    cesim = os.path.join(options.linux, "programs", "cesim")
    work = tempfile.mkdtemp(prefix="wine-figures-")
    x = XSession()
    wine = Wine(os.path.join(os.path.abspath(options.windows), "wine"))
    panel = Panel(options.linux, os.path.abspath(options.windows), wine)
    try:
        x.start()
        wine.start_server()
        still = page_folder(work, ["main.ini"], still=True)
        expected = simulated(cesim, still)
        for host in ("linux", "wine"):
            times, resident = [], []
            for _ in range(options.runs):
                started = time.monotonic()
                process = panel.start(host, still)
                shown = wait_until(lambda: x.capture(*PAGE) == expected, 30, step=0.005)
                elapsed = time.monotonic() - started
                time.sleep(1)
                resident.append(resident_kilobytes(process.pid))
                stop(process)
                if not shown:
                    print(f"{host}: the page did not show as cesim draws it")
                    return 1
                times.append(elapsed * 1000)
            print(f"{host}: start to first complete picture: {statistics.median(times):.0f} ms "
                  f"(median of {len(times)}, {min(times):.0f} to {max(times):.0f})")
            print(f"{host}: resident, the first page: {statistics.median(resident) / 1024:.1f} MB")

        whole = page_folder(work, ["main.ini", "live.ini", "buttons.ini"], still=False)
        for host in ("linux", "wine"):
            process = panel.start(host, whole)
            time.sleep(5)
            print(f"{host}: resident, the example's three pages: {resident_kilobytes(process.pid) / 1024:.1f} MB")
            if host == "wine":
                for name in ("wineserver", "explorer.exe"):
                    sizes = [resident_kilobytes(pid) or 0 for pid in processes_named(name)]
                    print(f"wine: resident, {name} beside it: {sum(sizes) / 1024:.1f} MB")
            stop(process)
    finally:
        wine.stop_server()
        x.stop()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
