"""A private X server with a window manager and a tray, Wine's server for it,
and what the tests see of both: the windows the X server holds, their pixels
(read from the screen with Xlib's XGetImage), and the pictures the simulated
device writes (PNG)."""

import ctypes
import ctypes.util
import os
import re
import shutil
import struct
import subprocess
import time
import zlib

SCREEN_WIDTH = 640
SCREEN_HEIGHT = 480


def wait_until(condition, timeout=5.0, step=0.05):
    """The first true value of condition() within timeout seconds, else None."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= end:
            return None
        time.sleep(step)


def windows_path(path):
    """The name Wine gives a host path: the Z: drive is the host's root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class XSession:
    """Xvfb on a display number it picks itself, openbox and trayer on it."""

    def __init__(self):
        self.processes = []
        self.display = None
        self.screen = None

    def start(self):
        try:
            self._start()
        except BaseException:
            self.stop()
            raise

    def _start(self):
        read_end, write_end = os.pipe()
        server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24",
             "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(server)
        number = b""
        with os.fdopen(read_end, "rb") as reader:
            while not number.endswith(b"\n"):
                byte = reader.read(1)
                if not byte:
                    break
                number += byte
        if not number.strip():
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.display
        self.processes.append(self._quiet(["openbox", "--sm-disable"]))
        if not wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self._root_properties(), 20):
            raise RuntimeError("openbox did not start")
        self.processes.append(self._quiet(
            ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
             "--heighttype", "pixel", "--height", "24", "--transparent", "false"]))
        if not wait_until(lambda: self.windows_of_class("trayer")):
            raise RuntimeError("trayer did not start")

    @staticmethod
    def _quiet(words):
        return subprocess.Popen(words, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def _root_properties(self):
        return subprocess.run(["xprop", "-root"], capture_output=True, text=True).stdout

    def stop(self):
        if self.screen:
            self.screen.close()
            self.screen = None
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self.processes = []

    # Windows as the X server holds them: id, title, class, absolute place,
    # and the id of the window they lie in.
    def windows(self):
        text = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                              errors="replace").stdout
        found = []
        parents = []  # (indent, id)
        line_form = re.compile(
            r'^(\s*)(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \((?:"([^"]*)" "([^"]*)")?.*?\)\s+'
            r'(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)$')
        for line in text.splitlines():
            match = line_form.match(line)
            if not match:
                continue
            indent = len(match.group(1))
            while parents and parents[-1][0] >= indent:
                parents.pop()
            window = {
                "id": int(match.group(2), 16),
                "name": match.group(3) or "",
                "class": match.group(4) or "",
                "width": int(match.group(6)),
                "height": int(match.group(7)),
                "x": int(match.group(8)),
                "y": int(match.group(9)),
                "parent": parents[-1][1] if parents else None,
            }
            found.append(window)
            parents.append((indent, window["id"]))
        return found

    def windows_of_class(self, name):
        return [w for w in self.windows() if w["class"] == name]

    @staticmethod
    def is_shown(window):
        text = subprocess.run(["xwininfo", "-id", str(window["id"])], capture_output=True, text=True).stdout
        return "Map State: IsViewable" in text

    def shown_window(self, condition):
        for window in self.windows():
            if condition(window) and self.is_shown(window):
                return window
        return None

    def xdotool(self, *words):
        return subprocess.run(["xdotool", *words], capture_output=True, text=True, timeout=30)

    def capture(self, x, y, width, height):
        """The screen's pixels in the rectangle, rows top-down, as 0xRRGGBB."""
        if not self.screen:
            self.screen = Screen(self.display)
        return self.screen.pixels(x, y, width, height)


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("create_image", ctypes.c_void_p),
                ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p))]


