#!/usr/bin/env python3
"""The Debian package the build made, unpacked into a scratch folder (as
dpkg would install it below /): its programs, manual pages, reference,
example device, autostart entry and dependencies, used from there.

    installed_package_test.py --packages DIR --version V --cesim PATH --examples DIR [unittest options]

--cesim and --examples are the build's cesim and the source tree's examples,
to compare the installed preview with.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.request

from program_options import help_options, help_text

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import make_reference  # noqa: E402

GIVEN = {}
PROGRAMS = ("vessarine", "brellum", "talvok", "cesim")
SYSTEM_PATH = "/usr/bin:/bin"


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def library_packages(paths):
    """The Debian package that installed each library, asked of dpkg at once.
    With /usr merged, dpkg knows a file only by the one path its package gave."""
    candidates = {}
    for path in paths:
        names = []
        for name in (path, os.path.realpath(path)):
            names += [name, name[len("/usr"):] if name.startswith("/usr/") else "/usr" + name]
        candidates[path] = names
    asked = sorted({name for names in candidates.values() for name in names})
    owner = {}
    for line in run(["dpkg-query", "-S"] + asked).stdout.splitlines():
        packages, _, file = line.partition(": ")
        owner[file] = packages.split(":")[0]
    found = {}
    for path, names in candidates.items():
        owners = [owner[name] for name in names if name in owner]
        if not owners:
            raise AssertionError(f"no package owns {path}")
        found[path] = owners[0]
    return found


def linked_libraries(program):
    """NEEDED entries of a program with the path the loader finds for each."""
    dynamic = run(["objdump", "-p", program]).stdout
    needed = re.findall(r"^\s*NEEDED\s+(\S+)", dynamic, re.MULTILINE)
    paths = {}
    for line in run(["ldd", program]).stdout.splitlines():
        match = re.match(r"\s*(\S+) => (/\S+)", line) or re.match(r"\s*((/\S+))\s+\(", line)
        if match:
            paths[os.path.basename(match.group(1))] = match.group(2)
    return {name: paths.get(name) for name in needed}


class InstalledPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        packages = [name for name in os.listdir(GIVEN["packages"]) if name.endswith(".deb")]
        if len(packages) != 1:
            raise AssertionError(f"one package expected in {GIVEN['packages']}, found {packages}")
        cls.package = os.path.join(GIVEN["packages"], packages[0])
        cls.root = tempfile.mkdtemp(prefix="installed-package-")
        unpacked = run(["dpkg-deb", "-x", cls.package, cls.root])
        if unpacked.returncode != 0:
            raise AssertionError(unpacked.stderr)
        cls.usr = os.path.join(cls.root, "usr")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def field(self, name):
        return run(["dpkg-deb", "-f", self.package, name]).stdout.strip()

    def program(self, name):
        return os.path.join(self.usr, "bin", name)

    def test_the_package_is_vessarine_of_this_version_for_this_machine(self):
        self.assertEqual(self.field("Package"), "vessarine")
        self.assertEqual(self.field("Version"), GIVEN["version"])
        self.assertEqual(self.field("Architecture"), run(["dpkg", "--print-architecture"]).stdout.strip())
        self.assertEqual(os.path.basename(self.package), f"vessarine_{GIVEN['version']}_{self.field('Architecture')}.deb")

    def test_every_file_lies_below_usr_and_the_programs_in_bin(self):
        listing = run(["dpkg-deb", "-c", self.package]).stdout.splitlines()
        paths = [line.split()[-1] for line in listing]
        self.assertTrue(paths)
        self.assertEqual([path for path in paths if not path.startswith("./usr/")], [])
        self.assertEqual(sorted(os.listdir(os.path.join(self.usr, "bin"))), sorted(PROGRAMS))

    def test_the_programs_say_their_version(self):
        for name in PROGRAMS:
            with self.subTest(program=name):
                version = run([self.program(name), "--version"])
                self.assertEqual((version.returncode, version.stdout), (0, f"{name} {GIVEN['version']}\n"))

    def test_the_help_sends_readers_to_the_installed_documentation(self):
        reference = os.path.join(self.usr, "share", "doc", "vessarine")
        for name in PROGRAMS:
            with self.subTest(program=name):
                text = help_text(self.program(name))
                heading = f"Documentation: man {name}, and in {reference}/:\n"
                self.assertIn(heading, text)
                pages = [line.split()[0] for line in text.split(heading, 1)[1].splitlines()]
                self.assertTrue(pages)
                for page in pages:
                    self.assertTrue(os.path.isfile(os.path.join(reference, page)), page)

    def test_man_shows_each_page_without_warnings_with_every_option(self):
        for name in PROGRAMS:
            with self.subTest(program=name):
                page = os.path.join(self.usr, "share", "man", "man1", name + ".1.gz")
                shown = run(["man", "--warnings", "-l", page],
                            env={"PATH": SYSTEM_PATH, "MANWIDTH": "80", "LC_ALL": "C.UTF-8", "MAN_KEEP_FORMATTING": ""})
                self.assertEqual((shown.returncode, shown.stderr), (0, ""))
                text = re.sub(".\b", "", shown.stdout)
                self.assertRegex(text, rf"^{name.upper()}\(1\)")
                words = set(text.split())
                for option in help_options(help_text(self.program(name))):
                    self.assertIn(option, words)

    def test_the_reference_links_only_to_installed_files(self):
        reference = os.path.join(self.usr, "share", "doc", "vessarine")
        pages = [name for name in os.listdir(reference) if name.endswith(".md")]
        self.assertIn("panel.md", pages)
        for page in pages:
            with open(os.path.join(reference, page), encoding="utf-8") as source:
                targets = re.findall(r"\]\(([^)#\s]+)", source.read())
            for target in targets:
                if "://" not in target:
                    with self.subTest(page=page, link=target):
                        self.assertTrue(os.path.exists(os.path.join(reference, target)))

    def preview(self, cesim, examples, folder):
        shot = os.path.join(folder, "panel.png")
        ran = run([cesim, "vessarine", "--root", examples, "--until", "3000", "--shot", shot])
        self.assertEqual((ran.returncode, ran.stderr), (0, ""))
        return ran.stdout, make_reference.read_png(shot)

    def test_the_installed_cesim_previews_the_installed_example_panel(self):
        with tempfile.TemporaryDirectory() as folder:
            trace, picture = self.preview(self.program("cesim"),
                                          os.path.join(self.usr, "share", "vessarine", "examples"), folder)
            built_trace, built_picture = self.preview(GIVEN["cesim"], GIVEN["examples"], folder)
        pixels = {picture.rgba[i:i + 4] for i in range(0, len(picture.rgba), 4)}
        self.assertGreater(len(pixels), 16, "the preview is all but blank")
        self.assertNotIn('"event":"msgbox"', trace)
        self.assertEqual(trace, built_trace)
        self.assertEqual((picture.width, picture.height), (built_picture.width, built_picture.height))
        self.assertTrue(picture.rgba == built_picture.rgba,
                        "the installed examples give another picture than the source tree's")

    def test_the_dependencies_are_the_packages_of_the_linked_libraries(self):
        depends = {entry.split()[0] for entry in self.field("Depends").split(", ")}
        linked = {}
        for name in PROGRAMS:
            for library, path in linked_libraries(self.program(name)).items():
                self.assertIsNotNone(path, f"{name} links {library}, which the loader does not find")
                linked.setdefault(path, set()).add(f"{name}: {library}")
        owners = {}
        for path, package in library_packages(linked).items():
            owners.setdefault(package, set()).update(linked[path])
        self.assertEqual(depends, set(owners), f"linked: {owners}")

    def test_the_autostart_entry_starts_the_installed_daemon_with_the_users_file(self):
        entry = os.path.join(self.usr, "share", "vessarine", "autostart", "brellum.desktop")
        validated = run(["desktop-file-validate", entry])
        self.assertEqual((validated.returncode, validated.stdout + validated.stderr), (0, ""))
        with open(entry, encoding="utf-8") as source:
            text = source.read()
        self.assertIn("~/.config/autostart/", text)
        exec_line = re.search(r"^Exec=(.*)$", text, re.MULTILINE).group(1)
        # A desktop entry's string escapes first, then its quoting, which is the shell's.
        command = exec_line.replace("\\\\", "\\")
        with tempfile.TemporaryDirectory() as home:
            started = run(["sh", "-c", 'eval "exec $0"', command],
                          env={"PATH": os.path.join(self.usr, "bin") + ":" + SYSTEM_PATH, "HOME": home})
            self.assertEqual(started.returncode, 2)
            self.assertEqual(started.stderr,
                             f"brellum: cannot open '{home}/.config/brellum/Brellum.ini': no such file\n")

    def test_the_installed_studio_page_is_served_on_this_machine(self):
        node = GIVEN.get("studio_served_by")
        if not node:
            self.skipTest("this package was made without the studio")
        studio = os.path.join(self.usr, "share", "vessarine", "studio")
        server = subprocess.Popen([node, os.path.join(studio, "serve.mjs"), os.path.join(studio, "page"), "0"],
                                  stdout=subprocess.PIPE, text=True)
        try:
            address = re.search(r"http://127\.0\.0\.1:\d+/", server.stdout.readline())
            self.assertIsNotNone(address, "the server did not say where the studio is")
            with urllib.request.urlopen(address.group(0)) as page:
                self.assertIn('id="screen"', page.read().decode("utf-8"))
            with urllib.request.urlopen(address.group(0) + "vessarine-studio.wasm") as module:
                self.assertEqual(module.headers["Content-Type"], "application/wasm")
                self.assertEqual(module.read(4), b"\0asm")
        finally:
            server.terminate()
            server.wait(timeout=10)
            server.stdout.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--packages", required=True, help="the folder cpack wrote the package to")
    parser.add_argument("--version", required=True)
    parser.add_argument("--cesim", required=True, help="the build's cesim")
    parser.add_argument("--examples", required=True, help="the source tree's examples")
    parser.add_argument("--studio-served-by", help="node, where the package holds the studio")
    known, rest = parser.parse_known_args()
    GIVEN.update(vars(known))
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()
