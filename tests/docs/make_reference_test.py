#!/usr/bin/env python3
"""tools/make_reference.py on pages of its own in a scratch folder, with the
built programs:

    make_reference_test.py --cesim PATH --vessarine PATH --brellum PATH --talvok PATH [unittest options]
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

TOOLS = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
sys.path.insert(0, TOOLS)

import make_reference  # noqa: E402

PROGRAMS = {}

DESKTOP = (0x3A, 0x6E, 0xA5, 255)
STRIP_PANEL = (0xF0, 0xA0, 0x30, 255)

EXAMPLE_LINES = [
    "; Uhr und Knopf",
    "GLOBALSETTINGS",
    "Width=220",
    "Border=4",
    "Arrange=Horizontal",
    "BackgroundColor=182028",
    "StartUpAnimation=FlyDown",
    "",
    "TEXT",
    "Text=Grüße",
    "Color=F0F4FF",
    "",
    "BITMAPBUTTON",
    "BitmapNormal=play.bmp",
    "BitmapPushed=play-pushed.bmp",
]

PAGE = "\n".join([
    "# A page",
    "",
    "<!-- example clock-and-button 240x80 -->",
    "```ini",
    *EXAMPLE_LINES,
    "```",
    "![clock](pictures/clock-and-button.png)",
    "",
    "<!-- animation FlyLeft -->",
    "![FlyLeft](pictures/animation-FlyLeft.png)",
    "",
    "<!-- example-daemon keys -->",
    "```ini",
    "BRELLUM",
    "KeyCode=193",
    "Command=\\Windows\\clock.exe",
    "```",
    "",
    "Shown, not made:",
    "",
    "````markdown",
    "<!-- example shown-only 100x50 -->",
    "````",
    "",
])


def generate(docs, *options):
    command = [sys.executable, os.path.join(TOOLS, "make_reference.py"), "--docs", docs]
    for program, path in PROGRAMS.items():
        command += [f"--{program}", path]
    return subprocess.run(command + list(options), capture_output=True, text=True, timeout=120)


def write_page(docs, text, name="page.md"):
    with open(os.path.join(docs, name), "w", encoding="utf-8") as page:
        page.write(text)


def pixel(picture, x, y):
    start = (y * picture.width + x) * 4
    return tuple(picture.rgba[start:start + 4])


class Scratch(unittest.TestCase):
    def setUp(self):
        self.docs = tempfile.mkdtemp(prefix="reference-test-")
        self.addCleanup(shutil.rmtree, self.docs)

    def write_page(self, text):
        write_page(self.docs, text)

    def generate(self, *options):
        return generate(self.docs, *options)

    def generated(self, *options):
        result = self.generate(*options)
        self.assertEqual(result.returncode, 0, result.stderr)
        return result

    def path(self, *names):
        return os.path.join(self.docs, *names)


class MadeFiles(Scratch):
    """Each test starts from its own copy of one generated folder."""

    @classmethod
    def setUpClass(cls):
        cls.made = tempfile.mkdtemp(prefix="reference-made-")
        write_page(cls.made, PAGE)
        result = generate(cls.made)
        if result.returncode != 0:
            shutil.rmtree(cls.made)
            raise AssertionError(result.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.made)

    def setUp(self):
        super().setUp()
        shutil.copytree(self.made, self.docs, dirs_exist_ok=True)

    def test_example_file_is_the_device_file(self):
        with open(self.path("examples", "clock-and-button.ini"), "rb") as example:
            data = example.read()
        self.assertTrue(data.startswith(b"\xff\xfe"))
        self.assertEqual(data[2:].decode("utf-16-le"), "".join(line + "\r\n" for line in EXAMPLE_LINES))

    def test_only_the_named_pictures_go_beside_the_examples(self):
        self.assertEqual(sorted(os.listdir(self.path("examples"))),
                         ["clock-and-button.ini", "keys.ini", "play-pushed.bmp", "play.bmp"])
        with open(self.path("examples", "play.bmp"), "rb") as made:
            with open(os.path.join(TOOLS, "..", "examples", "play.bmp"), "rb") as sample:
                self.assertEqual(made.read(), sample.read())

    def test_example_picture_is_the_screen_with_the_panel_in_place(self):
        picture = make_reference.read_png(self.path("pictures", "clock-and-button.png"))
        self.assertEqual((picture.width, picture.height), (240, 80))
        self.assertEqual(pixel(picture, 1, 1), (0x18, 0x20, 0x28, 255))
        self.assertEqual(pixel(picture, 1, 79), DESKTOP)

    def test_strip_shows_the_panel_coming_in_from_the_right(self):
        strip = make_reference.read_png(self.path("pictures", "animation-FlyLeft.png"))
        frame = 96
        self.assertEqual((strip.width, strip.height), (6 * frame + 5 * 2, 48))
        self.assertEqual(pixel(strip, frame, 10), (0, 0, 0, 0))
        lefts = []
        for number in range(6):
            start = number * (frame + 2)
            row = [pixel(strip, start + x, 10) for x in range(frame)]
            lefts.append(row.index(STRIP_PANEL) if STRIP_PANEL in row else frame)
        self.assertEqual(lefts[-1], 0)
        self.assertEqual(lefts, sorted(lefts, reverse=True))
        self.assertEqual(len(set(lefts)), 6, lefts)

    def test_daemon_picture_shows_its_window(self):
        picture = make_reference.read_png(self.path("pictures", "keys.png"))
        self.assertEqual((picture.width, picture.height), (300, 140))
        self.assertEqual(pixel(picture, 2, 2), DESKTOP)
        self.assertNotEqual(pixel(picture, 150, 70), DESKTOP)

    def test_a_marker_in_a_code_block_makes_nothing(self):
        self.assertFalse(os.path.exists(self.path("pictures", "shown-only.png")))

    def test_verify_accepts_what_was_made(self):
        result = self.generated("--verify")
        self.assertEqual(result.stdout, "")

    def test_verify_names_what_differs_and_changes_nothing(self):
        picture = make_reference.read_png(self.path("pictures", "keys.png"))
        changed = bytearray(picture.rgba)
        changed[0] ^= 1
        make_reference.write_png(self.path("pictures", "keys.png"), make_reference.Picture(
            picture.width, picture.height, bytes(changed)))
        os.remove(self.path("examples", "play.bmp"))
        with open(self.path("pictures", "old.png"), "wb"):
            pass
        result = self.generate("--verify")
        self.assertEqual(result.returncode, 1, result.stderr)
        shown = self.docs
        self.assertEqual(result.stdout.splitlines(), [
            f"{shown}/examples/play.bmp missing",
            f"{shown}/pictures/keys.png differs",
            f"{shown}/pictures/old.png stray",
        ])
        self.assertTrue(os.path.exists(self.path("pictures", "old.png")))

    def test_a_picture_encoded_otherwise_with_the_same_pixels_is_current(self):
        path = self.path("pictures", "clock-and-button.png")
        make_reference.write_png(path, make_reference.read_png(path))
        self.generated("--verify")

    def test_a_run_in_place_brings_everything_up_to_date(self):
        os.remove(self.path("examples", "keys.ini"))
        with open(self.path("examples", "old.ini"), "wb"):
            pass
        self.generated()
        self.assertFalse(os.path.exists(self.path("examples", "old.ini")))
        self.assertTrue(os.path.exists(self.path("examples", "keys.ini")))
        self.generated("--verify")


class Mistakes(Scratch):
    def failure(self, page):
        self.write_page(page)
        result = self.generate()
        self.assertEqual(result.returncode, 1, result.stdout)
        return result.stderr

    def test_an_example_the_panel_complains_about_fails(self):
        message = self.failure("<!-- example bracketed 100x50 -->\n```ini\n[GLOBALSETTINGS]\n```\n")
        self.assertIn(f"{self.docs}/page.md:1: example bracketed:", message)
        self.assertIn('"Vessarine - Ignoriere unbekannten Typ:" [GLOBALSETTINGS]', message)
        self.assertFalse(os.path.exists(self.path("pictures", "bracketed.png")))

    def test_a_marker_that_cannot_be_read_fails(self):
        message = self.failure("text\n\n<!-- example Upper 100x50 -->\n```ini\nGLOBALSETTINGS\n```\n")
        self.assertIn(f"{self.docs}/page.md:3: cannot read the marker", message)

    def test_a_marker_without_its_block_fails(self):
        message = self.failure("<!-- example-daemon keys -->\n\nno block\n")
        self.assertIn("page.md:1: example-daemon keys is not followed by a fenced block", message)

    def test_an_unknown_animation_fails(self):
        self.assertIn("Spiral is none of the animations", self.failure("<!-- animation Spiral -->\n"))

    def test_a_name_used_twice_fails(self):
        block = "```ini\nGLOBALSETTINGS\n```\n"
        message = self.failure(f"<!-- example same 100x50 -->\n{block}<!-- example-daemon same -->\n{block}")
        self.assertIn("page.md:5: example-daemon same: the name is taken already by", message)


class CheckedMistakes(Scratch):
    def setUp(self):
        super().setUp()
        checking = make_reference.Programs(PROGRAMS)
        if not checking.understands_check("vessarine"):
            self.skipTest("vessarine has no --check yet")

    def test_the_text_block_gets_what_the_check_prints(self):
        self.write_page("<!-- check bad-colour vessarine -->\n```ini\nGLOBALSETTINGS\nBackgroundColor=FFF\n```\n"
                        "```text\n```\nafter\n")
        self.assertEqual(self.generate("--verify").returncode, 1)
        self.generated()
        with open(self.path("page.md"), encoding="utf-8") as page:
            lines = page.read().splitlines()
        output = lines[lines.index("```text") + 1:lines.index("after") - 1]
        self.assertTrue(output)
        self.assertTrue(all(line.startswith("bad-colour.ini:") for line in output), output)
        self.generated("--verify")


def main():
    parser = argparse.ArgumentParser()
    for program in ("cesim", "vessarine", "brellum", "talvok"):
        parser.add_argument(f"--{program}", required=True)
    known, rest = parser.parse_known_args()
    PROGRAMS.update(vars(known))
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()
