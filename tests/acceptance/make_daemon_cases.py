#!/usr/bin/env python3
"""Writes the key-binding daemon's acceptance cases (UTF-16 INI files, cesim
arguments and scripts) below brellum/. The expected traces are made by
running the cases with UPDATE_EXPECTED=1 and reviewed by hand.

Where the daemon window stands on the default 480x272 screen: at (102, 79),
276 x 88, so its client area of 274 x 66 begins at (103, 100). In screen
pixels the "D" field is at x 357-376, y 100-117, the "E" field y 118-135 and
the tray field y 148-166."""

import os

from case_folders import unicode, write_case

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "brellum")

D_FIELD = "tap 366 105"
E_FIELD = "tap 366 125"
TRAY_FIELD = "tap 357 155"
LEFT_OF_TRAY_FIELD = "tap 356 155"


def case(name, files, script=None, extra=(), picture=False):
    write_case(os.path.join(ROOT, name), files, ["brellum", "--root", "@ROOT@"] + list(extra), script, picture)


def press(held, key=193, after=300):
    """The key goes down, stays down `held` ms, then time goes on `after` ms."""
    return ["key %d down" % key, "wait %d" % held, "key %d up" % key, "wait %d" % after]


def binding(key=193, *lines):
    return ["BRELLUM", "KeyCode=%d" % key] + list(lines) + [""]


PROGRAMS = {"prog1.exe": b"", "prog2.exe": b"", "prog3.exe": b""}
SHORT_AND_LONG = binding(193, "Command=\\prog1.exe", "CommandLong=\\prog2.exe")


def ini(*lines, files=None):
    result = dict(PROGRAMS)
    result["Brellum.ini"] = unicode(*lines)
    result.update(files or {})
    return result


