#!/usr/bin/env python3
"""Writes the panel's acceptance cases (UTF-16 settings and layout files,
cesim arguments and scripts) below vessarine/. The expected traces are made
by running the cases with UPDATE_EXPECTED=1 and reviewed by hand."""

import os
import struct

from case_folders import unicode, write_case

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "vessarine")


def bitmap(width, height):
    """A 24-bit bitmap whose every pixel tells its place: red = 4x, green = 4y, blue 0x40."""
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            row += bytes((0x40, (4 * y) & 0xFF, (4 * x) & 0xFF))
        pixels += row + b"\0" * (row_size - width * 3)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40) + info + pixels


def case(name, files, args=("vessarine", "--root", "@ROOT@"), script=None, extra=(), picture=False):
    write_case(os.path.join(ROOT, name), files, list(args) + list(extra), script, picture)


def spaced(*commands):
    """Taps half a second apart, so that no two of them make a double click."""
    script = []
    for command in commands:
        if script:
            script.append("wait 600")
        script.append(command)
    return script


# A layout that places its window at once and quits on a close request at once.
STILL = ["GLOBALSETTINGS", "StartUpAnimation=NoAnimation", "ShutDownAnimation=NoAnimation"]


def layout(*lines, settings=STILL):
    return unicode(*(list(settings) + [""] + list(lines)))


