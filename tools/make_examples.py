#!/usr/bin/env python3
"""Writes the examples: examples/ for the device (and cesim), whose commands
are the device's own programs, examples/desktop/ for a Linux desktop, whose
every button and key starts a program a stock Debian desktop has, and
examples/windows-desktop/ for Windows, with programs every Windows (and Wine) has.
All hold the panel's settings and layout files and the daemon's key files
(UTF-16LE with byte-order mark, CR LF) and the pictures they use, all drawn
here. Run it again after changing it."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "examples")


# The end of both status pages: memory, then the storage of the root folder.
MEMORY_AND_STORAGE = [
    "",
    "MEMORY",
    "Color=E0E8F0",
    "VirtMemString=1",
    "VirtMemBar=1",
    "VirtMemPercent=1",
    "CenterValue=1",
    "Interval=5000",
    "",
    "DISKMEM",
    "Folder=\\",
    "Color=E0E8F0",
    "CoolBar=0",
    "Bar=1",
    "Interval=60000",
]


def write_unicode(name, lines):
    text = "\r\n".join(lines) + "\r\n"
    with open(os.path.join(EXAMPLES, name), "wb") as out:
        out.write(b"\xff\xfe" + text.encode("utf-16-le"))


def write_background(name, width=480, height=272):
    """A dusk gradient with a soft horizon band, bottom-up rows as bitmaps store them."""
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            t = y * 255 // (height - 1)
            glow = max(0, 60 - abs(y - 190)) * 2
            red = min(255, 20 + t * 3 // 5 + glow)
            green = min(255, 30 + t * 2 // 5 + glow // 2)
            blue = min(255, 90 + (255 - t) * 2 // 5)
            if (x // 24 + y // 24) % 2 == 0:
                blue = max(0, blue - 6)
            row += bytes((blue, green, red))
        row += b"\0" * (row_size - width * 3)
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(os.path.join(EXAMPLES, name), "wb") as out:
        out.write(header + info + pixels)


def write_icon(name, sizes):
    """A 32-bit icon file with one image per size: a round dial with a soft,
    alpha-blended rim and a hand, drawn here."""
    images = []
    for size in sizes:
        pixels = bytearray()
        centre = (size - 1) / 2
        radius = size / 2
        for y in range(size - 1, -1, -1):  # bottom-up rows
            for x in range(size):
                dx, dy = x - centre, y - centre
                d = (dx * dx + dy * dy) ** 0.5
                alpha = max(0, min(255, int((radius - d) * 255)))
                shade = int(255 - d / radius * 120)
                blue, green, red = 60 + shade // 3, shade, 40
                if abs(dx) <= size / 16 and -radius * 0.7 < dy < 0:  # the hand, pointing up
                    blue, green, red = 250, 250, 250
                if d < size / 12:
                    blue, green, red = 30, 30, 30
                pixels += bytes((blue, green, red, alpha))
        mask_row = ((size + 31) // 32) * 4
        info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(pixels), 0, 0, 0, 0)
        images.append(info + pixels + b"\0" * (mask_row * size))
    header = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(os.path.join(EXAMPLES, name), "wb") as out:
        out.write(header + entries + b"".join(images))


def write_button_bitmap(name, width, height, pushed):
    """A rounded key with a play triangle, lighter at the top; darker when pushed."""
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            light = 200 - y * 120 // height - (50 if pushed else 0)
            blue, green, red = light, light // 2 + 60, 40
            if x in (0, width - 1) or y in (0, height - 1):
                blue, green, red = 20, 30, 20
            tx, ty = x - width // 3, y - height // 2
            if 0 <= tx < height // 2 and abs(ty) <= (height // 2 - tx) // 2:
                blue, green, red = 240, 250, 250
            row += bytes((max(blue, 0), max(green, 0), red))
        pixels += row + b"\0" * (row_size - width * 3)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    with open(os.path.join(EXAMPLES, name), "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54) + info + pixels)


def main():
    write_background("background.bmp")
    write_icon("dial.ico", [16, 24, 32])
    write_button_bitmap("play.bmp", 40, 24, pushed=False)
    write_button_bitmap("play-pushed.bmp", 40, 24, pushed=True)
    write_unicode("Brellum.ini", [
        "; Tasten des Geräts: kurz drücken startet Command, lang CommandLong",
        "BRELLUM",
        "KeyCode=193",
        "Command=\\Windows\\clock.exe",
        "CommandLong=\\Windows\\calc.exe",
        "",
        "; Diese Taste schaltet alle Tasten ab, bis E im Fenster sie wieder einschaltet",
        "BRELLUM",
        "KeyCode=194",
        "CommandShort=\\Windows\\pword.exe",
        "Disable=1",
        "",
        "; Und diese lädt eine andere Belegung",
        "BRELLUM",
        "KeyCode=195",
        "NewIni=\\BrellumNacht.ini",
        "",
        "SETTINGS",
        "ElapseTime=800",
        "ElapseTimeLong=1500",
        "QueryTermination=1",
    ])
    write_unicode("BrellumNacht.ini", [
        "; Die Belegung für die Nacht: eine Taste, zurück zur Tagbelegung",
        "BRELLUM",
        "KeyCode=193",
        "CommandLong=\\Windows\\clock.exe",
        "NewIni=\\Brellum.ini",
    ])
    write_unicode("buttons.ini", [
        "; Unten: Knöpfe aus Bitmaps, Icons und ein flacher Knopf",
        "GLOBALSETTINGS",
        "x=16",
        "y=-28",
        "Width=240",
        "Border=3",
        "Distance=6",
        "Arrange=Horizontal",
        "BackgroundColor=2A3440",
        "StartUpAnimation=FlyUp",
        "ShutDownAnimation=FlyDown",
        "AnimationTime=500",
        "",
        "BITMAPBUTTON",
        "BitmapNormal=play.bmp",
        "BitmapPushed=play-pushed.bmp",
        "Command=\\Windows\\calc.exe",
        "",
        "ICONXPBUTTON",
        "SizeNormal=24",
        "SizePushed=24",
        "IconNormal=dial.ico",
        "IconPushed=dial.ico",
        "Command=\\Windows\\clock.exe",
        "",
        "; grau",
        "ICONXPBUTTON",
        "SizeNormal=24",
        "SizePushed=24",
        "Gray=1",
        "IconNormal=dial.ico",
        "IconPushed=dial.ico",
        "",
        "; umgefärbt, gedrückt kleiner",
        "ICONXPBUTTON",
        "SizeNormal=24",
        "SizePushed=16",
        "ScaleGreen=40",
        "AddRed=150",
        "IconNormal=dial.ico",
        "IconPushed=dial.ico",
        "Command=\\Windows\\clock.exe",
        "",
        "WINDOWSBUTTON",
        "Width=64",
        "Height=24",
        "Offset=1",
        "ColorNormal=D8D0C0",
        "ColorPushed=B0A890",
        "Text=Schließen",
        "Color=202020",
        "QuitOnExecute=1",
        "ExitCode=5",
    ])
    write_unicode("VessarineSettings.ini", [
        "; Die Panels dieses Geräts, eines pro Zeile",
        "main.ini",
        "live.ini",
        "buttons.ini",
    ])
    write_unicode("live.ini", [
        "; Rechts: Uhr, Datum, Akku und Speicher, laufend aufgefrischt",
        "GLOBALSETTINGS",
        "x=-8",
        "y=8",
        "Width=196",
        "Border=6",
        "Distance=4",
        "BackgroundColor=182028",
        "StartUpAnimation=FlyLeft",
        "ShutDownAnimation=FlyRight",
        "AnimationTime=500",
        "",
        "TIME",
        "Format=HH:mm:ss",
        "Interval=1000",
        "Font=DejaVu Sans",
        "Size=-28",
        "Weight=700",
        "CreateFont",
        "Color=F0F4FF",
        "FrameColor=304060",
        "",
        "DATE",
        "Format=dddd, d. MMMM yyyy",
        "Color=A8C0E0",
        "",
        "BATTERY",
        "Height=26",
        "ColorBattery=707880",
        "",
        "BATTERY",
        "CoolBattery=0",
        "Height=22",
        "Segments=5",
        "ColorBattery=C0C8D0",
        *MEMORY_AND_STORAGE,
    ])
    write_unicode("main.ini", [
        "; Startseite: Texte in mehreren Schriften über dem Hintergrundbild",
        "GLOBALSETTINGS",
        "x=16",
        "y=12",
        "Width=236",
        "Height=200",
        "Border=2",
        "Arrange=No",
        "BackgroundColor=203050",
        "BackgroundBitmap=background.bmp",
        "BitmapOffsetX=x",
        "BitmapOffsetY=y",
        "StartUpAnimation=FlyDown",
        "ShutDownAnimation=FlyUp",
        "AnimationTime=600",
        "",
        "TEXT",
        "x=8",
        "y=6",
        "Text=Vessarine",
        "Font=DejaVu Serif",
        "Size=-30",
        "Weight=700",
        "CreateFont",
        "Color=FFE9A8",
        "FrameColor=2A1E10",
        "Align=Left",
        "",
        "TEXT",
        "x=10",
        "y=46",
        "Text=Guten Abend!\\nDas Panel zeigt Texte,\\nöffnet Programme und Seiten.",
        "Font=DejaVu Sans",
        "Size=-12",
        "CreateFont",
        "Color=FFFFFF",
        "Align=Left",
        "",
        "TEXT",
        "x=-8",
        "y=106",
        "Text=rechtsbündig, schmal",
        "Font=DejaVu Sans Mono",
        "Size=-11",
        "CreateFont",
        "Color=C8D8FF",
        "Align=Right",
        "",
        "; Drei Knöpfe mit Beschriftung: ein gedrückter Knopf zeichnet sich selbst neu, samt Text",
        "WINDOWSBUTTON",
        "x=8",
        "y=132",
        "Width=70",
        "Height=24",
        "Offset=1",
        "ColorNormal=F0F0F0",
        "ColorPushed=B4B4B4",
        "Text=Notizen",
        "Color=000000",
        "Command=\"\\Windows\\pword.exe\"  \"\\My Documents\\Einkäufe Woche.psw\"",
        "",
        "WINDOWSBUTTON",
        "x=84",
        "y=132",
        "Width=70",
        "Height=24",
        "Offset=1",
        "ColorNormal=F0F0F0",
        "ColorPushed=B4B4B4",
        "Text=Mehr »",
        "Color=000000",
        "NewIni=details.ini",
        "ShutDownAnimation=FlyLeft",
        "",
        "WINDOWSBUTTON",
        "x=160",
        "y=132",
        "Width=70",
        "Height=24",
        "Offset=1",
        "ColorNormal=801010",
        "ColorPushed=600C0C",
        "Text=Ende",
        "Color=FFFFFF",
        "QuitOnExecute=1",
        "ExitCode=3",
        "",
        "TEXT",
        "x=0",
        "y=-4",
        "Width=236",
        "Height=16",
        "Text=Doppeltippen schließt das Panel",
        "Size=-10",
        "CreateFont",
        "Color=3A2010",
    ])
    write_unicode("details.ini", [
        "; Zweite Seite: auf festem Grund, wo die erste stand",
        "GLOBALSETTINGS",
        "x=16",
        "y=12",
        "Width=200",
        "Height=150",
        "Arrange=No",
        "BackgroundColor=F4EEDC",
        "StartUpAnimation=FlyLeft",
        "ShutDownAnimation=RollDown",
        "Accelerated=0",
        "AnimationTime=500",
        "",
        "TEXT",
        "x=10",
        "y=8",
        "Text=Einzelheiten",
        "Font=DejaVu Sans",
        "Size=-18",
        "Weight=700",
        "CreateFont",
        "Color=402000",
        "Align=Left",
        "",
        "TEXT",
        "x=10",
        "y=40",
        "Text=Zwei Zeilen Text,\\nzwei Knöpfe darunter.",
        "Color=303030",
        "Align=Left",
        "",
        "WINDOWSBUTTON",
        "x=10",
        "y=-10",
        "Width=86",
        "Height=26",
        "Offset=1",
        "ColorNormal=204080",
        "ColorPushed=183060",
        "Text=« Zurück",
        "Color=FFFFFF",
        "NewIni=main.ini",
        "ShutDownAnimation=RollDown",
        "",
        "WINDOWSBUTTON",
        "x=-10",
        "y=-10",
        "Width=86",
        "Height=26",
        "Offset=1",
        "ColorNormal=801010",
        "ColorPushed=600C0C",
        "Text=Beenden",
        "Color=FFFFFF",
        "QuitOnExecute=1",
        "ExitCode=7",
    ])


def desktop_button(x, y, text, *lines, normal="E8ECF2", pushed="B8C0CC", color="101820"):
    return ["", "WINDOWSBUTTON", f"x={x}", f"y={y}", "Width=84", "Height=26", "Offset=1",
            f"ColorNormal={normal}", f"ColorPushed={pushed}", f"Text={text}", f"Color={color}", *lines]


# The programs each desktop's example starts: (caption, command, what it is).
LINUX_DESKTOP = {
    "folder": "desktop",
    "newline": "\n",
    "opener": "xdg-open",
    "terminal": ("Terminal", "x-terminal-emulator", "ein Terminal"),
    "notes": "\"xdg-open\" Notizen.txt",
    "tool": ("Uhr", "xclock", "die Uhr"),
    "files": "\"xdg-open\" .",
    "dial": ("Das Zifferblatt startet xeyes:\\nzwei Augen folgen dem Zeiger.", "xeyes"),
}
# Programs that every Windows has, and Wine too.
WINDOWS_DESKTOP = {
    "folder": "windows-desktop",
    "newline": "\r\n",
    "opener": "dem Editor",
    "terminal": ("Eingabe", "cmd.exe", "die Eingabeaufforderung"),
    "notes": "\"notepad.exe\" Notizen.txt",
    "tool": ("Aufgaben", "taskmgr.exe", "den Task-Manager"),
    "files": "\"explorer.exe\" .",
    "dial": ("Das Zifferblatt öffnet die\\nSystemsteuerung.", "control.exe"),
}


def main_desktop(host):
    """A desktop's example: two pages at the top left that switch, a status
    page at the bottom right (the top-right corner is where trays sit), and
    keys F9 to F11 for the daemon, starting the programs of `host`. Relative
    names are taken from the folder the programs are started in, which
    scripts/example makes this folder."""
    folder = host["folder"]
    os.makedirs(os.path.join(EXAMPLES, folder), exist_ok=True)
    write_background(f"{folder}/start.bmp", 288, 196)
    write_icon(f"{folder}/dial.ico", [16, 24, 32])
    with open(os.path.join(EXAMPLES, folder, "Notizen.txt"), "w", encoding="utf-8", newline=host["newline"]) as out:
        out.write("Notizen\n\nDiese Datei öffnet der Knopf \"Notizen\" des Beispiels\n"
                  f"und die Taste F10 des Tastendämons, mit {host['opener']}.\n")
    write_unicode(f"{folder}/VessarineSettings.ini", [
        "; Das Beispiel für den Desktop: links oben die Startseite, rechts unten der Zustand",
        "start.ini",
        "status.ini",
    ])
    write_unicode(f"{folder}/start.ini", [
        "; Startseite: jeder Knopf startet ein Programm des Desktops",
        "GLOBALSETTINGS",
        "x=16",
        "y=16",
        "Width=288",
        "Height=196",
        "Border=2",
        "Arrange=No",
        "BackgroundColor=203050",
        "BackgroundBitmap=start.bmp",
        "StartUpAnimation=FlyDown",
        "ShutDownAnimation=FlyUp",
        "AnimationTime=500",
        "",
        "TEXT",
        "x=12",
        "y=8",
        "Text=Vessarine",
        "Font=DejaVu Serif",
        "Size=-28",
        "Weight=700",
        "CreateFont",
        "Color=FFE9A8",
        "FrameColor=2A1E10",
        "Align=Left",
        "",
        "TEXT",
        "x=14",
        "y=48",
        "Text=Jeder Knopf startet ein Programm,\\nF9 bis F11 sind die Tasten des Dämons.",
        "Font=DejaVu Sans",
        "Size=-12",
        "CreateFont",
        "Color=FFFFFF",
        "FrameColor=182038",
        "Align=Left",
        *desktop_button(12, 96, host["terminal"][0], "Command=" + host["terminal"][1]),
        *desktop_button(102, 96, "Notizen", "Command=" + host["notes"]),
        *desktop_button(192, 96, host["tool"][0], "Command=" + host["tool"][1]),
        *desktop_button(12, 128, "Ordner", "Command=" + host["files"]),
        *desktop_button(102, 128, "Mehr »", "NewIni=more.ini", "ShutDownAnimation=FlyLeft"),
        *desktop_button(192, 128, "Ende", "QuitOnExecute=1", "ExitCode=0",
                        normal="A01818", pushed="701010", color="FFFFFF"),
        "",
        "TEXT",
        "x=0",
        "y=-6",
        "Width=288",
        "Height=16",
        "Text=Doppeltippen schließt das Panel",
        "Size=-11",
        "CreateFont",
        "Color=FFF4E0",
        "FrameColor=402010",
    ])
    write_unicode(f"{folder}/more.ini", [
        "; Zweite Seite, wo die erste stand: ein Icon-Knopf und der Weg zurück",
        "GLOBALSETTINGS",
        "x=16",
        "y=16",
        "Width=288",
        "Height=196",
        "Arrange=No",
        "BackgroundColor=F4EEDC",
        "StartUpAnimation=FlyLeft",
        "ShutDownAnimation=FlyUp",
        "AnimationTime=400",
        "",
        "TEXT",
        "x=12",
        "y=10",
        "Text=Mehr",
        "Font=DejaVu Sans",
        "Size=-20",
        "Weight=700",
        "CreateFont",
        "Color=402000",
        "Align=Left",
        "",
        "TEXT",
        "x=56",
        "y=58",
        "Text=" + host["dial"][0],
        "Color=303030",
        "Align=Left",
        "",
        "ICONXPBUTTON",
        "x=14",
        "y=56",
        "SizeNormal=32",
        "SizePushed=24",
        "IconNormal=dial.ico",
        "IconPushed=dial.ico",
        "Command=" + host["dial"][1],
        *desktop_button(12, -12, "« Zurück", "NewIni=start.ini", "ShutDownAnimation=FlyRight",
                        normal="204080", pushed="183060", color="FFFFFF"),
    ])
    write_unicode(f"{folder}/status.ini", [
        "; Rechts unten, wo keine Leiste liegt: Uhr, Datum, Akku, Speicher und Platte",
        "GLOBALSETTINGS",
        "x=-16",
        "y=-16",
        "Width=196",
        "Border=6",
        "Distance=4",
        "BackgroundColor=182028",
        "StartUpAnimation=FlyUp",
        "ShutDownAnimation=FlyDown",
        "AnimationTime=500",
        "",
        "TIME",
        "Format=HH:mm:ss",
        "Interval=1000",
        "Font=DejaVu Sans",
        "Size=-26",
        "Weight=700",
        "CreateFont",
        "Color=F0F4FF",
        "FrameColor=304060",
        "",
        "DATE",
        "Format=dddd, d. MMMM yyyy",
        "Color=A8C0E0",
        "",
        "BATTERY",
        "Height=22",
        "ColorBattery=C0C8D0",
        *MEMORY_AND_STORAGE,
    ])
    write_unicode(f"{folder}/Brellum.ini", [
        f"; Die Tasten des Desktops: F9 kurz {host['tool'][2]}, lang {host['terminal'][2]}",
        "BRELLUM",
        "KeyCode=120",
        "Command=" + host["tool"][1],
        "CommandLong=" + host["terminal"][1],
        "",
        "; F10 kurz öffnet die Notizen mit dem Programm, das der Desktop für Text nimmt",
        "BRELLUM",
        "KeyCode=121",
        "Command=Notizen.txt",
        "",
        "; F11 kurz lädt die Belegung für die Nacht",
        "BRELLUM",
        "KeyCode=122",
        "NewIni=BrellumNacht.ini",
        "",
        "SETTINGS",
        "ElapseTime=800",
        "ElapseTimeLong=1500",
    ])
    write_unicode(f"{folder}/BrellumNacht.ini", [
        f"; Die Nacht: F9 lang zeigt {host['tool'][2]}, F11 kurz zurück zur Tagbelegung",
        "BRELLUM",
        "KeyCode=120",
        "CommandLong=" + host["tool"][1],
        "",
        "BRELLUM",
        "KeyCode=122",
        "NewIni=Brellum.ini",
    ])


if __name__ == "__main__":
    main()
    main_desktop(LINUX_DESKTOP)
    main_desktop(WINDOWS_DESKTOP)
