#!/usr/bin/env python3
"""Each program's manual page against its --help, and the files the pages
and the help send readers to against the source tree:

    manual_pages_test.py --source DIR --vessarine PATH --brellum PATH --talvok PATH --cesim PATH [unittest options]
"""

import argparse
import os
import re
import sys
import unittest

from program_options import help_options, help_text, page_options

PROGRAMS = {}
SOURCE = {}

# Where the pages say the package puts the reference and the example device.
INSTALLED_FOLDERS = {"/usr/share/doc/vessarine/": "docs", "/usr/share/vessarine/examples/": "examples"}


def page(program):
    with open(os.path.join(SOURCE["dir"], "docs", "man", program + ".1"), encoding="utf-8") as source:
        return source.read()


class ManualPages(unittest.TestCase):
    def test_each_page_lists_the_options_of_its_programs_help(self):
        for program, path in PROGRAMS.items():
            with self.subTest(program=program):
                in_help = help_options(help_text(path))
                self.assertIn("--help", in_help)
                self.assertEqual(page_options(page(program)), in_help,
                                 f"docs/man/{program}.1 OPTIONS against {program} --help")

    def test_each_page_names_itself_and_its_program(self):
        for program in PROGRAMS:
            with self.subTest(program=program):
                text = page(program)
                self.assertTrue(text.startswith(f".TH {program.upper()} 1 "), text[:80])
                self.assertIn(f"\n.SH NAME\n{program} \\- ", text)

    def test_the_files_the_pages_name_are_in_the_source_tree(self):
        for program in PROGRAMS:
            for installed, folder in INSTALLED_FOLDERS.items():
                for name in re.findall(re.escape(installed) + r"([\w.-]+)", page(program)):
                    with self.subTest(program=program, file=installed + name):
                        self.assertTrue(os.path.isfile(os.path.join(SOURCE["dir"], folder, name)))

    def test_the_pages_the_help_names_are_in_docs(self):
        for program, path in PROGRAMS.items():
            text = help_text(path)
            heading = f"Documentation, in the source tree: docs/man/{program}.1 (man -l), and in docs/:\n"
            with self.subTest(program=program):
                self.assertIn(heading, text)
                pages = [line.split()[0] for line in text.split(heading, 1)[1].splitlines()]
                self.assertTrue(pages)
                for name in pages:
                    self.assertTrue(os.path.isfile(os.path.join(SOURCE["dir"], "docs", name)), name)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True, help="the source tree")
    for program in ("vessarine", "brellum", "talvok", "cesim"):
        parser.add_argument(f"--{program}", required=True)
    known, rest = parser.parse_known_args()
    SOURCE["dir"] = known.source
    PROGRAMS.update({name: path for name, path in vars(known).items() if name != "source"})
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()
