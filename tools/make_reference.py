#!/usr/bin/env python3
"""Makes the reference's example files and pictures from the marked blocks of
the pages in docs/, and fills in what the programs say about the checked
mistakes. A page asks with a comment line followed by fenced blocks:

    <!-- example NAME WIDTHxHEIGHT -->           a layout file block
        examples/NAME.ini, and pictures/NAME.png: cesim vessarine on that screen
    <!-- animation NAME -->                      (no block)
        pictures/animation-NAME.png: frames of a small panel opening that way
    <!-- example-daemon NAME [WIDTHxHEIGHT] -->  a binding file block
        examples/NAME.ini, and pictures/NAME.png: cesim brellum, window shown
    <!-- check NAME PROGRAM -->                  a file block, then a text block
        the text block gets what `PROGRAM --check` prints about NAME.ini

    tools/make_reference.py [--verify] [--docs DIR] [--cesim PATH]
                            [--vessarine PATH] [--brellum PATH] [--talvok PATH]

Without --verify it rewrites in place what differs and removes generated files
that no marker asks for any more. With --verify it changes nothing, names each
file that differs, is missing or is stray, and exits with 1. An example whose
program complains (a message box, a finding of --check) fails the run."""

import argparse
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib
from dataclasses import dataclass, field

import make_examples

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# Fixed, so that a clock or a date in a picture never changes between runs.
CLOCK = "2026-03-14T09:26:53"
LOCALE = "de-DE"

ANIMATIONS = ("NoAnimation", "FlyRight", "FlyDown", "FlyLeft", "FlyUp", "FlyDiagRightDown",
              "FlyDiagRightUp", "FlyDiagLeftDown", "FlyDiagLeftUp", "RollDown")
PICTURE_FILES = ("play.bmp", "play-pushed.bmp", "background.bmp", "dial.ico")
PROGRAMS = ("vessarine", "brellum", "talvok")
DAEMON_SCREEN = (300, 140)

# The strip's panel stands in the top left corner of a screen twice its size,
# so that every animation, from whichever side, moves it by its own width or
# height in full view.
STRIP_PANEL = (96, 48)
STRIP_SHRINK = 2
STRIP_GAP = 2
STRIP_SHOTS = (210, 370, 490, 610, 730, 900)  # virtual ms; the default animation lasts 800


class Failure(Exception):
    pass


class PageMistake(Failure):
    def __init__(self, index, text):
        super().__init__(text)
        self.line = index + 1


# ---------------------------------------------------------------- the pages

DEVICE_PROGRAMS = ("calc.exe", "clock.exe", "pword.exe")

MARKER = re.compile(r"^\s*<!--\s*(example-daemon|example|animation|check)\b(.*?)-->\s*$")
MARKER_FORMS = {
    "example": "<!-- example NAME WIDTHxHEIGHT -->",
    "example-daemon": "<!-- example-daemon NAME [WIDTHxHEIGHT] -->",
    "animation": "<!-- animation NAME -->",
    "check": "<!-- check NAME PROGRAM -->",
}
MARKER_ARGUMENTS = {
    "example": re.compile(r"([a-z0-9-]+)\s+(\d+)x(\d+)"),
    "example-daemon": re.compile(r"([a-z0-9-]+)(?:\s+(\d+)x(\d+))?"),
    "animation": re.compile(r"(\w+)"),
    "check": re.compile(r"([a-z0-9-]+)\s+(\w+)"),
}
FENCE = re.compile(r"^( *)(`{3,}|~{3,})\s*([\w-]*)\s*$")


@dataclass
class Fence:
    first: int  # index of the opening line
    last: int  # index of the closing line
    indent: str
    language: str
    lines: list


@dataclass
class Marker:
    page: str
    line: int
    kind: str
    name: str
    size: tuple = None
    program: str = None
    file: Fence = None
    output: Fence = None

    def where(self):
        return f"{self.page}:{self.line}: {self.kind} {self.name}"


@dataclass
class Page:
    path: str
    shown_as: str
    lines: list
    markers: list = field(default_factory=list)