def main():
    # Start-up and the settings file.
    case("settings-beside-the-program", {
        "Vessarine.exe": b"",
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout(),
    }, script=["close"])
    case("settings-absolute-path", {
        "cfg/s.ini": unicode("# comment", "/ comment", "; comment", "a.ini"),
        "cfg/a.ini": layout(),
        "VessarineSettings.ini": unicode("wrong.ini"),
    }, extra=["--", "\\cfg\\s.ini"], script=["close"])
    case("settings-relative-to-the-program", {
        "Prog/Vessarine.exe": b"",
        "Prog/cfg/s.ini": unicode("..\\a.ini", "\\b.ini"),
        "Prog/a.ini": layout(),
        "Prog/cfg/b.ini": layout(),
    }, extra=["--exe", "\\Prog\\Vessarine.exe", "--", "cfg\\s.ini\"\""], script=["close"])
    case("settings-missing", {}, extra=["--", "\\nowhere.ini"])
    case("settings-not-unicode", {"VessarineSettings.ini": b"a.ini\r\n"})
    case("settings-only-comments", {"VessarineSettings.ini": unicode("# a.ini", "; b.ini")})
    case("windows-in-file-order-one-missing", {
        "VessarineSettings.ini": unicode("one.ini", "missing.ini", "two.ini", "three.ini"),
        "one.ini": layout("SPACE"),
        "two.ini": layout("SPACE", settings=STILL + ["x=130", "TopMost=0"]),
        "three.ini": layout("SPACE", settings=STILL + ["x=260"]),
    }, script=["close"])
    case("layout-not-unicode", {
        "VessarineSettings.ini": unicode("bad.ini"),
        "bad.ini": b"GLOBALSETTINGS\r\n",
    })

    # Sizes and placement.
    case("arrange-vertical", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout(
            "SPACE", "Space=20", "",
            "BUTTON", "Height=30", "Command=\\first.exe", "",
            "SPACE", "Space=40", "",
            settings=STILL + ["Width=200", "Border=4"]),
        "first.exe": b"",
    }, script=spaced("tap 195 30", "tap 196 30", "tap 5 26", "tap 5 25", "tap 5 56", "close"))
    case("arrange-horizontal", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout(
            "BUTTON", "Width=50", "Height=20", "Command=\\first.exe", "",
            "BUTTON", "Width=60", "Height=30", "Command=\\second.exe", "",
            "SPACE", "Space=40", "",
            settings=STILL + ["Arrange=Horizontal", "Distance=0", "y=100"]),
        "first.exe": b"", "second.exe": b"",
    }, script=spaced("tap 49 110", "tap 50 110", "tap 50 131", "close"))
    case("arrange-none-negative-positions", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout(
            "BUTTON", "x=-1", "y=-1", "Width=30", "Height=10", "Command=\\corner.exe", "",
            settings=STILL + ["Arrange=No", "Width=240", "Height=40", "x=-10", "y=-20"]),
        "corner.exe": b"",
    }, script=spaced("tap 438 241", "tap 439 242", "close"))
    case("arrange-diagonal-is-a-bad-value", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", settings=STILL + ["Arrange=Diagonal", "BackgroundColor=FFF", "Colour=1", "StartUpAnimation=Spiral"]),
    }, script=["close"])
    case("unknown-sections-and-keys", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout(
            "Text", "",
            "GAUGE", "x=1", "y=2", "",
            "TEXTBOX", "Text=ok", "TIME", "Width=", "Colour=FF0000", " x=3", "",
            "SPACE", "Colour=FF0000", "Space=", ""),
    }, script=["close"])

    # Animations, step by step.
    case("opening-fly-down-and-closing-fly-up", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", "Space=96", settings=[
            "GLOBALSETTINGS", "StartUpAnimation=FlyDown", "ShutDownAnimation=FlyUp", "Accelerated=0", "Border=2"]),
    }, script=["wait 1000", "close"])
    case("opening-accelerated-and-closing-roll-down", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", "Space=96", settings=[
            "GLOBALSETTINGS", "StartUpAnimation=FlyDown", "ShutDownAnimation=RollDown", "Border=2", "x=-1"]),
    }, script=["wait 1000", "close"])
    case("long-accelerated-animation", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", "Space=100", settings=[
            "GLOBALSETTINGS", "StartUpAnimation=FlyRight", "AnimationTime=10000", "Width=240"]),
    }, args=("vessarine", "--root", "@ROOT@", "--until", "10100"))

    # Close requests and double clicks.
    case("quit-button-exit-code-7-with-animation", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BUTTON", "Height=20", "QuitOnExecute=1", "ExitCode=7", settings=[
            "GLOBALSETTINGS", "StartUpAnimation=NoAnimation", "ShutDownAnimation=FlyRight", "AnimationTime=100", "Accelerated=0"]),
    }, script=["tap 10 10"])
    case("quit-button-exit-code-7-without-animation", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BUTTON", "Height=20", "QuitOnExecute=ja", "ExitCode=7"),
    }, script=["tap 10 10"])
    case("double-click-with-about-box", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", "Space=20"),
    }, script=["dblclick 10 10"])
    case("double-click-without-about-box", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", "Space=20", settings=STILL + ["ShowMessage=0"]),
    }, script=["dblclick 10 10"])
    case("double-click-ignored", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", "Space=20", settings=STILL + ["QuitOnDoubleClick=0"]),
    }, script=["dblclick 10 10", "wait 100", "close"])
    case("double-click-ignored-while-animating", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", "Space=20", settings=["GLOBALSETTINGS", "StartUpAnimation=RollDown", "AnimationTime=100",
                                                        "ShutDownAnimation=NoAnimation"]),
    }, script=["wait 50", "dblclick 10 5", "wait 100", "close"])

    # Buttons.
    case("button-taps-and-commands", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout(
            "BUTTON", "Height=10", "Command=\"\\Windows\\prog.exe\"  -a -b", "",
            "BUTTON", "Height=10", "Command=\"\\Windows\\prog.exe\"", "",
            "BUTTON", "Height=10", "Command=\\Program Files\\x.exe", "",
            "BUTTON", "Height=10", "Command=\"\\Windows\\prog.exe", "QuitOnExecute=1", "",
            "BUTTON", "Height=10", "Command=\"", "",
            "BUTTON", "Height=10", "Command=\\Windows\\prog.exe", "NewIni=other.ini", "",
            "BUTTON", "Height=10", "NewIni=\\elsewhere\\doc.txt", "",
            settings=STILL + ["Border=5"]),
        "Windows/prog.exe": b"",
        "Program Files/x.exe": b"",
    }, script=spaced(
        "tap 10 10",                   # quoted program with two blanks before its parameters
        "tap 10 22",                   # quoted program alone
        "tap 10 34",                   # unquoted path with a blank: one file
        "tap 10 46", "tap 10 46",      # missing quote: a box on every press, no close request
        "tap 10 58",                   # a lone quote
        "tap 10 70",                   # NewIni after Command: the resolved layout is opened like a document
        "tap 10 82",                   # a command that cannot start: not reported
        "tap 7 10",                    # two pixels inside the left edge: inside
        "press 10 10", "release 300 10",  # sliding off: nothing runs
        "release 10 10",               # a release without a press
        "tap 2 2",                     # empty space: nothing
        "close"))

    # Layout switches.
    case("switch-layout-without-animation", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BUTTON", "Height=20", "NewIni=b.ini", "ShutDownAnimation=NoAnimation",
                        settings=STILL + ["AnimationTime=100"]),
        "b.ini": layout("BUTTON", "Height=30", "QuitOnExecute=1", "ExitCode=4",
                        settings=["GLOBALSETTINGS", "x=200", "AnimationTime=300"]),
    }, script=["tap 10 10", "wait 400", "tap 210 10"])
    case("switch-layout-fly-left", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BUTTON", "Height=20", "NewIni=sub\\b.ini", "ShutDownAnimation=FlyLeftXYZ",
                        settings=STILL + ["AnimationTime=100", "Accelerated=0"]),
        "sub/b.ini": layout("SPACE", settings=["GLOBALSETTINGS", "x=200", "AnimationTime=100", "Accelerated=0"]),
    }, script=["tap 10 10", "wait 200", "close"])
    case("switch-layout-to-missing-file", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BUTTON", "Height=20", "NewIni=gone.ini", "ShutDownAnimation=RollDown",
                        settings=STILL + ["AnimationTime=60", "Accelerated=0"]),
    }, script=["tap 10 10"])

    # Pictures: the screen when the run ends, compared pixel by pixel.
    case("background-bitmap-missing", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("SPACE", "Space=20", settings=STILL + ["BackgroundColor=336699", "BackgroundBitmap=pics\\none.bmp"]),
    }, picture=True)
    case("background-bitmap-with-offsets", {
        "VessarineSettings.ini": unicode("a.ini", "b.ini", "c.ini"),
        "pics/grid.bmp": bitmap(64, 48),
        "a.ini": layout("SPACE", "Space=30", settings=STILL + [
            "x=10", "y=10", "Width=40", "BackgroundColor=FF00FF", "BackgroundBitmap=pics\\grid.bmp"]),
        "b.ini": layout("SPACE", "Space=30", settings=STILL + [
            "x=70", "y=10", "Width=40", "BackgroundBitmap=\\pics\\grid.bmp", "BitmapOffsetX=30", "BitmapOffsetY=20"]),
        "c.ini": layout("SPACE", "Space=30", settings=STILL + [
            "x=20", "y=-200", "Width=60", "BackgroundColor=00FF00", "BackgroundBitmap=pics\\grid.bmp",
            "BitmapOffsetX=x", "BitmapOffsetY=y"]),
    }, picture=True)
    case("texts-framed-and-broken-into-lines", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout(
            "TEXT", "", "TEXT", "Text=Zwei\\nZeilen", "Color=FFFFFF", "FrameColor=FF0000", "",
            "TEXT", "Text=links", "Align=Left", "Color=FFFF00", "",
            "TEXT", "Text=rechts", "Align=Right", "Color=00FFFF", "",
            "TEXT", "Text=Groß", "Font=DejaVu Serif", "Size=-24", "Weight=700", "CreateFont", "Color=FFC080",
            settings=STILL + ["BackgroundColor=202040", "Border=3", "Width=150"]),
    }, picture=True)

    # Live displays.
    case("diskmem-missing-folder-then-present", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("DISKMEM", "Folder=\\Storage Card", "Interval=500", "TextColor=FFFFFF",
                        settings=STILL + ["Width=180", "Border=4", "BackgroundColor=203040"]),
    }, args=("vessarine", "--root", "@ROOT@", "--until", "2000"),
        script=["wait 1000", "disk \\Storage Card 1073741824 268435456"], picture=True)
    case("diskmem-missing-folder", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("DISKMEM", "Folder=\\Storage Card\\Fotos", "TextColor=FFFFFF", "Height=40",
                        settings=STILL + ["Width=180", "Border=4", "BackgroundColor=203040"]),
    }, picture=True)
    case("memory-gauges-plain-and-cool", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("MEMORY", "VirtMemString=1", "VirtMemValue=1", "VirtMemBar=1", "VirtMemPercent=1", "", 
                        "MEMORY", "CoolPhysMemBar=0", "PhysMemPercent=1", "Color=FFFFFF",
                        settings=STILL + ["Width=200", "Border=4", "BackgroundColor=506070"]),
    }, script=["memory 67108864 10000000 33554432 30000000"], picture=True)
    case("clock-every-second", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("TIME", "Format=HH:mm:ss", "Interval=1000", "Color=FFFFFF",
                        settings=STILL + ["BackgroundColor=000000"]),
    }, args=("vessarine", "--root", "@ROOT@", "--until", "3500"), picture=True)
    for locale in ("de-DE", "en-US"):
        case("clock-and-date-" + locale, {
            "VessarineSettings.ini": unicode("a.ini"),
            "a.ini": layout("TIME", "Color=FFFFFF", "", "DATE", "Color=FFFFFF", "",
                            "TIME", "Format='um' h:mm tt", "Color=FFFF00", "",
                            "DATE", "Format=dddd, d. MMMM yyyy", "Color=FFFF00",
                            settings=STILL + ["Width=220", "BackgroundColor=000000"]),
        }, args=("vessarine", "--root", "@ROOT@", "--locale", locale, "--clock", "2026-12-07T14:05:09"), picture=True)
    case("battery-test-box", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BATTERY", "Test=1", "", "BATTERY", "Test=1"),
    }, script=["power ACLineStatus=1 BatteryFlag=9 BatteryLifePercent=42 BatteryLifeTime=3600 BatteryVoltage=4100 "
               "BatteryTemperature=31 BackupBatteryVoltage=3000", "answer ok", "close"])
    case("battery-power-query-fails", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BATTERY", "Test=1"),
    }, script=["power fail", "close"])
    case("battery-power-call-absent", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BATTERY", "Test=1", "Width=60", "Height=24", settings=STILL + ["BackgroundColor=FFFFFF"]),
    }, script=["power-call absent"], picture=True)
    case("battery-library-absent", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BATTERY", "Test=1", "Width=60", "Height=24"),
    }, script=["power-call no-library", "close"])
    case("battery-tap-queries-afresh", {
        "VessarineSettings.ini": unicode("a.ini"),
        "a.ini": layout("BATTERY", "Width=60", "Height=24", "", "BATTERY", "CoolBattery=0", "Width=60", "Height=24",
                        settings=STILL + ["BackgroundColor=FFFFFF", "Arrange=Horizontal", "Distance=4"]),
    }, script=["power BatteryLifePercent=20", "wait 100", "power BatteryLifePercent=90 ACLineStatus=1",
               "tap 10 10", "wait 600", "tap 70 10"], picture=True)


if __name__ == "__main__":
    main()
