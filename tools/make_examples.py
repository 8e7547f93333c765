#!/usr/bin/env python3
"""Writes the example panel into examples/: the settings file, two layout
files (UTF-16LE with byte-order mark, CR LF) and the background picture, a
480x272 24-bit bitmap drawn here. Run it again after changing it."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "examples")


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


def main():
    write_background("background.bmp")
    write_unicode("VessarineSettings.ini", [
        "; Die Panels dieses Geräts, eines pro Zeile",
        "main.ini",
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
        "; Drei Knöpfe: unsichtbare Tastflächen, vor ihren Beschriftungen, damit sie das Tippen bekommen",
        "BUTTON",
        "x=8",
        "y=132",
        "Width=70",
        "Height=24",
        "Command=\"\\Windows\\pword.exe\"  \"\\My Documents\\Einkäufe Woche.psw\"",
        "",
        "TEXT",
        "x=8",
        "y=132",
        "Width=70",
        "Height=24",
        "Text=Notizen",
        "Color=000000",
        "FrameColor=F0F0F0",
        "",
        "BUTTON",
        "x=84",
        "y=132",
        "Width=70",
        "Height=24",
        "NewIni=details.ini",
        "ShutDownAnimation=FlyLeft",
        "",
        "TEXT",
        "x=84",
        "y=132",
        "Width=70",
        "Height=24",
        "Text=Mehr »",
        "Color=000000",
        "FrameColor=F0F0F0",
        "",
        "BUTTON",
        "x=160",
        "y=132",
        "Width=70",
        "Height=24",
        "QuitOnExecute=1",
        "ExitCode=3",
        "",
        "TEXT",
        "x=160",
        "y=132",
        "Width=70",
        "Height=24",
        "Text=Ende",
        "Color=FFFFFF",
        "FrameColor=801010",
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
        "; Zweite Seite: auf festem Grund, rechts am Bildschirm",
        "GLOBALSETTINGS",
        "x=-16",
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
        "BUTTON",
        "x=10",
        "y=-10",
        "Width=86",
        "Height=26",
        "NewIni=main.ini",
        "ShutDownAnimation=RollDown",
        "",
        "TEXT",
        "x=10",
        "y=-10",
        "Width=86",
        "Height=26",
        "Text=« Zurück",
        "Color=FFFFFF",
        "FrameColor=204080",
        "",
        "BUTTON",
        "x=-10",
        "y=-10",
        "Width=86",
        "Height=26",
        "QuitOnExecute=1",
        "ExitCode=7",
        "",
        "TEXT",
        "x=-10",
        "y=-10",
        "Width=86",
        "Height=26",
        "Text=Beenden",
        "Color=FFFFFF",
        "FrameColor=801010",
    ])


if __name__ == "__main__":
    main()