def fence_at(lines, index):
    """The fenced block opening at lines[index] (after blank lines), or None."""
    while index < len(lines) and not lines[index].strip():
        index += 1
    opening = FENCE.match(lines[index]) if index < len(lines) else None
    if not opening:
        return None
    indent, mark, language = opening.groups()
    closing = re.compile(r"^ *" + re.escape(mark[0]) + "{" + str(len(mark)) + r",}\s*$")
    for last in range(index + 1, len(lines)):
        if closing.match(lines[last]):
            content = [line.rstrip("\r\n") for line in lines[index + 1:last]]
            content = [line[len(indent):] if line.startswith(indent) else line.lstrip(" ") for line in content]
            return Fence(index, last, indent, language, content)
    raise PageMistake(index, "the fenced block is not closed")


def read_marker(match, lines, index, page):
    kind, text = match.group(1), match.group(2).strip()
    arguments = MARKER_ARGUMENTS[kind].fullmatch(text)
    if not arguments:
        raise PageMistake(index, f"cannot read the marker; the form is {MARKER_FORMS[kind]}"
                          ", NAME of lower-case letters, digits and '-'")
    values = arguments.groups()
    marker = Marker(page.shown_as, index + 1, kind, values[0])
    if kind == "animation":
        if marker.name not in ANIMATIONS:
            raise PageMistake(index, f"{marker.name} is none of the animations: {', '.join(ANIMATIONS)}")
        return marker
    if kind == "check":
        marker.program = values[1]
        if marker.program not in PROGRAMS:
            raise PageMistake(index, f"{marker.program} is none of the programs: {', '.join(PROGRAMS)}")
    elif values[1]:
        marker.size = (int(values[1]), int(values[2]))
    else:
        marker.size = DAEMON_SCREEN
    marker.file = fence_at(lines, index + 1)
    if not marker.file:
        raise PageMistake(index, f"{kind} {marker.name} is not followed by a fenced block")
    if kind == "check":
        marker.output = fence_at(lines, marker.file.last + 1)
        if not marker.output or marker.output.language != "text":
            raise PageMistake(index, f"check {marker.name} needs a ```text block after its file block")
    return marker


def read_page(path, shown_as):
    with open(path, encoding="utf-8") as text:
        page = Page(path, shown_as, text.readlines())
    index = 0
    try:
        while index < len(page.lines):
            match = MARKER.match(page.lines[index])
            if match:
                page.markers.append(read_marker(match, page.lines, index, page))
            else:
                block = FENCE.match(page.lines[index]) and fence_at(page.lines, index)
                if block:  # a marker shown inside a code block is only text
                    index = block.last
            index += 1
    except PageMistake as mistake:
        raise Failure(f"{shown_as}:{mistake.line}: {mistake}")
    return page


def check_names(pages):
    """Names are file names: one example or daemon example per name, one check per name."""
    seen = {}
    for page in pages:
        for marker in page.markers:
            if marker.kind == "animation":
                continue
            group = "check" if marker.kind == "check" else "example"
            earlier = seen.setdefault((group, marker.name), marker)
            if earlier is not marker:
                raise Failure(f"{marker.where()}: the name is taken already by {earlier.where()}")


# ---------------------------------------------------------------- device files

def unicode_file(lines):
    """The panel's and the daemon's files: UTF-16LE with byte-order mark, CR LF."""
    return b"\xff\xfe" + "".join(line + "\r\n" for line in lines).encode("utf-16-le")


def ansi_file(lines):
    """The launcher's 8-bit file."""
    try:
        return "".join(line + "\r\n" for line in lines).encode("cp1252")
    except UnicodeEncodeError as error:
        raise Failure(f"the launcher's file is 8-bit text, which has no {error.object[error.start]!r}")


def picture_files(folder):
    """The bitmaps and the icon an example may name, drawn as the examples/ folder has them."""
    # make_examples joins a name to its own folder; an absolute path stands for itself.
    os.makedirs(folder, exist_ok=True)
    path = {name: os.path.join(folder, name) for name in PICTURE_FILES}
    make_examples.write_button_bitmap(path["play.bmp"], 40, 24, pushed=False)
    make_examples.write_button_bitmap(path["play-pushed.bmp"], 40, 24, pushed=True)
    make_examples.write_background(path["background.bmp"])
    make_examples.write_icon(path["dial.ico"], [16, 24, 32])
    files = {}
    for name in PICTURE_FILES:
        with open(path[name], "rb") as picture:
            files[name] = picture.read()
    return files