class Screen:
    """The X server's screen as a client reads it: the root window's pixels,
    which hold every mapped window's (Xvfb composes nothing on top)."""

    def __init__(self, display):
        self.xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XGetImage.restype = ctypes.POINTER(_XImage)
        self.xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.connection = self.xlib.XOpenDisplay(display.encode())
        if not self.connection:
            raise RuntimeError(f"cannot open the display {display}")
        self.root = self.xlib.XDefaultRootWindow(self.connection)

    def pixels(self, x, y, width, height):
        all_planes, z_pixmap = 0xFFFFFFFF, 2
        image = self.xlib.XGetImage(self.connection, self.root, x, y, width, height, all_planes, z_pixmap)
        if not image:
            raise RuntimeError("XGetImage gave no picture")
        try:
            content = image.contents
            if content.bits_per_pixel != 32 or content.byte_order != 0:
                raise ValueError(f"a screen of {content.bits_per_pixel} bits per pixel is not read here")
            data = ctypes.string_at(content.data, content.bytes_per_line * height)
            return [value & 0xFFFFFF for row in range(height)
                    for value in struct.unpack_from(f"<{width}I", data, row * content.bytes_per_line)]
        finally:
            image.contents.destroy_image(ctypes.cast(image, ctypes.c_void_p))

    def close(self):
        self.xlib.XCloseDisplay(self.connection)


def read_png(path):
    """An 8-bit RGB or RGBA PNG without interlace: (width, height, pixels as 0xRRGGBB)."""
    with open(path, "rb") as source:
        data = source.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    position, compressed = 8, b""
    width = height = channels = 0
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            width, height, bit_depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if bit_depth != 8 or colour_type not in (2, 6) or interlace:
                raise ValueError(f"{path}: only 8-bit RGB or RGBA without interlace is read")
            channels = 3 if colour_type == 2 else 4
        elif kind == b"IDAT":
            compressed += body
        elif kind == b"IEND":
            break
    raw = zlib.decompress(compressed)
    stride = width * channels
    previous = bytearray(stride)
    pixels = []
    for row in range(height):
        offset = row * (stride + 1)
        kind, line = raw[offset], bytearray(raw[offset + 1:offset + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - corner
                near = min((abs(guess - left), 0, left), (abs(guess - up), 1, up), (abs(guess - corner), 2, corner))
                line[i] = (line[i] + near[2]) & 0xFF
        pixels.extend((line[i] << 16) | (line[i + 1] << 8) | line[i + 2] for i in range(0, stride, channels))
        previous = line
    return width, height, pixels


def crop(width, height, pixels, x, y, w, h):
    if x < 0 or y < 0 or x + w > width or y + h > height:
        raise ValueError("the rectangle is not inside the picture")
    return [pixels[(y + row) * width + x + column] for row in range(h) for column in range(w)]


def difference(shown, expected, width):
    """None when equal, else a line naming how many pixels differ and the first."""
    if len(shown) != len(expected):
        return f"{len(shown)} pixels shown, {len(expected)} expected"
    differing = [i for i, (a, b) in enumerate(zip(shown, expected)) if a != b]
    if not differing:
        return None
    first = differing[0]
    return (f"{len(differing)} of {len(expected)} pixels differ, the first at ({first % width}, {first // width}): "
            f"shown {shown[first]:06X}, expected {expected[first]:06X}")


def write_ppm(path, width, height, pixels):
    """A picture for a person to look at when a comparison failed."""
    with open(path, "wb") as out:
        out.write(f"P6 {width} {height} 255\n".encode())
        out.write(bytes(byte for p in pixels for byte in ((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)))


class Wine:
    """Wine in the build folder's prefix, its server started for the X session
    with its output discarded: started by the first program of a test, Wine's
    background processes would hold the test's output open."""

    def __init__(self, prefix):
        self.environment = dict(os.environ, WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all",
                                WINEDLLOVERRIDES="mscoree,mshtml=")
        self.wineserver = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
        self.wine = shutil.which("wine") or shutil.which("wine64")

    def start_server(self):
        os.makedirs(self.environment["WINEPREFIX"], exist_ok=True)
        self.environment["DISPLAY"] = os.environ["DISPLAY"]
        self.stop_server()
        subprocess.run([self.wineserver, "-p"], env=self.environment, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([self.wine, "wineboot"], env=self.environment, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)

    def stop_server(self):
        subprocess.run([self.wineserver, "-k"], env=self.environment, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([self.wineserver, "-w"], env=self.environment, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)

    def start(self, program, *arguments, folder=None, output=subprocess.DEVNULL):
        return subprocess.Popen([self.wine, program, *arguments], env=self.environment, cwd=folder,
                                stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.DEVNULL)

    def run(self, program, *arguments, folder=None, timeout=60):
        return subprocess.run([self.wine, program, *arguments], env=self.environment, cwd=folder,
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=timeout)