def main():
    # Start-up.
    case("start-with-bindings-hidden-in-the-tray", ini(*SHORT_AND_LONG, *binding(194, "Command=\\prog3.exe")),
         script=["wait 100", "tray-click", "wait 100", "close"])
    case("start-without-bindings-shows-the-probe", {
        "Brellum.ini": unicode("; nothing bound yet", "SETTINGS", "ElapseTime=500"),
    }, script=["wait 100", "key 65 down", "key 65 up", "wait 100"], picture=True)
    case("start-file-from-the-command-line", {
        "cfg/keys.ini": unicode(*SHORT_AND_LONG),
        "Brellum.ini": unicode("garbage"),
    }, extra=["--", "\\cfg\\keys.ini"], script=["wait 100", "close"])
    case("start-window-closed-while-a-warning-is-open", ini(*binding(193, "Bad=1")),
         script=["boxtime 500", "wait 100", "close", "wait 1000"])
    case("start-file-missing", {}, extra=["--", "\\nowhere.ini"])
    case("start-file-not-unicode", {"Brellum.ini": "BRELLUM\r\nKeyCode=193\r\n".encode("utf-8")})
    case("start-file-with-mistakes", ini(
        "[BRELLUM]", "", "BRELLUM", " KeyCode=1", "KeyCode=", "Command=\\a.e", "KeyCode=193", "Command=\\prog1.exe", "",
        "SETTINGS", "ElapseTime=", "Elapse=5"),
         script=["wait 100"] + press(1200) + ["close"])
    case("start-duplicate-and-impossible-key-codes", ini(
        *binding(193, "Command=\\prog1.exe"), *binding(193, "Command=\\prog2.exe"),
        *binding(449, "Command=\\prog3.exe"), *binding(0, "Command=\\prog3.exe"), *binding(-63, "Command=\\prog3.exe")),
         script=["wait 100"] + press(1200) + press(1200, key=449 & 0xFF) + ["close"])

    # Press timing with the defaults: ticks every 100 ms, 1000 ms short, 2000 ms long.
    case("press-tap-handed-back", ini(*SHORT_AND_LONG),
         script=["wait 100"] + press(50) + press(850) + ["close"])
    case("press-judged-at-the-next-tick", ini(*SHORT_AND_LONG),
         script=["wait 100"] + press(950) + press(1950) + ["close"])
    case("press-long-fires-while-held", ini(*SHORT_AND_LONG),
         script=["wait 100"] + press(2500) + ["close"])
    case("press-check-interval-beyond-long-time", ini(
        *SHORT_AND_LONG, "SETTINGS", "CheckIntervall=2500", "ElapseTimeLong=2000"),
         script=["wait 100"] + press(50, after=3000) + ["close"])
    case("press-elapse-time-zero", ini(*SHORT_AND_LONG, "SETTINGS", "ElapseTime=0"),
         script=["wait 100"] + press(10) + ["close"])
    case("press-negative-times-are-long", ini(
        *SHORT_AND_LONG, "SETTINGS", "ElapseTime=-1", "ElapseTimeLong=-1", "CheckIntervall=0"),
         script=["wait 100"] + press(3000, after=100) + ["close"])
    case("press-only-long-command", ini(*binding(193, "CommandLong=\\prog2.exe", "Disable=1")),
         script=["wait 100"] + press(50) + press(1200) + press(1200) + ["close"])

    # The processes a binding started.
    case("process-running-answer-yes", ini(*SHORT_AND_LONG),
         script=["answer yes", "wait 100"] + press(1200) + press(1200) + press(1200) + ["close"])
    case("process-running-answer-no", ini(*SHORT_AND_LONG),
         script=["answer no", "wait 100"] + press(1200) + press(1200) + ["close"])
    case("process-running-no-question", ini(*SHORT_AND_LONG, "SETTINGS", "QueryTermination=0"),
         script=["wait 100"] + press(1200) + press(1200) + ["close"])
    case("process-slots-short-and-long", ini(*SHORT_AND_LONG),
         script=["wait 100"] + press(1200) + press(2500) + press(1200) + ["close"])
    case("process-ended-starts-again", ini(*SHORT_AND_LONG),
         script=["wait 100"] + press(1200) + ["process-exit 1 0"] + press(1200) + ["close"])
    case("process-question-open-while-ticks-go-on", ini(*SHORT_AND_LONG),
         script=["wait 100"] + press(2500) + ["boxtime 1500", "key 193 down", "wait 2100", "key 193 up",
                                               "wait 1500", "close"])
    case("process-window-closed-while-question-open", ini(*SHORT_AND_LONG),
         script=["wait 100"] + press(1200) + ["boxtime 1000", "key 193 down", "wait 1200", "key 193 up", "wait 50",
                                               "close", "wait 2000"])

    # After the command: Disable and NewIni.
    case("finish-disable-while-hidden", ini(*binding(193, "Command=\\prog1.exe", "Disable=1")),
         script=["wait 100"] + press(1200) + press(50) + ["tray-click", "wait 100", E_FIELD, "wait 100"]
         + press(50) + ["close"])
    case("finish-new-ini", ini(*binding(193, "Command=\\prog1.exe", "NewIni=\\second.ini"), files={
        "second.ini": unicode(*binding(194, "Command=\\prog3.exe"), *binding(195)),
    }), script=["wait 100"] + press(1200) + press(50) + press(1200, key=194) + ["tray-click", "wait 100", "close"])
    case("finish-new-ini-missing", ini(*binding(193, "Command=\\prog1.exe", "NewIni=\\missing.ini")),
         script=["wait 100"] + press(1200) + press(1200) + ["tray-click", "wait 100", "close"])
    case("finish-window-closed-while-new-ini-warns", ini(
        *binding(193, "Command=\\prog1.exe", "NewIni=\\second.ini"), files={
            "second.ini": unicode(*binding(194, "Bad=1", "Command=\\prog3.exe")),
        }), script=["wait 100", "boxtime 500", "key 193 down", "wait 1200", "key 193 up", "wait 100", "close", "wait 1000"])
    case("finish-new-ini-is-the-file-itself", ini(
        *binding(193, "Command=\\prog1.exe", "NewIni=\\Brellum.ini"), "SETTINGS", "QueryTermination=0"),
         script=["wait 100"] + press(1200) + press(1200) + press(1200) + ["close"])

    # The window's fields.
    case("window-tray-field-and-state-fields", ini(*SHORT_AND_LONG),
         script=["wait 100", "tray-click", "wait 100", LEFT_OF_TRAY_FIELD, "wait 600", D_FIELD, "wait 600", D_FIELD,
                 "wait 600", "key 193 down", "key 193 up", "wait 100", TRAY_FIELD, "wait 600", "tray-click",
                 "wait 100", E_FIELD, "wait 600", E_FIELD, "wait 600", TRAY_FIELD, "wait 100", "close"])
    case("window-key-let-go-while-held", ini(*SHORT_AND_LONG),
         script=["wait 100", "tray-click", "wait 100", "key 193 down", "wait 20", D_FIELD, "wait 20", "key 193 up",
                 "wait 200", "close"])


if __name__ == "__main__":
    main()