def named_pictures(lines, pictures):
    text = "\n".join(lines)
    return {name: data for name, data in pictures.items() if name in text}


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


# ---------------------------------------------------------------- PNG pictures

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


@dataclass
class Picture:
    width: int
    height: int
    rgba: bytes  # rows top-down, four bytes a pixel


def unfilter(raw, stride, height, step):
    pixels = bytearray()
    previous = bytearray(stride)
    position = 0
    for _ in range(height):
        kind = raw[position]
        row = bytearray(raw[position + 1:position + 1 + stride])
        position += stride + 1
        if kind == 1:
            for i in range(step, stride):
                row[i] = (row[i] + row[i - step]) & 255
        elif kind == 2:
            row = bytearray((a + b) & 255 for a, b in zip(row, previous))
        elif kind == 3:
            for i in range(stride):
                left = row[i - step] if i >= step else 0
                row[i] = (row[i] + ((left + previous[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(stride):
                left = row[i - step] if i >= step else 0
                up_left = previous[i - step] if i >= step else 0
                up = previous[i]
                guess = left + up - up_left
                near_left, near_up, near_up_left = abs(guess - left), abs(guess - up), abs(guess - up_left)
                if near_left <= near_up and near_left <= near_up_left:
                    nearest = left
                elif near_up <= near_up_left:
                    nearest = up
                else:
                    nearest = up_left
                row[i] = (row[i] + nearest) & 255
        elif kind != 0:
            raise ValueError(f"unknown PNG row filter {kind}")
        pixels += row
        previous = row
    return pixels


def read_png(path):
    """8-bit RGB or RGBA, not interlaced: what cesim and this tool write."""
    with open(path, "rb") as source:
        data = source.read()
    if not data.startswith(PNG_SIGNATURE):
        raise ValueError(f"{path} is no PNG file")
    position, header, compressed = len(PNG_SIGNATURE), None, []
    while position + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed.append(body)
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(f"{path}: only 8-bit RGB or RGBA PNG without interlacing is read here")
    channels = 3 if colour == 2 else 4
    pixels = unfilter(zlib.decompress(b"".join(compressed)), width * channels, height, channels)
    if channels == 4:
        return Picture(width, height, bytes(pixels))
    rgba = bytearray(b"\xff" * (width * height * 4))
    for channel in range(3):
        rgba[channel::4] = pixels[channel::3]
    return Picture(width, height, bytes(rgba))


def write_png(path, picture):
    stride = picture.width * 4
    rows = b"".join(b"\0" + picture.rgba[y * stride:(y + 1) * stride] for y in range(picture.height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 6, 0, 0, 0)
    write_file(path, PNG_SIGNATURE + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
               + chunk(b"IEND", b""))


def shrink(picture, factor):
    """Each factor x factor square becomes one pixel of their mean colour."""
    stride, width, height, area = picture.width * 4, picture.width // factor, picture.height // factor, factor * factor
    out = bytearray()
    for y in range(height):
        rows = [picture.rgba[(y * factor + dy) * stride:(y * factor + dy + 1) * stride] for dy in range(factor)]
        column_sums = [sum(values) for values in zip(*rows)]
        line = bytearray(width * 4)
        for channel in range(4):
            parts = [column_sums[dx * 4 + channel::factor * 4][:width] for dx in range(factor)]
            line[channel::4] = bytes((sum(values) + area // 2) // area for values in zip(*parts))
        out += line
    return Picture(width, height, bytes(out))


def side_by_side(frames, gap):
    """The frames in a row, a transparent gap between them."""
    height = frames[0].height
    spacer = bytes(gap * 4)
    rows = (spacer.join(f.rgba[y * f.width * 4:(y + 1) * f.width * 4] for f in frames) for y in range(height))
    width = sum(frame.width for frame in frames) + gap * (len(frames) - 1)
    return Picture(width, height, b"".join(rows))


def same_pixels(first, second):
    try:
        a, b = read_png(first), read_png(second)
    except (ValueError, zlib.error, struct.error, TypeError):
        return False
    return (a.width, a.height, a.rgba) == (b.width, b.height, b.rgba)


# ---------------------------------------------------------------- the programs

# A sanitizer build lists the leaks it was told to ignore on standard error,
# which would read as a complaint of the program's.
QUIET_SANITIZERS = {**os.environ, "LSAN_OPTIONS": ":".join(
    filter(None, [os.environ.get("LSAN_OPTIONS", ""), "print_suppressions=0"]))}


def run(command, cwd=None, given=b""):
    try:
        return subprocess.run(command, cwd=cwd, input=given, capture_output=True, timeout=60, env=QUIET_SANITIZERS)
    except OSError as error:
        raise Failure(f"{command[0]} cannot be run: {error.strerror}")
    except subprocess.TimeoutExpired:
        raise Failure(f"{' '.join(command)} did not end within 60 s")


def said(result):
    return (result.stdout + result.stderr).decode("utf-8", "replace").strip()


class Programs:
    def __init__(self, paths):
        self.paths = paths
        self.checking = {}

    def understands_check(self, program):
        """Whether cesim can check PROGRAM's files, as its --help tells."""
        if program not in self.checking:
            result = run([self.paths["cesim"], "--help"])
            self.checking[program] = result.returncode == 0 and "--check" in said(result)
        return self.checking[program]

    def check(self, program, argument, root):
        """What PROGRAM --check prints about ARGUMENT on a device whose root is ROOT, run in ROOT;
        its exit status must be 0 or 1. The files are checked as the device reads them."""
        result = run([self.paths["cesim"], program, "--root", ".", "--check", "--", "\\" + argument], cwd=root)
        if result.returncode not in (0, 1):
            raise Failure(f"{program} --check {argument} failed with exit status {result.returncode}: {said(result)}")
        output = result.stdout.decode("utf-8")
        if root in output:
            raise Failure(f"{program} --check {argument} names the scratch folder: {output.strip()}")
        return output

    def cesim(self, program, root, screen, until, script=None, shot=None, command_line=None):
        """Runs PROGRAM on the simulated device; a message box or an early end is a failure."""
        command = [self.paths["cesim"], program, "--root", root, "--screen", f"{screen[0]}x{screen[1]}",
                   "--clock", CLOCK, "--locale", LOCALE, "--until", str(until)]
        if script:
            command += ["--script", "-"]
        if shot:
            command += ["--shot", shot]
        if command_line:
            command += ["--", command_line]
        result = run(command, given=(script or "").encode())
        if result.returncode != 0 or result.stderr or (shot and not os.path.exists(shot)):
            raise Failure(f"cesim {program} failed with exit status {result.returncode}: {said(result)}")
        complaints = []
        for line in result.stdout.decode("utf-8").splitlines():
            event = json.loads(line)
            if event["event"] == "msgbox":
                complaints.append(f"{program} shows a message box: \"{event['caption']}\" {event['text']}")
            elif event["event"] == "exit":
                complaints.append(f"{program} ended with exit code {event['code']} before the picture")
        if complaints:
            raise Failure("\n  ".join(complaints))


# ---------------------------------------------------------------- making it

def settle_time(lines):
    """Virtual ms after which the panel of a layout has finished opening."""
    times = [int(m.group(1)) for m in (re.match(r"AnimationTime=(\d+)", line) for line in lines) if m]
    return max([2000] + [time + 500 for time in times])


def strip_layout(animation):
    width, height = STRIP_PANEL
    return [
        "GLOBALSETTINGS", f"Width={width}", f"Height={height}", "Arrange=No",
        "BackgroundColor=F0A030", f"StartUpAnimation={animation}",
        "", "TEXT", "x=0", f"y={height // 4}", f"Width={width}", f"Height={height // 2}",
        "Text=Hallo", "Size=-20", "Weight=700", "CreateFont", "Color=202020",
    ]


class Reference:
    """Makes everything the markers ask for into a folder laid out like docs/."""

    def __init__(self, programs, work, out):
        self.programs = programs
        self.work = work
        self.out = out
        for folder in ("examples", "pictures"):
            os.makedirs(os.path.join(out, folder), exist_ok=True)
        self.pictures = picture_files(os.path.join(work, "pictures"))
        self.unchecked = {}  # program: markers left unchecked, no --check there yet
        self.changed_checks = {}  # page: names of the checks whose text changes

    def device_root(self, marker, files):
        root = os.path.join(self.work, "roots", f"{marker.kind}-{marker.name}")
        for name, data in {**self.pictures, **files}.items():
            write_file(os.path.join(root, name), data)
        # The device programs the examples' commands may start.
        for program in DEVICE_PROGRAMS:
            write_file(os.path.join(root, "Windows", program), b"")
        return root

    def check_clean(self, marker, program, argument, root):
        if not self.programs.understands_check(program):
            self.unchecked.setdefault(program, []).append(marker)
            return
        findings = self.programs.check(program, argument, root)
        if findings:
            raise Failure(f"{program} --check finds:\n{findings.rstrip()}")

    def write_example(self, marker):
        data = unicode_file(marker.file.lines)
        write_file(os.path.join(self.out, "examples", f"{marker.name}.ini"), data)
        for name, picture in named_pictures(marker.file.lines, self.pictures).items():
            write_file(os.path.join(self.out, "examples", name), picture)
        return data

    def example(self, marker):
        layout = f"{marker.name}.ini"
        root = self.device_root(marker, {
            layout: self.write_example(marker),
            "VessarineSettings.ini": unicode_file([layout]),
        })
        shot = os.path.join(self.out, "pictures", f"{marker.name}.png")
        self.programs.cesim("vessarine", root, marker.size, settle_time(marker.file.lines), shot=shot)
        self.check_clean(marker, "vessarine", "VessarineSettings.ini", root)

    def example_daemon(self, marker):
        bindings = f"{marker.name}.ini"
        root = self.device_root(marker, {bindings: self.write_example(marker)})
        shot = os.path.join(self.out, "pictures", f"{marker.name}.png")
        # With keys bound the window starts hidden; a tap on the tray icon shows it.
        self.programs.cesim("brellum", root, marker.size, 1000, script="tray-click\nwait 100\n", shot=shot,
                            command_line="\\" + bindings)
        self.check_clean(marker, "brellum", bindings, root)

    def animation(self, marker):
        path = os.path.join(self.out, "pictures", f"animation-{marker.name}.png")
        if os.path.exists(path):  # another page shows the same strip
            return
        root = self.device_root(marker, {
            "strip.ini": unicode_file(strip_layout(marker.name)),
            "VessarineSettings.ini": unicode_file(["strip.ini"]),
        })
        frames = [os.path.join(root, f"frame-{number}.png") for number in range(len(STRIP_SHOTS))]
        script, now = [], 0
        for time, frame in zip(STRIP_SHOTS, frames):
            script += [f"wait {time - now}", f"shot {frame}"]
            now = time
        width, height = STRIP_PANEL
        self.programs.cesim("vessarine", root, (2 * width, 2 * height), STRIP_SHOTS[-1] + 100,
                            script="\n".join(script) + "\n")
        strip = side_by_side([shrink(read_png(frame), STRIP_SHRINK) for frame in frames], STRIP_GAP)
        write_png(path, strip)

    def check_output(self, marker):
        """The lines PROGRAM --check prints about the block's file, or None without --check."""
        if not self.programs.understands_check(marker.program):
            self.unchecked.setdefault(marker.program, []).append(marker)
            return None
        name = f"{marker.name}.ini"
        encode = ansi_file if marker.program == "talvok" else unicode_file
        files = {name: encode(marker.file.lines)}
        argument = name
        if marker.program == "vessarine":
            files["VessarineSettings.ini"] = unicode_file([name])
            argument = "VessarineSettings.ini"
        output = self.programs.check(marker.program, argument, self.device_root(marker, files))
        if not output:
            raise Failure(f"{marker.program} --check finds nothing; a checked mistake shows what it finds")
        return output.splitlines()

    def fill_checks(self, page, failures):
        lines, position, changed = [], 0, []
        for marker in (m for m in page.markers if m.kind == "check"):
            try:
                output = self.check_output(marker)
            except Failure as failure:
                failures.append(f"{marker.where()}: {failure}")
                continue
            if output is None or output == marker.output.lines:
                continue
            changed.append(marker.name)
            lines += page.lines[position:marker.output.first + 1]
            lines += [(marker.output.indent + line if line else "") + "\n" for line in output]
            position = marker.output.last
        if changed:
            self.changed_checks[os.path.basename(page.path)] = changed
            write_file(os.path.join(self.out, os.path.basename(page.path)),
                       "".join(lines + page.lines[position:]).encode("utf-8"))

    def make(self, pages):
        """Makes every page's pictures, examples and check outputs; returns the failures."""
        failures = []
        makers = {"example": self.example, "example-daemon": self.example_daemon, "animation": self.animation}
        for page in pages:
            for marker in page.markers:
                if marker.kind in makers:
                    try:
                        makers[marker.kind](marker)
                    except Failure as failure:
                        failures.append(f"{marker.where()}: {failure}")
            self.fill_checks(page, failures)
        return failures


# ---------------------------------------------------------------- comparing

# What the generator makes; anything else there (a drawing made by hand) is left alone.
GENERATED_ENDINGS = (".png", ".ini", ".bmp", ".ico")


def generated_files(folder):
    names = set()
    for sub in ("examples", "pictures"):
        if os.path.isdir(os.path.join(folder, sub)):
            names |= {f"{sub}/{name}" for name in os.listdir(os.path.join(folder, sub))
                      if os.path.isfile(os.path.join(folder, sub, name)) and name.endswith(GENERATED_ENDINGS)}
    return names


def differences(fresh, docs):
    """(name relative to docs, what) for every file that is not as made, in name order."""
    made = generated_files(fresh)
    committed = generated_files(docs)
    pages = {name for name in os.listdir(fresh) if name.endswith(".md")}
    found = []
    for name in sorted(made | committed | pages):
        new, old = os.path.join(fresh, name), os.path.join(docs, name)
        if name not in committed and name not in pages:
            found.append((name, "missing"))
        elif name not in made and name not in pages:
            found.append((name, "stray"))
        elif not same_file(new, old):
            found.append((name, "differs"))
    return found


def same_file(first, second):
    with open(first, "rb") as a, open(second, "rb") as b:
        if a.read() == b.read():
            return True
    return first.endswith(".png") and same_pixels(first, second)


def bring_up_to_date(fresh, docs, shown, found):
    for name, what in found:
        target = os.path.join(docs, name)
        if what == "stray":
            os.remove(target)
            print(f"removed {os.path.join(shown, name)}")
        else:
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(os.path.join(fresh, name), target)
            print(f"wrote {os.path.join(shown, name)}")


# ---------------------------------------------------------------- command line

def options():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--verify", action="store_true", help="change nothing; exit 1 when anything differs")
    parser.add_argument("--docs", metavar="DIR", default=os.path.join(ROOT, "docs"),
                        help="the folder of the pages (docs/)")
    for program in ("cesim",) + PROGRAMS:
        parser.add_argument(f"--{program}", metavar="PATH", default=os.path.join(ROOT, "build", "release", "programs", program),
                            help=f"the {program} program (build/release/programs/{program})")
    return parser.parse_args()


def report_unchecked(unchecked):
    for program, markers in sorted(unchecked.items()):
        names = ", ".join(f"{m.kind} {m.name}" for m in markers)
        print(f"note: {program} has no --check yet; not checked: {names}", file=sys.stderr)


def main():
    args = options()
    docs = os.path.abspath(args.docs)
    inside = os.path.relpath(docs, ROOT)
    shown = docs if inside.startswith("..") else inside  # how messages name the folder
    programs = Programs({name: os.path.abspath(getattr(args, name)) for name in ("cesim",) + PROGRAMS})
    try:
        pages = [read_page(os.path.join(docs, name), os.path.join(shown, name))
                 for name in sorted(os.listdir(docs)) if name.endswith(".md")]
        check_names(pages)
    except (Failure, OSError, UnicodeDecodeError) as failure:
        print(f"make_reference: {failure}", file=sys.stderr)
        return 1
    with tempfile.TemporaryDirectory(prefix="reference-") as work:
        fresh = os.path.join(work, "docs")
        os.makedirs(fresh)
        reference = Reference(programs, work, fresh)
        failures = reference.make(pages)
        report_unchecked(reference.unchecked)
        for failure in failures:
            print(f"make_reference: {failure}", file=sys.stderr)
        if failures:
            return 1
        found = differences(fresh, docs)
        if not args.verify:
            bring_up_to_date(fresh, docs, shown, found)
            return 0
        for name, what in found:
            checks = reference.changed_checks.get(name)
            detail = f" (the output of check {', '.join(checks)})" if checks else ""
            print(f"{os.path.join(shown, name)} {what}{detail}")
        return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
