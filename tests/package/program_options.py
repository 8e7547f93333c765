"""The option names a program's --help lists and those its manual page lists,
compared as sets: wording and order may differ, names may not."""

import re
import subprocess

# An option line of --help: two blanks, then the option ("--" alone ends the options).
HELP_OPTION = re.compile(r"^  (--[a-z0-9-]*)(?=[\s=]|$)")
PAGE_OPTION = re.compile(r"(?<![\w-])(--[a-z0-9-]*)")


def help_text(program):
    result = subprocess.run([program, "--help"], capture_output=True, text=True, env={"PATH": "/usr/bin:/bin"})
    if result.returncode != 0:
        raise AssertionError(f"{program} --help ended with {result.returncode}: {result.stderr}")
    return result.stdout


def help_options(text):
    return {match.group(1) for match in map(HELP_OPTION.match, text.splitlines()) if match}


def plain_roff(line):
    """A roff line's text without its macro, font changes and escapes."""
    if line.startswith("."):
        line = line.split(" ", 1)[1] if " " in line else ""
    line = re.sub(r"\\f(\[[^]]*\]|\(..|.)", "", line)
    line = line.replace("\\c", "").replace("\\-", "-").replace("\\e", "\\").replace("\\(aq", "'")
    return line.replace('"', "")


def page_options(roff):
    """The option each tagged paragraph (.TP) of the OPTIONS section names."""
    lines = roff.splitlines()
    try:
        start = lines.index(".SH OPTIONS")
    except ValueError:
        return set()
    section = []
    for line in lines[start + 1:]:
        if line.startswith(".SH"):
            break
        section.append(line)
    names = set()
    for index, line in enumerate(section[:-1]):
        if line.strip() == ".TP":
            match = PAGE_OPTION.search(plain_roff(section[index + 1]))
            if match:
                names.add(match.group(1))
    return names
